#include "skin/look/skin_data.h"

#include <algorithm>
#include <cmath>

#include "common/errors.h"
#include "common/input_file.h"
#include "skin/format/bitmap_file.h"
#include "skin/format/lzh.h"
#include "skin/format/quick_ini.h"
#include "skin/format/skin_builtin.h"
#include "skin/format/skin_reader.h"
#include "skin/format/skin_store.h"
#include "skin/look/skin_values.h"

namespace vc {

namespace {

constexpr Colour Sys(int index) { return kSystemColourFlag + static_cast<Colour>(index); }
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kMagentaColour = 0xFF00FF;

const char* const kDefaultSkin3rd[] = {"TCategoryButtons=scrollbar", "TComboboxex=combobox",
                                       "TDBCtrlGrid=scrollbar", "TControlBar=Panel",
                                       "TDBLookupCombobox=Combobox"};

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

KeyColour KeyColourOf(int trans) {
    return trans == 0 ? KeyColour::Painted : trans == 1 ? KeyColour::Shapes : KeyColour::Clear;
}

}  // namespace

// What one LoadSkin works with; it lives only while the skin is read.
struct TSkinData::Reading {
    TSkinReader reader;
    TQuickIni ini;
    StringList sections;

    // The image a key names, empty when it names no ".bmp" member or the
    // member is not a bitmap this reader decodes.
    Bitmap Image(std::string_view section, std::string_view key) const {
        const std::string member = ImageMemberName(ini.ReadString(section, key, ""));
        if (member.empty()) return Bitmap();
        std::vector<std::uint8_t> bytes;
        if (!reader.GetFile(member, bytes)) return Bitmap();
        try {
            return DecodeBitmapFile(bytes);
        } catch (const EInvalidGraphic&) {
            return Bitmap();
        }
    }
    int Int(std::string_view section, std::string_view key, int def) const { return ini.ReadInteger(section, key, def); }
};

TSkinData::TSkinData()
    : SkinControls(0x3FFFFFu & ~(SetBit(xcMenuItem) | SetBit(xcReportDesigner))),
      Options(static_cast<TSkinOptions>(SetBit(xoPreview) | SetBit(xoToolbarBK))),
      skin3rd_(std::begin(kDefaultSkin3rd), std::end(kDefaultSkin3rd)),
      colours_{Sys(8), Sys(15), Sys(0), Sys(14), Sys(13), Sys(15), Sys(4), Sys(7),
               Sys(18), Sys(20), Sys(20), Sys(16), Sys(21), Sys(7), Sys(9), Sys(19)},
      caption_sample_(Sys(15)),
      left_(std::make_unique<TDataSkinBorder>("Left")),
      right_(std::make_unique<TDataSkinBorder>("Right")),
      top_(std::make_unique<TDataSkinBorder>("Top")),
      bottom_(std::make_unique<TDataSkinBorder>("Bottom")),
      title_(std::make_unique<TDataSkinTitle>("Title")),
      buttons_(std::make_unique<TDataSkinButton>("Buttons")),
      menu_glyphs_(vc::MenuGlyphs()) {
    custom_colours_.fill(kWhite);
}

TSkinData::~TSkinData() = default;

Colour TSkinData::ResolveColour(Colour c) const {
    return vc::ResolveColour(c, Environment.system_colour ? Environment.system_colour
                                                          : std::function<Colour(int)>(ClassicSystemColour));
}

// --- Properties ---

void TSkinData::Request(SkinAction action) {
    if (!manager_) return;
    manager_->SetCurrentSkinData(*this);
    manager_->RequestAction(action, kRequestDelay);
}

void TSkinData::SetActive(bool value) {
    if (value == active_) return;
    active_ = value;
    switch (SkinFormtype) {
        case sfMainform:
            if (!value) {
                Request(SkinAction::Deactivate);
            } else if (!loading_) {
                Request(SkinAction::Activate);
                // The very first activation only switches skinning on.
                if (manager_) manager_->MarkActivated();
            }
            break;
        case sfOnlyThisForm:
            if (!value)
                Request(SkinAction::Deactivate);
            else if (!loading_)
                Request(SkinAction::Activate);
            break;
        case sfDialog:
        case sfDLL:
            break;
    }
}

void TSkinData::SetSkinFile(const std::string& path) {
    loading_ = true;
    skin_file_ = path;
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return;
    skin_stream_.assign(bytes->begin(), bytes->end());
    LoadSkin();
    ApplySkin();
}

void TSkinData::ReadSkinStreamProperty(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return;
    const std::int32_t length = static_cast<std::int32_t>(data[0] | (data[1] << 8) | (data[2] << 16) |
                                                          (static_cast<std::uint32_t>(data[3]) << 24));
    if (length <= 0) return;
    // A length past the bytes present takes what is there.
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), size - 4);
    skin_stream_.assign(data + 4, data + 4 + n);
    LoadSkin();
}

