#pragma once
// The layout of a book's search index, shared by its writer and its reader.
//
// Every number is little-endian. The index is one byte string:
//
//   header   kHeaderSize bytes: magic, version, counts, section offsets
//   pages    one kPageRecordSize record per page: offset of its strings,
//            title and body token counts
//   strings  per page: name, title and body text, each a varint length
//            followed by UTF-8 bytes (the body text feeds the snippets)
//   blocks   one kBlockRecordSize record per dictionary block: where the
//            block starts in the terms, postings and positions sections
//   terms    the sorted term dictionary in blocks of kTermsPerBlock terms;
//            each term shares a prefix with the one before it (the first of
//            a block shares none, so a block can be read on its own):
//            varint shared, varint suffix length, suffix, varint postings
//            bytes, varint positions bytes
//   postings per term and page: varint page delta (the first is the page
//            number plus one), varint (body count * 2 + has title), and the
//            title count as a varint when there is one
//   positions per term and page: the title positions then the body
//            positions, each list delta coded from zero
//
// Postings and positions sit in separate sections so that a query without
// phrases never touches the positions.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vc::search {

inline constexpr char kMagic[4] = {'V', 'C', 'S', 'X'};
inline constexpr std::uint32_t kFormatVersion = 1;
inline constexpr std::size_t kHeaderSize = 40;
inline constexpr std::size_t kPageRecordSize = 12;
inline constexpr std::size_t kBlockRecordSize = 12;
inline constexpr std::size_t kTermsPerBlock = 32;

// Header fields after the magic, as offsets into the header.
enum HeaderField : std::size_t {
    kVersionAt = 4,
    kPageCountAt = 8,
    kBlockCountAt = 12,
    kTermCountAt = 16,
    kStringsAt = 20,    // offset of the strings section; the pages precede it
    kBlocksAt = 24,     // offset of the block records
    kTermsAt = 28,      // offset of the term dictionary
    kPostingsAt = 32,   // offset of the postings
    kPositionsAt = 36,  // offset of the positions; they run to the end
};

inline void PutU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

inline void SetU32(std::string& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline void PutVarint(std::string& out, std::uint32_t value) {
    while (value >= 0x80) {
        out.push_back(static_cast<char>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

}  // namespace vc::search
