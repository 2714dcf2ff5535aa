// vellumcast-pack with the pages inside the e-book: what goes in, what is
// refused before anything is written, inspect and extract.
#include <gtest/gtest.h>

#include <map>

#include "book/configuration.h"
#include "book/page_archive.h"
#include "book_file.h"
#include "pack.h"
#include "pack_fixture.h"

namespace vc::pack {
namespace {

constexpr const char* kBook = "[book]\ntitle = One file\nstart-page = pages/index.htm\n";

class PackPages : public PackFiles {
protected:
    void SetUp() override {
        PackFiles::SetUp();
        fs::create_directories(root_ / "book" / "pages" / "art");
        Write(root_ / "book" / "pages" / "art" / "logo.png", "\x89PNG" + std::string(300, 'p'));
        Write(root_ / "book" / "pages" / "empty.css", "");
    }
    // The pages of an e-book file by name, read through its archive.
    static std::map<std::string, std::string> PagesOf(const fs::path& ebook) {
        const std::string image = Read(ebook);
        const MemorySource source(image);
        const auto archive = PageArchive::Open(source);
        std::map<std::string, std::string> pages;
        if (archive)
            for (const auto& entry : archive->Entries()) pages[entry.name] = archive->Read(source, entry);
        return pages;
    }
    std::map<std::string, std::string> Expected() const {
        return {{"pages/art/logo.png", "\x89PNG" + std::string(300, 'p')},
                {"pages/empty.css", ""},
                {"pages/index.htm", "<html><body>Start</body></html>"},
                {"pages/two.htm", "<html><body>Two</body></html>"}};
    }
};

TEST_F(PackPages, ABookCarriesItsPagesAndWritesNothingButTheProgram) {
    ASSERT_TRUE(Built(kBook, OutPath()));
    EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "out"), fs::directory_iterator()), 1);
    EXPECT_EQ(PagesOf(OutPath()), Expected());
    EXPECT_TRUE(Holds(out_.str(), ", 4 pages inside in "));
    // The configuration reads as before, and the same inputs give the same bytes.
    EXPECT_EQ(ConfigurationLines(ReadEBookPayload(OutPath())).Line(line::kStartPage), "C:\\Books\\book\\pages\\index.htm");
    const fs::path again = root_ / "again" / "Book.exe";
    ASSERT_TRUE(Built(kBook, again));
    EXPECT_TRUE(Read(again) == Read(OutPath()));
}

TEST_F(PackPages, TheClassicLayoutKeepsThePagesBesideAndNoneInside) {
    ASSERT_TRUE(Built(std::string(kBook) + "pages = Beside\n", OutPath()));
    EXPECT_TRUE(PagesOf(OutPath()).empty());
    EXPECT_EQ(Read(root_ / "out" / "pages" / "art" / "logo.png"), Expected()["pages/art/logo.png"]);
    fs::remove_all(root_ / "out");
    EXPECT_EQ(BuildError(std::string(kBook) + "pages = elsewhere\n"),
              file_ + ":4: [book] pages = \"elsewhere\": use inside (the pages travel in the e-book) or beside (in "
                      "their folders next to it)");
}

struct Refusal {
    const char* what;
    void (*make)(const fs::path& pages);
    const char* file;    // under the pages folder
    const char* reason;  // after the file
};

const Refusal kRefusals[] = {
    {"DeviceName", [](const fs::path& p) { std::ofstream(p / "aux.htm"); }, "aux.htm",
     ": its name \"pages/aux.htm\" cannot be addressed inside the book: \"aux.htm\" is a device name"},
    {"TrailingDot", [](const fs::path& p) { fs::create_directories(p / "old."); std::ofstream(p / "old." / "a.htm"); },
     "old./a.htm", ": its name \"pages/old./a.htm\" cannot be addressed inside the book: a name cannot end a step "
     "with a dot or a blank"},
    {"ControlCharacter", [](const fs::path& p) { std::ofstream(p / "a\tb.htm"); }, "a\\x09b.htm",
     ": its name \"pages/a\\x09b.htm\" cannot be addressed inside the book: a name cannot hold control characters"},
    {"LetterCase", [](const fs::path& p) { std::ofstream(p / "TWO.htm"); }, "two.htm",
     ": its name differs only in letter case from \"PAGES/TWO.htm\", and the book could not tell them apart"},
    {"LinkOut", [](const fs::path& p) { fs::create_symlink(p.parent_path() / "book.ini", p / "notes.htm"); },
     "notes.htm", ": a link that leads out of the pages folder (to \"BOOK/book.ini\")"},
    {"LinkLoop", [](const fs::path& p) { fs::create_directory_symlink(p, p / "again"); }, "again",
     ": a link back to a folder that holds it"},
};

class PackPagesRefusal : public PackPages, public testing::WithParamInterface<Refusal> {};