std::vector<std::uint8_t> TSkinData::WriteSkinStreamProperty() const {
    std::vector<std::uint8_t> out;
    const auto n = static_cast<std::uint32_t>(skin_stream_.size());
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    out.insert(out.end(), skin_stream_.begin(), skin_stream_.end());
    return out;
}

// --- Operations ---

void TSkinData::LoadFromStore(const TSkinCollection& store, int index) {
    if (index < 0) throw EListError(index);
    if (static_cast<std::size_t>(index) >= store.Count()) return;
    loading_ = true;
    skin_stream_ = store.Item(static_cast<std::size_t>(index)).DataStream();
    LoadSkin();
    ApplySkin();
}

void TSkinData::LoadFromStore(const TSkinStore& store, int index) { LoadFromStore(store.Store(), index); }

void TSkinData::ApplySkin() {
    if (!manager_) return;
    manager_->SetCurrentSkinData(*this);
    manager_->DropCaptionButtons(*this);
    if (manager_->EverActivated()) manager_->RequestAction(SkinAction::Refresh, kRequestDelay);
}

void TSkinData::Loaded() {
    if (!Environment.has_scroll_bar_info) SkinControls &= ~SetBit(xcScrollbar);
    if (SkinFormtype == sfMainform) {
        if (active_) {
            if (loading_)
                active_ = false;
            else
                Request(SkinAction::Activate);
        }
        if (InSet(SkinControls, xcMainMenu))
            SkinControls &= ~SetBit(xcMenuItem);
        else
            SkinControls &= ~SetBit(xcSystemMenu);
    } else if (active_ && manager_) {
        // Other scopes are skinned at once; the manager does the skinning.
        manager_->SetCurrentSkinData(*this);
    }
}

bool TSkinData::SkinsForm(const std::string& class_name) const { return class_name != "SysMonthCal32"; }

TDataSkinObject* TSkinData::FindObject(std::string_view name) const {
    for (const auto& o : objects_)
        if (SameText(o->Name, name)) return o.get();
    return nullptr;
}

void TSkinData::FreeObject(std::string_view name) {
    objects_.erase(std::remove_if(objects_.begin(), objects_.end(),
                                  [&](const std::unique_ptr<TDataSkinObject>& o) { return SameText(o->Name, name); }),
                   objects_.end());
}

TDataSkinObject* TSkinData::Adopt(std::unique_ptr<TDataSkinObject> object) {
    objects_.push_back(std::move(object));
    return objects_.back().get();
}

