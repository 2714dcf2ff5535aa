#include <gtest/gtest.h>

#include "common/errors.h"
#include "interpreter/interpreter.h"
#include "interpreter_recording_host.h"
#include "error_text.h"

namespace vc {
namespace {

using testing::MenuNode;
using testing::RecordingHost;
using Lines = std::vector<std::string>;

// File: Open, Chapters (Chapter 1, Chapter 2), Exit; Help: About.
RecordingHost HostWithMenus() {
    RecordingHost host;
    host.menus = {
        {"File", true, {{"Open"}, {"Chapters", true, {{"Chapter 1"}, {"Chapter 2"}}}, {"Exit"}}},
        {"Help", true, {{"About"}}},
    };
    return host;
}

template <typename Error>
std::string ErrorOf(RecordingHost& host, const std::string& commands) {
    return testing::ErrorText<Error>([&] { RunActionCommands(host, commands); });
}

TEST(InterpreterMenu, AddressesHoldTwoOrThreeIndexesAfterAnyFiveCharacters) {
    EXPECT_EQ(MenuItemAddress("MENUx0_2"), (MenuPath{0, 2}));
    EXPECT_EQ(MenuItemAddress("MENUx1_0_3"), (MenuPath{1, 0, 3}));
    EXPECT_EQ(MenuItemAddress("XXXXX0_1"), (MenuPath{0, 1}));
    EXPECT_EQ(MenuItemAddress("menux12_-1"), (MenuPath{12, -1}));
    EXPECT_FALSE(MenuItemAddress("MENUx0").has_value());
    EXPECT_FALSE(MenuItemAddress("MENUx0_1_2_3").has_value());
    EXPECT_FALSE(MenuItemAddress("").has_value());
    EXPECT_FALSE(MenuItemAddress("M_0_1").has_value());  // all five characters go, "_" included
    EXPECT_THROW(MenuItemAddress("MENUx0_"), EConvertError);  // an empty index is no integer
    EXPECT_THROW(MenuItemAddress("MENUx_1"), EConvertError);
    EXPECT_THROW(MenuItemAddress("MENUx0_0x1"), EConvertError);
    EXPECT_THROW(MenuItemAddress("MENUx0_ 1"), EConvertError);
    EXPECT_THROW(MenuItemAddress("MENUx0_99999999999"), EConvertError);
}

TEST(InterpreterMenu, CommandsActOnItemsAndSubItemsByPosition) {
    RecordingHost host = HostWithMenus();
    RunActionCommands(host, "DISABLEMENUITEM \"MENUx0_1\"-@-RENAMEMENUITEM \"MENUx0_1_1\"==\"New\""
                            "-@-ENABLEMENUITEM \"XXXXX0_1\"-@-DISABLEMENUITEM \"MENUx1_0\"");
    EXPECT_EQ(host.Effects(), (Lines{"DisableMenu(0/1)", "RenameMenu(0/1/1, New)", "EnableMenu(0/1)",
                                     "DisableMenu(1/0)"}));
    EXPECT_TRUE(host.Menu({0, 1}).enabled);
    EXPECT_FALSE(host.Menu({1, 0}).enabled);
    EXPECT_EQ(host.Menu({0, 1, 1}).caption, "New");

    // Each level is checked against the menu of the moment, outermost first.
    host.log.clear();
    RunActionCommands(host, "DISABLEMENUITEM \"MENUx0_1_0\"");
    EXPECT_EQ(host.log, (Lines{"?MenuCount(bar)", "?MenuCount(0)", "?MenuCount(0/1)", "DisableMenu(0/1/0)"}));
}

TEST(InterpreterMenu, WrongAddressesDoNothingOrRaise) {
    RecordingHost host = HostWithMenus();
    RunActionCommands(host, "DISABLEMENUITEM \"MENUx0\"-@-DISABLEMENUITEM \"MENUx0_1_2_3\"-@-DISABLEMENUITEM \"\""
                            "-@-RENAMEMENUITEM \"MENU\"==\"x\"");
    EXPECT_TRUE(host.log.empty());

    EXPECT_EQ(ErrorOf<EListError>(host, "DISABLEMENUITEM \"MENUx2_0\""), "List index out of bounds (2)");
    EXPECT_EQ(ErrorOf<EListError>(host, "ENABLEMENUITEM \"MENUx1_1\""), "List index out of bounds (1)");
    EXPECT_EQ(ErrorOf<EListError>(host, "RENAMEMENUITEM \"MENUx0_2_0\"==\"x\""), "List index out of bounds (0)");
    EXPECT_EQ(ErrorOf<EListError>(host, "DELETEMENUITEM \"MENUx0_-1\""), "List index out of bounds (-1)");
    // All indexes are converted before any is looked up.
    EXPECT_EQ(ErrorOf<EConvertError>(host, "DELETEMENUITEM \"MENUx9_a\""), "'a' is not a valid integer value");
    EXPECT_TRUE(host.Effects().empty());
}

TEST(InterpreterMenu, DeletingTwiceRemovesTheFirstTwoItemsThenFails) {
    RecordingHost host = HostWithMenus();
    RunActionCommands(host, "DELETEMENUITEM \"MENUx0_0\"-@-DELETEMENUITEM \"MENUx0_0\"");
    EXPECT_EQ(host.Effects(), (Lines{"DeleteMenu(0/0)", "DeleteMenu(0/0)"}));
    ASSERT_EQ(host.menus[0].items.size(), 1u);
    EXPECT_EQ(host.menus[0].items[0].caption, "Exit");

    RunActionCommands(host, "DELETEMENUITEM \"MENUx0_0\"");
    EXPECT_EQ(ErrorOf<EListError>(host, "DELETEMENUITEM \"MENUx0_0\"-@-WEBHOME()"), "List index out of bounds (0)");
    EXPECT_TRUE(host.menus[0].items.empty());
    EXPECT_NE(host.Effects().back(), "Click(Home)");
}

TEST(InterpreterMenu, DisableMenuGreysAWholeTopLevelMenu) {
    EXPECT_EQ(TopLevelMenuAddress("MENUx1"), (MenuPath{1}));
    EXPECT_FALSE(TopLevelMenuAddress("MENUx").has_value());
    EXPECT_FALSE(TopLevelMenuAddress("MENUx0_1").has_value());
    EXPECT_THROW(TopLevelMenuAddress("MENUxHelp"), EConvertError);

    RecordingHost host = HostWithMenus();
    RunActionCommands(host, "DESABILITARMENU \"MENUx1\"-@-desabilitarmenu \"MENUx0_1\"-@-DESABILITARMENU \"\"");
    EXPECT_EQ(host.Effects(), Lines{"DisableMenu(1)"});
    EXPECT_FALSE(host.menus[1].enabled);
    EXPECT_TRUE(host.menus[0].enabled);
    EXPECT_EQ(ErrorOf<EListError>(host, "DESABILITARMENU \"MENUx2\""), "List index out of bounds (2)");

    // With no menu bar at all there is nothing to disable.
    RecordingHost bare;
    EXPECT_EQ(ErrorOf<EListError>(bare, "DESABILITARMENU \"MENUx0\""), "List index out of bounds (0)");
}

}  // namespace
}  // namespace vc
