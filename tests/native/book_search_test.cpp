#include "window/book_search.h"

#include <gtest/gtest.h>

#include <string>

#include "book/page_archive.h"
#include "common/unicode.h"
#include "search/index_writer.h"
#include "simulated_code_pages.h"

namespace vc {
namespace {

TEST(WideText, RoundTripsEveryCodePointAndReplacesWhatIsBroken) {
    const std::string text = "a\xC3\xA8\xE2\x80\x94\xF0\x9F\x93\x96";  // a, e grave, dash, a book (past U+FFFF)
    EXPECT_EQ(Utf8ToUtf16(text), u"a\u00E8\u2014\U0001F4D6");
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
    EXPECT_EQ(Utf8ToUtf16("a\xE8z"), u"a\uFFFDz");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(u"a") + char16_t(0xD800) + u"z" + char16_t(0xDC00)), "a\uFFFDz\uFFFD");
}

TEST(SearchPaneTexts, CountThePagesAndSayWhereAResultOpens) {
    EXPECT_EQ(SearchStatus(0, 0, false), "");
    EXPECT_EQ(SearchStatus(0, 0, true), "No page found.");
    EXPECT_EQ(SearchStatus(1, 1, true), "1 page");
    EXPECT_EQ(SearchStatus(200, 200, true), "200 pages");
    EXPECT_EQ(SearchStatus(200, 201, true), "200 of 201 pages");
    const CodePage& western = testing::Western();
    EXPECT_EQ(SearchResultAddress("pages/a b.htm", "host", "C:\\B\\", western), "vcbook://host/pages/a%20b.htm");
    EXPECT_EQ(SearchResultAddress("pages/sub/cr\xC3\xA8me.htm", "", "C:\\B", western),
              "C:\\B\\pages\\sub\\cr\xE8me.htm");
    // A name the code page cannot spell, or one that is not UTF-8, opens nothing.
    EXPECT_EQ(SearchResultAddress("pages/cr\xC3\xA8me.htm", "", "C:\\B\\", testing::Japanese()), std::nullopt);
    EXPECT_EQ(SearchResultAddress("pages/cr\xE8me.htm", "", "C:\\B\\", western), std::nullopt);
}

TEST(SearchRowLeadIn, KeepsTheLastWordsBeforeTheMatchThatFit) {
    const auto width = [](std::string_view text) { return static_cast<int>(text.size()) * 7; };
    EXPECT_EQ(LeadInThatFits("a few words ", 100, width), "a few words ") << "12 letters, 84 pixels: all fit";
    EXPECT_EQ(LeadInThatFits("one two three four five ", 100, width), "...four five ");
    EXPECT_EQ(LeadInThatFits("...many words before the ", 100, width), "...before the ");
    EXPECT_EQ(LeadInThatFits("averyveryverylongword ", 100, width), "...") << "no word start leaves room";
    EXPECT_EQ(LeadInThatFits("", 0, width), "");
}

struct PaneWidthCase {
    int clientWidth, dpi, expected;
};

class SearchPaneWidthTest : public ::testing::TestWithParam<PaneWidthCase> {};

