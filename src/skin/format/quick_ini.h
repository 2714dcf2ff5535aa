#pragma once
// TQuickIni: the skin definition parser. Lenient like every reader of the
// skin engine: a missing section or key, or a value that does not read,
// gives the caller's default.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/text.h"

namespace vc {

class TQuickIni {
public:
    // Parses the bytes (from the stream position to its end), replacing what
    // was loaded before. A NUL byte ends the text.
    void LoadFromStream(const std::uint8_t* data, std::size_t size);
    void LoadFromStream(const std::vector<std::uint8_t>& data) { LoadFromStream(data.data(), data.size()); }
    void LoadFromString(std::string_view text);

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // Decimal, or hexadecimal after "0x"/"0X" or "$"; anything else is def.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    // Section names in file order, brackets removed and trimmed.
    void ReadSections(StringList& list) const;

    const StringList& Lines() const { return lines_; }

private:
    // Index in lines_ of the first header matching "[" + section + "]",
    // letters compared without regard to case.
    bool FindSection(std::string_view section, std::size_t& header) const;

    StringList lines_;
    // Header lines with their index in lines_, in file order.
    std::vector<std::pair<std::string, std::size_t>> sections_;
};

// A whole integer as ReadInteger takes it, if the text reads as one.
bool ReadIniInteger(std::string_view text, int& value);

}  // namespace vc
