#include <gtest/gtest.h>

#include <set>

#include "common/errors.h"
#include "common/text.h"
#include "common/values.h"
#include "runtime/configuration.h"
#include "runtime/startup_helpers.h"
#include "error_text.h"

namespace vc {
namespace {

using testing::ErrorText;

TEST(StrToValue, BooleansReadNumbersFirstThenTrueAndFalseInAnyCaseIntegersAreSigned32Bit) {
    for (const char* yes : {"-1", "1", "2.5", "True", "tRUE"}) EXPECT_TRUE(StrToBool(yes)) << yes;
    for (const char* no : {"0", "0.0", "false", "FALSE"}) EXPECT_FALSE(StrToBool(no)) << no;
    for (const std::string word : {"yes", "", "1x", "e5"})
        EXPECT_EQ(ErrorText([&] { StrToBool(word); }), "'" + word + "' is not a valid boolean value");
    EXPECT_EQ(StrToInt("-1"), -1);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    for (const std::string word : {"abc", "2147483648", "", "1.5", "-"})
        EXPECT_EQ(ErrorText([&] { StrToInt(word); }), "'" + word + "' is not a valid integer value");
}

TEST(StrToColour, ReadsNamesInAnyCaseAndNumbers) {
    EXPECT_EQ(StrToColour("CLSKYBLUE"), 0xF0CAA6u);
    EXPECT_EQ(StrToColour("clNone"), 0x1FFFFFFFu);
    EXPECT_EQ(StrToColour("clDefault"), 0x20000000u);
    EXPECT_EQ(StrToColour("255"), 0xFFu);
    EXPECT_EQ(StrToColour("-16777201"), 0xFF00000Fu);
    EXPECT_EQ(StrToColour("$00FF8000"), 0x00FF8000u);
    EXPECT_EQ(StrToColour("0xff"), 0xFFu);
    for (const std::string word : {"clPink", "$", "$1FFFFFFFF"})
        EXPECT_EQ(ErrorText([&] { StrToColour(word); }), "'" + word + "' is not a valid integer value");
    // Every name reads back as itself; indexes 8 and 25 have none.
    for (const char* name : {"clBlack", "clMedGray", "clScrollBar", "clHotLight", "clMenuBar", "clNone", "clDefault"})
        EXPECT_EQ(ColourName(*ColourByName(name)), std::string(name));
    EXPECT_FALSE(ColourName(0xFF000008u));
    EXPECT_FALSE(ColourName(0xFF000019u));
}

// Sixteen hexadecimal digits overflowed the digit loop; it now stops at the value's limit.
TEST(StrToColour, TooManyDigitsAreRefusedWithoutOverflow) {
    for (const std::string& word : {std::string("$A446A4444444e444"), "0x" + std::string(400, 'F')})
        EXPECT_EQ(ErrorText([&] { StrToColour(word); }), "'" + word + "' is not a valid integer value");
    EXPECT_EQ(ErrorText([] { StrToInt(std::string(40, '9')); }), "'" + std::string(40, '9') + "' is not a valid integer value");
    // Leading zeros are digits like any other: the limit is on the value.
    EXPECT_EQ(StrToColour("$0000000000000000FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(StrToInt("-00000000000000000002147483648"), INT32_MIN);
}

TEST(ReadDigits, StopsAtTheLimitInEitherBase) {
    // The decimal limits are StrToInt's above; here the hexadecimal ones.
    EXPECT_EQ(ReadDigits("ff", 16, 255), 255u);
    EXPECT_FALSE(ReadDigits("FF", 16, 254));
    EXPECT_FALSE(ReadDigits("fg", 16, 255));
}

TEST(ResolveColour, SystemColoursGoThroughTheLookupOthersLoseTheirTopByte) {
    const auto lookup = [](int index) -> Colour { return 0xAB000000u | static_cast<Colour>(index); };
    EXPECT_EQ(ResolveColour(0xFF00000Fu, lookup), 0x00000Fu) << "clBtnFace is looked up";
    EXPECT_EQ(ResolveColour(0x00123456u, lookup), 0x123456u);
    EXPECT_EQ(ResolveColour(clNone, lookup), 0xFFFFFFu) << "clNone is no system colour";
}

// A title of many megabytes reached the window caption whole and the runtime died at start.
TEST(ConfigurationLines, TitlesHintsAndCaptionsAreShownCutToWhatAWindowTakes) {
    std::string text;
    for (int i = 0; i <= line::kLastLine; ++i) {
        std::string line = "#" + std::to_string(i);
        line.resize(kMaxShownText + 10, static_cast<char>('A' + i % 26));
        text += line + "\r\n";
    }
    const ConfigurationLines lines(text);
    for (int i = 0; i <= line::kLastLine; ++i) {
        const bool shown = i == line::kTitle || i == line::kAboutCaption || i == line::kAboutAppName ||
                           (i >= line::kHintHome && i <= line::kHintAbout);
        EXPECT_EQ(IsShownTextLine(i), shown) << i;
        EXPECT_EQ(lines.ShownText(i), lines.Line(i).substr(0, shown ? kMaxShownText : std::string::npos)) << i;
        EXPECT_EQ(lines.Line(i).size(), kMaxShownText + 10) << "the line itself stays whole";
    }
    EXPECT_EQ(ConfigurationLines("short\r\n").ShownText(line::kTitle), "short");
    EXPECT_THROW(ConfigurationLines("").ShownText(line::kTitle), EListError);
}

TEST(ConfigurationLines, AMissingLineRaisesTheListErrorWhenItIsRead) {
    ConfigurationLines lines("a\r\nb\r\n");
    EXPECT_EQ(lines.Count(), 2u);
    EXPECT_EQ(ErrorText<EListError>([&] { lines.Line(2); }), "List index out of bounds (2)");
    EXPECT_THROW(lines.Line(-1), EListError);
    EXPECT_THROW(lines.SetLine(5, "x"), EListError);

    // A zero byte cuts later indexes away.
    lines = ConfigurationLines(std::string("t\r\n1\r\nclRed\0\r\n0\r\n", 17));
    EXPECT_EQ(lines.Count(), 3u);
    EXPECT_EQ(lines.ColourValue(2), 0x0000FFu);
}

TEST(ConfigurationLines, TextWritesEveryLineWithCrLf) {
    ConfigurationLines lines("a\nb\rc");
    lines.SetLine(1, "1");
    EXPECT_EQ(lines.Text(), "a\r\n1\r\nc\r\n");
}

TEST(TextHelpers, LinesBreakAtCrLfAndCrLfWithoutEmptyLastLineFieldsAtTheSeparatorInAnyCase) {
    EXPECT_EQ(SplitLines("a\rb\nc\r\nd"), (StringList{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\n"), (StringList{"a", ""}));
    EXPECT_EQ(SplitLines("a\n\rb"), (StringList{"a", "", "b"}));
    EXPECT_TRUE(SplitLines("").empty());
    // The separator rules of SplitList are the menu captions'; an empty one splits nothing.
    EXPECT_EQ(SplitList("abc", ""), (StringList{"abc"}));
    EXPECT_TRUE(SplitList("", "").empty());
    EXPECT_EQ(NthField(2, "ab", "1AB2aB3"), "2");
    EXPECT_EQ(NthField(2, ",", "a\r\nb,c"), "b");
    EXPECT_EQ(NthField(4, ",", "a,b,c"), "");
    EXPECT_EQ(NthField(0, ",", "a,b"), "");
    EXPECT_EQ(NthField(3, ",", "a,,c"), "c") << "inner empty fields count";
    // Case rules touch ASCII letters only; the commands' and pages' tests use the rest.
    EXPECT_FALSE(SameText("\xe9", "\xc9"));
    EXPECT_EQ(FindText("abc", ""), std::string::npos);
}

TEST(BookRelativePath, KeepsTheLastFolderAndTheFileNameAndNeedsAFolder) {
    EXPECT_EQ(BookRelativePath("C:\\Books\\calc\\index.htm"), "calc\\index.htm");
    EXPECT_EQ(BookRelativePath("C:\\a\\\\index.htm"), "\\index.htm");
    EXPECT_EQ(testing::ErrorText<EListError>([] { BookRelativePath("index.htm"); }), "List index out of bounds (-1)");
    EXPECT_THROW(BookRelativePath(""), EListError);
}

TEST(MakeRandomName, SixCapitalLettersFromTheSeedEveryLetterDrawn) {
    const std::string a = MakeRandomName(12345);
    ASSERT_EQ(a.size(), 6u);
    EXPECT_EQ(a, MakeRandomName(12345));
    EXPECT_NE(a, MakeRandomName(12346));
    std::set<char> letters;
    for (std::uint64_t seed = 0; seed < 500; ++seed)
        for (char c : MakeRandomName(seed * 7919)) letters.insert(c);
    EXPECT_EQ(std::string(letters.begin(), letters.end()), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

}  // namespace
}  // namespace vc
