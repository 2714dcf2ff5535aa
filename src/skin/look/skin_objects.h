#pragma once
// The skin objects: one per section of a skin definition, each an image of
// equal state images with its margins and drawing settings. They belong to
// their TSkinData.
#include <cstdint>
#include <string>

#include "common/bitmap.h"
#include "common/values.h"
#include "skin/look/composition.h"

namespace vc {

// How a text lines up in its area; the caption's from TextAlignment 0, 1, 2.
enum class TextAlign { Left, Right, Centre };

// What a caption button does when clicked, from the skin file's Action.
enum class CaptionAction {
    Decoration,      // -1: drawn, never clicked
    Close,           // 0
    Maximise,        // 1 and 22: maximises or restores
    Minimise,        // 2 and 23: minimises or restores
    SystemMenuIcon,  // 3 and 11: the window's icon, which opens the system menu
    SystemMenu,      // 12: a button of the skin's that opens the system menu
    Inert,           // 4 to 10 (7 to 9 the child-window buttons): nothing
    Program,         // 13 and up: the number goes to the program
};

// Where a caption button sits, from the skin file's Align.
enum class CaptionAlign {
    FromLeft,     // 0: Xcoord from the window's left edge
    FromRight,    // 1: Xcoord from the window's right edge
    CaptionRight, // 2 and 8: against the right end of the caption area
    CaptionLeft,  // 3 and 9: against the left end of the caption area
    Unplaced,     // anything else: the title bar's top-left corner
};

// When a caption button shows, from the skin file's Visibility and
// Visibility1. The two read a few numbers differently; the reader settles
// that, so both hold conditions of the same kind.
enum class CaptionShow {
    Always,               // 0 and 201 to 999; -1 in Visibility, 1000 to 2000 in Visibility1
    Never,                // 5 and any number not listed; -1 in Visibility1
    Maximised,            // 1
    NotMaximised,         // 2
    Active,               // 3
    Inactive,             // 4
    MaximiseBox,          // 6 in Visibility1
    MaximiseBoxAndClose,  // 6 in Visibility
    NoMaximiseBox,        // 7
    MinimiseBox,          // 8 in Visibility1
    MinimiseBoxAndClose,  // 8 in Visibility
    NoMinimiseBox,        // 9
    ChildWindowButton,    // 100: a maximised child's buttons, shown in the menu band
    DialogFrame,          // 200: a dialog frame that is not a standard dialog
    WindowAgrees,         // 1000 to 2000 in Visibility: the window answers the visibility query
};

// How an image's middle fills an area larger than itself.
enum class SliceFill {
    Stretch,
    Repeat,
};

// What the key colour does in an object's image, from the skin file's Trans.
enum class KeyColour {
    Painted,  // 0: painted as any other colour
    Clear,    // any number but 0 and 1: not painted
    Shapes,   // 1: not painted, and a frame side cuts the window's shape there
};

class TDataSkinObject {
public:
    TDataSkinObject() = default;
    explicit TDataSkinObject(std::string name) : Name(std::move(name)) {}
    virtual ~TDataSkinObject() = default;
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;

    std::int32_t LeftWidth = 0;
    std::int32_t TopHeight = 0;
    std::int32_t RightWidth = 0;
    std::int32_t BottomHeight = 0;
    Bitmap Map;  // the image, empty until a definition names one
    KeyColour Trans = KeyColour::Painted;
    SliceFill Tile = SliceFill::Stretch;
    std::string Name;  // the section it came from
    std::int32_t Frame = 0;  // the frame count
    std::int32_t Style = 0;
    std::int32_t NormalColour = -1;  // palette indexes, -1 unset
    std::int32_t MouseOverColour = -1;
    std::int32_t PressedColour = -1;
    Colour NormalColour2 = 0;
    Colour MouseOverColour2 = 0;
    Colour PressedColour2 = 0;

    Margins GetMargins() const { return Margins{LeftWidth, TopHeight, RightWidth, BottomHeight}; }
    // A frame count of 0 divides nothing: painters take it as 1.
    int FrameCount() const { return Frame < 1 ? 1 : Frame; }
    bool Keyed() const { return Trans != KeyColour::Painted; }
    bool Tiled() const { return Tile == SliceFill::Repeat; }
};

// The four frame sides and sections with a second image.
class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    Bitmap Map2;
};

// Caption text: the margins carry the text shifts, the image the text back.
class TDataSkinTitle : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t TextShift() const { return LeftWidth; }
    std::int32_t TextShiftVert() const { return TopHeight; }
    std::int32_t TextRightClip() const { return RightWidth; }
    const Bitmap& TextBack() const { return Map; }

    TextAlign TextAlignment = TextAlign::Left;
    std::int32_t Textbackground = 0;
    std::int32_t FontHeight = 0;
    std::int32_t TXTBackleft = 0;
    std::int32_t TXTBackRight = 0;
    Colour ActiveTextColour = clNone;
    Colour InactiveTextColour = clNone;
};

// Push buttons, with the check-box and radio-button images.
class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    Bitmap CheckMap;
    Bitmap RadioMap;
    std::int32_t RadioFrame = 0;
    std::int32_t CheckFrame = 0;
    bool HasNormalColour2 = false;
    bool HasMouseOverColour2 = false;
    bool HasPressedColour2 = false;
};

// A caption button or a child-window button.
class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    CaptionAction Action = CaptionAction::Close;
    // The number a CaptionAction::Program button hands the program.
    std::int32_t ProgramAction = 0;
    CaptionAlign Align = CaptionAlign::FromLeft;
    std::int32_t Xcoord = 0;
    std::int32_t Ycoord = 0;
    std::int32_t CombineOp = -1;
    CaptionShow Visibility = CaptionShow::Always;
    CaptionShow Visibility1 = CaptionShow::Always;
};

// A group box with its label background.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t BackgroundLeftShift = 0;
    std::int32_t BackgroundRightShift = 0;
};

}  // namespace vc
