#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "menus/ini_file.h"

namespace vc {
namespace {

using Keys = StringList;

TEST(MenusIni, SectionsAndKeysInAnyLetterCaseFirstKeyWins) {
    const IniFile file(
        "Title line before any section\r\n"
        "key=not in a section\r\n"
        "[Acoes]\r\n"
        "MENUx0_0=first\r\n"
        "menux0_0=second\r\n"
        "[ other ]\r\n"
        "MENUx0_0=elsewhere\r\n");
    EXPECT_EQ(file.ReadString("ACOES", "MENUX0_0"), "first");
    EXPECT_EQ(file.ReadString("acoes", "menux0_0"), "first");
    EXPECT_EQ(file.ReadString("OTHER", "MENUx0_0"), "elsewhere");
    EXPECT_EQ(file.ReadString("ACOES", "key", "dflt"), "dflt");
    EXPECT_EQ(file.ReadString("missing", "MENUx0_0", "dflt"), "dflt");
    EXPECT_EQ(file.ReadString("ACOES", "MENUx9_9"), "");
    EXPECT_EQ(file.ReadSection("acoes"), (Keys{"MENUx0_0", "menux0_0"}));
    EXPECT_TRUE(file.ReadSection("missing").empty());
}

TEST(MenusIni, BlanksAroundValuesGoAndOnePairOfQuotes) {
    const IniFile file(
        "[s]\n"
        "  spaced  =  a value with  inner blanks \t \n"
        "double=\"quoted\"\n"
        "single='quoted'\n"
        "twice=\"\"twice\"\"\n"
        "mixed=\"mixed'\n"
        "lone=\"\n"
        "empty=\"\"\n"
        "inner=LOADHTML \"C:\\x.htm\"\n"
        "blankquoted= \" kept \" \n"
        "nothing=\n");
    EXPECT_EQ(file.ReadString("s", "spaced"), "a value with  inner blanks");
    EXPECT_EQ(file.ReadString("s", "double"), "quoted");
    EXPECT_EQ(file.ReadString("s", "single"), "quoted");
    EXPECT_EQ(file.ReadString("s", "twice"), "\"twice\"");
    EXPECT_EQ(file.ReadString("s", "mixed"), "\"mixed'");
    EXPECT_EQ(file.ReadString("s", "lone"), "\"");
    EXPECT_EQ(file.ReadString("s", "empty", "dflt"), "");
    EXPECT_EQ(file.ReadString("s", "inner"), "LOADHTML \"C:\\x.htm\"");
    EXPECT_EQ(file.ReadString("s", "blankquoted"), " kept ");
    EXPECT_EQ(file.ReadString("s", "nothing", "dflt"), "") << "a key present but empty is not missing";
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
    EXPECT_EQ(file.ReadString("GERAL", "MENU_1"), "still GERAL");
    EXPECT_EQ(file.ReadString("GERAL", "MENU_2"), "two");
    EXPECT_EQ(file.ReadString("a]b", "x"), "1") << "the name runs to the last ']'";
}

TEST(MenusIni, ValuesAreCutAfter2047Characters) {
    const std::string exact(2047, 'x');
    const std::string longer = std::string(2047, 'y') + "z-@-tail";
    const std::string quoted = "\"" + std::string(2047, 'q') + "r\"";
    const IniFile file("[s]\nexact=" + exact + "\nlonger=" + longer + "\nquoted=" + quoted + "\n");
    EXPECT_EQ(file.ReadString("s", "exact"), exact);
    EXPECT_EQ(file.ReadString("s", "longer"), std::string(2047, 'y'));
    EXPECT_EQ(file.ReadString("s", "quoted"), std::string(2047, 'q'));
}

TEST(MenusIni, KeyListsEndAt16384Bytes) {
    // 1638 keys of 9 characters take 16380 bytes with their zeros; with the
    // closing zero the list has 3 bytes to spare.
    std::string text = "[GERAL]\n";
    for (int i = 0; i < 1638; ++i) text += "K" + std::to_string(10000000 + i) + "=v\n";
    const IniFile fits(text);
    EXPECT_EQ(fits.ReadSection("GERAL").size(), 1638u);

    // A two-letter key fills the buffer exactly: 16380 + 3 bytes, and the
    // closing zero at byte 16384.
    const IniFile exact(text + "AB=v\n");
    ASSERT_EQ(exact.ReadSection("GERAL").size(), 1639u);
    EXPECT_EQ(exact.ReadSection("GERAL").back(), "AB");
    const IniFile after(text + "AB=v\nCD=v\n");
    EXPECT_EQ(after.ReadSection("GERAL").size(), 1639u) << "no byte is left for the next name";

    // A longer one is cut to the two bytes left before the double zero.
    const IniFile cut(text + "LONGNAME=v\nNEXT=v\n");
    const Keys keys = cut.ReadSection("GERAL");
    ASSERT_EQ(keys.size(), 1639u);
    EXPECT_EQ(keys.back(), "LO");
    EXPECT_EQ(cut.ReadString("GERAL", "NEXT"), "v") << "the limit is the key list's, not the section's";

    // With only the double zero's two bytes left, the list just ends.
    const IniFile full(text + "Z=v\nCD=v\n");
    EXPECT_EQ(full.ReadSection("GERAL").back(), "Z");
}

TEST(MenusIni, LoadsFilesAndReadsAMissingFileAsEmpty) {
    const std::string path = ::testing::TempDir() + "menus_ini_test.dmt";
    {
        std::ofstream out(path, std::ios::binary);
        out << "line 0\r\n[GERAL]\r\nMENU_0=Book\r\n";
    }
    EXPECT_EQ(IniFile::Load(path).ReadString("GERAL", "MENU_0"), "Book");
    std::remove(path.c_str());
    EXPECT_TRUE(IniFile::Load(path).ReadSection("GERAL").empty());
    EXPECT_EQ(IniFile::Load(path).ReadString("GERAL", "MENU_0", "dflt"), "dflt");
}

}  // namespace
}  // namespace vc
