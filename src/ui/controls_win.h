#pragma once
// The common controls of the presentation window: tool bar, status bar and
// progress bar. Each owns its window; the parent form places them.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/handles_win.h"
#include "ui/subclass_win.h"

namespace vc::ui {

// A child control window. Code holding only the handle finds the object
// through FromHandle; a form's handle gives null, as a control's gives null to
// TForm::FromHandle.
class TControl {
public:
    TControl() = default;
    virtual ~TControl() = default;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    static TControl* FromHandle(HWND window) noexcept;
    HWND Handle() const noexcept { return window_.Get(); }
    // The wanted visibility: true also while the parent form is still hidden.
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);
    int Height() const;

    // A number of the program's own; 99 keeps the control out of the skin.
    int Tag = 0;

protected:
    void Adopt(HWND window);

private:
    UniqueWindow window_;
    bool visible_ = true;
};

// Image lists own their handle too.
struct ImageListTraits {
    using Handle = HIMAGELIST;
    static void Close(HIMAGELIST h) noexcept { ::ImageList_Destroy(h); }
};
using UniqueImageList = UniqueHandle<ImageListTraits>;

class TToolBar : public TControl {
public:
    struct Button {
        int id = 0;          // the WM_COMMAND id of a click
        int image = -1;      // index into the image list; -1 for a separator
        std::string hint;
    };
    struct CreateArgs {
        HWND parent = nullptr;
        int height = 36;
        int buttonWidth = 36;
        int buttonHeight = 30;
        int separatorWidth = 8;
        HIMAGELIST images = nullptr;          // owned by the tool bar from now on
        HIMAGELIST disabledImages = nullptr;  // owned by the tool bar from now on
    };

    void Create(const CreateArgs& args, const std::vector<Button>& buttons);
    // New images and sizes for a screen of another scale (the parent is not
    // used); the buttons keep their state.
    void SetMetrics(const CreateArgs& args);

    bool ButtonVisible(int id) const;
    void SetButtonVisible(int id, bool visible);
    bool ButtonEnabled(int id) const;
    void SetButtonEnabled(int id, bool enabled);
    const std::string& Hint(int id) const;
    void SetHint(int id, std::string hint);

    // The tool tip text asked for through WM_NOTIFY; true when it was ours.
    bool AnswerToolTip(NMHDR* header);

private:
    // The hand cursor over buttons and the bottom edge line.
    class Subclass final : public TWindowSubclass {
    public:
        Subclass() noexcept;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    };

    Button* Find(int id);
    const Button* Find(int id) const;

    std::vector<Button> buttons_;
    UniqueImageList images_;
    UniqueImageList disabledImages_;
    int height_ = 36;
    Subclass subclass_;
};

class TStatusBar : public TControl {
public:
    struct CreateArgs {
        HWND parent = nullptr;
        std::vector<int> panelWidths;  // the last panel reaches the right edge
        int leftMargin = 1;
        const char* fontName = "Arial";
        int fontHeight = 12;
    };

    void Create(const CreateArgs& args);
    // New panel widths and font for a screen of another scale (the parent is
    // not used); the texts stay.
    void SetMetrics(const CreateArgs& args);
    std::string PanelText(int panel) const;
    void SetPanelText(int panel, const std::string& text);
    // Keeps the panel edges after the parent changed size.
    void Resize();

private:
    std::vector<int> panelWidths_;
    UniqueFont font_;
};

class TProgressBar : public TControl {
public:
    struct CreateArgs {
        HWND parent = nullptr;
        RECT bounds{0, 2, 151, 18};
        int minimum = 0;
        int maximum = 100;
    };

    void Create(const CreateArgs& args);
    // The bar limits the value to its range.
    void SetPosition(int position);
    int Position() const;
};

}  // namespace vc::ui