bool TSkinData::LoadSkin() {
    loading_ = true;
    Reading r;
    r.reader.ShowMessage = Environment.show_message;
    // A stream or container that cannot be opened loads nothing, like one of
    // the wrong version: the previous skin stays and the flag stays set.
    try {
        if (!r.reader.Load(skin_stream_)) return false;
    } catch (const ElzhException&) {
        return false;
    } catch (const ESkinFileError&) {
        return false;
    }
    std::vector<std::uint8_t> definition;
    std::string definition_name;
    if (r.reader.FindFile(".ini", definition, definition_name)) r.ini.LoadFromStream(definition);
    ReadDefinition(r);
    ApplyFixedFrameCounts();
    // The tool bar gradient is made from the caption sample, so the sample
    // is taken first; it depends on the top side only, which nothing below
    // changes.
    ComputeCaptionSample();
    BuildComboComposite();
    BuildComboxArrow();
    BuildToolbar();
    loading_ = false;
    return true;
}

// --- Reading the definition ---

void TSkinData::ReadDefinition(Reading& r) {
    r.ini.ReadSections(r.sections);
    skin_name_ = r.ini.ReadString("TitlebarSkin", "SkinName", "");
    ReadBorders(r);
    ReadColours(r);
    ReadCaptionButtons(r);
    ReadPushButtons(r);
    ReadCaptionText(r);

    // Progress: the image key is "Bitmap" and only some keys are read.
    FreeObject("Progress");
    const Bitmap progress_image = r.Image("Progress", "Bitmap");
    if (!r.ini.ReadString("Progress", "Bitmap", "").empty()) {
        auto p = std::make_unique<TDataSkinBorder>("Progress");
        p->Map = progress_image;
        p->LeftWidth = r.Int("Progress", "LeftWidth", 0);
        p->RightWidth = r.Int("Progress", "RightWidth", 0);
        p->TopHeight = r.Int("Progress", "TopHeight", 0);
        p->BottomHeight = r.Int("Progress", "BottomHeight", 0);
        p->Style = r.Int("Progress", "Style", 0);
        p->Trans = KeyColourOf(r.Int("Progress", "Trans", 0));
        p->Tile = r.Int("Progress", "Tile", 0) >= 1 ? SliceFill::Repeat : SliceFill::Stretch;
        p->Frame = p->Style != 0 ? 1 : 2;
        Adopt(std::move(p));
    }
    ReadGeneric(r, "Progress.Chunk", std::make_unique<TDataSkinObject>());
    ReadMenuBar(r);
    ReadGeneric(r, "GroupBoxEdge", std::make_unique<TDataSkinObject>());
    if (auto* box = static_cast<TDataSkinBoxLabel*>(
            ReadGeneric(r, "GroupBox", std::make_unique<TDataSkinBoxLabel>()))) {
        box->BackgroundLeftShift = r.Int("GroupBox", "BackgroundLeftShift", 0);
        box->BackgroundRightShift = r.Int("GroupBox", "BackgroundRightShift", 0);
    }
    if (auto* tabs = static_cast<TDataSkinBorder*>(ReadGeneric(r, "Tabs", std::make_unique<TDataSkinBorder>())))
        tabs->Map2 = r.Image("Tabs", "Border");
    ReadGeneric(r, "StatusBarEdges", std::make_unique<TDataSkinObject>());
    if (auto* pane = ReadGeneric(r, "Tab.Pane", std::make_unique<TDataSkinObject>())) {
        pane->LeftWidth = std::min(pane->LeftWidth, 4);
        pane->TopHeight = std::min(pane->TopHeight, 4);
        pane->RightWidth = std::min(pane->RightWidth, 4);
        pane->BottomHeight = std::min(pane->BottomHeight, 4);
    }
    ReadGeneric(r, "ToolBars", std::make_unique<TDataSkinObject>());
    if (auto* combo =
            static_cast<TDataSkinBorder*>(ReadGeneric(r, "ComboButton", std::make_unique<TDataSkinBorder>())))
        combo->Map2 = Mirrored(combo->Map);
    ReadGeneric(r, "SunkEdge", std::make_unique<TDataSkinObject>());
    ReadGeneric(r, "ExtraImages", std::make_unique<TDataSkinObject>());
    if (auto* header = ReadGeneric(r, "Headerbar", std::make_unique<TDataSkinObject>()))
        if (header->Frame == 0) header->Frame = 5;
    for (const char* name : {"MenuItem", "MenuBackground", "Scrollbar", "HorzScroll", "VertScroll"})
        ReadGeneric(r, name, std::make_unique<TDataSkinObject>());
    for (const char* name : {"HorzScrollThumb", "VertScrollThumb"})
        if (auto* thumb = ReadGeneric(r, name, std::make_unique<TDataSkinObject>()))
            thumb->Frame = r.Int(name, "FrameCount", 3);
    for (const char* name : {"Trackbar.ThumbHorz", "Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight",
                             "Trackbar.ThumbUp", "Trackbar.ThumbDown"})
        ReadGeneric(r, name, std::make_unique<TDataSkinObject>());
    for (const char* name : {"UpDown.Horz", "UpDown.Vert"})
        if (auto* updown = static_cast<TDataSkinBorder*>(ReadGeneric(r, name, std::make_unique<TDataSkinBorder>())))
            updown->Map2 = r.Image(name, "GlyphImage");
    for (const char* name : {"Track", "TRACKVERT"}) {
        if (ReadGeneric(r, name, std::make_unique<TDataSkinObject>())) continue;
        auto track = std::make_unique<TDataSkinObject>(name);
        track->Map = std::string_view(name) == "Track" ? BuiltinTrack() : BuiltinTrackVert();
        track->LeftWidth = track->TopHeight = track->RightWidth = track->BottomHeight = 3;
        track->Frame = 1;
        Adopt(std::move(track));
    }
}

