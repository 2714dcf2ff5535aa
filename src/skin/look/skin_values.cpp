#include "skin/look/skin_values.h"

#include "common/text.h"

namespace vc {

std::string ImageMemberName(std::string_view value) {
    std::string name = ExtractFileName(value);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || name.compare(dot, std::string::npos, ".bmp") != 0) return std::string();
    return name;
}

bool ParseColourTriple(std::string_view text, Colour& colour) {
    unsigned channel[3] = {0, 0, 0};
    int found = 0;
    std::size_t i = 0;
    while (found < 3 && i < text.size()) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        unsigned value = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            value = value >= 255 ? 255 : value * 10 + static_cast<unsigned>(text[i] - '0');
        channel[found++] = value > 255 ? 255 : value;
    }
    if (found < 3) return false;
    colour = static_cast<Colour>(channel[0] | channel[1] << 8 | channel[2] << 16);
    return true;
}

Colour ReadColourTriple(const TQuickIni& ini, std::string_view section, std::string_view key, Colour def) {
    Colour colour = def;
    return ParseColourTriple(ini.ReadString(section, key, ""), colour) ? colour : def;
}

std::vector<Colour> ReadPalette(const TQuickIni& ini, Colour def) {
    StringList sections;
    ini.ReadSections(sections);
    std::vector<Colour> palette;
    for (const std::string& name : sections) {
        const std::string upper = UpperCase(name);
        if (upper.compare(0, 6, "COLOUR") == 0 && upper != "COLOURS")
            palette.push_back(ReadColourTriple(ini, name, "color", def));
    }
    return palette;
}

}  // namespace vc
