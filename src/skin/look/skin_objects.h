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
    std::int32_t Trans = 0;
    std::int32_t Tile = 0;
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

    std::int32_t TextAlignment = 0;
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
    std::int32_t Action = 0;
    std::int32_t Align = 0;
    std::int32_t Xcoord = 0;
    std::int32_t Ycoord = 0;
    std::int32_t CombineOp = -1;
    std::int32_t Visibility = 0;
    std::int32_t Visibility1 = 0;
};

// A group box with its label background.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t BackgroundLeftShift = 0;
    std::int32_t BackgroundRightShift = 0;
    std::int32_t BackgroundAlignment = 0;
};

}  // namespace vc
