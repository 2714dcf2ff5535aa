#pragma once
// The skinned frame of a window, with no platform in sight: where the four
// sides, the title bar, the menu band and the caption buttons of a window of
// a given size and state go, which of their pixels the window's region
// keeps, and the pixels themselves. The skinned frame on Windows and the
// skin preview both draw through it, so a test of this file is a test of
// what the reader sees.
#include <string>
#include <vector>

#include "common/bitmap.h"
#include "common/geometry.h"
#include "common/scale.h"
#include "skin/look/caption_visibility.h"
#include "skin/look/skin_data.h"

namespace vc {

// The frame's thickness: one state image of each side, scaled to the
// screen. A side whose image does not divide by its frame count loses the
// remainder.
struct FrameSizes {
    int left = 0, top = 0, right = 0, bottom = 0;
};
FrameSizes SkinFrameSizes(const TSkinData& data, const Scale& scale = Scale());

// The left and right edges of the caption text, in window coordinates;
// buttons aligned 2, 3, 8 and 9 sit against them.
struct CaptionArea {
    int left = 0;
    int right = 0;
};

// The bounds of a caption button in a window `window_width` wide, by its
// Align; an empty rectangle for a button that is not drawn in the title
// (no image, or a child-window button of the menu band). The skin's
// coordinates and images are 96-DPI ones, the result the screen's.
Rect CaptionButtonBounds(const TDataSkinSysButton& button, int window_width, CaptionArea area = {},
                         const Scale& scale = Scale());

// What the frame needs to know of its window.
struct FrameWindow {
    int width = 0;
    int height = 0;
    int menu_bar_height = 0;  // 0 without a menu band
    bool minimised = false;
    CaptionWindowState caption;  // active, maximised, buttons allowed, border
    // The screen's: the skin's images and lengths are 96-DPI ones, the
    // window's size and everything the layout gives are the screen's.
    Scale scale;
};

// A caption button placed in the title bar.
struct PlacedCaptionButton {
    const TDataSkinSysButton* data = nullptr;
    Rect bounds;
    bool visible = false;
    Scale scale;  // the frame's, which the images are drawn at
    bool IsSystemMenu() const { return data->Action == 3 || data->Action == 11; }
};

// Where everything of one frame goes, in window coordinates.
class FrameLayout {
public:
    FrameLayout(const TSkinData& data, const FrameWindow& window);

    const FrameWindow& Window() const { return window_; }
    const FrameSizes& Sizes() const { return sizes_; }
    // The side rectangles as they are painted: left and right over the whole
    // height, bottom and title between them.
    Rect LeftSide() const { return Rect{0, 0, sizes_.left, window_.height}; }
    Rect RightSide() const { return Rect{window_.width - sizes_.right, 0, window_.width, window_.height}; }
    Rect BottomSide() const {
        return Rect{sizes_.left, window_.height - sizes_.bottom, window_.width - sizes_.right, window_.height};
    }
    Rect TopSide() const { return Rect{sizes_.left, 0, window_.width - sizes_.right, sizes_.top}; }
    Rect MenuBand() const {
        return Rect{sizes_.left, sizes_.top, window_.width - sizes_.right, sizes_.top + window_.menu_bar_height};
    }
    // The client area a window of this size keeps inside the frame.
    Rect Client() const {
        return Rect{sizes_.left, sizes_.top + window_.menu_bar_height, window_.width - sizes_.right,
                    window_.height - sizes_.bottom};
    }

    // Every caption button of the skin, in skin order; only the visible ones
    // with an image have bounds.
    const std::vector<PlacedCaptionButton>& Buttons() const& { return buttons_; }
    // Not of a temporary layout: the loop would outlive it.
    const std::vector<PlacedCaptionButton>& Buttons() && = delete;
    // The first visible button containing the window point, or -1.
    int ButtonAt(Point p) const;
    // The largest left edge among the buttons aligned to the right edge (the
    // window's width when there is none).
    int RightButtonsLeft() const { return right_buttons_left_; }
    // Where the caption text may go: between the buttons on either side,
    // inside the title's text shifts.
    Rect CaptionTextArea() const { return text_area_; }

private:
    void PlaceButtons(const TSkinData& data);

    FrameWindow window_;
    FrameSizes sizes_;
    std::vector<PlacedCaptionButton> buttons_;
    int right_buttons_left_ = 0;
    Rect text_area_;
};

// The size a window must have for its client area to keep `client_width` x
// `client_height` inside the skinned frame (the menu band counted).
struct Size {
    int width = 0;
    int height = 0;
};
Size OuterSizeForClient(const FrameSizes& frame, int menu_bar_height, int client_width, int client_height);

// How the caption text is drawn; the platform measures and draws the text.
struct CaptionTextStyle {
    enum class Align { Left, Right, Centre };
    Rect area;  // clip rectangle, window coordinates
    Align align = Align::Left;
    Colour colour = 0;  // resolved
    int font_height = 14;  // pixels
};
CaptionTextStyle CaptionText(const TSkinData& data, const FrameLayout& layout);

// The pixels of the frame: the title bar across the whole width (the sides'
// top parts, the title image and the caption buttons, one picture so that it
// is copied to the screen at once), and the sides below it. A minimised
// window's title is the whole window on the face colour. `form_icon`, when
// not empty, stands in for the system-menu button's image.
struct FramePicture {
    Bitmap title;   // at (0, 0)
    Bitmap left;    // at (0, title height): the left side below the title
    Bitmap right;   // at (width - right, title height)
    Bitmap bottom;  // at (left, height - bottom)
};
// What changes from one paint of the same layout to the next.
struct FramePaintState {
    int hot = -1;      // index of the button under the mouse, or -1
    int pressed = -1;  // index of the button held down, or -1
    // Stands in for the system-menu button's image when not empty.
    const Bitmap* form_icon = nullptr;
    // The platform draws the window's own icon there: leave the place empty.
    bool system_menu_drawn_by_platform = false;
};
FramePicture PaintFrame(const TSkinData& data, const FrameLayout& layout, const FramePaintState& state = {});

// The image of one caption button in a state: 1 normal, 2 pressed, 3 hot;
// inactive windows show image 4 of a four-image button when it is normal.
int CaptionButtonImage(const PlacedCaptionButton& button, bool active, int state);
void PaintCaptionButton(Bitmap& dest, const PlacedCaptionButton& button, int image, int dx = 0, int dy = 0);

// The shape of the window: `whole` when no side is transparent (no region at
// all), else the rectangles the region joins, in window coordinates.
struct FrameRegion {
    bool whole = true;
    std::vector<Rect> rects;
};
FrameRegion BuildFrameRegion(const TSkinData& data, const FrameLayout& layout);

// The menu band's background: the skin's menu-bar image (three-slice, or
// nine-slice when it is not tiled), or its Menubar colour.
void PaintMenuBand(Bitmap& dest, const Rect& band, const TSkinData& data, bool active);

// Menu-bar items placed along the band from the left (or from the right for
// a right-to-left window), each as wide as its caption plus 10 pixels.
std::vector<Rect> LayoutMenuBandItems(const TSkinData& data, const Rect& band, const std::vector<int>& text_widths,
                                      bool right_to_left);

}  // namespace vc
