#include "common/ini_file.h"

#include "common/input_file.h"

namespace vc {

namespace {

// One pair of matching quotation marks around the whole value goes; a lone
// quotation mark stays.
std::string Unquoted(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

IniFile::IniFile(std::string_view text) {
    Section* current = nullptr;
    for (const std::string& raw : SplitLines(text)) {
        const std::string line = Trim(raw);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const auto close = line.rfind(']');
            if (close != std::string::npos) {
                const std::string name = Trim(std::string_view(line).substr(1, close - 1));
                // A section named twice is one section: its keys follow on.
                const auto known = sectionIndex_.emplace(LowerCase(name), sections_.size());
                if (known.second) sections_.push_back(Section{name, {}, {}});
                current = &sections_[known.first->second];
                continue;
            }
        }
        const auto equals = line.find('=');
        // Lines before the first section (the numbered configuration lines),
        // lines without "=" and keys without a name belong to no menu.
        if (!current || equals == std::string::npos) continue;
        std::string key = Trim(std::string_view(line).substr(0, equals));
        if (key.empty()) continue;
        std::string value = Unquoted(Trim(std::string_view(line).substr(equals + 1)));
        if (value.size() > kMaxValueLength) value.resize(kMaxValueLength);
        current->first.emplace(LowerCase(key), current->entries.size());
        current->entries.push_back(Entry{std::move(key), std::move(value)});
    }
}

IniFile IniFile::Load(const std::string& path) {
    const std::optional<std::string> text = ReadWholeFile(path);
    return text ? IniFile(*text) : IniFile();
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
    const auto found = sectionIndex_.find(LowerCase(name));
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

StringList IniFile::ReadSection(std::string_view name) const {
    StringList keys;
    const Section* section = FindSection(name);
    if (!section) return keys;
    // Every name takes its length and a zero byte, and the list ends with one
    // more zero. A list that does not fit is cut two bytes before the end of
    // the buffer and closed with two zeros, so its last name may be cut short.
    std::size_t used = 0;
    for (const Entry& entry : section->entries) {
        const std::size_t needed = entry.key.size() + 1;
        if (used + needed + 1 <= kKeyListBytes) {
            keys.push_back(entry.key);
            used += needed;
            continue;
        }
        if (used + 2 < kKeyListBytes) keys.push_back(entry.key.substr(0, kKeyListBytes - 2 - used));
        break;
    }
    return keys;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    if (const Section* found = FindSection(section)) {
        const auto entry = found->first.find(LowerCase(key));
        if (entry != found->first.end()) return found->entries[entry->second].value;
    }
    return std::string(defaultValue);
}

}  // namespace vc
