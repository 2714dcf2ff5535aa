// The search index written and read back: each query form on a small book
// whose answers are known, the ranking order, snippets and damage.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "error_text.h"
#include "search/index_writer.h"
#include "search/search_index.h"

namespace vc::search {
namespace {

struct CorpusPage {
    const char* name;
    const char* title;
    const char* body;
};

const CorpusPage kCorpus[] = {
    {"fruit.htm", "Apples and Pears", "The apple is a fruit. Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e is a dessert made with cream."},
    {"veg.htm", "Vegetables", "A carrot is a root vegetable. Apples are not vegetables."},
    {"cooking.htm", "Cooking", "Cooking with apple and pear: the quick brown fox bakes an apple pie."},
    {"fox.htm", "The Fox", "The quick brown fox jumps over the lazy dog. Brown foxes are quick."},
    {"empty.htm", "", ""},
    {"python.htm", "os.path", "os.path.join joins paths. Use python3 for scripts."},
};

std::string CorpusIndex() {
    IndexWriter writer;
    for (const CorpusPage& page : kCorpus) writer.AddPage(page.name, page.title, page.body);
    return writer.Finish();
}

std::vector<std::string> Pages(const SearchResults& found) {
    std::vector<std::string> pages;
    for (const SearchResult& result : found.results) pages.push_back(result.page);
    return pages;
}

std::string Sorted(std::vector<std::string> pages) {
    std::sort(pages.begin(), pages.end());
    std::string out;
    for (const std::string& page : pages) out += (out.empty() ? "" : " ") + page;
    return out;
}

struct Expected {
    const char* query;
    bool whileTyping;
    const char* pages;  // in name order
};

class QueryForms : public ::testing::TestWithParam<Expected> {};

TEST_P(QueryForms, FindTheKnownPages) {
    const std::string bytes = CorpusIndex();
    const SearchIndex index = SearchIndex::Open(bytes);
    const SearchResults found = index.Query(GetParam().query, GetParam().whileTyping);
    EXPECT_EQ(Sorted(Pages(found)), GetParam().pages);
    EXPECT_EQ(found.total, found.results.size());
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, QueryForms,
    ::testing::Values(Expected{"apple", false, "cooking.htm fruit.htm"},
                      Expected{"APPLE*", false, "cooking.htm fruit.htm veg.htm"},
                      Expected{"CR\xC3\x88ME", false, "fruit.htm"},
                      Expected{"creme brulee", false, "fruit.htm"},
                      Expected{"quick fox", false, "cooking.htm fox.htm"},
                      Expected{"\"quick brown fox\"", false, "cooking.htm fox.htm"},
                      Expected{"\"fox jumps\"", false, "fox.htm"},
                      Expected{"\"brown quick\"", false, ""},
                      Expected{"\"quick bro*\" jumps", false, "fox.htm"},
                      Expected{"fox -lazy", false, "cooking.htm"},
                      Expected{"fox -\"lazy dog\" -carrot", false, "cooking.htm"},
                      Expected{"carrot OR pear", false, "cooking.htm veg.htm"},
                      Expected{"\"brown fox\" OR carrot", false, "cooking.htm fox.htm veg.htm"},
                      Expected{"os.path", false, "python.htm"},
                      Expected{"path.os", false, ""},
                      Expected{"python3", false, "python.htm"},
                      Expected{"quic", true, "cooking.htm fox.htm"},
                      Expected{"quic", false, ""},
                      Expected{"fox  qu", true, "cooking.htm fox.htm"},
                      Expected{"zzz*", false, ""},
                      Expected{"-apple", false, ""},
                      Expected{"-apple -fox", true, ""},
                      Expected{"\"", true, ""},
                      Expected{"\"quick", false, "cooking.htm fox.htm"},
                      Expected{"\x01\x02\x7F", true, ""},
                      Expected{"?!* ... --", true, ""}));

TEST(SearchRanking, TitleRarityAndLengthDecideTheOrder) {
    const std::string corpus = CorpusIndex();
    const SearchIndex index = SearchIndex::Open(corpus);
    // One body mention each, but "The Fox" has it in its title too.
    EXPECT_EQ(Pages(index.Query("fox", false)), (std::vector<std::string>{"fox.htm", "cooking.htm"}));
    // Only fruit.htm has "Apples" in its title.
    EXPECT_EQ(Pages(index.Query("apple*", false)).front(), "fruit.htm");

    IndexWriter writer;
    const std::string filler = " filler filler filler filler filler filler filler filler filler filler";
    writer.AddPage("long.htm", "", ("zebra rare" + filler + filler).c_str());
    writer.AddPage("short.htm", "", ("zebra" + filler).c_str());
    writer.AddPage("twin.htm", "", ("zebra" + filler).c_str());
    writer.AddPage("other.htm", "", filler.c_str());
    writer.AddPage("other2.htm", "", filler.c_str());
    const std::string bytes = writer.Finish();
    const SearchIndex pages = SearchIndex::Open(bytes);
    // Shorter pages first; equal scores keep the order the pages were added in.
    const SearchResults zebra = pages.Query("zebra", false);
    EXPECT_EQ(Pages(zebra), (std::vector<std::string>{"short.htm", "twin.htm", "long.htm"}));
    EXPECT_EQ(zebra.results[0].score, zebra.results[1].score);
    EXPECT_GT(zebra.results[1].score, zebra.results[2].score);
    // A rare word outweighs a common one: long.htm alone has "rare".
    EXPECT_EQ(Pages(pages.Query("zebra OR rare", false)).front(), "long.htm");
}

TEST(SearchResults, AreCappedWithTheirTotalCounted) {
    IndexWriter writer;
    for (int i = 0; i < 250; ++i) writer.AddPage("p" + std::to_string(i) + ".htm", "", "common word");
    writer.AddPage("last.htm", "common", "");
    const std::string bytes = writer.Finish();
    const SearchResults found = SearchIndex::Open(bytes).Query("common", false);
    EXPECT_EQ(found.total, 251u);
    ASSERT_EQ(found.results.size(), kMaxResults);
    EXPECT_EQ(found.results[0].page, "last.htm") << "the title match ranks first";
    EXPECT_EQ(found.results[1].page, "p0.htm");
}

std::string Matched(const SearchResult& result) {
    std::string out;
    for (const TextRange& match : result.matches) out += "[" + result.snippet.substr(match.begin, match.length) + "]";
    return out;
}

TEST(SearchResults, SnippetsShowTheWordsAroundTheFirstMatch) {
    std::string body;
    for (int i = 0; i < 100; ++i) body += (i == 50 ? "Tar\xC3\xA7" "et" : "w" + std::to_string(i)) + " ";
    IndexWriter writer;
    writer.AddPage("long.htm", "Long target", body);
    writer.AddPage("short.htm", "Short", "A lazy dog, a lazy cat.");
    const std::string bytes = writer.Finish();
    const SearchIndex index = SearchIndex::Open(bytes);

    const SearchResult middle = index.Query("tarcet", false).results.at(0);
    EXPECT_EQ(middle.snippet.substr(0, 7), "...w42 ");
    EXPECT_EQ(middle.snippet.substr(middle.snippet.size() - 7), " w71...");
    EXPECT_EQ(Matched(middle), "[Tar\xC3\xA7" "et]");

    const SearchResult both = index.Query("laz", true).results.at(0);
    EXPECT_EQ(both.snippet, "A lazy dog, a lazy cat.");
    EXPECT_EQ(Matched(both), "[lazy][lazy]");

    // Without snippets the same pages; a snippet made later is the same.
    SearchResults bare = index.QueryWithoutSnippets("tarcet", false);
    ASSERT_EQ(bare.results.size(), 1u);
    EXPECT_TRUE(bare.results[0].snippet.empty());
    index.AddSnippet(bare.results[0], "tarcet", false);
    EXPECT_EQ(bare.results[0].snippet, middle.snippet);
    EXPECT_EQ(Matched(bare.results[0]), Matched(middle));
    bare.results[0].pageNumber = 2;
    EXPECT_THROW(index.AddSnippet(bare.results[0], "tarcet", false), ESearchIndexDamaged) << "no such page";

    // A match in the title alone: the body's first words, nothing marked.
    const SearchResult title = index.Query("long", false).results.at(0);
    EXPECT_EQ(title.snippet.substr(0, 9), "w0 w1 w2 ");
    EXPECT_TRUE(title.matches.empty());
}

std::string Runs(std::string_view snippet, std::vector<TextRange> matches) {
    std::string shown;
    for (const SnippetRun& run : SplitSnippet(snippet, matches))
        shown += run.matched ? "[" + std::string(run.text) + "]" : "(" + std::string(run.text) + ")";
    return shown;
}

TEST(SnippetRuns, CutTheSnippetAtItsMatchesAndKeepWithinIt) {
    EXPECT_EQ(Runs("a lazy dog", {{2, 4}}), "(a )[lazy]( dog)");
    EXPECT_EQ(Runs("lazy", {{0, 4}}), "[lazy]");
    EXPECT_EQ(Runs("ab cd", {{0, 2}, {3, 2}}), "[ab]( )[cd]");
    EXPECT_EQ(Runs("plain", {}), "(plain)");
    EXPECT_EQ(Runs("", {{0, 3}}), "");
    // Ranges no index of ours writes: overlapping, past the end, huge.
    EXPECT_EQ(Runs("abcdef", {{1, 3}, {2, 3}}), "(a)[bcd][e](f)");
    EXPECT_EQ(Runs("abc", {{1, 99}}), "(a)[bc]");
    EXPECT_EQ(Runs("abc", {{SIZE_MAX, SIZE_MAX}}), "(abc)");
    EXPECT_EQ(Runs("abc", {{2, SIZE_MAX}, {0, 1}}), "(ab)[c]");
}

TEST(SearchIndexDamage, AnyDamageIsReportedAndNothingIsReadOutside) {
    const std::string good = CorpusIndex();
    EXPECT_EQ(vc::testing::ErrorText([] { SearchIndex::Open(""); }), "The search index of this book is damaged.");
    std::string newer = good;
    newer[4] = 2;
    EXPECT_EQ(vc::testing::ErrorText([&] { SearchIndex::Open(newer); }), "The search index of this book is damaged.");

    const auto check = [](const std::string& bytes) {
        const std::string error = vc::testing::ErrorText([&] {
            const SearchIndex index = SearchIndex::Open(bytes);
            for (const char* query : {"apple*", "\"quick brown fox\" -lazy", "os.path OR carrot", "a*"}) {
                index.Query(query, true);
            }
        });
        return error == "no error" || error == "The search index of this book is damaged.";
    };
    std::size_t caught = 0;
    for (std::size_t size = 0; size < good.size(); ++size) {
        const std::string cut = good.substr(0, size);
        ASSERT_TRUE(check(cut)) << "cut at " << size;
        caught += vc::testing::ErrorText([&] { SearchIndex::Open(cut).Query("a*", false); }) != "no error";
    }
    EXPECT_GT(caught, good.size() * 9 / 10) << "most cuts are noticed at once";
    std::mt19937 random(7);
    for (std::size_t at = 0; at < good.size(); ++at) {
        std::string bad = good;
        bad[at] = static_cast<char>(bad[at] ^ (1 + random() % 255));
        ASSERT_TRUE(check(bad)) << "byte " << at;
    }
}

TEST(SearchIndexDamage, BadQueriesGetAnAnswer) {
    const std::string bytes = CorpusIndex();
    const SearchIndex index = SearchIndex::Open(bytes);
    std::mt19937 random(3);
    std::string noise;
    for (int i = 0; i < 10000; ++i) noise.push_back(static_cast<char>(random() % 256));
    EXPECT_NO_THROW(index.Query(noise, true));
    EXPECT_EQ(index.Query(std::string(10000, '"'), true).total, 0u);
    EXPECT_EQ(index.Query(std::string(10000, 'a'), true).total, 0u);
    std::string many;
    while (many.size() < 10000) many += "fox OR -\"quick ";
    EXPECT_NO_THROW(index.Query(many, true));
}

}  // namespace
}  // namespace vc::search
