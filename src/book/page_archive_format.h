#pragma once
// The bytes of a book's archive, shared by its reader and its writer.
//
//   archive = entries' stored bytes | dictionary | directory | locator
//   locator (28 bytes, ends where the configuration text begins)
//     = marker (8) | version (u32) | archive size (u64, everything before the
//       locator) | directory size (u32) | directory CRC-32 (u32)
//   directory = entry count (u32) | dictionary offset (u64) | size (u32) |
//               CRC-32 (u32) | entries
//   entry = kind (u8) | method (u8) | name length (u16) | offset (u64) |
//           stored size (u32) | size (u32) | CRC-32 (u32) | name
//
// Integers are little-endian; offsets count from the archive's first byte,
// so the archive reads the same wherever the runtime in front of it ends.
// Deflated entries are raw deflate streams primed with the dictionary: the
// entry's own CRC-32 is its only checksum, computed once.
#include <cstdint>
#include <string>
#include <string_view>

namespace vc::archive_format {

inline constexpr unsigned char kMarker[8] = {'V', 'C', 'P', 'A', 'G', 'E', 'S', 0x1A};
inline constexpr std::uint32_t kVersion = 1;
inline constexpr std::size_t kLocatorSize = 28;
inline constexpr std::size_t kDirectoryHeadSize = 20;
inline constexpr std::size_t kEntryHeadSize = 24;
inline constexpr int kWindowBits = -15;  // raw deflate, 32 KB window

enum class Method : std::uint8_t { Stored = 0, Deflated = 1 };

inline void Put(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

inline std::uint64_t Get(const unsigned char* at, int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint64_t>(at[i]) << (8 * i);
    return value;
}

std::uint32_t Crc32(std::string_view bytes);

}  // namespace vc::archive_format
