#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "common/errors.h"
#include "menus/menu_definition.h"
#include "interpreter_recording_host.h"

namespace vc {
namespace {

using testing::RecordingHost;

// Captions, names and handlers of a model as one line per entry, indented
// by level: "Caption [name] *" where * marks an attached click handler.
std::string Outline(const MenuBarModel& bar) {
    std::string text;
    auto add = [&](const MenuEntry& entry, int level, auto& self) -> void {
        text += std::string(static_cast<std::size_t>(level) * 2, ' ') + entry.caption;
        if (!entry.name.empty()) text += " [" + entry.name + "]";
        if (entry.hasAction) text += " *";
        text += "\n";
        for (const MenuEntry& child : entry.items) self(child, level + 1, self);
    };
    for (const MenuEntry& menu : bar) add(menu, 0, add);
    return text;
}

std::string OutlineOf(const std::string& definition) {
    // The numbered configuration lines come first and belong to no section.
    return Outline(BuildMenuModel(IniFile("Book title\r\n1\r\nclNavy\r\n" + definition)));
}

TEST(MenusModel, BuildsMenusItemsAndSubItemsWithTheirNames) {
    EXPECT_EQ(OutlineOf("[GERAL]\r\n"
                        "MENU_0=File\r\n"
                        "MENU_1=Help\r\n"
                        "[MENU]\r\n"
                        "ITENS_0=Start page-@-Chapters-@-Exit\r\n"
                        "ITENS_1=About\r\n"
                        "[SUBMENUS]\r\n"
                        "ITENS-|0.1|=Chapter 1-@-Chapter 2\r\n"
                        "[ACOES]\r\n"
                        "MENUx0_0=WEBHOME()\r\n"
                        "MENUx0_1_0=LOADHTML \"C:\\books\\tour\\ch1.htm\"\r\n"
                        "MENUx0_1_1=LOADHTML \"C:\\books\\tour\\ch2.htm\"\r\n"
                        "MENUx0_2=APPLICATIONEXIT()\r\n"
                        "MENUx1_0=SHOWFORMABOUT()\r\n"),
              "File\n"
              "  Start page [MENUx0_0] *\n"
              "  Chapters [MENUx0_1]\n"
              "    Chapter 1 [MENUx0_1_0] *\n"
              "    Chapter 2 [MENUx0_1_1] *\n"
              "  Exit [MENUx0_2] *\n"
              "Help\n"
              "  About [MENUx1_0] *\n");
}

TEST(MenusModel, CountsGeralKeysOfAnyNamesAndReadsCaptionsByIndex) {
    // Three keys, only MENU_0 among them: three menus, two without caption.
    EXPECT_EQ(OutlineOf("[GERAL]\nMENU_0=First\nfoo=x\nbar=y\n[MENU]\nITENS_2=Under the third\n"),
              "First\n"
              "\n"
              "\n"
              "  Under the third [MENUx2_0]\n");
    // Captions are read under MENU_0 to MENU_(n-1) only.
    EXPECT_EQ(OutlineOf("[GERAL]\nMENU_5=Five\nMENU_1=One\n"), "\nOne\n");
    // No keys in GERAL: no menus, whatever the other sections hold.
    EXPECT_EQ(OutlineOf("[GERAL]\n[MENU]\nITENS_0=A-@-B\n[ACOES]\nMENUx0_0=WEBHOME()\n"), "");
    EXPECT_EQ(OutlineOf("[MENU]\nITENS_0=A\n"), "");
}

TEST(MenusModel, CaptionListsFollowTheSeparatorRules) {
    EXPECT_EQ(OutlineOf("[GERAL]\nMENU_0=M\n[MENU]\nITENS_0=A-@--@-B\n"),
              "M\n  A [MENUx0_0]\n   [MENUx0_1]\n  B [MENUx0_2]\n");
    EXPECT_EQ(OutlineOf("[GERAL]\nMENU_0=M\n[MENU]\nITENS_0=A-@-\n"), "M\n  A [MENUx0_0]\n");
    EXPECT_EQ(OutlineOf("[GERAL]\nMENU_0=M\n[MENU]\nITENS_0=-@-A\n"), "M\n   [MENUx0_0]\n  A [MENUx0_1]\n");
    EXPECT_EQ(OutlineOf("[GERAL]\nMENU_0=M\n[MENU]\nITENS_0=\n"), "M\n");
    // Blanks around the whole list go; blanks around a piece stay.
    EXPECT_EQ(OutlineOf("[GERAL]\nMENU_0=M\n[MENU]\nITENS_0=  A -@- B  \n"),
              "M\n  A  [MENUx0_0]\n   B [MENUx0_1]\n");
}

TEST(MenusModel, ClickHandlersOnlyForNonEmptyActions) {
    // Three items, actions for the first and the third; an empty entry and
    // one of blanks count as none. An item with sub-items and an action keeps
    // both.
    EXPECT_EQ(OutlineOf("[GERAL]\nMENU_0=M\n"
                        "[MENU]\nITENS_0=One-@-Two-@-Three-@-Four-@-Five\n"
                        "[SUBMENUS]\nITENS-|0.2|=Sub\n"
                        "[ACOES]\nMENUx0_0=WEBHOME()\nMENUx0_2=WEBBACK()\nMENUx0_3=\nMENUx0_4=   \n"
                        "MENUx0_2_0=WEBNEXT()\n"),
              "M\n"
              "  One [MENUx0_0] *\n"
              "  Two [MENUx0_1]\n"
              "  Three [MENUx0_2] *\n"
              "    Sub [MENUx0_2_0] *\n"
              "  Four [MENUx0_3]\n"
              "  Five [MENUx0_4]\n");
}

TEST(MenusModel, SubItemsOnlyForItemsThatExist) {
    EXPECT_EQ(OutlineOf("[GERAL]\nMENU_0=M\n"
                        "[MENU]\nITENS_0=A-@-B\n"
                        "[SUBMENUS]\nITENS-|0.1|=B1-@-B2\nITENS-|0.2|=Beyond\nITENS-|1.0|=No menu\n"
                        "itens-|0.0|=a1\n"),
              "M\n  A [MENUx0_0]\n    a1 [MENUx0_0_0]\n  B [MENUx0_1]\n    B1 [MENUx0_1_0]\n    B2 [MENUx0_1_1]\n");
}

TEST(MenusModel, NamesFollowTheKeyPatterns) {
    EXPECT_EQ(MenuItemName(0, 2), "MENUx0_2");
    EXPECT_EQ(MenuItemName(12, 0, 103), "MENUx12_0_103");
    EXPECT_EQ(MenuFilePath("C:\\TEMP\\", "QXBTAE"), "C:\\TEMP\\QXBTAE.dmt");
    EXPECT_EQ(MenuFilePath("", "QXBTAE"), "QXBTAE.dmt");
}

class MenusClick : public ::testing::Test {
protected:
    void Write(const std::string& acoes) {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out << "Title\r\n[GERAL]\r\nMENU_0=M\r\n[ACOES]\r\n" << acoes;
    }
    void TearDown() override { std::remove(path_.c_str()); }