TEST_P(PackPagesRefusal, NamesTheFileAndTheReasonBeforeWritingAnything) {
    const fs::path pages = root_ / "book" / "pages";
    GetParam().make(pages);
    std::string expected = "\"PAGES/" + std::string(GetParam().file) + "\"" + GetParam().reason;
    for (const auto& [folder, real] : {std::pair{"PAGES/", pages}, {"BOOK/", root_ / "book"}})
        for (auto at = expected.find(folder); at != std::string::npos; at = expected.find(folder))
            expected.replace(at, std::string(folder).size() - 1, real.generic_string());
    EXPECT_EQ(BuildError(kBook), expected);
}

INSTANTIATE_TEST_SUITE_P(Each, PackPagesRefusal, testing::ValuesIn(kRefusals),
                         [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.what); });

TEST_F(PackPages, ABookPastTheTrailersReachIsRefused) {
    EXPECT_NO_THROW(RefuseOversizedEBook(INT32_MAX - 24 - 2, 1, 1));
    try {
        RefuseOversizedEBook(1u << 20, (1u << 31) - (1u << 20), 100);
        FAIL() << "a book past 2 GiB was taken";
    } catch (const PackError& e) {
        EXPECT_STREQ(e.what(), "the e-book would be 2147483772 bytes (runtime 1048576, pages 2146435072, payload 100), "
                               "more than the 2147483647 (2 GiB) the payload trailer can address");
    }
}

TEST_F(PackPages, InspectListsEveryPageWithItsSizesAndTheTotals) {
    ASSERT_TRUE(Built(kBook, OutPath()));
    ASSERT_EQ(Run({"inspect", OutPath().string()}), 0) << err_.str();
    const std::string listing = out_.str();
    EXPECT_TRUE(Holds(listing, "pages inside the book:\n        size      stored  name\n         304         304  "
                               "pages/art/logo.png\n           0           0  pages/empty.css\n          31"));
    EXPECT_TRUE(Holds(listing, "         364         "));
    EXPECT_TRUE(Holds(listing, "  4 pages, "));
    ASSERT_TRUE(Built(std::string(kBook) + "pages = beside\n", OutPath()));
    ASSERT_EQ(Run({"inspect", OutPath().string()}), 0);
    EXPECT_TRUE(Holds(out_.str(), "no pages inside: they lie in their folders beside the e-book\n"));
}

TEST_F(PackPages, ExtractGivesThePagesBackAndRebuildsTheSameBook) {
    ASSERT_TRUE(Built(kBook, OutPath()));
    const fs::path copy = root_ / "copy";
    ASSERT_EQ(Run({"extract", OutPath().string(), "-o", (copy / "book.ini").string(), "--pages", copy.string()}), 0)
        << err_.str();
    EXPECT_TRUE(Holds(out_.str(), "4 pages written under " + copy.string()));
    for (const auto& [name, bytes] : Expected()) EXPECT_EQ(Read(copy / name), bytes) << name;
    // The copy builds the same e-book, byte for byte.
    ASSERT_EQ(Run({"build", (copy / "book.ini").string(), "--runtime", RuntimePath().string(), "--out",
                   (root_ / "rebuilt.exe").string()}), 0) << err_.str();
    EXPECT_TRUE(Read(root_ / "rebuilt.exe") == Read(OutPath()));

    // Pages given back before are written again; an author's change is not,
    // and then nothing is written at all.
    ASSERT_EQ(Run({"extract", OutPath().string(), "-o", "-", "--pages", copy.string()}), 0) << err_.str();
    Write(copy / "pages" / "two.htm", "edited");
    fs::remove(copy / "pages" / "index.htm");
    EXPECT_EQ(Run({"extract", OutPath().string(), "-o", "-", "--pages", copy.string()}), 1);
    EXPECT_EQ(Trimmed(err_.str()), OutPath().string() + ": refusing to write over \"" +
                                       (copy / "pages" / "two.htm").generic_string() +
                                       "\": it exists and does not hold this page; give --force to replace it");
    EXPECT_FALSE(fs::exists(copy / "pages" / "index.htm"));
    ASSERT_EQ(Run({"extract", OutPath().string(), "-o", "-", "--pages", copy.string(), "--force"}), 0);
    EXPECT_EQ(Read(copy / "pages" / "two.htm"), Expected()["pages/two.htm"]);
}

TEST_F(PackPages, AClassicBookExtractsAsClassic) {
    ASSERT_TRUE(Built(std::string(kBook) + "pages = beside\n", OutPath()));
    EXPECT_EQ(Run({"extract", OutPath().string(), "-o", "-", "--pages", (root_ / "copy").string()}), 1);
    EXPECT_EQ(Trimmed(err_.str()), OutPath().string() + " carries no pages: they lie in their folders beside the e-book");
    ASSERT_EQ(Run({"extract", OutPath().string(), "-o", "-"}), 0);
    const Book extracted = ParseBook(out_.str(), "extracted.ini");
    EXPECT_FALSE(ComposeBook(extracted, BookPath()).pagesInside);
}

}  // namespace
}  // namespace vc::pack
