#pragma once
// The arithmetic of the gradient title bar, free of the platform: the colour
// bands of the gradient, where the caption lies for each kind of frame, and
// how the caption pieces share the room left for text.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/frame_style.h"
#include "common/geometry.h"
#include "common/values.h"

namespace vc::effects {

// System colours the caption uses (0xFF000000 plus the system colour index).
constexpr Colour clActiveCaption = kSystemColourFlag | 2;
constexpr Colour clInactiveCaption = kSystemColourFlag | 3;
constexpr Colour clWindowText = kSystemColourFlag | 8;
constexpr Colour clCaptionText = kSystemColourFlag | 9;
constexpr Colour clInactiveCaptionText = kSystemColourFlag | 19;
constexpr Colour clGradientActiveCaption = kSystemColourFlag | 27;
constexpr Colour clGradientInactiveCaption = kSystemColourFlag | 28;

// a * b / c rounded half away from zero, as the platform's MulDiv; -1 when c
// is zero or the result does not fit.
int MulDiv(int a, int b, int c) noexcept;

// One band of a gradient: [left, right) filled with an 0x00BBGGRR colour.
struct ColourBand {
    int left = 0;
    int right = 0;
    Colour colour = 0;
};

// The bands that fill `width` pixels from `start` to `end` (both already
// resolved to 0x00BBGGRR), left to right. Count: max(2, min(steps, width));
// the last band runs to the right edge. Fewer than 2 steps or equal colours
// give one band of the start colour; a width below 1 gives none.
std::vector<ColourBand> GradientBands(Colour start, Colour end, int steps, int width);

// The system metrics the caption rectangle depends on.
struct CaptionMetrics {
    int frameX = 4;        // SM_CXFRAME
    int frameY = 4;        // SM_CYFRAME
    int dialogFrameX = 3;  // SM_CXDLGFRAME
    int dialogFrameY = 3;  // SM_CYDLGFRAME
    int captionHeight = 19;       // SM_CYCAPTION
    int smallCaptionHeight = 15;  // SM_CYSMCAPTION
    int buttonWidth = 18;         // SM_CXSIZE
    int smallButtonWidth = 12;    // SM_CXSMSIZE
};

// The title-bar buttons a frame really shows for the boxes asked for: a
// dialog frame keeps close and help, tool windows close alone; other frames
// lose minimise and maximise without a close box, and help beside either.
FrameStyle EffectiveButtons(const FrameStyle& frame) noexcept;
// The buttons at the right end of the caption: one per effective button, and
// one more when only one of minimise and maximise is there (the other is
// drawn disabled beside it).
int CaptionButtonCount(const FrameStyle& frame) noexcept;
// Whether the window icon is drawn at the left end.
bool CaptionShowsIcon(const FrameStyle& frame) noexcept;

// The title bar in window coordinates for a window of the given size: inside
// the frame and short of the buttons at the right. Right and bottom lie just
// past it; the title bar is one row less than SM_CYCAPTION, whose last row
// is the frame's line under the caption.
Rect CaptionRect(int windowWidth, int windowHeight, const FrameStyle& frame, const CaptionMetrics& metrics) noexcept;

enum class THideDirection { hdLeftToRight, hdRightToLeft };

// Width of a text in pixels in the font it will be drawn with.
using MeasureText = std::function<int(std::string_view)>;

// The text itself when it fits the width; otherwise its longest beginning
// (trailing spaces dropped) followed by "..." that fits; when not even "..."
// fits, as much of "..." as does.
std::string FitWithEllipsis(std::string_view text, int width, const MeasureText& measure);

struct CaptionPieceInput {
    std::string text;
    bool visible = true;
    // The next visible piece is hidden or shown together with this one.
    bool glueNext = false;
    const MeasureText* measure = nullptr;  // the piece's own font; null: the caption's
};

struct PlacedPiece {
    std::size_t index = 0;  // into the input list
    std::string text;       // as drawn, perhaps ending in "..."
    int left = 0;
    int right = 0;
};

// Lays the visible pieces out in `width` pixels. While they do not all fit,
// whole glued groups give way from the end HideDirection names
// (hdLeftToRight: the leftmost first), down to the last group; then each
// piece in order is fitted to what remains. Right-to-left captions fill the
// room from its right end.
std::vector<PlacedPiece> LayoutCaptionPieces(const std::vector<CaptionPieceInput>& pieces, int width,
                                             THideDirection direction, bool rightToLeft,
                                             const MeasureText& measure);

}  // namespace vc::effects
