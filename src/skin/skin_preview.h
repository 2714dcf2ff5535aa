#pragma once
// A mock skinned window drawn with the composition routines the painters
// use: frame sides, caption buttons, menu band, push buttons in their five
// states, check boxes and radio buttons, a scroll bar, a progress bar and a
// status bar. The skin tool writes it out as a picture.
#include "common/bitmap.h"
#include "skin/skin_data.h"

namespace vc {

struct SkinPreviewArgs {
    int width = 640;
    int height = 480;
    bool active = true;
};

// Where the frame sides end: the sizes of one state image of each side.
struct FrameSizes {
    int left = 0, top = 0, right = 0, bottom = 0;
};
FrameSizes SkinFrameSizes(TSkinData& data);

// The bounds of a caption button in a window `window_width` wide, by its
// Align; an empty rectangle for a button that is not drawn in the title.
Rect CaptionButtonBounds(const TDataSkinSysButton& button, int window_width);

Bitmap RenderSkinPreview(TSkinData& data, const SkinPreviewArgs& args);

}  // namespace vc
