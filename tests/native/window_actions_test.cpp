#include <gtest/gtest.h>

#include "common/errors.h"
#include "window/window_actions.h"

namespace vc {
namespace {

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
    // A bad flag and a start page without a folder raise their errors.
    s.AltHomeFlag = "sometimes";
    EXPECT_THROW(HomeTarget("C:\\Out", s), EConvertError);
    s.AltHomeFlag = "0";
    s.StartPage = "index.htm";
    EXPECT_THROW(HomeTarget("C:\\Out", s), EListError);
}

TEST(AboutDescription, EachPieceBecomesALineEmptyLastPieceDropped) {
    EXPECT_EQ(AboutDescription("One<!>Two"), "One\r\nTwo\r\n");
    EXPECT_EQ(AboutDescription("Only one"), "Only one\r\n");
    EXPECT_EQ(AboutDescription("A<!><!>B<!>"), "A\r\n\r\nB\r\n");
    EXPECT_EQ(AboutDescription(""), "");
}

TEST(SwallowMessage, RightClicksInThePageAndControlKeysOnlyWhenBlocked) {
    WindowSettings s = Book();
    s.BlockContextMenu = true;
    EXPECT_TRUE(SwallowMessage({kRightButtonDown, 0, true, false}, s));
    EXPECT_TRUE(SwallowMessage({kRightButtonDoubleClick, 0, true, false}, s));
    EXPECT_FALSE(SwallowMessage({kRightButtonDown, 0, false, false}, s)) << "tool bar clicks pass";
    EXPECT_FALSE(SwallowMessage({0x0205, 0, true, false}, s)) << "button-up passes";
    s.BlockContextMenu = false;
    EXPECT_FALSE(SwallowMessage({kRightButtonDown, 0, true, false}, s));

    // Control keys on key-down with Control held.
    s.BlockPrintKey = true;
    s.BlockCopyKey = false;
    s.BlockSelectAllKey = true;
    EXPECT_TRUE(SwallowMessage({kKeyDown, 0x50, false, true}, s));
    EXPECT_FALSE(SwallowMessage({kKeyDown, 0x43, false, true}, s));
    EXPECT_TRUE(SwallowMessage({kKeyDown, 0x41, true, true}, s));
    EXPECT_FALSE(SwallowMessage({kKeyDown, 0x50, false, false}, s)) << "plain P passes";
    EXPECT_FALSE(SwallowMessage({0x0101, 0x50, false, true}, s)) << "key-up passes";
    EXPECT_FALSE(SwallowMessage({kKeyDown, 0x51, false, true}, s));
}

TEST(RefreshNavigatesToLastUrl, WhenEitherStylingSwitchIsOn) {
    WindowSettings s = Book();
    EXPECT_FALSE(RefreshNavigatesToLastUrl(s));
    s.BodyBorderOn = true;
    EXPECT_TRUE(RefreshNavigatesToLastUrl(s));
    s.BodyBorderOn = false;
    s.ScrollbarColoursOn = true;
    EXPECT_TRUE(RefreshNavigatesToLastUrl(s));
}

}  // namespace
}  // namespace vc
