// Words and page text as the search index takes them in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/html_text.h"
#include "search/query.h"
#include "search/tokenizer.h"

namespace vc::search {
namespace {

using Words = std::vector<std::string>;

struct FoldCase {
    const char* text;
    Words words;
};

class WordFolding : public ::testing::TestWithParam<FoldCase> {};

TEST_P(WordFolding, GivesTheFoldedWords) { EXPECT_EQ(FoldedWords(GetParam().text), GetParam().words); }

INSTANTIATE_TEST_SUITE_P(
    Texts, WordFolding,
    ::testing::Values(FoldCase{"Cr\xC3\xA8me BR\xC3\x9BL\xC3\x89" "E", {"creme", "brulee"}},
                      FoldCase{"Cre\xCC\x80me", {"creme"}},  // a combining grave accent
                      FoldCase{"Stra\xC3\x9F" "e \xC3\x86sir \xC3\x9Eorn \xC5\x92uvre \xC4\xB2", {"strasse", "aesir", "thorn", "oeuvre", "ij"}},
                      FoldCase{"\xC5\x81\xC3\xB3" "d\xC5\xBA \xC4\x9B\xC5\xA1\xC4\x8D", {"lodz", "esc"}},
                      FoldCase{"\xCE\x86\xCE\xA1\xCE\x97\xCE\xA3 \xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82", {"\xCE\xB1\xCF\x81\xCE\xB7\xCF\x83", "\xCE\xBB\xCE\xBF\xCE\xB3\xCE\xBF\xCF\x83"}},
                      FoldCase{"\xD0\x9C\xD0\x98\xD0\xA0", {"\xD0\xBC\xD0\xB8\xD1\x80"}},
                      FoldCase{"os.path_join(x2, 10)", {"os", "path", "join", "x2", "10"}},
                      FoldCase{"co\xC2\xAD" "operate don't", {"cooperate", "don", "t"}},
                      FoldCase{"a\xFF" "b\xC3(c\xE2\x82", {"a", "b", "c"}},  // invalid and cut-off bytes
                      FoldCase{"\xEF\xBC\xA1\xEF\xBD\x82\xEF\xBC\x91 \xE2\x80\x94 \xF0\x9F\x98\x80", {"ab1"}},
                      FoldCase{"\xC2\xB5m 3\xC3\x97" "4", {"\xCE\xBCm", "3", "4"}},
                      FoldCase{"!!! ... ", {}}));

TEST(WordScanner, KeepsPositionsAndWhereEachWordStands) {
    const std::string text = "  H\xC3\xA9llo, w\xCC\x81orld ";
    WordScanner scanner(text);
    ASSERT_TRUE(scanner.Next());
    EXPECT_EQ(scanner.Folded(), "hello");
    EXPECT_EQ(scanner.Position(), 0u);
    EXPECT_EQ(text.substr(scanner.Begin(), scanner.End() - scanner.Begin()), "H\xC3\xA9llo");
    ASSERT_TRUE(scanner.Next());
    EXPECT_EQ(scanner.Folded(), "world");
    EXPECT_EQ(scanner.Position(), 1u);
    EXPECT_EQ(text.substr(scanner.Begin(), scanner.End() - scanner.Begin()), "w\xCC\x81orld");
    EXPECT_FALSE(scanner.Next());

    // A run longer than a word may be is one word, cut at the limit.
    const Words huge = FoldedWords(std::string(100, 'x') + " " + std::string(70, '\xC3') + " end");
    ASSERT_EQ(huge.size(), 2u);
    EXPECT_EQ(huge[0], std::string(kMaxWordBytes, 'x'));
    EXPECT_EQ(huge[1], "end");
}

struct PageCase {
    const char* name;
    std::string html;
    TextEncoding book;
    std::string title;
    std::string body;
};

class PageExtraction : public ::testing::TestWithParam<PageCase> {};

TEST_P(PageExtraction, GivesTitleAndBodyText) {
    const PageText text = ExtractPageText(GetParam().html, GetParam().book);
    EXPECT_EQ(text.title, GetParam().title);
    EXPECT_EQ(text.body, GetParam().body);
}

constexpr auto kUtf8 = TextEncoding::kUtf8;
constexpr auto k1252 = TextEncoding::kWindows1252;

INSTANTIATE_TEST_SUITE_P(
    Pages, PageExtraction,
    ::testing::Values(
        PageCase{"Markup", "<html><head><title> The  &amp; Title </title><style>p{x}</style></head>\n"
                 "<body><script>var a = '<p>';</script><!-- <p>hidden</p> --><h1>Head</h1><p>One<br>two"
                 " <b>bold</b>ness</p><![CDATA[x]]></body></html>",
                 kUtf8, "The & Title", "Head One two boldness"},
        PageCase{"References", "<p>&eacute;&#233;&#xE9; &lt;tag&gt; &#150; &Omega;&sigmaf; &nbsp;x &unknown; a&b &#; &#0;</p>",
                 kUtf8, "", "\xC3\xA9\xC3\xA9\xC3\xA9 <tag> \xE2\x80\x93 \xCE\xA9\xCF\x82 x &unknown; a&b &#; \xEF\xBF\xBD"},
        PageCase{"QuotedGreaterThan", "<p title=\"a>b\">after</p> 1 < 2 <3", kUtf8, "", "after 1 < 2 <3"},
        PageCase{"MetaCharset", "<meta charset=\"windows-1252\"><title>Caf\xE9</title>\x93q\x94", kUtf8,
                 "Caf\xC3\xA9", "\xE2\x80\x9Cq\xE2\x80\x9D"},
        PageCase{"HttpEquiv", "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ISO-8859-1\"><p>na\xEFve",
                 kUtf8, "", "na\xC3\xAFve"},
        PageCase{"DeclaredUtf8", "<meta charset=utf-8><p>na\xC3\xAFve \xFFx", k1252, "", "na\xC3\xAFve \xEF\xBF\xBDx"},
        PageCase{"ByteOrderMark", "\xEF\xBB\xBF<p>na\xC3\xAFve", k1252, "", "na\xC3\xAFve"},
        PageCase{"BookEncoding", "<meta charset=koi8-r><p>na\xEFve", k1252, "", "na\xC3\xAFve"},
        PageCase{"LateMetaIgnored", "<body><meta charset=windows-1252>na\xC3\xAFve", kUtf8, "", "na\xC3\xAFve"},
        PageCase{"Unterminated", "<title>Cut<p>text <script>never", kUtf8, "Cut<p>text <script>never", ""},
        PageCase{"UnterminatedScript", "<p>kept</p><script>if (a < b) lost", kUtf8, "", "kept"}),
    [](const auto& info) { return info.param.name; });

TEST(PageExtraction, IndexesOnlyHtmlPageNames) {
    EXPECT_TRUE(IsHtmlPageName("index.htm"));
    EXPECT_TRUE(IsHtmlPageName("sub/PAGE.HTML"));
    EXPECT_TRUE(IsHtmlPageName("a.xhtml"));
    EXPECT_FALSE(IsHtmlPageName("style.css"));
    EXPECT_FALSE(IsHtmlPageName("html"));
    EXPECT_FALSE(IsHtmlPageName("page.html.bak"));
}

std::string Describe(const ParsedQuery& query) {
    std::string out;
    for (const QueryGroup& group : query.groups) {
        out += out.empty() ? "" : " & ";
        out += group.excluded ? "-" : "";
        for (std::size_t a = 0; a < group.alternatives.size(); ++a) {
            const QueryClause& clause = group.alternatives[a];
            out += a ? "|" : "";
            for (std::size_t w = 0; w < clause.words.size(); ++w) out += (w ? "_" : "") + clause.words[w];
            out += clause.prefix ? "*" : "";
        }
    }
    return out;
}

struct QueryCase {
    const char* text;
    bool whileTyping;
    const char* parsed;
};

class QueryParsing : public ::testing::TestWithParam<QueryCase> {};

TEST_P(QueryParsing, ReadsTheClauses) {
    EXPECT_EQ(Describe(ParseQuery(GetParam().text, GetParam().whileTyping)), GetParam().parsed);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, QueryParsing,
    ::testing::Values(QueryCase{"Cr\xC3\xA8me  Br\xC3\xBBl\xC3\xA9" "e", false, "creme & brulee"},
                      QueryCase{"\"the quick fox\" jumps", false, "the_quick_fox & jumps"},
                      QueryCase{"-slow fox -\"red hen\"", false, "-slow & fox & -red_hen"},
                      QueryCase{"pyth* os.path", false, "pyth* & os_path"},
                      QueryCase{"a b OR c OR d e", false, "a & b|c|d & e"},
                      QueryCase{"OR a OR", false, "or & a"},
                      QueryCase{"a OR -b", false, "a & -b"},
                      QueryCase{"a or b", false, "a & or & b"},
                      QueryCase{"quic", true, "quic*"},
                      QueryCase{"quick ", true, "quick"},
                      QueryCase{"\"quick bro", true, "quick_bro*"},
                      QueryCase{"\"quick bro\"", true, "quick_bro"},
                      QueryCase{"fox -bro", true, "fox & -bro"},
                      QueryCase{"fox \xE2\x80\x94", true, "fox"},
                      QueryCase{"\"unbalanced", false, "unbalanced"},
                      QueryCase{"\"\" \" ", false, ""},
                      QueryCase{"a\tb\x01" "c", true, "a & b & c*"},
                      QueryCase{"a\x7F" "b\x7F", true, "a & b"},
                      QueryCase{"!?- * ...", true, ""}));

TEST(QueryParsing, KeepsAtMostTheClauseLimit) {
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "w" + std::to_string(i) + " ";
    EXPECT_EQ(ParseQuery(text, true).groups.size(), kMaxQueryClauses);
}

}  // namespace
}  // namespace vc::search
