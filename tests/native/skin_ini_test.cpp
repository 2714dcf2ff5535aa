#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "skin/format/quick_ini.h"
#include "skin/look/skin_values.h"

namespace vc {
namespace {

TQuickIni Ini(const std::string& text) {
    TQuickIni ini;
    ini.LoadFromString(text);
    return ini;
}

TEST(SkinIni, LinesKeysIntegersImageNamesColourTriplesAndThePaletteAreReadAsSkinsExpect) {
    const TQuickIni ini = Ini("  [Fonts]  \r\n\r\n; a comment\n\tFontHeight = 16 \r\r\n[ Colours ]\n;[Hidden]\nx=1\n");
    EXPECT_EQ(ini.Lines(), (StringList{"[Fonts]", "FontHeight = 16", "[ Colours ]", "x=1"}));
    StringList sections{"stale"};
    ini.ReadSections(sections);
    EXPECT_EQ(sections, (StringList{"Fonts", "Colours"}));
    EXPECT_EQ(ini.ReadInteger("fonts", "fontheight", 14), 16);
    // Keys after a commented-out header belong to the section before it;
    // lookup is by the whole header line, so "[ Colours ]" is not "[Colours]".
    EXPECT_EQ(ini.ReadString(" Colours ", "X", "d"), "1");
    EXPECT_EQ(ini.ReadString("Colours", "x", "d"), "d");

    const TQuickIni twice = Ini("[MenuItem]\nImage=first.bmp\nimage=second.bmp\nEmpty=\nEmpty=late\n"
                                "[MENUITEM]\nImage=third.bmp\nOther=9\n");
    EXPECT_EQ(twice.ReadString("menuitem", "IMAGE", ""), "first.bmp");
    // An empty first value gives the default; the later line is not looked at.
    EXPECT_EQ(twice.ReadString("MenuItem", "Empty", "def"), "def");
    EXPECT_EQ(twice.ReadString("MenuItem", "Other", "none"), "none");

    const TQuickIni equals = Ini("[S]\n key one = a=b \nnoequals\n=orphan\n");
    EXPECT_EQ(equals.ReadString("S", "KEY ONE", ""), "a=b") << "the value is everything after the first =";
    // A line without "=" has an empty key and an empty value.
    EXPECT_EQ(equals.ReadString("S", "", "d"), "d");
    EXPECT_EQ(equals.ReadString("S", "noequals", "d"), "d");

    const TQuickIni numbers = Ini("[N]\nhex=0x1F\nHEX2=0X1f\ndollar=$FF\nneg=-12\nplus=+7\nmixed=12ab\nbare0x=0x\n"
                              "spaces=1 2\nbig=99999999999\nminus1=$FFFFFFFF\nfloat=1.5\n");
    const std::pair<const char*, int> read[] = {{"hex", 31}, {"hex2", 31}, {"dollar", 255},
                                                {"neg", -12}, {"plus", 7},   {"minus1", -1}};
    for (const auto& [key, value] : read) EXPECT_EQ(numbers.ReadInteger("N", key, 0), value) << key;
    for (const char* key : {"mixed", "bare0x", "spaces", "big", "float", "missing"})
        EXPECT_EQ(numbers.ReadInteger("N", key, -5), -5) << key;

    const std::string text("[A]\nk=before\0\n[B]\nk=after\n", 25);
    TQuickIni nul;
    nul.LoadFromStream(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    EXPECT_EQ(nul.ReadString("A", "k", ""), "before");
    EXPECT_EQ(nul.ReadString("B", "k", "none"), "none");
    nul.LoadFromString("[B]\nk=new");  // loading again replaces everything
    EXPECT_EQ(nul.ReadString("A", "k", "gone"), "gone");

    EXPECT_EQ(ImageMemberName("C:\\skins\\blue\\MenuBorder.bmp"), "MenuBorder.bmp");
    EXPECT_EQ(ImageMemberName("d:menuborder.bmp"), "menuborder.bmp");
    for (const char* refused : {"menuborder.BMP", "menuborder.png", "menuborder", "x.bmp.txt", "dir.bmp\\", ""})
        EXPECT_EQ(ImageMemberName(refused), "") << refused;

    const TQuickIni colours = Ini("[Colours]\nButtonFace=59 97 131\nMenu=1,2,3,4\nHilight=(300; 255; -7)\n"
                              "Two=10 20\n");
    constexpr Colour def = kSystemColourFlag + 15;
    EXPECT_EQ(ReadColourTriple(colours, "Colours", "ButtonFace", def), 0x83613Bu);
    EXPECT_EQ(ReadColourTriple(colours, "Colours", "Menu", def), 0x030201u);
    EXPECT_EQ(ReadColourTriple(colours, "Colours", "Hilight", def), 0x07FFFFu);
    EXPECT_EQ(ReadColourTriple(colours, "Colours", "Two", def), def);

    const TQuickIni palette = Ini("[Colours]\ncolor=9 9 9\n[Colour1]\ncolor=1 1 1\n[colour0]\ncolor=0 0 0\n"
                                  "[ColourX]\n[Colourful]\ncolor=5 6 7\n[Colour]\ncolor=2 2 2\n");
    EXPECT_EQ(ReadPalette(palette, def), (std::vector<Colour>{0x010101u, 0x000000u, def, 0x070605u, 0x020202u}));
}

}  // namespace
}  // namespace vc
