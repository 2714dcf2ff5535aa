#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/values.h"
#include "runtime/configuration.h"
#include "error_text.h"

namespace vc {
namespace {

using testing::ErrorText;

TEST(StrToBool, ReadsNumbersFirstThenTrueAndFalseInAnyCase) {
    for (const char* yes : {"-1", "1", "2.5", "True", "tRUE"}) EXPECT_TRUE(StrToBool(yes)) << yes;
    for (const char* no : {"0", "0.0", "false", "FALSE"}) EXPECT_FALSE(StrToBool(no)) << no;
    for (const std::string word : {"yes", "", "1x", "e5"})
        EXPECT_EQ(ErrorText([&] { StrToBool(word); }), "'" + word + "' is not a valid boolean value");
}

TEST(StrToInt, ReadsSigned32BitDecimals) {
    EXPECT_EQ(StrToInt("650"), 650);
    EXPECT_EQ(StrToInt("-1"), -1);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    for (const std::string word : {"abc", "2147483648", "", "1.5", "-"})
        EXPECT_EQ(ErrorText([&] { StrToInt(word); }), "'" + word + "' is not a valid integer value");
}

TEST(StrToColour, ReadsNamesInAnyCaseAndNumbers) {
    EXPECT_EQ(StrToColour("clNavy"), 0x800000u);
    EXPECT_EQ(StrToColour("CLSKYBLUE"), 0xF0CAA6u);
    EXPECT_EQ(StrToColour("clbtnface"), 0xFF00000Fu);
    EXPECT_EQ(StrToColour("clMenuBar"), 0xFF00001Eu);
    EXPECT_EQ(StrToColour("clNone"), 0x1FFFFFFFu);
    EXPECT_EQ(StrToColour("clDefault"), 0x20000000u);
    EXPECT_EQ(StrToColour("255"), 0xFFu);
    EXPECT_EQ(StrToColour("-16777201"), 0xFF00000Fu);
    EXPECT_EQ(StrToColour("$00FF8000"), 0x00FF8000u);
    EXPECT_EQ(StrToColour("0xff"), 0xFFu);
    for (const std::string word : {"clPink", "$", "$1FFFFFFFF"})
        EXPECT_EQ(ErrorText([&] { StrToColour(word); }), "'" + word + "' is not a valid integer value");
}

// A colour of sixteen hexadecimal digits overflowed the digit loop, which
// only stopped at sixteen digits; it now stops at the value's limit.
TEST(StrToColour, TooManyDigitsAreRefusedWithoutOverflow) {
    for (const std::string& word : {std::string("$A446A4444444e444"), "0x" + std::string(400, 'F')})
        EXPECT_EQ(ErrorText([&] { StrToColour(word); }), "'" + word + "' is not a valid integer value");
    EXPECT_EQ(ErrorText([] { StrToInt(std::string(40, '9')); }), "'" + std::string(40, '9') + "' is not a valid integer value");
    // Leading zeros are digits like any other: the limit is on the value.
    EXPECT_EQ(StrToColour("$0000000000000000FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(StrToInt("-00000000000000000002147483648"), INT32_MIN);
}

TEST(ReadDigits, StopsAtTheLimitInEitherBase) {
    struct Case {
        const char* digits;
        int base;
        std::uint32_t limit;
        std::optional<std::uint32_t> expected;
    };
    const Case cases[] = {
        {"255", 10, 255, 255u},       {"256", 10, 255, std::nullopt}, {"ff", 16, 255, 255u},
        {"FF", 16, 254, std::nullopt}, {"1a", 10, 999, std::nullopt},  {"", 16, 9, std::nullopt},
        {"4294967295", 10, 0xFFFFFFFFu, 0xFFFFFFFFu}, {"4294967296", 10, 0xFFFFFFFFu, std::nullopt},
        {"g", 16, 255, std::nullopt}, {"-1", 10, 9, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadDigits(c.digits, c.base, c.limit), c.expected) << c.digits;
}

// A title of many megabytes reached the window caption whole and the
// runtime died at start; what is shown is cut, the rest of the book is read.
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

TEST(ColourNames, TheTableRoundTripsEveryName) {
    for (const char* name : {"clBlack", "clMedGray", "clScrollBar", "clCaptionText", "clHotLight",
                             "clGradientInactiveCaption", "clMenuHighlight", "clNone", "clDefault"}) {
        const auto value = ColourByName(name);
        ASSERT_TRUE(value) << name;
        EXPECT_EQ(ColourName(*value), std::string(name));
    }
    // Index 8 and 25 have no name in the table.
    EXPECT_FALSE(ColourName(0xFF000008u));
    EXPECT_FALSE(ColourName(0xFF000019u));
}

TEST(ResolveColour, SystemColoursGoThroughTheLookupOthersLoseTheirTopByte) {
    const auto lookup = [](int index) -> Colour { return 0xAB000000u | static_cast<Colour>(index); };
    EXPECT_EQ(ResolveColour(0xFF00000Fu, lookup), 0x00000Fu) << "clBtnFace is looked up";
    EXPECT_EQ(ResolveColour(0x00123456u, lookup), 0x123456u);
    EXPECT_EQ(ResolveColour(clNone, lookup), 0xFFFFFFu) << "clNone is no system colour";
}

TEST(ConfigurationLines, AMissingLineRaisesTheListErrorWhenItIsRead) {
    ConfigurationLines lines("a\r\nb\r\n");
    EXPECT_EQ(lines.Count(), 2u);
    EXPECT_EQ(lines.Line(1), "b");
    EXPECT_EQ(ErrorText<EListError>([&] { lines.Line(2); }), "List index out of bounds (2)");
    EXPECT_THROW(lines.Line(-1), EListError);
    EXPECT_THROW(lines.SetLine(5, "x"), EListError);

    // A 102-line payload fails only when line 102 is read.
    std::string text;
    for (int i = 0; i < 102; ++i) text += (i == 101 ? "True" : "x") + std::string("\r\n");
    lines = ConfigurationLines(text);
    EXPECT_TRUE(lines.Boolean(line::kSkinOn));
    EXPECT_THROW(lines.Integer(line::kSkinNumber), EListError);

    // A zero byte cuts later indexes away.
    lines = ConfigurationLines(std::string("t\r\n1\r\nclRed\0\r\n0\r\n", 17));
    EXPECT_EQ(lines.Count(), 3u);
    EXPECT_EQ(lines.ColourValue(2), 0x0000FFu);
    EXPECT_THROW(lines.Line(3), EListError);
}

TEST(ConfigurationLines, TextWritesEveryLineWithCrLf) {
    ConfigurationLines lines("a\nb\rc");
    lines.SetLine(1, "1");
    EXPECT_EQ(lines.Text(), "a\r\n1\r\nc\r\n");
    EXPECT_EQ(ErrorText([] { ConfigurationLines("x\ny").Integer(0); }), "'x' is not a valid integer value");
}

}  // namespace
}  // namespace vc
