#pragma once
// TGradientCaption: paints a window's title bar itself: a colour gradient
// (or the solid caption colour), the window icon and the caption text. It
// subclasses the window while it paints, so that it sees the non-client
// messages before and after the window's own handling, and leaves the rest of
// the frame to the normal painting.
#include <windows.h>

#include <string>
#include <vector>

#include "common/caption_font.h"
#include "common/values.h"
#include "effects/caption_geometry.h"
#include "ui/subclass_win.h"

namespace vc::effects {

// A text piece of the caption, drawn after the icon.
struct TCaptionPiece {
    std::string Caption;
    CaptionFont Font;  // used when ParentFont is false
    bool ParentFont = true;
    Colour InactiveColor = clInactiveCaptionText;
    bool GlueNext = false;
    bool Visible = true;
};

// What the last paint drew, in window coordinates.
struct CaptionPaintRecord {
    bool painted = false;
    RECT caption{};
    bool gradient = false;
    COLORREF startColour = 0;
    COLORREF endColour = 0;
    bool icon = false;
    std::vector<std::string> texts;
};

class TGradientCaption {
public:
    TGradientCaption() = default;
    explicit TGradientCaption(HWND form) { Attach(form); }
    ~TGradientCaption();
    // Windows holds a pointer to this object while it is hooked.
    TGradientCaption(const TGradientCaption&) = delete;
    TGradientCaption& operator=(const TGradientCaption&) = delete;

    // The owner form. It must be a top-level window; it is hooked while the
    // caption is active, and forgotten when it is destroyed.
    void Attach(HWND form);
    HWND Form() const noexcept { return form_; }

    bool Active() const noexcept { return active_; }
    void SetActive(bool active);
    const std::vector<TCaptionPiece>& Captions() const noexcept { return captions_; }
    void SetCaptions(std::vector<TCaptionPiece> captions);
    // A new piece for the list: the caption's font, caption-text colour.
    TCaptionPiece NewPiece() const;
    bool DefaultFont() const noexcept { return defaultFont_; }
    void SetDefaultFont(bool useSystemFont);
    const std::string& FormCaption() const noexcept { return formCaption_; }
    void SetFormCaption(std::string caption);
    Colour FontInactiveColor() const noexcept { return fontInactiveColor_; }
    void SetFontInactiveColor(Colour colour);
    // The system caption font while DefaultFont holds.
    CaptionFont Font() const;
    void SetFont(const CaptionFont& font);
    bool GradientActive() const noexcept { return gradientActive_; }
    void SetGradientActive(bool on);
    bool GradientInactive() const noexcept { return gradientInactive_; }
    void SetGradientInactive(bool on);
    int GradientSteps() const noexcept { return gradientSteps_; }
    void SetGradientSteps(int steps);
    THideDirection HideDirection() const noexcept { return hideDirection_; }
    void SetHideDirection(THideDirection direction);
    Colour StartColor() const noexcept { return startColor_; }
    void SetStartColor(Colour colour);

    // Repaints the title bar when the form is visible: the frame receives
    // WM_NCPAINT for its whole area, and the caption follows.
    void Repaint();

    // Painting is on: Active, a system of version 4 or later, and a form.
    bool Painting() const noexcept;
    // A skinned window's title bar is the skin's: the gradient waits, and
    // comes back when the skin stops.
    bool Skinned() const noexcept;
    // The form's activation as the last WM_NCACTIVATE (or Repaint) told it.
    bool WindowActive() const noexcept { return windowActive_; }
    const CaptionPaintRecord& LastPaint() const noexcept { return lastPaint_; }

private:
    class Subclass final : public ui::TWindowSubclass {
    public:
        explicit Subclass(TGradientCaption& caption) noexcept;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
        LRESULT OnNcPaint(HRGN update) override;
        LRESULT OnNcActivate(bool active, HRGN update) override;
        void OnDetached() noexcept override;

    private:
        void PaintGuarded() noexcept;

        TGradientCaption& caption_;
    };

    void UpdateHook();
    void Unhook() noexcept;
    void PaintInto(HDC windowDc);
    void PaintNow();
    void Changed(bool changed);

    HWND form_ = nullptr;

    bool active_ = true;
    std::vector<TCaptionPiece> captions_;
    bool defaultFont_ = true;
    std::string formCaption_;
    Colour fontInactiveColor_ = clInactiveCaptionText;
    CaptionFont font_;  // meaningful when defaultFont_ is false
    bool gradientActive_ = true;
    bool gradientInactive_ = false;
    int gradientSteps_ = 64;
    THideDirection hideDirection_ = THideDirection::hdLeftToRight;
    Colour startColor_ = clWindowText;

    bool windowActive_ = false;
    CaptionPaintRecord lastPaint_;
    // Last: it goes first, while everything it calls on is still there.
    Subclass subclass_{*this};
};

}  // namespace vc::effects
