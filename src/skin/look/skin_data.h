#pragma once
// TSkinData: one loaded skin and the settings that say what gets skinned.
// It owns the compressed skin bytes, reads them into skin objects, derives a
// few images and colours from them, and asks the skin manager to act when it
// is switched on or off or given a new skin.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/bitmap.h"
#include "common/text.h"
#include "common/values.h"
#include "skin/look/skin_images.h"
#include "skin/look/skin_objects.h"

namespace vc {

class TQuickIni;
class TSkinReader;
class TSkinStore;
class TSkinCollection;
class TSkinData;

enum TSkinControlType {
    xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton,
    xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin, xcPanel, xcGroupBox,
    xcStatusBar, xcTab, xcTrackBar, xcSystemMenu, xcReportDesigner
};
enum TSkinOption {
    xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoParentBackGround, xoNoFocusRect, xoToolbarBK,
    xoMDIChildBorder, xoMenuBG, xoFormScrollbar
};
enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

// Sets of the enumerations above, bit n for member n.
using TSkinControls = std::uint32_t;
using TSkinOptions = std::uint16_t;
constexpr std::uint32_t SetBit(int member) { return std::uint32_t(1) << member; }
constexpr bool InSet(std::uint32_t set, int member) { return (set & SetBit(member)) != 0; }

// What the skin data needs from the platform. The defaults serve tests and
// tools; the Windows side fills in the system's values.
struct SkinEnvironment {
    // Resolves 0xFF000000 + index; ClassicSystemColour when not set.
    std::function<Colour(int index)> system_colour;
    int h_scroll_arrow_width = 17;  // SM_CXHSCROLL
    bool has_scroll_bar_info = true;  // user32 offers GetScrollBarInfo
    // Shows a message of the container reader (a wrong version).
    std::function<void(const std::string&)> show_message;
};

// The skin manager as the skin data sees it (the manager implements it).
class ISkinManagerLink {
public:
    virtual ~ISkinManagerLink() = default;
    virtual void SetCurrentSkinData(TSkinData& data) = 0;
    // Form skinners of this skin data drop their cached caption buttons.
    virtual void DropCaptionButtons(TSkinData& data) = 0;
    virtual bool EverActivated() const = 0;
    virtual void MarkActivated() = 0;
    // 1 activate, 2 deactivate, 3 refresh; after `delay_ms`.
    virtual void RequestAction(int action, int delay_ms) = 0;
};

// The sixteen named colours of a definition's [Colours] section.
struct SkinColours {
    Colour WindowText, ButtonFace, Scrollbar, HilightText, Hilight, Menubar, Menu, MenuText, ButtonText,
        ButtonHilight, Buttonlight, ButtonShadow, ButtonDkShadow, MenuBarText, TitleTextActive, TitleTextNoActive;
};

class TSkinData {
public:
    static constexpr const char* kVersion = "1.4.0";
    static constexpr int kRequestDelay = 250;  // ms before the manager acts

    TSkinData();
    ~TSkinData();
    TSkinData(const TSkinData&) = delete;
    TSkinData& operator=(const TSkinData&) = delete;

    // --- Published properties ---
    bool Active() const { return active_; }
    void SetActive(bool value);
    std::int32_t DisableTag = 99;
    TSkinControls SkinControls;
    TSkinOptions Options;
    const StringList& Skin3rd() const { return skin3rd_; }
    void SetSkin3rd(const StringList& lines) { skin3rd_ = lines; }
    const std::string& SkinFile() const { return skin_file_; }
    // Loads the file when it exists; a missing file loads nothing and leaves
    // the loading flag set.
    void SetSkinFile(const std::string& path);
    std::string SkinStore() const { return "(none)"; }
    void SetSkinStore(std::string_view) {}
    TSkinFormType SkinFormtype = sfMainform;
    std::string Version() const { return kVersion; }
    void SetVersion(std::string_view) {}
    bool MenuUpdate = true;
    bool MenuMerge = false;

    std::function<void(TSkinData& sender, const std::string& name, bool& do_skin)> OnFormSkin;
    std::function<void(TSkinData& sender)> OnSkinChanged;
    // Raised by the control skinners and the form skinner (next to them).
    std::function<void(void* sender, TSkinData& data, void* form, void* control, const std::string& control_class,
                       void*& skinned_control)>
        OnSkinControl;
    std::function<void(TSkinData& sender, std::uintptr_t window, const std::string& name)> OnBeforeSkinForm;
    std::function<void(TSkinData& sender, std::uintptr_t window, const std::string& name)> OnAfterSkinForm;

    // The "SkinStream" property: a 32-bit little-endian length and the bytes.
    // Reading a length of 1 or more takes the bytes and loads the skin.
    void ReadSkinStreamProperty(const std::uint8_t* data, std::size_t size);
    std::vector<std::uint8_t> WriteSkinStreamProperty() const;

    SkinEnvironment Environment;
    void SetManager(ISkinManagerLink* manager) { manager_ = manager; }
    ISkinManagerLink* Manager() const { return manager_; }

