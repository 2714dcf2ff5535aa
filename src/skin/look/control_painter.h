#pragma once
// The skinned look of the common controls, with no platform in sight: which
// state image a control in a given state wears, where the parts of a scroll
// bar or a progress bar go, and the pixels of each part drawn onto a bitmap.
// The control skinners on Windows and the skin preview both draw through
// these functions, so a test of this file is a test of what the reader sees.
//
// The painters draw over what the bitmap holds: the caller lays the
// background first (the skin's face colour for a control on a dialog).
// Nothing is drawn for a part whose skin object has no image; the control
// then keeps that part of its own look.
#include "common/bitmap.h"
#include "common/geometry.h"
#include "skin/look/skin_data.h"

namespace vc {

// What a control shows of its interaction.
struct ControlState {
    bool enabled = true;
    bool hot = false;      // the mouse is over it
    bool pressed = false;  // a mouse button or the space bar holds it down
    bool focused = false;
};

// --- Push buttons (Buttons: 1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused) ---

// 1 normal; 5 when focused; then 2 when pressed, else 4 when hot; 3 when
// disabled, whatever else holds.
int PushButtonImage(const ControlState& state);
// The Buttons image at the rectangle's size; false when the skin has none.
bool PaintPushButton(Bitmap& dest, const TSkinData& data, const Rect& r, int image);
// The caption colour of a button in that image (resolved): the skin's
// colours for normal, hot and pressed where it gives them, the shadow colour
// when disabled, the button text colour otherwise.
Colour PushButtonTextColour(const TSkinData& data, int image);

// --- Check boxes and radio buttons ---

enum class CheckMark { Unchecked, Checked, Indeterminate };
// A twelve-image strip holds unchecked, checked and indeterminate, each
// normal, hot, pressed and disabled (1, 5, 9 and the three after each).
// Shorter strips: 1 unchecked, 2 checked, two more when disabled, and 4 for
// indeterminate. The result never exceeds `frames`.
int CheckBoxImage(CheckMark mark, const ControlState& state, int frames);
// The box (or round button) at its own size, centred vertically at the
// left of `r`; returns where the caption goes (right of the box, 4 pixels
// apart), or an empty rectangle when the skin has no such strip.
Rect PaintCheckBox(Bitmap& dest, const TSkinData& data, const Rect& r, bool radio, int image);

// --- Group boxes ---

// The frame (GroupBoxEdge: 1 enabled, 2 disabled) from half the caption's
// height down, and the caption's background (GroupBox, or the face colour)
// at `caption`. Without a GroupBoxEdge image a one-pixel frame in the
// shadow colour with its corners cut.
void PaintGroupBox(Bitmap& dest, const TSkinData& data, const Rect& box, const Rect& caption, bool enabled);

// --- Edits ---

// A border `thickness` pixels wide inside `r`: its outer pixel in the shadow
// colour, the rest white. The inside is left as it was.
void PaintEditBorder(Bitmap& dest, const TSkinData& data, const Rect& r, int thickness);

// --- Combo boxes (ComboButton: 1 normal, 2 hot, 3 pressed, 4 disabled) ---

int ComboBoxImage(const ControlState& state);
// The field's frame with the drop-down button at the right, over `r`.
bool PaintComboBox(Bitmap& dest, const TSkinData& data, const Rect& r, int image);

// --- Progress bars (Progress frame, Progress.Chunk bar) ---

// The filled part of `inner` for a position in [minimum, maximum]: from the
// left, or from the bottom when vertical. Positions outside the range are
// held to it; an empty range fills nothing.
Rect ProgressFill(const Rect& inner, int minimum, int maximum, int position, bool vertical);
// The frame over `r` and the bar over its filled part (two pixels inside
// the frame); a skin without a chunk image uses the frame's second image.
bool PaintProgress(Bitmap& dest, const TSkinData& data, const Rect& r, int minimum, int maximum, int position,
                   bool vertical);

// --- Status bars (StatusBarEdges: 1 a panel, 2 the last panel, 3 simple text) ---

bool PaintStatusPanel(Bitmap& dest, const TSkinData& data, const Rect& panel, int image);
// The size grip (ExtraImages image 5) in the bottom right corner of `bar`.
// Returns its rectangle, empty when the skin has none.
Rect PaintSizeGrip(Bitmap& dest, const TSkinData& data, const Rect& bar);
// The panels' text colour (resolved).
Colour StatusTextColour(const TSkinData& data);

// --- Tool bars (ToolBars: 1 normal, 2 hot, 3 pressed, 4 disabled, 5 checked) ---

int ToolButtonImage(const ControlState& state, bool checked);
// The bar's background: the face colour with xoToolbarBK, else the derived
// Toolbar image stretched over it.
void PaintToolBarBackground(Bitmap& dest, const TSkinData& data, const Rect& bar);
bool PaintToolButton(Bitmap& dest, const TSkinData& data, const Rect& r, int image);

// --- List headers (Headerbar: 1 normal, 2 hot, 3 pressed, 4 sorted, 5 disabled) ---

int HeaderItemImage(const ControlState& state, bool sorted);
bool PaintHeaderItem(Bitmap& dest, const TSkinData& data, const Rect& r, int image);

// --- Tab controls (Tabs: 1 normal, 2 hot, 3 selected, 4 disabled, 5 selected with focus) ---

int TabImage(const ControlState& state, bool selected);
bool PaintTab(Bitmap& dest, const TSkinData& data, const Rect& r, int image);
// The page frame below the tabs.
bool PaintTabPane(Bitmap& dest, const TSkinData& data, const Rect& pane);
// The tabs' text colour (resolved).
Colour TabTextColour(const TSkinData& data);

// --- Up-down buttons (UpDown.Vert / UpDown.Horz: 1-4 the first button normal,
//     hot, pressed, disabled; 5-8 the second) ---

int UpDownImage(bool second, const ControlState& state);
// One button with its glyph (the object's second image) centred on it.
bool PaintUpDownButton(Bitmap& dest, const TSkinData& data, const Rect& r, bool horizontal, int image);

// --- Track bars ---

// Trackbar.ThumbHorz / ThumbVert: 1 normal, 2 hot, 3 pressed, 4 disabled, 5 focused.
int TrackThumbImage(const ControlState& state);
// The channel (Track or TRACKVERT stretched over `channel`) and the thumb at
// its own size centred on `thumb`.
void PaintTrackBar(Bitmap& dest, const TSkinData& data, const Rect& channel, const Rect& thumb, bool vertical,
                   int thumb_image);

// --- Scroll bars ---

enum class ScrollPart { None, Before, After, Track, Thumb };

struct ScrollBarParts {
    Rect before;  // the left or up arrow
    Rect after;   // the right or down arrow
    Rect track;   // between the arrows
    Rect thumb;   // inside the track; empty when there is none
};

// The arrows' length along the bar: the height of the Scrollbar image,
// unless it differs from the system's arrow size by more than 2, then the
// system's; half the bar each when two do not fit.
int ScrollArrowLength(const TSkinData& data, int bar_length, int system_arrow);
// The arrows and the track of a bar; the thumb is the caller's (the system
// places it), from `thumb_start` to `thumb_end` along the bar, relative to
// the bar's top or left edge, as the system reports it.
ScrollBarParts LayoutScrollBar(const TSkinData& data, const Rect& bar, bool vertical, int system_arrow,
                               int thumb_start, int thumb_end);
// Where the system puts the thumb in a track `track_length` long, relative
// to the track: its length is page / (range + 1) of the track but at least
// `minimum_thumb`; it moves over the rest as the position moves over the
// range less the page. {0, 0} when the bar scrolls nothing or it does not
// fit.
struct Span {
    int start = 0;
    int end = 0;
};
Span ScrollThumbSpan(int track_length, int minimum, int maximum, int page, int position, int minimum_thumb);

struct ScrollBarLook {
    bool enabled = true;
    ScrollPart hot = ScrollPart::None;
    ScrollPart pressed = ScrollPart::None;
};
// Scrollbar arrow images: left 1, right 5, up 9, down 13; +1 pressed, +2
// disabled, +3 hot.
int ScrollArrowImage(bool vertical, bool after, const ScrollBarLook& look);
// Track (image 1, 3 disabled), thumb (1, 2 pressed, 3 hot) with its grip
// when the thumb is longer than the grip by more than 2, and the arrows.
void PaintScrollBar(Bitmap& dest, const TSkinData& data, const ScrollBarParts& parts, bool vertical,
                    const ScrollBarLook& look);

}  // namespace vc