// The fields every sliced object has: style, margins, transparency, tiling
// (Tile 1 repeats, any other number stretches) and the three text colours.
void TSkinData::ReadSliceFields(Reading& r, const std::string& section, TDataSkinObject& o) {
    o.Style = r.Int(section, "Style", 0);
    o.LeftWidth = r.Int(section, "LeftWidth", 0);
    o.RightWidth = r.Int(section, "RightWidth", 0);
    o.TopHeight = r.Int(section, "TopHeight", 0);
    o.BottomHeight = r.Int(section, "BottomHeight", 0);
    o.Trans = KeyColourOf(r.Int(section, "Trans", 0));
    o.Tile = r.Int(section, "Tile", 0) == 1 ? SliceFill::Repeat : SliceFill::Stretch;
    o.NormalColour = r.Int(section, "NormalColour", -1);
    o.MouseOverColour = r.Int(section, "MouseOverColour", -1);
    o.PressedColour = r.Int(section, "PressedColour", -1);
}

TDataSkinObject* TSkinData::ReadGeneric(Reading& r, const std::string& section,
                                        std::unique_ptr<TDataSkinObject> object, const char* image_key) {
    FreeObject(section);
    if (r.ini.ReadString(section, image_key, "").empty()) return nullptr;
    TDataSkinObject& o = *object;
    o.Name = section;
    o.Map = r.Image(section, image_key);
    ReadSliceFields(r, section, o);
    o.Frame = r.Int(section, "Frame", 0);
    o.NormalColour2 = ReadColourTriple(r.ini, section, "NormalColour2", colours_.ButtonText);
    o.MouseOverColour2 = ReadColourTriple(r.ini, section, "MouseOverColour2", colours_.ButtonText);
    o.PressedColour2 = ReadColourTriple(r.ini, section, "PressedColour2", colours_.ButtonText);
    return Adopt(std::move(object));
}

