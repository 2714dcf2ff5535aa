#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "common/errors.h"
#include "common/ini_file.h"
#include "menus/menu_definition.h"
#include "interpreter_recording_host.h"

namespace vc {
namespace {

using testing::RecordingHost;
using Keys = StringList;

TEST(MenusIni, SectionsAndKeysInAnyCaseFirstKeyWinsBlanksAndOnePairOfQuotesGo) {
    const IniFile file(
        "Title line before any section\r\n"
        "key=not in a section\r\n"
        "[Acoes]\r\n"
        "MENUx0_0=first\r\n"
        "menux0_0=second\r\n"
        "[ other ]\r\n"
        "MENUx0_0=elsewhere\r\n");
    EXPECT_EQ(file.ReadString("acoes", "MENUX0_0"), "first");
    EXPECT_EQ(file.ReadString("OTHER", "MENUx0_0"), "elsewhere");
    EXPECT_EQ(file.ReadString("ACOES", "key", "dflt"), "dflt");
    EXPECT_EQ(file.ReadString("missing", "MENUx0_0", "dflt"), "dflt");
    EXPECT_EQ(file.ReadSection("acoes"), (Keys{"MENUx0_0", "menux0_0"}));
    EXPECT_TRUE(file.ReadSection("missing").empty());

    const std::pair<const char*, const char*> values[] = {
        {"  a value with  inner blanks \t ", "a value with  inner blanks"},
        {"\"quoted\"", "quoted"},
        {"'quoted'", "quoted"},
        {"\"\"twice\"\"", "\"twice\""},
        {"\"mixed'", "\"mixed'"},
        {"\"", "\""},
        {"\"\"", ""},
        {" \" kept \" ", " kept "},
        {"", ""},  // a key present but empty is not missing
    };
    for (const auto& [written, read] : values)
        EXPECT_EQ(IniFile(std::string("[s]\n  key  =") + written).ReadString("s", "key", "dflt"), read) << written;
}

TEST(MenusIni, MalformedLinesCommentsAndRepeatedSections) {
    const IniFile file(
        "[GERAL]\r"
        "no equals sign\r"
        "=no key\r"
        "; MENU_9=a comment\r"
        "MENU_0=a=b\r"
        "[unclosed\r"
        "MENU_1=still GERAL\r"
        "[a]b]\r"
        "x=1\r"
        "[geral]\r"
        "MENU_0=later\r"
        "MENU_2=two\r");
    EXPECT_EQ(file.ReadSection("GERAL"), (Keys{"MENU_0", "MENU_1", "MENU_0", "MENU_2"}));
    EXPECT_EQ(file.ReadString("GERAL", "MENU_0"), "a=b") << "the value runs from the first '='";
    EXPECT_EQ(file.ReadString("GERAL", "MENU_2"), "two");
    EXPECT_EQ(file.ReadString("a]b", "x"), "1") << "the name runs to the last ']'";
}

TEST(MenusIni, ValuesAreCutAfter2047CharactersAndKeyListsAt16384Bytes) {
    const std::string exact(2047, 'x');
    const std::string longer = std::string(2047, 'y') + "z-@-tail";
    const std::string quoted = "\"" + std::string(2047, 'q') + "r\"";
    const IniFile file("[s]\nexact=" + exact + "\nlonger=" + longer + "\nquoted=" + quoted + "\n");
    EXPECT_EQ(file.ReadString("s", "exact"), exact);
    EXPECT_EQ(file.ReadString("s", "longer"), std::string(2047, 'y'));
    EXPECT_EQ(file.ReadString("s", "quoted"), std::string(2047, 'q'));

    // Key lists end at 16384 bytes: 1638 keys of 9 characters take 16380 bytes with their zeros.
    std::string text = "[GERAL]\n";
    for (int i = 0; i < 1638; ++i) text += "K" + std::to_string(10000000 + i) + "=v\n";
    EXPECT_EQ(IniFile(text).ReadSection("GERAL").size(), 1638u);
    const Keys full = IniFile(text + "AB=v\nCD=v\n").ReadSection("GERAL");
    ASSERT_EQ(full.size(), 1639u);
    EXPECT_EQ(full.back(), "AB") << "a two-letter key fills the buffer exactly";
    const IniFile cut(text + "LONGNAME=v\nNEXT=v\n");
    EXPECT_EQ(cut.ReadSection("GERAL").back(), "LO") << "the two bytes left before the double zero";
    EXPECT_EQ(cut.ReadSection("GERAL").size(), 1639u);
    EXPECT_EQ(cut.ReadString("GERAL", "NEXT"), "v") << "the limit is the key list's, not the section's";
    EXPECT_EQ(IniFile(text + "Z=v\nCD=v\n").ReadSection("GERAL").back(), "Z") << "only the double zero's bytes left";
}

// The model as one "Caption [name]" line per entry, indented by level; " *" marks a click handler.
std::string OutlineOf(const std::string& definition) {
    std::string text;
    auto add = [&](const MenuEntry& entry, int level, auto& self) -> void {
        text += std::string(static_cast<std::size_t>(level) * 2, ' ') + entry.caption;
        if (!entry.name.empty()) text += " [" + entry.name + "]";
        if (entry.hasAction) text += " *";
        text += "\n";
        for (const MenuEntry& child : entry.items) self(child, level + 1, self);
    };
    // The numbered configuration lines come first and belong to no section.
    for (const MenuEntry& menu : BuildMenuModel(IniFile("Book title\r\n1\r\nclNavy\r\n" + definition)))
        add(menu, 0, add);
    return text;
}

TEST(MenusModel, BuildsMenusItemsAndSubItemsWithTheirNamesAndHandlers) {
    // Empty and blank actions count as none; an item may have sub-items and an action.
    EXPECT_EQ(OutlineOf("[GERAL]\r\n"
                        "MENU_0=File\r\n"
                        "MENU_1=Help\r\n"
                        "[MENU]\r\n"
                        "ITENS_0=Start page-@-Chapters-@-Empty-@-Blank\r\n"
                        "ITENS_1=About\r\n"
                        "[SUBMENUS]\r\n"
                        "ITENS-|0.1|=Chapter 1-@-Chapter 2\r\n"
                        "[ACOES]\r\n"
                        "MENUx0_0=WEBHOME()\r\n"
                        "MENUx0_1=WEBBACK()\r\n"
                        "MENUx0_1_0=LOADHTML \"C:\\books\\tour\\ch1.htm\"\r\n"
                        "MENUx0_2=\r\n"
                        "MENUx0_3=   \r\n"),
              "File\n"
              "  Start page [MENUx0_0] *\n"
              "  Chapters [MENUx0_1] *\n"
              "    Chapter 1 [MENUx0_1_0] *\n"
              "    Chapter 2 [MENUx0_1_1]\n"
              "  Empty [MENUx0_2]\n"
              "  Blank [MENUx0_3]\n"
              "Help\n"
              "  About [MENUx1_0]\n");
}

TEST(MenusModel, CountsGeralKeysOfAnyNamesReadsCaptionsByIndexAndSubItemsOnlyOfItems) {
    EXPECT_EQ(OutlineOf("[GERAL]\nMENU_0=First\nfoo=x\nbar=y\n[MENU]\nITENS_2=Under the third\n"),
              "First\n\n\n  Under the third [MENUx2_0]\n");
    EXPECT_EQ(OutlineOf("[GERAL]\nMENU_5=Five\nMENU_1=One\n"), "\nOne\n") << "captions of MENU_0 to MENU_(n-1) only";
    EXPECT_EQ(OutlineOf("[GERAL]\n[MENU]\nITENS_0=A-@-B\n[ACOES]\nMENUx0_0=WEBHOME()\n"), "");
    EXPECT_EQ(OutlineOf("[GERAL]\nMENU_0=M\n"
                        "[MENU]\nITENS_0=A-@-B\n"
                        "[SUBMENUS]\nITENS-|0.1|=B1-@-B2\nITENS-|0.2|=Beyond\nITENS-|1.0|=No menu\n"
                        "itens-|0.0|=a1\n"),
              "M\n  A [MENUx0_0]\n    a1 [MENUx0_0_0]\n  B [MENUx0_1]\n    B1 [MENUx0_1_0]\n    B2 [MENUx0_1_1]\n");
    EXPECT_EQ(MenuFilePath("C:\\TEMP\\", "QXBTAE"), "C:\\TEMP\\QXBTAE.dmt");
}

TEST(MenusModel, CaptionListsFollowTheSeparatorRules) {
    const auto items = [](const std::string& list) { return OutlineOf("[GERAL]\nMENU_0=M\n[MENU]\nITENS_0=" + list); };
    EXPECT_EQ(items("A-@--@-B"), "M\n  A [MENUx0_0]\n   [MENUx0_1]\n  B [MENUx0_2]\n");
    EXPECT_EQ(items("A-@-"), "M\n  A [MENUx0_0]\n");
    EXPECT_EQ(items("-@-A"), "M\n   [MENUx0_0]\n  A [MENUx0_1]\n");
    EXPECT_EQ(items(""), "M\n");
    EXPECT_EQ(items("  A -@- B  "), "M\n  A  [MENUx0_0]\n   B [MENUx0_1]\n") << "only the list's own blanks go";
}

class MenusClick : public ::testing::Test {
protected:
    void Write(const std::string& acoes) {
        std::ofstream(path_, std::ios::binary) << "Title\r\n[GERAL]\r\nMENU_0=M\r\n[ACOES]\r\n" << acoes;
    }
    void TearDown() override { std::remove(path_.c_str()); }

