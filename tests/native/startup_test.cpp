#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "book_lines.h"
#include "common/errors.h"
#include "error_text.h"
#include "recording_window.h"
#include "window/startup.h"
#include "window/window_actions.h"

namespace vc {
namespace {

using Lines = std::vector<std::string>;
using testing::RecordingWindow;

// The book's lines with some changed, applied to a recording window.
struct StartUp {
    RecordingWindow window;
    WindowSettings settings;
    ConfigurationLines lines;
    std::string error;

    explicit StartUp(const Lines& l) : lines(testing_lines::JoinLines(l)) {
        error = testing::ErrorText([&] { ApplyConfiguration(lines, settings, window); });
    }
};

Lines BookWith(std::initializer_list<std::pair<int, const char*>> changes) {
    Lines lines = testing_lines::BookLines();
    for (const auto& [index, text] : changes) lines[static_cast<std::size_t>(index)] = text;
    return lines;
}

TEST(ApplyConfiguration, AppliesEveryLineInTheStartUpOrder) {
    StartUp run(BookWith({{51, "MESSAGE \"a\"==\"b\""}}));
    ASSERT_EQ(run.error, "no error");
    const auto& log = run.window.log;
    ASSERT_GE(log.size(), 6u);
    EXPECT_EQ(Lines(log.begin(), log.begin() + 6), (Lines{"title Tour", "caption Tour", "gradient colour 8388608",
                                                          "gradient off", "size 800x600", "centre"}));
    EXPECT_LT(run.window.Position("border sizable"), run.window.Position("buttons SNX"));
    EXPECT_EQ(log.back(), "command [MESSAGE \"a\"==\"b\"]");
    EXPECT_EQ(run.window.CountOf("command"), 1);
    EXPECT_EQ(run.window.CountOf("hint"), 10) << "every hint from the configuration, none built in";
    EXPECT_NE(run.window.Position("hint 0 hint37"), -1);
    EXPECT_NE(run.window.Position("hint 9 hint46"), -1);
    EXPECT_EQ(run.settings.StartPage, "C:\\Books\\tour\\pages\\index.htm");
    EXPECT_EQ(run.settings.MenuFileName, "QWERTY");
    EXPECT_EQ(run.window.CountOf("menus") + run.window.CountOf("skin"), 0) << "line 50 false writes no menu file";
}

TEST(ApplyConfiguration, ABadOrMissingLineStopsWhereItIsReadWithEarlierEffectsKept) {
    StartUp run(BookWith({{5, "abc"}, {51, "WEBHOME()"}}));
    EXPECT_EQ(run.error, "'abc' is not a valid integer value");
    EXPECT_EQ(run.window.log.back(), "gradient off");
    EXPECT_EQ(run.window.CountOf("command"), 0) << "the start-up command must not run";

    auto lines = testing_lines::BookLines();
    lines.resize(102);  // line 102 gone: fine while the skin is off
    EXPECT_EQ(StartUp(lines).error, "no error");
    lines[101] = "1";
    EXPECT_EQ(StartUp(lines).error, "List index out of bounds (102)");
    lines.resize(52);
    EXPECT_EQ(StartUp(lines).error, "List index out of bounds (82)");
}

TEST(ApplyConfiguration, ASizeFillingTheScreenForcesTheMaximisedStateIntoTheMenuFile) {
    StartUp run(BookWith({{4, "0"}, {5, "1024"}, {6, "768"}, {50, "1"}}));
    ASSERT_EQ(run.error, "no error");
    EXPECT_NE(run.window.Position("maximized"), -1);
    EXPECT_EQ(run.window.menuText.substr(0, 29), "Tour\r\n0\r\nclNavy\r\n1\r\n0\r\n1024\r\n")
        << "the menu file got a stale line 3";
    StartUp shortRun(BookWith({{4, "0"}, {5, "1024"}, {6, "767"}}));
    EXPECT_EQ(shortRun.window.Position("maximized"), -1) << "the height falls short";
    EXPECT_EQ(shortRun.lines.Line(3), "0");
    // The width is compared first, the height read only then.
    EXPECT_FALSE(FillsScreen("1023", "not a number", 1024, 768));
    EXPECT_THROW(FillsScreen("1024", "not a number", 1024, 768), EConvertError);
}

TEST(ApplyConfiguration, ASizeableBorderDelaysTheStateUntilAfterMenuAndSkin) {
    StartUp delayed(BookWith({{3, "1"}, {50, "1"}, {101, "1"}}));
    ASSERT_EQ(delayed.error, "no error");
    EXPECT_GT(delayed.window.Position("maximized"), delayed.window.Position("skin 3"));
    EXPECT_GT(delayed.window.Position("skin 3"), delayed.window.Position("menus"));
    StartUp fixed(BookWith({{3, "1"}, {4, "0"}, {50, "1"}}));
    EXPECT_LT(fixed.window.Position("maximized"), fixed.window.Position("border fixed"));
    EXPECT_LT(fixed.window.Position("maximized"), fixed.window.Position("menus"));
    StartUp other(BookWith({{3, "1"}, {4, "3"}, {50, "1"}}));
    EXPECT_EQ(other.window.CountOf("border"), 0) << "other values keep the built-in frame";
    EXPECT_LT(other.window.Position("maximized"), other.window.Position("menus"));
}

TEST(ApplyConfiguration, KeyBlockingLinesAreReadOnlyForHiddenButtons) {
    StartUp shown(BookWith({{92, "not read"}, {93, "not read"}, {94, "not read"}}));
    EXPECT_EQ(shown.error, "no error");

    StartUp hidden(BookWith({{85, "0"}, {92, "0"}, {86, "false"}, {93, "True"}, {87, "0"}, {94, "-1"}}));
    ASSERT_EQ(hidden.error, "no error");
    EXPECT_FALSE(hidden.settings.BlockSelectAllKey);
    EXPECT_TRUE(hidden.settings.BlockCopyKey);
    EXPECT_TRUE(hidden.settings.BlockPrintKey);
    EXPECT_NE(hidden.window.Position("button 5 hidden"), -1);
}

TEST(ApplyConfiguration, OnlyEffectsZeroToThirteenPlayAndOnlyWhenOn) {
    for (const char* number : {"14", "-1"}) {
        StartUp run(BookWith({{22, "1"}, {23, number}}));
        EXPECT_EQ(run.error, "no error");
        EXPECT_EQ(run.window.CountOf("effect"), 0) << number;
    }
    EXPECT_NE(StartUp(BookWith({{22, "1"}, {23, "13"}})).window.Position("effect 13"), -1);
    EXPECT_EQ(StartUp(BookWith({{23, "junk"}})).error, "no error") << "not read while the effect is off";
}

TEST(ApplyConfiguration, GradientCaptionTakesTheTitleAndTheFontOfLine20) {
    StartUp run(BookWith({{1, "True"}, {20, "Georgia,14,clWhite,Negrito Italico"}}));
    ASSERT_EQ(run.error, "no error");
    EXPECT_LT(run.window.Position("gradient font Georgia"), run.window.Position("gradient caption Tour"));
    EXPECT_LT(run.window.Position("gradient caption Tour"), run.window.Position("gradient on"));

    // The font's four fields, the style words case-sensitive.
    const CaptionFont font = ReadCaptionFont("Arial,12,clRed,Negrito Sublinhada Atravessada");
    EXPECT_EQ(font.name + "," + std::to_string(font.size) + "," + std::to_string(font.colour), "Arial,12,255");
    EXPECT_TRUE(font.bold && font.underline && font.strikeOut && !font.italic);
    EXPECT_FALSE(ReadCaptionFont("Arial,12,0,negrito").bold);
    EXPECT_THROW(ReadCaptionFont("Arial,big,0,"), EConvertError);
    EXPECT_THROW(ReadCaptionFont("Arial,12"), EConvertError) << "a missing colour is an empty integer";
}

WindowSettings Book() {
    WindowSettings s;
    s.StartPage = "C:\\Books\\tour\\pages\\index.htm";
    s.AltHomePage = "C:\\Books\\tour\\pages\\contents.htm";
    s.AltHomeFlag = "0";
    return s;
}

TEST(HomeTarget, GoesToTheSeparateHomePageOnlyWhenItIsOnAndGiven) {
    WindowSettings s = Book();
    EXPECT_EQ(HomeTarget("C:\\Out", s), "C:\\Out\\pages\\index.htm");
    s.AltHomeFlag = "-1";
    EXPECT_EQ(HomeTarget("C:\\Out\\", s), "C:\\Out\\pages\\contents.htm");
    s.AltHomePage = "";
    EXPECT_EQ(HomeTarget("C:\\Out\\", s), "C:\\Out\\pages\\index.htm");
    s.AltHomeFlag = "sometimes";
    EXPECT_THROW(HomeTarget("C:\\Out", s), EConvertError);
}

TEST(HomeTarget, InsideAOneFileBookIsTheEntrysAddress) {
    WindowSettings s = Book();
    s.BookHost = "abcdef";
    EXPECT_EQ(HomeTarget("C:\\Out", s), "vcbook://abcdef/pages/index.htm");
    s.AltHomeFlag = "-1";
    s.AltHomePage = "C:\\authoring\\extra pages\\home.htm";
    EXPECT_EQ(HomeTarget("C:\\Out", s), "vcbook://abcdef/extra%20pages/home.htm");
}

TEST(AboutDescription, EachPieceBecomesALineEmptyLastPieceDropped) {
    EXPECT_EQ(AboutDescription("A<!><!>B<!>"), "A\r\n\r\nB\r\n");
    EXPECT_EQ(AboutDescription(""), "");
}

TEST(SwallowMessage, RightClicksInThePageAndControlKeysOnlyWhenBlocked) {
    WindowSettings s = Book();
    s.BlockContextMenu = true;
    EXPECT_TRUE(SwallowMessage({kRightButtonDown, 0, true, false}, s));
    EXPECT_FALSE(SwallowMessage({kRightButtonDown, 0, false, false}, s)) << "tool bar clicks pass";
    EXPECT_FALSE(SwallowMessage({0x0205, 0, true, false}, s)) << "button-up passes";
    s.BlockContextMenu = false;
    EXPECT_FALSE(SwallowMessage({kRightButtonDown, 0, true, false}, s));

    s.BlockPrintKey = s.BlockSelectAllKey = true;
    EXPECT_TRUE(SwallowMessage({kKeyDown, 0x50, false, true}, s));
    EXPECT_FALSE(SwallowMessage({kKeyDown, 0x43, false, true}, s));
    EXPECT_TRUE(SwallowMessage({kKeyDown, 0x41, true, true}, s));
    EXPECT_FALSE(SwallowMessage({kKeyDown, 0x50, false, false}, s)) << "plain P passes";
    EXPECT_FALSE(SwallowMessage({0x0101, 0x50, false, true}, s)) << "key-up passes";
    s.BlockCopyKey = true;
    QueuedMessage inSearchBox{kKeyDown, 0x43, false, true};
    inSearchBox.inSearchBox = true;
    EXPECT_FALSE(SwallowMessage(inSearchBox, s)) << "the reader's own words may be copied";
    inSearchBox.key = 0x41;
    EXPECT_FALSE(SwallowMessage(inSearchBox, s)) << "and selected";
}

struct ReaderKeyCase {
    QueuedMessage queued;
    ReaderKey expected;
};

class ReaderKeys : public ::testing::TestWithParam<ReaderKeyCase> {};

TEST_P(ReaderKeys, NeedControlAndAKeyDownOrAWheelTurn) { EXPECT_EQ(ReaderKeyFor(GetParam().queued), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    EachKey, ReaderKeys,
    ::testing::Values(ReaderKeyCase{{kKeyDown, 0x46, true, true, true}, ReaderKey::Search},
                      ReaderKeyCase{{kKeyDown, 0x46, false, true, false}, ReaderKey::Find},
                      ReaderKeyCase{{kKeyDown, 0x46, true, false, true}, ReaderKey::None},
                      ReaderKeyCase{{0x0101, 0x46, true, true}, ReaderKey::None},
                      ReaderKeyCase{{kKeyDown, 0xBB, true, true}, ReaderKey::ZoomIn},
                      ReaderKeyCase{{kKeyDown, 0x6B, true, true}, ReaderKey::ZoomIn},
                      ReaderKeyCase{{kKeyDown, 0xBD, true, true}, ReaderKey::ZoomOut},
                      ReaderKeyCase{{kKeyDown, 0x6D, true, true}, ReaderKey::ZoomOut},
                      ReaderKeyCase{{kKeyDown, 0x30, true, true}, ReaderKey::ZoomActual},
                      ReaderKeyCase{{kKeyDown, 0x60, true, true}, ReaderKey::ZoomActual},
                      ReaderKeyCase{{kKeyDown, 0x31, true, true}, ReaderKey::None},
                      ReaderKeyCase{{kMouseWheel, 0, true, true, false, -120}, ReaderKey::ZoomWheel},
                      ReaderKeyCase{{kMouseWheel, 0, true, false, false, 120}, ReaderKey::None},
                      ReaderKeyCase{{kMouseWheel, 0, true, true, false, 0}, ReaderKey::None}));

TEST(RefreshNavigatesToLastUrl, WhenEitherStylingSwitchIsOn) {
    WindowSettings s = Book();
    EXPECT_FALSE(RefreshNavigatesToLastUrl(s));
    s.BodyBorderOn = true;
    EXPECT_TRUE(RefreshNavigatesToLastUrl(s));
    std::swap(s.BodyBorderOn, s.ScrollbarColoursOn);
    EXPECT_TRUE(RefreshNavigatesToLastUrl(s)) << "the scrollbar colours' switch alone";
}

}  // namespace
}  // namespace vc
