#include <gtest/gtest.h>

#include <random>
#include <string>

#include "book/page_archive.h"
#include "book/page_archive_format.h"
#include "book/page_archive_writer.h"
#include "book/payload.h"

namespace vc {
namespace {

const std::string kRuntime = "MZ" + std::string(300, 'r');
const std::string kConfiguration = "line one\r\nline two\r\n";

// A one-file book: the runtime, the archive, the configuration and its trailer.
std::string Book(const std::string& archive) {
    PayloadTrailer trailer;
    trailer.offset = static_cast<std::int32_t>(kRuntime.size() + archive.size());
    trailer.size = static_cast<std::int32_t>(kConfiguration.size());
    const auto bytes = trailer.Encode();
    return kRuntime + archive + kConfiguration + std::string(bytes.begin(), bytes.end());
}

std::string Noise(std::size_t size) {
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

std::string Html(int n) {
    std::string page = "<html><head><title>Page " + std::to_string(n) + "</title><link rel=stylesheet href=s.css></head><body>";
    for (int i = 0; i < 200; ++i) page += "<p class=\"para\">Paragraph " + std::to_string(i * n) + " of the guide.</p>\n";
    return page + "</body></html>";
}

std::vector<std::pair<std::string, std::string>> Pages() {
    return {{"book/index.htm", Html(1)},
            {"book/empty.txt", ""},
            {"book/pictures/logo.png", "\x89PNG" + std::string(4000, 'a')},
            {"book/noise.htm", Noise(5000)},
            {"book/" + std::string(250, 'n') + "/" + std::string(250, 'm') + ".htm", Html(2)},
            {"book/Crème.htm", Html(3)}};
}

std::string Dictionary() {
    std::vector<std::string_view> samples;
    static const auto pages = Pages();
    for (const auto& page : pages) samples.push_back(page.second);
    return BuildDictionary(samples);
}

std::string Archive(const std::vector<std::pair<std::string, std::string>>& pages, const std::string& index) {
    PageArchiveWriter writer(Dictionary());
    for (const auto& page : pages) writer.AddPage(page.first, page.second);
    if (!index.empty()) writer.AddSearchIndex(index);
    const std::string archive = writer.Finish();
    EXPECT_EQ(archive.size(), writer.Size());
    return archive;
}

TEST(PageArchive, GivesBackEveryEntryByteForByte) {
    const std::string book = Book(Archive(Pages(), "the index"));
    const MemorySource source(book);
    const auto archive = PageArchive::Open(source);
    ASSERT_TRUE(archive);
    ASSERT_EQ(archive->Entries().size(), Pages().size() + 1);
    EXPECT_EQ(archive->Start(), kRuntime.size());
    EXPECT_EQ(archive->Start() + archive->Size(), book.size() - kConfiguration.size() - PayloadTrailer::kSize);
    for (const auto& [name, bytes] : Pages()) {
        const ArchiveEntry* entry = archive->FindPage(name);
        ASSERT_TRUE(entry) << name;
        EXPECT_EQ(archive->Read(source, *entry), bytes) << name;
        EXPECT_LT(entry->offset + entry->storedSize, book.size() - kConfiguration.size());
        EXPECT_GE(entry->offset, kRuntime.size());
    }
    ASSERT_TRUE(archive->SearchIndex());
    EXPECT_EQ(archive->Read(source, *archive->SearchIndex()), "the index");
    // The configuration reads as it always did.
    EXPECT_EQ(PayloadSizeInImage(book), static_cast<std::int32_t>(kConfiguration.size()));
}

TEST(PageArchive, DeflatesOnlyWhatGetsSmaller) {
    const std::string book = Book(Archive(Pages(), ""));
    const MemorySource source(book);
    const auto archive = PageArchive::Open(source);
    ASSERT_TRUE(archive);
    EXPECT_TRUE(archive->FindPage("book/index.htm")->compressed);
    EXPECT_LT(archive->FindPage("book/index.htm")->storedSize * 10, archive->FindPage("book/index.htm")->size);
    for (const char* stored : {"book/empty.txt", "book/pictures/logo.png", "book/noise.htm"}) {
        EXPECT_FALSE(archive->FindPage(stored)->compressed) << stored;
        EXPECT_EQ(archive->FindPage(stored)->storedSize, archive->FindPage(stored)->size) << stored;
    }
    EXPECT_FALSE(archive->SearchIndex());
}

TEST(PageArchive, FindsPagesInAnyLetterCaseAndNothingElse) {
    const std::string book = Book(Archive(Pages(), "idx"));
    const MemorySource source(book);
    const auto archive = PageArchive::Open(source);
    ASSERT_TRUE(archive);
    EXPECT_EQ(archive->FindPage("BOOK/INDEX.HTM"), archive->FindPage("book/index.htm"));
    EXPECT_EQ(archive->FindPage("book/CRÈME.htm"), archive->FindPage("book/Crème.htm"));
    EXPECT_TRUE(archive->FindPage("book/Crème.htm"));
    for (const char* missing : {"", "book", "book/index.ht", "book/index.htmx", "index.htm", "book/pictures"})
        EXPECT_FALSE(archive->FindPage(missing)) << missing;
}

TEST(PageArchive, SameEntriesGiveTheSameBytesInAnyOrder) {
    auto pages = Pages();
    const std::string forward = Archive(pages, "idx");
    std::reverse(pages.begin(), pages.end());
    EXPECT_TRUE(Archive(pages, "idx") == forward);
}

TEST(PageArchive, ClassicBooksAndBareRuntimesCarryNone) {
    const MemorySource bare(kRuntime);
    EXPECT_FALSE(PageArchive::Open(bare));
    const std::string classic = Book("");
    const MemorySource source(classic);
    EXPECT_FALSE(PageArchive::Open(source));
}

TEST(PageArchiveWriter, RefusesNamesItCannotKeepApart) {
    PageArchiveWriter writer;
    writer.AddPage("book/Index.htm", "a");
    EXPECT_THROW(writer.AddPage("BOOK/index.HTM", "b"), std::invalid_argument);
    writer.AddPage(std::string(0xFFFF, 'x'), "longest");
    EXPECT_THROW(writer.AddPage(std::string(0x10000, 'y'), "too long"), std::invalid_argument);
    const std::string book = Book(writer.Finish());
    const MemorySource source(book);
    const auto archive = PageArchive::Open(source);
    ASSERT_TRUE(archive);
    EXPECT_EQ(archive->Read(source, *archive->FindPage(std::string(0xFFFF, 'X'))), "longest");
}

TEST(BuildDictionary, KeepsWhatPagesShareWithinItsCapacity) {
    std::vector<std::string> pages;
    for (int i = 0; i < 40; ++i) pages.push_back("<nav>the shared navigation bar of every page</nav>" + Noise(3000 + i));
    const std::vector<std::string_view> samples(pages.begin(), pages.end());
    const std::string dictionary = BuildDictionary(samples, 4096);
    EXPECT_LE(dictionary.size(), 4096u);
    EXPECT_NE(dictionary.find("shared navigation bar"), std::string::npos);
    EXPECT_EQ(BuildDictionary({}, 4096), "");
}

// Damage: each case changes the bytes of a good book; the archive refuses
// them with the name of what cannot be read, and never reads outside.
struct Damage {
    const char* what;
    void (*change)(std::string& archive);
    const char* page;  // "" for the directory
    const char* why;
};

using archive_format::Get;
using archive_format::kLocatorSize;

std::size_t DirectoryStart(const std::string& archive) {
    const auto* locator = reinterpret_cast<const unsigned char*>(archive.data() + archive.size() - kLocatorSize);
    return archive.size() - kLocatorSize - Get(locator + 20, 4);
}

// Changes the directory and signs it again, as a forger would.
void Forge(std::string& archive, std::size_t at, std::uint64_t value, int bytes) {
    const std::size_t directory = DirectoryStart(archive);
    for (int i = 0; i < bytes; ++i) archive[directory + at + i] = static_cast<char>(value >> (8 * i));
    std::string crc;
    archive_format::Put(crc, archive_format::Crc32(std::string_view(archive).substr(directory, archive.size() - kLocatorSize - directory)), 4);
    archive.replace(archive.size() - 4, 4, crc);
}

// The one entry of the damaged archives is "book/a.htm", deflated.
constexpr std::size_t kEntry = archive_format::kDirectoryHeadSize;

const Damage kDamages[] = {
    {"DirectoryFailsItsChecksum", [](std::string& a) { a[DirectoryStart(a) + kEntry + 30] ^= 1; }, "",
     "the directory of the pages fails its checksum"},
    {"ArchiveLargerThanTheBook", [](std::string& a) { a[a.size() - kLocatorSize + 19] = 0x7F; }, "",
     "the directory of the pages lies outside the book"},
    {"DirectoryLargerThanTheArchive", [](std::string& a) { a[a.size() - kLocatorSize + 23] = 0x7F; }, "",
     "the directory of the pages lies outside the book"},
    {"NewerVersion", [](std::string& a) { a[a.size() - kLocatorSize + 8] = 2; }, "",
     "its pages are stored in a form this program does not read (version 2)"},
    {"CountPastTheDirectory", [](std::string& a) { Forge(a, 0, 2, 4); }, "", "the directory of the pages is cut short"},
    {"EntryPointsOutside", [](std::string& a) { Forge(a, kEntry + 4, 1u << 30, 8); }, "book/a.htm",
     "it points outside the book's pages"},
    {"EntrySizeReachesTheDirectory", [](std::string& a) { Forge(a, kEntry + 12, 0xFFFFFF00u, 4); }, "book/a.htm",
     "it points outside the book's pages"},
    {"DictionaryOutside", [](std::string& a) { Forge(a, 4, 0xFFFFFFFFFFull, 8); }, "", "it points outside the book's pages"},
    {"UnknownMethod", [](std::string& a) { Forge(a, kEntry + 1, 7, 1); }, "book/a.htm",
     "its entry in the directory is not one this program reads"},
    {"StoredSizesDisagree", [](std::string& a) { Forge(a, kEntry + 1, 0, 1); }, "book/a.htm", "its sizes disagree"},
    {"DeflatedSizePastWhatDeflateCanGive", [](std::string& a) { Forge(a, kEntry + 16, 0xF0000000u, 4); }, "book/a.htm",
     "its sizes disagree"},
    {"EntryFailsItsChecksum", [](std::string& a) { Forge(a, kEntry + 20, 12345, 4); }, "book/a.htm", "it fails its checksum"},
    {"EntryDoesNotInflate", [](std::string& a) { a[3] = static_cast<char>(a[3] ^ 0x5A); a[4] ^= 0x33; }, "book/a.htm",
     "it does not decompress"},
    {"EntryDecodesShort", [](std::string& a) { Forge(a, kEntry + 16, 99999, 4); }, "book/a.htm", "it does not decompress"},
};

class PageArchiveDamage : public testing::TestWithParam<Damage> {};

TEST_P(PageArchiveDamage, SaysWhatCannotBeRead) {
    PageArchiveWriter writer;
    writer.AddPage("book/a.htm", Html(4));
    std::string archive = writer.Finish();
    GetParam().change(archive);
    const std::string book = Book(archive);
    const MemorySource source(book);
    try {
        const auto opened = PageArchive::Open(source);
        ASSERT_TRUE(opened);
        ASSERT_EQ(opened->Entries().size(), 1u);
        opened->Read(source, opened->Entries()[0]);
        FAIL() << "the damage went unnoticed";
    } catch (const EBookDamaged& damaged) {
        EXPECT_EQ(damaged.Page(), GetParam().page);
        EXPECT_STREQ(damaged.what(), GetParam().why);
    }
}

INSTANTIATE_TEST_SUITE_P(Each, PageArchiveDamage, testing::ValuesIn(kDamages),
                         [](const testing::TestParamInfo<Damage>& info) { return std::string(info.param.what); });

TEST(PageArchive, ABookCutShortAfterOpeningLosesOnlyItsPages) {
    const std::string book = Book(Archive(Pages(), ""));
    const MemorySource whole(book);
    const auto archive = PageArchive::Open(whole);
    ASSERT_TRUE(archive);
    const ArchiveEntry* page = archive->FindPage("book/index.htm");
    const MemorySource cut(std::string_view(book).substr(0, page->offset + page->storedSize - 1));
    try {
        archive->Read(cut, *page);
        FAIL() << "a cut page was read";
    } catch (const EBookDamaged& damaged) {
        EXPECT_EQ(damaged.Page(), "book/index.htm");
        EXPECT_STREQ(damaged.what(), "its bytes are missing from the book");
    }
    EXPECT_EQ(archive->Read(cut, *archive->FindPage("book/empty.txt")), "");
}

}  // namespace
}  // namespace vc
