#pragma once
// A mock skinned window drawn with the composition routines the painters
// use: the frame with its caption buttons, the menu band with a menu open,
// a tool bar, a tabbed pane of controls (check boxes, radio buttons, a combo
// box, a track bar, a progress bar), push buttons in their five states in a
// group box, scroll bars and a status bar. Texts are returned as labels for
// a caller that has fonts (the skin tool draws them with Cairo).
#include <string>
#include <vector>

#include "common/bitmap.h"
#include "skin/look/skin_data.h"
#include "skin/look/skin_frame.h"

namespace vc {

struct SkinPreviewArgs {
    int width = 640;
    int height = 480;
    bool active = true;
};

// A text of the preview, to be drawn over the picture.
struct PreviewLabel {
    enum class Align { Left, Right, Centre };
    Rect bounds;
    std::string text;  // UTF-8
    Colour colour = 0;
    int font_height = 12;  // pixels
    Align align = Align::Left;
    bool bold = false;
};

struct SkinPreview {
    Bitmap image;
    std::vector<PreviewLabel> labels;
};

SkinPreview ComposeSkinPreview(TSkinData& data, const SkinPreviewArgs& args);
// The picture alone.
Bitmap RenderSkinPreview(TSkinData& data, const SkinPreviewArgs& args);

}  // namespace vc
