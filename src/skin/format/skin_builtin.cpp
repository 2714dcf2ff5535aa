#include "skin/format/skin_builtin.h"

#include <cstring>

namespace vc {

Bitmap BitmapFromRows(const char* const* rows, int height, const PixelLegend* legend, int legend_size) {
    const int width = height > 0 ? static_cast<int>(std::strlen(rows[0])) : 0;
    Bitmap out(width, height, MakePixel(0, 0, 0));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width && rows[y][x]; ++x)
            for (int i = 0; i < legend_size; ++i)
                if (legend[i].letter == rows[y][x]) out.Set(x, y, legend[i].pixel);
    return out;
}

namespace {

const PixelLegend kTrackLegend[] = {
    {'S', MakePixel(192, 192, 192)}, {'G', MakePixel(128, 128, 128)}, {'W', MakePixel(255, 255, 255)}};

const char* const kTrack[] = {
    "SSGGGGGGGGGGGGWW",
    "SSWWWWWWWWWWWWWW",
    "GSWWWWWWWWWWWWWW",
    "SSWWWWWWWWWWWWWW",
};

const char* const kTrackVert[] = {
    "SSGS", "SSSS", "GWWW", "GWWW", "GWWW", "GWWW", "GWWW", "GWWW",
    "GWWW", "GWWW", "GWWW", "GWWW", "GWWW", "GWWW", "WWWW", "WWWW",
};

// Restore, maximise, minimise, close; "#" black, "." white.
const char* const kMenuGlyphs[] = {
    "................" "................" "................" "................",
    "................" "................" "................" "................",
    ".....#######...." "...##########..." "................" "................",
    ".....#######...." "...##########..." "................" "...##......##...",
    ".....#.....#...." "...#........#..." "................" "....##....##....",
    "...#######.#...." "...#........#..." "................" ".....##..##.....",
    "...#######.#...." "...#........#..." "................" "......####......",
    "...#.....#.#...." "...#........#..." "................" ".......##.......",
    "...#.....###...." "...#........#..." "................" "......####......",
    "...#.....#......" "...#........#..." "................" ".....##..##.....",
    "...#.....#......" "...#........#..." "................" "....##....##....",
    "...#######......" "...##########..." "....########...." "...##......##...",
    "................" "................" "....########...." "................",
    "................" "................" "................" "................",
    "................" "................" "................" "................",
    "................" "................" "................" "................",
};

const PixelLegend kGlyphLegend[] = {{'#', MakePixel(0, 0, 0)}, {'.', MakePixel(255, 255, 255)}};

}  // namespace

Bitmap BuiltinTrack() { return BitmapFromRows(kTrack, 4, kTrackLegend, 3); }
Bitmap BuiltinTrackVert() { return BitmapFromRows(kTrackVert, 16, kTrackLegend, 3); }
Bitmap MenuGlyphs() { return BitmapFromRows(kMenuGlyphs, 16, kGlyphLegend, 2); }

}  // namespace vc