    const std::string path_ = ::testing::TempDir() + "MENUSC.dmt";
    RecordingHost host_;
};

TEST_F(MenusClick, RunsTheActionReadAtTheClickByTheItemsOwnName) {
    Write("MENUx0_0=APPLICATIONTITLE \"Chapter 1\"\r\nMENUx0_1=WEBHOME()\r\n");
    MenuItemClick(host_, path_, "MENUx0_1");
    EXPECT_EQ(host_.Effects(), (std::vector<std::string>{"Click(Home)"}));

    host_.log.clear();
    Write("MENUx0_1=APPLICATIONTITLE \"Changed\"-@-HIDESTATUSBAR()\r\n");
    MenuItemClick(host_, path_, "menux0_1");
    EXPECT_EQ(host_.Effects(),
              (std::vector<std::string>{"Caption(Changed)", "GradientCaption(Changed)", "RepaintGradient",
                                        "HideStatusBar"}));
}

TEST_F(MenusClick, EmptyOrMissingActionsAndAMissingFileDoNothing) {
    Write("MENUx0_0=\r\n");
    MenuItemClick(host_, path_, "MENUx0_0");
    MenuItemClick(host_, path_, "MENUx0_5");
    std::remove(path_.c_str());
    MenuItemClick(host_, path_, "MENUx0_0");
    EXPECT_TRUE(host_.log.empty());
}

TEST_F(MenusClick, AnErrorEndsTheActionAndReachesTheCaller) {
    Write("MENUx0_0=HIDESTATUSBAR()-@-DELETEMENUITEM \"MENUx0_0\"-@-SHOWSTATUSBAR()\r\n");
    EXPECT_THROW(MenuItemClick(host_, path_, "MENUx0_0"), EListError);
    EXPECT_EQ(host_.Effects(), (std::vector<std::string>{"HideStatusBar"}));
}

}  // namespace
}  // namespace vc