void TSkinData::ReadBorders(Reading& r) {
    const char* const names[] = {"Left", "Right", "Top", "Bottom"};
    TDataSkinBorder* const sides[] = {left_.get(), right_.get(), top_.get(), bottom_.get()};
    for (int i = 0; i < 4; ++i) {
        const std::string s = names[i];
        TDataSkinBorder& b = *sides[i];
        b.Map = r.Image("Personality", s);
        const int start = r.Int("Personality", s + "TopHeight", 0);
        const int end = r.Int("Personality", s + "BotHeight", 0);
        if (i < 2) {
            b.LeftWidth = b.RightWidth = 0;
            b.TopHeight = start;
            b.BottomHeight = end;
        } else {
            b.TopHeight = b.BottomHeight = 0;
            b.LeftWidth = start;
            b.RightWidth = end;
        }
        b.Frame = r.Int("Personality", s + "Frame", 1);
        b.Tile = r.Int("Personality", s + "Stretch", 1) >= 1 ? SliceFill::Stretch : SliceFill::Repeat;
        b.Trans = KeyColourOf(r.Int("Personality", s + "Trans", 1));
    }
}

void TSkinData::ReadColours(Reading& r) {
    const auto c = [&](const char* key, Colour def) { return ReadColourTriple(r.ini, "Colours", key, def); };
    SkinColours& k = colours_;
    k.WindowText = c("WindowText", Sys(8));
    k.ButtonFace = c("ButtonFace", Sys(15));
    k.Scrollbar = c("Scrollbar", Sys(0));
    k.HilightText = c("HilightText", Sys(14));
    k.Hilight = c("Hilight", Sys(13));
    k.Menubar = c("Menubar", k.ButtonFace);
    k.Menu = c("Menu", Sys(4));
    k.MenuText = c("MenuText", Sys(7));
    k.ButtonText = c("ButtonText", Sys(18));
    k.ButtonHilight = c("ButtonHilight", Sys(20));
    k.Buttonlight = c("Buttonlight", Sys(20));
    k.ButtonShadow = c("ButtonShadow", Sys(16));
    k.ButtonDkShadow = c("ButtonDkShadow", Sys(21));
    k.MenuBarText = c("MenuBarText", Sys(7));
    k.TitleTextActive = c("TitleTextActive", Sys(9));
    k.TitleTextNoActive = c("TitleTextNoActive", Sys(19));
    palette_ = ReadPalette(r.ini, Sys(8));
    for (int i = 0; i < 10; ++i)
        custom_colours_[static_cast<std::size_t>(i)] =
            ReadColourTriple(r.ini, "Customcolors", "Color" + std::to_string(i), kWhite);
}

namespace {

CaptionAction CaptionActionOf(int action) {
    switch (action) {
        case -1: return CaptionAction::Decoration;
        case 0: return CaptionAction::Close;
        case 1: case 22: return CaptionAction::Maximise;
        case 2: case 23: return CaptionAction::Minimise;
        case 3: case 11: return CaptionAction::SystemMenuIcon;
        case 12: return CaptionAction::SystemMenu;
        default: break;
    }
    if (action >= 13) return CaptionAction::Program;
    return action < 0 ? CaptionAction::Decoration : CaptionAction::Inert;
}

CaptionAlign CaptionAlignOf(int align) {
    switch (align) {
        case 0: return CaptionAlign::FromLeft;
        case 1: return CaptionAlign::FromRight;
        case 2: case 8: return CaptionAlign::CaptionRight;
        case 3: case 9: return CaptionAlign::CaptionLeft;
        default: return CaptionAlign::Unplaced;
    }
}

// Visibility (`first`) and Visibility1 differ for -1, 6, 8 and 1000 to 2000.
CaptionShow CaptionShowOf(int value, bool first) {
    switch (value) {
        case -1: return first ? CaptionShow::Always : CaptionShow::Never;
        case 0: return CaptionShow::Always;
        case 1: return CaptionShow::Maximised;
        case 2: return CaptionShow::NotMaximised;
        case 3: return CaptionShow::Active;
        case 4: return CaptionShow::Inactive;
        case 6: return first ? CaptionShow::MaximiseBoxAndClose : CaptionShow::MaximiseBox;
        case 7: return CaptionShow::NoMaximiseBox;
        case 8: return first ? CaptionShow::MinimiseBoxAndClose : CaptionShow::MinimiseBox;
        case 9: return CaptionShow::NoMinimiseBox;
        case 100: return CaptionShow::ChildWindowButton;
        case 200: return CaptionShow::DialogFrame;
        default: break;
    }
    if (value >= 201 && value <= 999) return CaptionShow::Always;
    if (value >= 1000 && value <= 2000) return first ? CaptionShow::WindowAgrees : CaptionShow::Always;
    return CaptionShow::Never;
}

}  // namespace

