#include "skin/format/quick_ini.h"

#include <cstdint>

#include "common/values.h"

namespace vc {

namespace {

bool IsHeader(const std::string& line) { return line.size() >= 2 && line.front() == '[' && line.back() == ']'; }

// Up to eight hexadecimal digits; the bits are taken as a signed 32-bit
// value, so "$FFFFFFFF" is -1.
bool ReadHex(std::string_view digits, int& value) {
    if (digits.size() > 8) return false;
    const auto v = ReadDigits(digits, 16, 0xFFFFFFFFu);
    if (!v) return false;
    value = static_cast<int>(static_cast<std::int32_t>(*v));
    return true;
}

}  // namespace

bool ReadIniInteger(std::string_view text, int& value) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return ReadHex(text.substr(2), value);
    std::string_view rest = text;
    bool negative = false;
    if (!rest.empty() && (rest[0] == '-' || rest[0] == '+')) {
        negative = rest[0] == '-';
        rest.remove_prefix(1);
    }
    if (!rest.empty() && rest[0] == '$') {
        int magnitude = 0;
        if (!ReadHex(rest.substr(1), magnitude)) return false;
        value = negative ? static_cast<int>(0u - static_cast<unsigned>(magnitude)) : magnitude;
        return true;
    }
    const auto decimal = TryStrToInt(text);
    if (!decimal) return false;
    value = *decimal;
    return true;
}

void TQuickIni::LoadFromStream(const std::uint8_t* data, std::size_t size) {
    LoadFromString(std::string_view(reinterpret_cast<const char*>(data), size));
}

void TQuickIni::LoadFromString(std::string_view text) {
    lines_.clear();
    sections_.clear();
    // Empty lines are dropped, so every mix of CR and LF cuts the same way.
    for (const std::string& raw : SplitLines(text)) {
        std::string line = Trim(raw);
        if (line.empty() || line[0] == ';') continue;
        if (IsHeader(line)) sections_.emplace_back(line, lines_.size());
        lines_.push_back(std::move(line));
    }
}

bool TQuickIni::FindSection(std::string_view section, std::size_t& header) const {
    std::string wanted;
    wanted.reserve(section.size() + 2);
    wanted += '[';
    wanted += section;
    wanted += ']';
    for (const auto& entry : sections_) {
        if (SameText(entry.first, wanted)) {
            header = entry.second;
            return true;
        }
    }
    return false;
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    std::size_t header = 0;
    if (!FindSection(section, header)) return std::string(def);
    for (std::size_t i = header + 1; i < lines_.size() && !IsHeader(lines_[i]); ++i) {
        const std::string& line = lines_[i];
        const auto equals = line.find('=');
        const std::string_view name =
            equals == std::string::npos ? std::string_view() : std::string_view(line).substr(0, equals);
        if (!SameText(Trim(name), key)) continue;
        // The first line with the key decides, even when its value is empty.
        std::string value = equals == std::string::npos ? std::string() : Trim(std::string_view(line).substr(equals + 1));
        return value.empty() ? std::string(def) : value;
    }
    return std::string(def);
}

int TQuickIni::ReadInteger(std::string_view section, std::string_view key, int def) const {
    int value = 0;
    return ReadIniInteger(ReadString(section, key, ""), value) ? value : def;
}

void TQuickIni::ReadSections(StringList& list) const {
    list.clear();
    for (const auto& entry : sections_) list.push_back(Trim(std::string_view(entry.first).substr(1, entry.first.size() - 2)));
}

}  // namespace vc
