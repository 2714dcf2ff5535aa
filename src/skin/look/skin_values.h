#pragma once
// The value forms of the skin definition beyond plain integers: image member
// names, colour triples and the palette.
#include <string>
#include <string_view>
#include <vector>

#include "common/values.h"
#include "skin/format/quick_ini.h"

namespace vc {

// The member an image value names: the part after the last "\" or ":", and
// only when its extension is ".bmp" exactly as written (".BMP" names
// nothing). Empty when nothing is to be loaded.
std::string ImageMemberName(std::string_view value);

// Three decimal numbers separated by any non-digit characters, read as red,
// green and blue ("59 97 131"). Numbers past the third are ignored; each is
// capped at 255 so that it cannot spill into the next channel. An empty or
// missing value, or one with fewer than three numbers, gives def.
Colour ReadColourTriple(const TQuickIni& ini, std::string_view section, std::string_view key, Colour def);
bool ParseColourTriple(std::string_view text, Colour& colour);

// The palette: for every section whose upper-cased name starts with "COLOUR"
// other than "COLOURS", in file order, its "color" triple (def when absent).
// A palette index counts these sections, not the digits in their names.
std::vector<Colour> ReadPalette(const TQuickIni& ini, Colour def);

}  // namespace vc
