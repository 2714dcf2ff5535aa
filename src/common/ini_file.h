#pragma once
// The INI reading the menu definition file is read with, on every platform.
// It follows the platform's profile functions where the menu depends on them:
// sections in square brackets, key=value lines, names in any letter case, the
// first matching key wins, blanks around a value dropped and one pair of
// enclosing quotation marks removed, values and key lists cut at the sizes of
// the buffers they are read into.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/text.h"

namespace vc {

class IniFile {
public:
    // A value is read into a buffer of 2048 characters, its terminating zero
    // included.
    static constexpr std::size_t kMaxValueLength = 2047;
    // The key names of a section are read into a buffer of 16384 bytes, each
    // name followed by a zero byte and the whole list by one more.
    static constexpr std::size_t kKeyListBytes = 16384;

    IniFile() = default;
    explicit IniFile(std::string_view text);

    // The file's contents; a file that cannot be opened reads as empty, like a
    // missing section or key.
    static IniFile Load(const std::string& path);

    // Key names of the section in file order, duplicates included, as far as
    // they fit into the key list; a name cut by the limit counts with what is
    // left of it.
    StringList ReadSection(std::string_view section) const;

    // The value of the first matching key, or `defaultValue` when the section
    // or the key is missing.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue = {}) const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        // Lower-case key -> its first entry: a menu of thousands of keys is
        // read key by key, so a search through the entries made it quadratic.
        std::unordered_map<std::string, std::size_t> first;
    };

    const Section* FindSection(std::string_view name) const;

    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_;  // lower-case name -> section
};

}  // namespace vc
