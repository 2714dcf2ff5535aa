#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/text.h"
#include "runtime/startup_helpers.h"
#include "error_text.h"

namespace vc {
namespace {

TEST(SplitLines, BreaksAtCrLfAndCrLfWithoutEmptyLastLine) {
    EXPECT_EQ(SplitLines("a\rb\nc\r\nd"), (StringList{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), (StringList{"a"}));
    EXPECT_EQ(SplitLines("a\n\n"), (StringList{"a", ""}));
    EXPECT_EQ(SplitLines("\r\n"), (StringList{""}));
    EXPECT_EQ(SplitLines("a\n\rb"), (StringList{"a", "", "b"}));
    EXPECT_TRUE(SplitLines("").empty());
}

TEST(SplitList, KeepsInnerEmptyPiecesButNotAnEmptyTail) {
    EXPECT_EQ(SplitList("a-@-b", "-@-"), (StringList{"a", "b"}));
    EXPECT_EQ(SplitList("a-@--@-b", "-@-"), (StringList{"a", "", "b"}));
    EXPECT_EQ(SplitList("a-@-", "-@-"), (StringList{"a"}));
    EXPECT_EQ(SplitList("-@-", "-@-"), (StringList{""}));
    EXPECT_TRUE(SplitList("", "-@-").empty());
    EXPECT_EQ(SplitList("abc", ""), (StringList{"abc"}));
}

TEST(NthField, CutsAtTheSeparatorInAnyCaseAndAtLineBreaks) {
    EXPECT_EQ(NthField(1, " ", "MESSAGE \"a\""), "MESSAGE");
    EXPECT_EQ(NthField(2, "==", "x\"a\"==\"b\""), "\"b\"");
    EXPECT_EQ(NthField(2, "ab", "1AB2aB3"), "2");
    EXPECT_EQ(NthField(3, "ab", "1AB2aB3"), "3");
    EXPECT_EQ(NthField(2, ",", "a\r\nb,c"), "b");
    EXPECT_EQ(NthField(4, ",", "a,b,c"), "");
    EXPECT_EQ(NthField(0, ",", "a,b"), "");
    // A trailing empty field is lost; inner empty ones are kept.
    EXPECT_EQ(NthField(2, ",", "a,"), "");
    EXPECT_EQ(NthField(2, ",", "a,,c"), "");
    EXPECT_EQ(NthField(3, ",", "a,,c"), "c");
}

TEST(TextHelpers, CaseRulesTouchAsciiLettersOnly) {
    EXPECT_EQ(UpperCase("webhome() \xe9"), "WEBHOME() \xe9");
    EXPECT_TRUE(SameText("Action:", "ACTION:"));
    EXPECT_FALSE(SameText("\xe9", "\xc9"));
    EXPECT_EQ(FindText("http://x/action:go", "ACTION:"), 9u);
    EXPECT_EQ(FindText("abc", ""), std::string::npos);
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(ReplaceAll("a%20b%", "%20", " "), "a b%");
}

TEST(BookRelativePath, KeepsTheLastFolderAndTheFileNameAndNeedsAFolder) {
    EXPECT_EQ(BookRelativePath("C:\\Books\\calc\\index.htm"), "calc\\index.htm");
    EXPECT_EQ(BookRelativePath("calc\\index.htm"), "calc\\index.htm");
    EXPECT_EQ(BookRelativePath("\\index.htm"), "\\index.htm");
    EXPECT_EQ(BookRelativePath("C:\\a\\\\index.htm"), "\\index.htm");
    // A path without a folder raises the list error for -1.
    EXPECT_EQ(testing::ErrorText<EListError>([] { BookRelativePath("index.htm"); }), "List index out of bounds (-1)");
    EXPECT_THROW(BookRelativePath(""), EListError);
}

TEST(MakeRandomName, SixCapitalLettersThatDependOnTheSeed) {
    const std::string a = MakeRandomName(12345);
    ASSERT_EQ(a.size(), 6u);
    for (char c : a) EXPECT_TRUE(c >= 'A' && c <= 'Z') << a;
    EXPECT_EQ(a, MakeRandomName(12345));
    EXPECT_NE(a, MakeRandomName(12346));
}

TEST(MakeRandomName, DrawsEveryLetterUniformly) {
    int counts[26] = {};
    for (std::uint64_t seed = 0; seed < 2000; ++seed)
        for (char c : MakeRandomName(seed * 7919)) ++counts[c - 'A'];
    for (int count : counts) {
        EXPECT_GT(count, 300);  // 12000 draws: about 461 each
        EXPECT_LT(count, 640);
    }
}

}  // namespace
}  // namespace vc
