#pragma once
// Builds the skin container (version, name text, size table, member data)
// that TSkinReader opens. Tools only; header-only so the tests and the
// benchmarks can build containers the same way the tool does.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/format/skin_reader.h"

namespace vc {

struct SkinMember {
    std::string name;
    std::vector<std::uint8_t> data;
};

inline void PutLE32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Raises std::invalid_argument for what the reader could not give back:
// empty names, names with line breaks or directory parts, too many members.
inline std::vector<std::uint8_t> BuildSkinContainer(const std::vector<SkinMember>& members) {
    if (members.empty()) throw std::invalid_argument("a skin container needs at least one member");
    if (members.size() > TSkinReader::kMaxMembers)
        throw std::invalid_argument("a skin container holds at most " + std::to_string(TSkinReader::kMaxMembers) +
                                    " members");
    std::string names;
    for (const SkinMember& m : members) {
        if (m.name.empty() || m.name.find_first_of("\r\n\\/:") != std::string::npos ||
            m.name.find('\0') != std::string::npos)
            throw std::invalid_argument("'" + m.name + "' cannot be a member name");
        if (!names.empty()) names += "\r\n";
        names += m.name;
    }
    std::vector<std::uint8_t> out;
    PutLE32(out, TSkinReader::kVersion);
    PutLE32(out, static_cast<std::uint32_t>(names.size()));
    PutLE32(out, 0);
    PutLE32(out, 0);
    out.insert(out.end(), names.begin(), names.end());
    for (const SkinMember& m : members) PutLE32(out, static_cast<std::uint32_t>(m.data.size()));
    for (const SkinMember& m : members) out.insert(out.end(), m.data.begin(), m.data.end());
    return out;
}

}  // namespace vc
