#include "book/page_archive_writer.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

#include "book/page_archive_format.h"
#include "common/text.h"

namespace vc {

namespace format = archive_format;

bool IsCompressedFormat(std::string_view name) {
    static constexpr std::array<std::string_view, 28> kCompressed = {
        "png", "jpg", "jpeg", "gif", "webp", "ico", "zip", "gz", "tgz", "bz2", "xz", "7z", "rar", "cab",
        "pdf", "woff", "woff2", "mp3", "mp4", "m4a", "ogg", "oga", "ogv", "webm", "avi", "mov", "swf", "chm"};
    const auto slash = name.rfind('/');
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return false;
    const auto extension = name.substr(dot + 1);
    return std::any_of(kCompressed.begin(), kCompressed.end(), [&](std::string_view known) { return SameText(known, extension); });
}

namespace {

// The dictionary is built from fragments of eight bytes ("dmers"), counted
// once per page in which they occur: a fragment is worth as much as the
// number of pages it can shorten.
constexpr std::size_t kDmer = 8;
constexpr int kHashBits = 22;
// Only the start of a page sees the dictionary (it leaves the window as the
// page goes on), so the start is what is sampled, up to a limit on the whole.
constexpr std::size_t kSampledPerPage = 32 * 1024;
constexpr std::size_t kSampledInAll = 16 * 1024 * 1024;
constexpr std::size_t kSegment = 1024;

std::uint32_t DmerHash(const char* at) {
    std::uint64_t value;
    std::memcpy(&value, at, sizeof value);
    return static_cast<std::uint32_t>((value * 0x9E3779B185EBCA87ull) >> (64 - kHashBits));
}

struct Segment {
    std::string_view bytes;
    std::uint64_t score = 0;
};

// The best window of the epoch's pages: the one whose fragments are shared
// by the most pages, fragments already taken counting for nothing.
Segment BestSegment(const std::vector<std::string_view>& epoch, std::vector<std::uint32_t>& pagesWith) {
    const auto worth = [&](const char* at) -> std::uint64_t {
        const auto pages = pagesWith[DmerHash(at)];
        return pages > 1 ? pages : 0;
    };
    Segment best;
    for (std::string_view page : epoch) {
        if (page.size() < kDmer) continue;
        const std::size_t dmers = page.size() - kDmer + 1;
        const std::size_t window = std::min(kSegment - kDmer + 1, dmers);
        std::uint64_t score = 0;
        for (std::size_t i = 0; i < window; ++i) score += worth(page.data() + i);
        for (std::size_t first = 0;; ++first) {
            if (score > best.score) best = {page.substr(first, window + kDmer - 1), score};
            if (first + window >= dmers) break;
            score += worth(page.data() + first + window);
            score -= worth(page.data() + first);
        }
    }
    // Its fragments are in the dictionary now; trim the ends that add none.
    std::string_view bytes = best.bytes;
    while (bytes.size() >= kDmer && worth(bytes.data()) == 0) bytes.remove_prefix(1);
    while (bytes.size() >= kDmer && worth(bytes.data() + bytes.size() - kDmer) == 0) bytes.remove_suffix(1);
    for (std::size_t i = 0; i + kDmer <= bytes.size(); ++i) pagesWith[DmerHash(bytes.data() + i)] = 0;
    best.bytes = bytes.size() >= kDmer ? bytes : std::string_view();
    return best;
}

}  // namespace

std::string BuildDictionary(const std::vector<std::string_view>& pages, std::size_t capacity) {
    std::size_t total = 0;
    for (auto page : pages) total += std::min(page.size(), kSampledPerPage);
    const std::size_t stride = total / kSampledInAll + 1;
    std::vector<std::string_view> samples;
    for (std::size_t i = 0; i < pages.size(); i += stride) samples.push_back(pages[i].substr(0, kSampledPerPage));

    std::vector<std::uint32_t> pagesWith(std::size_t{1} << kHashBits, 0);
    std::vector<std::uint32_t> lastPage(pagesWith.size(), 0);
    std::size_t sampled = 0;
    for (std::size_t p = 0; p < samples.size(); ++p) {
        sampled += samples[p].size();
        for (std::size_t i = 0; i + kDmer <= samples[p].size(); ++i) {
            const auto hash = DmerHash(samples[p].data() + i);
            if (lastPage[hash] == p + 1) continue;
            lastPage[hash] = static_cast<std::uint32_t>(p + 1);
            ++pagesWith[hash];
        }
    }

    // The samples are cut into as many epochs as the dictionary has
    // segments; each epoch gives its best segment.
    const std::size_t epochs = std::max<std::size_t>(1, capacity / kSegment);
    const std::size_t perEpoch = sampled / epochs + 1;
    std::vector<Segment> chosen;
    std::vector<std::string_view> epoch;
    std::size_t inEpoch = 0;
    for (std::size_t p = 0; p < samples.size(); ++p) {
        epoch.push_back(samples[p]);
        inEpoch += samples[p].size();
        if (inEpoch < perEpoch && p + 1 < samples.size()) continue;
        const Segment best = BestSegment(epoch, pagesWith);
        if (!best.bytes.empty()) chosen.push_back(best);
        epoch.clear();
        inEpoch = 0;
    }

    std::stable_sort(chosen.begin(), chosen.end(), [](const Segment& a, const Segment& b) { return a.score > b.score; });
    std::string dictionary;
    std::vector<std::string_view> kept;
    for (const auto& segment : chosen) {
        if (dictionary.size() + segment.bytes.size() > capacity) continue;
        dictionary.resize(dictionary.size() + segment.bytes.size());
        kept.push_back(segment.bytes);
    }
    // The best segment goes last, nearest the page.
    std::size_t at = 0;
    for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
        std::memcpy(dictionary.data() + at, it->data(), it->size());
        at += it->size();
    }
    return dictionary;
}

