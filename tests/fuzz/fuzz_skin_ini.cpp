// The skin definition parser and the value forms on any text.
#include <cstdint>
#include <string>

#include "skin/format/quick_ini.h"
#include "skin/look/skin_values.h"

// Reading costs per line and two kilobytes hold every form of line; a
// whole generated definition is kept in the seeds cut into pieces this size.
constexpr std::size_t kMaxInput = 2048;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput) return 0;
    vc::TQuickIni ini;
    ini.LoadFromStream(data, size);
    vc::StringList sections;
    ini.ReadSections(sections);
    for (const std::string& section : sections) {
        for (const char* key : {"Image", "color", "Frame", "", "SkinName"}) {
            const std::string value = ini.ReadString(section, key, "default");
            vc::ImageMemberName(value);
            ini.ReadInteger(section, key, -1);
            vc::ReadColourTriple(ini, section, key, 0);
        }
    }
    vc::ReadPalette(ini, 0xFF000008u);
    return 0;
}