void TSkinData::ReadCaptionButtons(Reading& r) {
    caption_buttons_.clear();
    for (const std::string& section : r.sections) {
        const std::string upper = UpperCase(section);
        if (!StartsWith(upper, "BUTTON") || upper == "BUTTONS" || upper == "BUTTON" || upper == "BUTTON.RADIO" ||
            upper == "BUTTON.CHECKBOX")
            continue;
        const int action = r.Int(section, "Action", 0);
        if (action == -1 && r.Int(section, "Visibility", -1) != 0) continue;
        auto b = std::make_unique<TDataSkinSysButton>(section);
        b->Action = CaptionActionOf(action);
        if (b->Action == CaptionAction::Program) b->ProgramAction = action;
        b->Align = CaptionAlignOf(r.Int(section, "Align", 0));
        b->Xcoord = r.Int(section, "Xcoord", 0);
        b->Ycoord = r.Int(section, "Ycoord", 0);
        b->Visibility = CaptionShowOf(r.Int(section, "Visibility", 0), true);
        b->Visibility1 = CaptionShowOf(r.Int(section, "Visibility1", action == -1 ? -1 : 0), false);
        b->CombineOp = r.Int(section, "CombineOp", -1);
        b->Frame = r.Int(section, "frame", 0);
        b->Map = r.Image(section, "ButtonImage");
        if (b->Frame == 0) {
            // Without a count, wide strips hold six states, narrow ones three.
            if (b->Map.Empty() || action < 0 || b->Map.Width() > 3.8 * b->Map.Height())
                b->Frame = 6;
            else
                b->Frame = 3;
            if (b->Action == CaptionAction::SystemMenuIcon) b->Map = Bitmap();
        }
        caption_buttons_.push_back(std::move(b));
    }
    // The child-window buttons, cut from one strip of twelve cells.
    const Bitmap strip = r.Image("MDICONTROLS", "Image");
    const int w = strip.Width() / 12;
    for (int k = 0; k < 3; ++k) {
        auto b = std::make_unique<TDataSkinSysButton>("MDICONTROLS");
        b->Action = CaptionAction::Inert;
        b->Align = CaptionAlign::Unplaced;
        b->Visibility = b->Visibility1 = CaptionShow::ChildWindowButton;
        b->Frame = 4;
        if (!strip.Empty()) {
            b->Map = CopyRect(strip, Rect{4 * w * k, 0, 4 * w * (k + 1), strip.Height()});
            b->Xcoord = (3 - k) * (w + 4);
        }
        caption_buttons_.push_back(std::move(b));
    }
}

void TSkinData::ReadPushButtons(Reading& r) {
    TDataSkinButton& b = *buttons_;
    const char* s = "Buttons";
    b.Map = r.Image(s, "Bitmap");
    b.CheckMap = r.Image(s, "CheckButton");
    b.RadioMap = r.Image(s, "RadioButton");
    ReadSliceFields(r, s, b);
    // Check and radio images of 13- or 16-pixel cells, at least four.
    const auto cells = [](const Bitmap& image, int given) {
        if (given != 0) return given;
        return std::max(image.Width() / (image.Height() < 16 ? 13 : 16), 4);
    };
    b.RadioFrame = cells(b.RadioMap, r.Int(s, "RadioButtonFrame", 0));
    b.CheckFrame = cells(b.CheckMap, r.Int(s, "CheckButtonFrame", 0));
    const auto triple = [&](const char* key, Colour& colour, bool& given) {
        given = !r.ini.ReadString(s, key, "").empty();
        colour = ReadColourTriple(r.ini, s, key, colours_.ButtonText);
    };
    triple("NormalColour2", b.NormalColour2, b.HasNormalColour2);
    triple("MouseOverColour2", b.MouseOverColour2, b.HasMouseOverColour2);
    triple("PressedColour2", b.PressedColour2, b.HasPressedColour2);
}