// One deflate stream, reset for every entry: the best compression zlib has,
// a raw stream primed with the dictionary.
struct PageArchiveWriter::Deflater {
    z_stream stream{};
    explicit Deflater() {
        if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, format::kWindowBits, 9, Z_DEFAULT_STRATEGY) != Z_OK)
            throw std::bad_alloc();
    }
    ~Deflater() { deflateEnd(&stream); }
};

PageArchiveWriter::PageArchiveWriter(std::string dictionary)
    : dictionary_(std::move(dictionary)), deflater_(std::make_unique<Deflater>()) {
    // The window holds 32 KB, less the little deflate keeps free at its end.
    if (dictionary_.size() > 32 * 1024) throw std::invalid_argument("a dictionary holds at most 32 KB");
}

PageArchiveWriter::~PageArchiveWriter() = default;

std::string PageArchiveWriter::Deflate(std::string_view bytes) {
    z_stream& stream = deflater_->stream;
    deflateReset(&stream);
    if (!dictionary_.empty())
        deflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(dictionary_.data()), static_cast<uInt>(dictionary_.size()));
    std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    if (deflate(&stream, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("deflate did not finish");
    out.resize(stream.total_out);
    return out;
}

void PageArchiveWriter::Add(std::string name, EntryKind kind, std::string_view bytes, bool mayDeflate) {
    if (name.size() > 0xFFFF) throw std::invalid_argument("\"" + name.substr(0, 64) + "...\": the name is too long to store");
    if (bytes.size() > 0x7FFFFFFF) throw std::invalid_argument("\"" + name + "\": the file is larger than a book can hold");
    std::string key = PageNameKey(name);
    if (!keys_.insert(key).second) throw std::invalid_argument("\"" + name + "\": another page has this name in other letter case");

    Entry added;
    added.entry.name = std::move(name);
    added.entry.kind = kind;
    added.entry.size = static_cast<std::uint32_t>(bytes.size());
    added.entry.crc = format::Crc32(bytes);
    if (mayDeflate && !bytes.empty()) {
        std::string deflated = Deflate(bytes);
        if (deflated.size() < bytes.size()) {
            added.stored = std::move(deflated);
            added.entry.compressed = true;
        }
    }
    if (!added.entry.compressed) added.stored.assign(bytes);
    added.entry.storedSize = static_cast<std::uint32_t>(added.stored.size());
    added.key = std::move(key);
    entries_.push_back(std::move(added));
}

void PageArchiveWriter::AddPage(std::string name, std::string_view bytes) {
    const bool mayDeflate = !IsCompressedFormat(name);
    Add(std::move(name), EntryKind::Page, bytes, mayDeflate);
}

// The index is no page: its empty name can clash with none and sorts first.
void PageArchiveWriter::AddSearchIndex(std::string_view bytes) { Add(std::string(), EntryKind::SearchIndex, bytes, true); }

std::uint64_t PageArchiveWriter::Size() const {
    std::uint64_t size = dictionary_.size() + format::kDirectoryHeadSize + format::kLocatorSize;
    for (const auto& added : entries_) size += added.stored.size() + format::kEntryHeadSize + added.entry.name.size();
    return size;
}

std::string PageArchiveWriter::Finish() const {
    std::vector<const Entry*> order;
    order.reserve(entries_.size());
    for (const auto& added : entries_) order.push_back(&added);
    std::sort(order.begin(), order.end(), [](const Entry* a, const Entry* b) { return a->key < b->key; });

    std::string archive;
    archive.reserve(static_cast<std::size_t>(Size()));
    std::string directory;
    format::Put(directory, order.size(), 4);
    for (const Entry* added : order) archive += added->stored;
    format::Put(directory, archive.size(), 8);
    format::Put(directory, dictionary_.size(), 4);
    format::Put(directory, format::Crc32(dictionary_), 4);
    archive += dictionary_;

    std::uint64_t offset = 0;
    for (const Entry* added : order) {
        const ArchiveEntry& entry = added->entry;
        format::Put(directory, static_cast<std::uint8_t>(entry.kind), 1);
        format::Put(directory, static_cast<std::uint8_t>(entry.compressed ? format::Method::Deflated : format::Method::Stored), 1);
        format::Put(directory, entry.name.size(), 2);
        format::Put(directory, offset, 8);
        format::Put(directory, entry.storedSize, 4);
        format::Put(directory, entry.size, 4);
        format::Put(directory, entry.crc, 4);
        directory += entry.name;
        offset += entry.storedSize;
    }
    archive += directory;

    const std::uint64_t archiveSize = archive.size();
    archive.append(reinterpret_cast<const char*>(format::kMarker), sizeof format::kMarker);
    format::Put(archive, format::kVersion, 4);
    format::Put(archive, archiveSize, 8);
    format::Put(archive, directory.size(), 4);
    format::Put(archive, format::Crc32(directory), 4);
    return archive;
}

}  // namespace vc