TEST_P(SearchPaneWidthTest, IsAThirdOfThePageAreaWithinItsBounds) {
    EXPECT_EQ(SearchPaneWidth(GetParam().clientWidth, Scale(GetParam().dpi)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    NarrowToWide, SearchPaneWidthTest,
    ::testing::Values(PaneWidthCase{800, 96, 266}, PaneWidthCase{600, 96, 240}, PaneWidthCase{1500, 96, 400},
                      PaneWidthCase{400, 96, 200},  // never more than half the page area
                      PaneWidthCase{0, 96, 0}, PaneWidthCase{-5, 96, 0}, PaneWidthCase{1000, 192, 480},
                      PaneWidthCase{2400, 192, 800}));

std::string SmallIndex(int pages) {
    search::IndexWriter writer;
    writer.AddPage("pages/untitled.htm", "", "an orchard of apple trees");
    for (int i = 0; i < pages; ++i) writer.AddPage("pages/p" + std::to_string(i) + ".htm", "Apple", "apple pie");
    return writer.Finish();
}

TEST(BookSearch, ReadsTheIndexOnceAndOnlyWhenThereAreWordsToFind) {
    int loads = 0;
    BookSearch search([&] { return ++loads, SmallIndex(250); });
    EXPECT_TRUE(search.Search(" ,;\" -", true).rows.empty());
    EXPECT_EQ(loads, 0);
    SearchView orchard = search.Search("orch", true);
    ASSERT_EQ(orchard.rows.size(), 1u);
    SearchRow& row = orchard.rows[0];
    EXPECT_EQ(row.title, "pages/untitled.htm") << "a page without a title shows its name";
    EXPECT_FALSE(row.hasSnippet) << "the snippet waits for the list to show the row";
    search.AddSnippet(row);
    EXPECT_TRUE(row.hasSnippet);
    EXPECT_EQ(row.snippet, "an orchard of apple trees");
    ASSERT_EQ(row.matches.size(), 1u);
    EXPECT_EQ(row.matches[0].begin, 3u) << "the typed prefix marks the whole word";
    EXPECT_EQ(row.matches[0].length, 7u);
    EXPECT_TRUE(search.Search("orch", false).rows.empty()) << "a finished word is no prefix";
    const SearchView apple = search.Search("apple", false);
    EXPECT_EQ(apple.rows.size(), search::kMaxResults);
    EXPECT_EQ(apple.status, "200 of 251 pages");
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(search.TakeDamageMessage(), "");
}

// The window has the index read on a thread of its own while the reader types.
TEST(BookSearch, SaysSoWhileTheIndexIsReadElsewhereThenSearchesIt) {
    int loads = 0;
    BookSearch search([&] { return ++loads, SmallIndex(2); });
    const std::optional<BookSearch::Loader> load = search.BeginReading();
    ASSERT_TRUE(load.has_value());
    EXPECT_FALSE(search.BeginReading().has_value()) << "the reading has begun";
    EXPECT_EQ(search.Search("apple", true).status, "Reading the search index\xE2\x80\xA6");
    EXPECT_EQ(search.Search("", true).status, "") << "no words, nothing to wait for";
    EXPECT_EQ(loads, 0) << "a search meanwhile does not read it a second time";
    search.Adopt(BookSearch::Read(*load));
    EXPECT_EQ(search.Search("apple", true).status, "3 pages");
    EXPECT_EQ(loads, 1);
    EXPECT_FALSE(search.BeginReading().has_value());
}

TEST(BookSearch, ASnippetAskedOfADamagedIndexIsEmptyAndTheNextSearchSaysSo) {
    BookSearch search([] { return SmallIndex(2); });
    SearchView apple = search.Search("apple", false);
    ASSERT_EQ(apple.rows.size(), 3u);
    SearchRow bogus = apple.rows[0];
    bogus.pageNumber = 1000;  // as a damaged index could make it
    search.AddSnippet(bogus);
    EXPECT_TRUE(bogus.hasSnippet && bogus.snippet.empty());
    search.AddSnippet(apple.rows[1]);
    EXPECT_TRUE(apple.rows[1].snippet.empty()) << "the index is no longer read";
    EXPECT_EQ(search.Search("apple", false).status, "The search index of this book is damaged.");
    EXPECT_EQ(search.TakeDamageMessage(), "The search index of this book is damaged.");
}

class DamagedIndex : public ::testing::TestWithParam<std::string (*)()> {};

TEST_P(DamagedIndex, IsToldOnceAndLeavesAnEmptyListThatSaysSo) {
    int loads = 0;
    BookSearch search([&] { return ++loads, GetParam()(); });
    EXPECT_EQ(search.TakeDamageMessage(), "") << "nothing is told before the index is read";
    const SearchView first = search.Search("apple", true);
    EXPECT_TRUE(first.rows.empty());
    EXPECT_EQ(first.status, "The search index of this book is damaged.");
    EXPECT_EQ(search.TakeDamageMessage(), "The search index of this book is damaged.");
    EXPECT_EQ(search.Search("pie", true).status, first.status);
    EXPECT_EQ(search.TakeDamageMessage(), "");
    EXPECT_EQ(loads, 1) << "a damaged index is not read again";
}

INSTANTIATE_TEST_SUITE_P(EntryFailsItsChecksumBytesAreNoIndexIndexIsCut, DamagedIndex,
                         ::testing::Values([]() -> std::string { throw EBookDamaged("", "checksum"); },
                                           [] { return std::string("not an index at all"); },
                                           [] { return SmallIndex(3).substr(0, 60); }));

}  // namespace
}  // namespace vc