    const std::string path_ = ::testing::TempDir() + "MENUSC.dmt";
    RecordingHost host_;
};

TEST_F(MenusClick, RunsTheActionReadAtTheClickByTheItemsOwnNameAndPassesItsErrorOn) {
    Write("MENUx0_0=WEBSTOP\r\nMENUx0_1=WEBHOME()\r\n");
    MenuItemClick(host_, path_, "MENUx0_1");
    Write("MENUx0_1=SHOWSTATUSBAR()-@-HIDESTATUSBAR()\r\nMENUx0_2=\r\nMENUx0_3=DELETEMENUITEM \"MENUx0_0\"\r\n");
    MenuItemClick(host_, path_, "menux0_1");
    MenuItemClick(host_, path_, "MENUx0_2");
    MenuItemClick(host_, path_, "MENUx0_5");
    EXPECT_EQ(host_.Effects(), (std::vector<std::string>{"Click(Home)", "ShowStatusBar", "HideStatusBar"}));
    EXPECT_THROW(MenuItemClick(host_, path_, "MENUx0_3"), EListError);

    std::remove(path_.c_str());
    host_.log.clear();
    MenuItemClick(host_, path_, "MENUx0_1");
    EXPECT_TRUE(host_.log.empty()) << "no menu file, nothing runs";
}

}  // namespace
}  // namespace vc
