// An entry's decoding on arbitrary stored bytes: a good archive of one
// deflated page whose stored bytes are the input, with the input's own
// checksum and size, and a dictionary. Reading gives what zlib itself
// decodes, or says the page is damaged exactly when zlib cannot decode it or
// the checksum is wrong; it never writes past what it decodes into.
#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>

#include "book/page_archive.h"
#include "book/page_archive_format.h"
#include "book/payload.h"

namespace {

constexpr char kName[] = "book/page.htm";
constexpr char kDictionary[] = "<p class=\"para\">Paragraph of the guide.</p>\n";

// A one-page book; the page's stored bytes start right after the runtime.
std::string Book(const std::string& stored, std::uint32_t size, std::uint32_t crc) {
    namespace format = vc::archive_format;
    const std::string runtime = "MZ runtime";
    const std::string dictionary = kDictionary;
    std::string archive = stored + dictionary;
    std::string directory;
    format::Put(directory, 1, 4);
    format::Put(directory, stored.size(), 8);
    format::Put(directory, dictionary.size(), 4);
    format::Put(directory, format::Crc32(dictionary), 4);
    format::Put(directory, 0, 1);
    format::Put(directory, static_cast<int>(format::Method::Deflated), 1);
    format::Put(directory, sizeof kName - 1, 2);
    format::Put(directory, 0, 8);
    format::Put(directory, stored.size(), 4);
    format::Put(directory, size, 4);
    format::Put(directory, crc, 4);
    directory += kName;
    archive += directory;
    const std::size_t archiveSize = archive.size();
    archive.append(reinterpret_cast<const char*>(format::kMarker), sizeof format::kMarker);
    format::Put(archive, format::kVersion, 4);
    format::Put(archive, archiveSize, 8);
    format::Put(archive, directory.size(), 4);
    format::Put(archive, format::Crc32(directory), 4);
    vc::PayloadTrailer trailer;
    trailer.offset = static_cast<std::int32_t>(runtime.size() + archive.size());
    trailer.size = 1;
    const auto bytes = trailer.Encode();
    return runtime + archive + "x" + std::string(bytes.begin(), bytes.end());
}

// The decoding a reader must agree with: the whole stream, primed with the
// dictionary, gives exactly `size` bytes.
std::optional<std::string> Inflated(const std::string& stored, std::uint32_t size) {
    z_stream stream{};
    if (inflateInit2(&stream, -15) != Z_OK) return std::nullopt;
    inflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(kDictionary), sizeof kDictionary - 1);
    std::string out(size, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stored.data()));
    stream.avail_in = static_cast<uInt>(stored.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = size;
    const bool whole = inflate(&stream, Z_FINISH) == Z_STREAM_END && stream.avail_out == 0 && stream.avail_in == 0;
    inflateEnd(&stream);
    if (!whole) return std::nullopt;
    return out;
}

}  // namespace

// The first four bytes give the size the page claims (up to 1 MB), the
// fifth whether its checksum is right; the rest is the stored stream.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    const std::uint32_t claimed = vc::archive_format::Get(data, 4) % (1u << 20);
    const bool rightChecksum = data[4] & 1;
    const std::string stored(reinterpret_cast<const char*>(data) + 5, size - 5);
    const auto expected = Inflated(stored, claimed);
    const std::uint32_t crc = vc::archive_format::Crc32(expected ? *expected : std::string()) ^ (rightChecksum ? 0 : 1);
    const std::string book = Book(stored, claimed, crc);
    const vc::MemorySource source(book);
    const auto archive = vc::PageArchive::Open(source);
    if (!archive || !archive->FindPage(kName)) __builtin_trap();
    try {
        const std::string page = archive->Read(source, *archive->FindPage(kName));
        if (!expected || !rightChecksum || page != *expected) __builtin_trap();
    } catch (const vc::EBookDamaged& damaged) {
        if (damaged.Page() != kName || (expected && rightChecksum)) __builtin_trap();
    }
    return 0;
}
