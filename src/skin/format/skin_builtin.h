#pragma once
// The bitmaps the runtime carries for the skin engine, drawn from the
// readable pixel maps in skin_builtin.cpp: the default track of a track bar
// in both directions, and the four menu glyphs of a child window's menu.
#include "common/bitmap.h"

namespace vc {

// "TRACK", 16 x 4, for a skin without a [Track] section.
Bitmap BuiltinTrack();
// "TRACKVERT", 4 x 16, for a skin without a [TRACKVERT] section.
Bitmap BuiltinTrackVert();
// "ORBTANEMENU": four 16 x 16 monochrome glyphs side by side (restore,
// maximise, minimise, close), black on white; white is their mask colour.
Bitmap MenuGlyphs();

// A bitmap from rows of letters, each letter a colour of `legend`
// ("S" -> silver and so on). Unknown letters are black.
struct PixelLegend {
    char letter;
    Pixel pixel;
};
Bitmap BitmapFromRows(const char* const* rows, int height, const PixelLegend* legend, int legend_size);

}  // namespace vc