void TSkinData::ReadCaptionText(Reading& r) {
    TDataSkinTitle& t = *title_;
    const char* s = "Personality";
    t.Map = r.Image(s, "TextBack");
    t.LeftWidth = r.Int(s, "TextShift", 0);
    t.TopHeight = r.Int(s, "TextShiftVert", 0);
    t.RightWidth = r.Int(s, "TextRightClip", 0);
    t.BottomHeight = 0;
    const int alignment = r.Int(s, "TextAlignment", 0);
    t.TextAlignment = alignment == 1 ? TextAlign::Right : alignment == 2 ? TextAlign::Centre : TextAlign::Left;
    t.Textbackground = r.Int(s, "Textbackground", 0);
    t.TXTBackleft = r.Int(s, "TXTBackleft", 0);
    t.TXTBackRight = r.Int(s, "TXTBackRight", 0);
    t.FontHeight = r.Int("Fonts", "FontHeight", 14);
    const auto colour = [&](const char* prefix) {
        const std::string p = prefix;
        const int red = r.Int(s, p + "R", -1), green = r.Int(s, p + "G", -1), blue = r.Int(s, p + "B", -1);
        if (red < 0 || green < 0 || blue < 0) return clNone;
        return static_cast<Colour>(std::min(red, 255) | std::min(green, 255) << 8 | std::min(blue, 255) << 16);
    };
    t.ActiveTextColour = colour("ActiveText");
    t.InactiveTextColour = colour("InActiveText");
}

void TSkinData::ReadMenuBar(Reading& r) {
    menu_bar_.reset();
    const char* s = "Personality";
    if (r.ini.ReadString(s, "menuBar", "").empty()) return;
    auto m = std::make_unique<TDataSkinObject>("Personality");
    m->Map = r.Image(s, "menuBar");
    // TileMenu 1 and up: one stretched image of stacked states; below,
    // states side by side whose middle repeats.
    m->Tile = r.Int(s, "TileMenu", 1) >= 1 ? SliceFill::Stretch : SliceFill::Repeat;
    m->LeftWidth = r.Int(s, "TileLeftMenu", 1);
    m->RightWidth = r.Int(s, "TileRightMenu", 1);
    m->TopHeight = m->BottomHeight = 0;
    m->Frame = 2;
    menu_bar_ = std::move(m);
}

void TSkinData::ApplyFixedFrameCounts() {
    static const struct {
        const char* name;
        int frames;
    } fixed[] = {{"GroupBoxEdge", 2},       {"GroupBox", 1},          {"Tabs", 5},
                 {"StatusBarEdges", 3},     {"Tab.Pane", 1},          {"ToolBars", 5},
                 {"ComboButton", 4},        {"SunkEdge", 4},          {"ExtraImages", 5},
                 {"MenuItem", 5},           {"MenuBackground", 1},    {"Scrollbar", 23},
                 {"HorzScroll", 4},         {"VertScroll", 4},        {"Trackbar.ThumbHorz", 5},
                 {"Trackbar.ThumbVert", 5}, {"Trackbar.ThumbLeft", 5}, {"Trackbar.ThumbRight", 5},
                 {"Trackbar.ThumbUp", 5},   {"Trackbar.ThumbDown", 5}, {"UpDown.Horz", 8},
                 {"UpDown.Vert", 8}};
    for (const auto& f : fixed)
        if (TDataSkinObject* o = FindObject(f.name)) o->Frame = f.frames;
    buttons_->Frame = 5;
    title_->Frame = 2;
}