    // --- Operations ---
    // Item `index` of the store: a number at or above the count loads
    // nothing; a negative one raises EListError.
    void LoadFromStore(const TSkinCollection& store, int index);
    void LoadFromStore(const TSkinStore& store, int index);
    // Reads the skin stream into skin objects; false when the container could
    // not be opened (wrong version, damaged or empty stream): the previous
    // skin stays and the loading flag stays set.
    bool LoadSkin();
    void ApplySkin();
    // After the component is read: tidies the control set and asks for the
    // first activation.
    void Loaded();
    // False for windows that must not be skinned.
    void AskFormSkin(std::uintptr_t window, const std::string& class_name, bool& do_skin);
    // The manager calls this after each action.
    void SkinChanged() {
        if (OnSkinChanged) OnSkinChanged(*this);
    }

    // --- Loaded data ---
    bool Loading() const { return loading_; }
    std::vector<std::uint8_t>& SkinStream() { return skin_stream_; }
    const std::string& SkinName() const { return skin_name_; }
    const SkinColours& Colours() const { return colours_; }
    const std::vector<Colour>& Palette() const { return palette_; }
    const std::array<Colour, 10>& CustomColours() const { return custom_colours_; }
    Colour CaptionSampleColour() const { return caption_sample_; }
    // The colour of the button-face brush (resolved).
    Colour ButtonFaceColour() const { return ResolveColour(colours_.ButtonFace); }
    std::uintptr_t DecidingWindow() const { return deciding_window_; }

    TDataSkinBorder& Left() { return *left_; }
    TDataSkinBorder& Right() { return *right_; }
    TDataSkinBorder& Top() { return *top_; }
    TDataSkinBorder& Bottom() { return *bottom_; }
    TDataSkinTitle& Title() { return *title_; }
    TDataSkinButton& Buttons() { return *buttons_; }
    const TDataSkinBorder& Left() const { return *left_; }
    const TDataSkinBorder& Right() const { return *right_; }
    const TDataSkinBorder& Top() const { return *top_; }
    const TDataSkinBorder& Bottom() const { return *bottom_; }
    const TDataSkinTitle& Title() const { return *title_; }
    const TDataSkinButton& Buttons() const { return *buttons_; }
    const std::vector<std::unique_ptr<TDataSkinSysButton>>& CaptionButtons() const { return caption_buttons_; }
    // The menu bar (from [Personality]); null when the skin has none.
    TDataSkinObject* MenuBar() const { return menu_bar_.get(); }
    // A generic or derived object by name ("Progress", "Toolbar", ...),
    // letters compared without regard to case; null when absent.
    TDataSkinObject* FindObject(std::string_view name) const;
    template <class T>
    T* Find(std::string_view name) const {
        return dynamic_cast<T*>(FindObject(name));
    }
    std::size_t ObjectCount() const { return objects_.size(); }

    const Bitmap& MenuGlyphs() const { return menu_glyphs_; }
    TGradientCache& GradientCache() { return gradient_cache_; }
    Colour ResolveColour(Colour c) const;
    ColourResolver Resolver() const {
        return [this](Colour c) { return ResolveColour(c); };
    }

private:
    struct Reading;
    void ReadDefinition(Reading& r);
    void ReadBorders(Reading& r);
    void ReadColours(Reading& r);
    void ReadCaptionButtons(Reading& r);
    void ReadPushButtons(Reading& r);
    void ReadSliceFields(Reading& r, const std::string& section, TDataSkinObject& o);
    void ReadCaptionText(Reading& r);
    void ReadMenuBar(Reading& r);
    TDataSkinObject* ReadGeneric(Reading& r, const std::string& section, std::unique_ptr<TDataSkinObject> object,
                                 const char* image_key = "Image");
    void ApplyFixedFrameCounts();
    void BuildComboComposite();
    void BuildComboxArrow();
    void BuildToolbar();
    void ComputeCaptionSample();
    void FreeObject(std::string_view name);
    TDataSkinObject* Adopt(std::unique_ptr<TDataSkinObject> object);
    void Request(int action);

    bool active_ = false;
    bool loading_ = true;
    StringList skin3rd_;
    std::string skin_file_;
    std::vector<std::uint8_t> skin_stream_;
    std::string skin_name_;
    SkinColours colours_;
    std::vector<Colour> palette_;
    std::array<Colour, 10> custom_colours_;
    Colour caption_sample_;
    std::uintptr_t deciding_window_ = 0;

    std::unique_ptr<TDataSkinBorder> left_, right_, top_, bottom_;
    std::unique_ptr<TDataSkinTitle> title_;
    std::unique_ptr<TDataSkinButton> buttons_;
    std::unique_ptr<TDataSkinObject> menu_bar_;
    std::vector<std::unique_ptr<TDataSkinSysButton>> caption_buttons_;
    std::vector<std::unique_ptr<TDataSkinObject>> objects_;

    Bitmap menu_glyphs_;
    TGradientCache gradient_cache_;
    ISkinManagerLink* manager_ = nullptr;
};

}  // namespace vc
