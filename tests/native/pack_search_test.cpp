// vellumcast-pack search: the book's pages indexed as they would be stored,
// and the [search] section's values.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "book_search.h"
#include "pack.h"
#include "search_button.h"

namespace vc::pack {
namespace {

namespace fs = std::filesystem;

class PackSearch : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::path(::testing::TempDir()) / "vc_pack_search";
        fs::remove_all(root_);
        fs::create_directories(root_ / "pages" / "sub");
        Write("pages/index.htm", "<title>Home</title><p>Welcome. See the caf\xE9 page.</p>");
        Write("pages/sub/cafe.html", "<meta charset=utf-8><title>Caf\xC3\xA9</title><p>Coffee at the caf\xC3\xA9.</p>");
        Write("pages/other.htm", "<title>Other</title><p>Nothing here.</p>");
        Write("pages/notes.txt", "caf\xC3\xA9 in a file that is no page");
    }
    void TearDown() override { fs::remove_all(root_); }

    void Write(const std::string& name, const std::string& text) {
        std::ofstream(root_ / name, std::ios::binary) << text;
    }

    // The exit code, then what went to the output and to the errors.
    std::string Run(const std::string& section, std::vector<std::string> args) {
        Write("book.ini", "[book]\ntitle = T\nstart-page = pages/index.htm\n" + section);
        args.insert(args.begin() + 1, (root_ / "book.ini").string());
        std::ostringstream out, err;
        const int code = RunPack(args, out, err);
        return std::to_string(code) + "\n" + out.str() + err.str();
    }

    fs::path root_;
};

TEST_F(PackSearch, PrintsWhatReadersFindInEveryHtmlPage) {
    // Title first; the 8-bit page reads in the book's Windows-1252. A word
    // in most pages weighs next to nothing, but still ranks.
    EXPECT_EQ(Run("", {"search", "CAFE"}),
              "0\n"
              "pages/sub/cafe.html | Caf\xC3\xA9 | 1.817e-06 | Coffee at the [caf\xC3\xA9].\n"
              "pages/index.htm | Home | 8.953e-07 | Welcome. See the [caf\xC3\xA9] page.\n"
              "2 results\n");
    EXPECT_EQ(Run("[search]\non = yes\n", {"search", "welc", "--typing"}),
              "0\npages/index.htm | Home | 0.4574 | [Welcome]. See the caf\xC3\xA9 page.\n1 result\n");
    EXPECT_EQ(Run("", {"search", "\"no page\""}), "0\n0 results\n");
}

TEST_F(PackSearch, EncodingDecidesHowUndeclaredPagesRead) {
    // Read as UTF-8, the lone 0xE9 is no letter: "caf" is a word of its own.
    EXPECT_EQ(Run("[search]\nencoding = UTF-8\n", {"search", "caf"}),
              "0\npages/index.htm | Home | 0.4574 | Welcome. See the [caf]\xEF\xBF\xBD page.\n1 result\n");
}

TEST_F(PackSearch, RefusesWhatItCannotSearch) {
    const std::string book = (root_ / "book.ini").string();
    EXPECT_EQ(Run("[search]\non = no\n", {"search", "cafe"}),
              "1\n" + book + ": [search] on = no: the book has no search index\n");
    EXPECT_EQ(Run("[search]\nencoding = koi8-r\n", {"search", "cafe"}),
              "1\n" + book + ":5: [search] encoding = \"koi8-r\": use windows-1252 or utf-8\n");
    EXPECT_EQ(Run("[search]\non = maybe\n", {"search", "cafe"}).substr(0, 2), "1\n");
    EXPECT_NE(Run("[search]\nlanguage = en\n", {"search", "cafe"}).find(":5: unknown key \"language\" in section [search]"),
              std::string::npos);
    EXPECT_EQ(Run("", {"search"}).substr(0, 2), "2\n");
}

}  // namespace
}  // namespace vc::pack

namespace vc::pack {
namespace {

TEST(PackSearchButton, TheDescriptionsKeysBecomeTheSettingsText) {
    EXPECT_EQ(SearchButtonSettingsText(ParseBook("[search]\n", "b.ini")),
              "search.button=yes\nsearch.hint=Search this book\n");
    EXPECT_EQ(SearchButtonSettingsText(ParseBook("[search]\nbutton = NO\nhint = Look it up\n", "b.ini")),
              "search.button=no\nsearch.hint=Look it up\n");
    try {
        SearchButtonSettingsText(ParseBook("[search]\n\nbutton = maybe\n", "b.ini"));
        ADD_FAILURE() << "no error";
    } catch (const PackError& e) {
        EXPECT_STREQ(e.what(), "b.ini:3: [search] button = \"maybe\": use yes or no");
    }
}

}  // namespace
}  // namespace vc::pack