// --- Derived images ---

void TSkinData::BuildComboComposite() {
    auto* sunk = FindObject("SunkEdge");
    auto* combo = Find<TDataSkinBorder>("ComboButton");
    if (!sunk || !combo) return;
    TDataSkinObject* extra = FindObject("ExtraImages");
    const int a = Environment.h_scroll_arrow_width + 2;
    const int n = sunk->FrameCount();
    constexpr int kCellWidth = 50, kCellHeight = 21;
    Bitmap strip(kCellWidth * n, kCellHeight);
    const Rect button{kCellWidth - a, 0, kCellWidth, kCellHeight};
    for (int f = 1; f <= n; ++f) {
        Bitmap cell(kCellWidth, kCellHeight, kKeyPixel);
        DrawNineSlice(cell, cell.Bounds(), sunk->Map, false, false, sunk->Keyed(), sunk->FrameCount(), f,
                      sunk->GetMargins());
        DrawNineSlice(cell, button, combo->Map, false, false, true, combo->FrameCount(), f, combo->GetMargins());
        if (extra)
            DrawNineSlice(cell, button, extra->Map, false, false, true, extra->FrameCount(), f, extra->GetMargins());
        cell.FillRect(Rect{2, 2, 49 - a, 18}, kKeyPixel);
        Blit(strip, kCellWidth * (f - 1), 0, cell, cell.Bounds());
    }
    combo->Map = strip;
    combo->Style = 2;
    combo->TopHeight = sunk->TopHeight;
    combo->BottomHeight = sunk->BottomHeight;
    combo->LeftWidth = 2;
    combo->RightWidth = a + 2;
    sunk->Map = Mirrored(strip);
    sunk->LeftWidth = a + 2;
    sunk->RightWidth = 2;
}

void TSkinData::BuildComboxArrow() {
    FreeObject("ComboxArrow");
    auto* combo = FindObject("ComboButton");
    auto* sunk = FindObject("SunkEdge");
    if (!combo) return;
    auto arrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    if (sunk && combo->Style == 2) {
        const int n = sunk->FrameCount();
        const int w = combo->Map.Width() / n;
        arrow->Map = Bitmap(17 * n, 17);
        for (int k = 1; k <= n; ++k)
            Blit(arrow->Map, 17 * (k - 1), 0, combo->Map, Rect{k * w - 19, 2, k * w - 2, 19});
        arrow->Frame = n;
    } else {
        arrow->Map = combo->Map;
        ReplaceMagenta(arrow->Map, ButtonFaceColour());
        arrow->Frame = combo->Frame;
    }
    Adopt(std::move(arrow));
}

void TSkinData::BuildToolbar() {
    FreeObject("Toolbar");
    const Colour s = ResolveColour(caption_sample_);
    const Colour c1 = Blend(ButtonFaceColour(), kWhite, 150);
    Colour c2 = Blend(0x808080, s, 150);
    const int m = SaturationMeasure(s);
    if (m > 110) c2 = Blend(s, kWhite, ((225 - m) * 25) / 140 + 50);
    auto toolbar = std::make_unique<TDataSkinObject>("Toolbar");
    toolbar->Map = Bitmap(10, 40);
    FillGradient(toolbar->Map, toolbar->Map.Bounds(), c1, c2, true, gradient_cache_, Resolver());
    toolbar->Frame = 1;
    Adopt(std::move(toolbar));
}

void TSkinData::ComputeCaptionSample() {
    const Bitmap& top = top_->Map;
    if (top.Empty()) {
        caption_sample_ = ButtonFaceColour();
        return;
    }
    const int x = top.Width() / 3;
    const int y = (top.Height() / top_->FrameCount()) / 3;
    caption_sample_ = ColourFromPixel(top.At(x, y));
}

}  // namespace vc
