// The book description: its value syntax, its parser and the key table.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "book_file.h"
#include "book_keys.h"
#include "common/errors.h"

namespace vc::pack {
namespace {

// The structural mistakes of a book, one per line of the result.
std::string ParseError(const std::string& text) {
    const Book book = ParseBook(text, "b.ini");
    std::string all;
    for (const PackError& e : book.errors) all += (all.empty() ? "" : "\n") + std::string(e.what());
    return all.empty() ? "(no error)" : all;
}

std::string ValueOf(const std::string& line) {
    const Book book = ParseBook("[book]\n" + line + "\n", "b.ini");
    const BookValue* value = book.Find("book", "title");
    return value ? value->text : "(missing)";
}

TEST(PackBookValues, PlainValuesKeepTheirTextAndQuotedOnesDecodeEscapes) {
    EXPECT_EQ(ValueOf("title =   A # not a comment ; nor this  "), "A # not a comment ; nor this");
    EXPECT_EQ(ValueOf("title=x=y"), "x=y");
    EXPECT_EQ(ValueOf("title ="), "");
    EXPECT_EQ(ValueOf("title = \"\\x00\\x0d\\x7F\\xa9\""), std::string("\0\r\x7F\xA9", 4));
}

TEST(PackBookValues, FormattedValuesReadBackByteForByte) {
    const std::string nasty[] = {"", "trailing\t", "\"starts with a quote", "back\\slash \\x41",
                                 std::string("zero\0byte", 9), "\x01\x1F\x7F 8-bit \xE9\xFF", "[GERAL]"};
    for (const auto& value : nasty) {
        EXPECT_EQ(ValueOf("title = " + FormatValue(value)), value) << FormatValue(value);
        EXPECT_EQ(ValueOf("title = " + FormatValue(value, false)), value) << FormatValue(value, false);
    }
    EXPECT_EQ(FormatValue("plain"), "plain");
    EXPECT_EQ(FormatValue("yes", false), "\"yes\"");
    EXPECT_EQ(FormatValue(" a\"\\"), "\" a\\\"\\\\\"");
}

TEST(PackBookParser, ReportsMalformedLinesWithFileAndLine) {
    EXPECT_EQ(ParseError("[book]\ntitle = a\n\n[BOOK]\nTitle = b\n"),
              "b.ini:5: [book] title is given twice (first on line 2)");
    EXPECT_EQ(ParseError("title = a\n"), "b.ini:1: key \"title\" comes before any section");
    EXPECT_EQ(ParseError("[book]\ntitle = \"open\n"), "b.ini:2: the quoted value has no closing quote");
    EXPECT_EQ(ParseError("[book]\ntitle = \"a\\qb\"\n"),
              "b.ini:2: unknown escape \"\\q\" in a quoted value (use \\\\, \\\" or \\xHH)");
    EXPECT_EQ(ParseError("[book]\ntitle = \"a\" b\n"), "b.ini:2: text after the closing quote: \" b\"");
    EXPECT_EQ(ParseError("[book\n"), "b.ini:1: a section header ends with \"]\"");
    // Keys of the reserved lines and the recorded page paths exist.
    EXPECT_EQ(ParseError("[reserved]\nline-52 = x\n[book]\nstart-page-recorded = C:\\a\\b.htm\n"), "(no error)");
    EXPECT_EQ(ParseError("[reserved]\nline-50 = x\n"),
              "b.ini:2: unknown key \"line-50\" in section [reserved] (see docs/authoring.md)");
}

TEST(PackBookParser, SkipsAUtf8MarkAndWarnsWhenTheTextIsNotPlainAscii) {
    const Book ascii = ParseBook("\xEF\xBB\xBF[book]\ntitle = Plain\n", "b.ini");
    EXPECT_EQ(ascii.Find("book", "title")->text, "Plain");
    EXPECT_TRUE(ascii.warnings.empty());
    const Book accented = ParseBook("\xEF\xBB\xBF[book]\ntitle = Caf\xC3\xA9\n", "b.ini");
    EXPECT_EQ(accented.warnings,
              std::vector<std::string>{"b.ini: warning: the file is saved as UTF-8, so its accented letters will "
                                       "show wrongly; save it in the Windows code page (Windows-1252)"});
    EXPECT_TRUE(ParseBook("[book]\ntitle = Caf\xE9\n", "b.ini").warnings.empty());
}

TEST(PackBookParser, CopiesTheMenuDefinitionVerbatimFromItsFirstSection) {
    const std::string text =
        "[book]\r\ntitle = T\r\n; a comment of the book\r\n  [Geral]  \r\nMENU_0 = File  \r\n\r\n; kept\r\n"
        "[window]\r\n" + std::string("zero\0byte", 9);
    const Book book = ParseBook(text, "b.ini");
    ASSERT_TRUE(book.hasMenuDefinition);
    const std::vector<std::string> expected = {"  [Geral]  ", "MENU_0 = File  ", "", "; kept", "[window]",
                                               std::string("zero\0byte", 9)};
    EXPECT_EQ(book.menuLines, expected);

    EXPECT_FALSE(ParseBook("[book]\ntitle = [GERAL]\n", "b.ini").hasMenuDefinition);
}

TEST(PackBookParser, TranslatesTheMenusSectionIntoTheFourMenuSections) {
    const Book book = ParseBook(
        "[menus]\nFile\nFile > Start page = WEBHOME()\nFile > Chapters\n"
        "File > Chapters > Chapter 1 = LOADHTML \"C:\\books\\tour\\ch1.htm\"\n"
        "; comments and blank lines are skipped\n\n"
        "File > Chapters > Chapter 2 = LOADHTML \"C:\\books\\tour\\ch2.htm\"\n"
        "File > Exit = APPLICATIONEXIT()\nEmpty\nHelp > About = SHOWFORMABOUT()\n",
        "b.ini");
    ASSERT_TRUE(book.hasMenuDefinition);
    const std::vector<std::string> expected = {
        "[GERAL]", "MENU_0=File", "MENU_1=Empty", "MENU_2=Help",
        "[MENU]", "ITENS_0=Start page-@-Chapters-@-Exit", "ITENS_2=About",
        "[SUBMENUS]", "ITENS-|0.1|=Chapter 1-@-Chapter 2",
        "[ACOES]", "MENUx0_0=WEBHOME()", "MENUx0_1_0=LOADHTML \"C:\\books\\tour\\ch1.htm\"",
        "MENUx0_1_1=LOADHTML \"C:\\books\\tour\\ch2.htm\"", "MENUx0_2=APPLICATIONEXIT()", "MENUx2_0=SHOWFORMABOUT()",
    };
    EXPECT_EQ(book.menuLines, expected);

    EXPECT_EQ(ParseError("[menus]\nA > B > C > D = X()\n"),
              "b.ini:2: [menus] \"A > B > C > D\": menus go two levels deep at most (Menu > Item > Sub-item)");
    EXPECT_EQ(ParseError("[menus]\nA = WEBHOME()\n"),
              "b.ini:2: [menus] \"A\": a top-level menu runs no command; give it items");
    EXPECT_EQ(ParseError("[menus]\nA >  > B\n"), "b.ini:2: [menus] \"A >  > B\": a caption is empty");
    EXPECT_EQ(ParseError("[menus]\nA > x-@-y\n"),
              "b.ini:2: [menus] \"A > x-@-y\": a caption cannot hold \"-@-\", the separator of the menu lists");
    EXPECT_EQ(ParseError("[menus]\nA > B = X()\nA > B = Y()\n"),
              "b.ini:3: [menus] \"A > B\": this item has a command already");
    EXPECT_EQ(ParseError("[menus]\nA > B = X()\n[GERAL]\nMENU_0=A\n"),
              "b.ini:2: the menu is given twice: in [menus] and as a verbatim menu definition");
}

TEST(PackKeyTable, NamesEveryConfigurationLineOnceWithAValidDefault) {
    std::set<int> lines;
    std::set<std::string> keys;
    for (const auto& entry : KeyTable()) {
        EXPECT_TRUE(lines.insert(entry.line).second) << "line " << entry.line << " twice";
        EXPECT_TRUE(keys.insert(std::string(entry.section) + "/" + entry.key).second) << entry.key;
        EXPECT_EQ(&EntryForLine(entry.line), &entry);
        if (entry.rule == DefaultRule::kLiteral && entry.form != Form::kPage) {
            EXPECT_NO_THROW(CheckValue(entry, entry.defaultValue)) << entry.key;
        }
    }
    EXPECT_EQ(lines.size(), 103u);
    EXPECT_EQ(*lines.begin(), 0);
    EXPECT_EQ(*lines.rbegin(), 102);
}

TEST(PackKeyTable, TranslatesFriendlyWordsOnlyWhereTheFormHasThemAndChecksValues) {
    const KeyEntry& toolbar = *FindKey("toolbar", "shown");
    EXPECT_EQ(TranslatePlain(toolbar, "Yes"), "1");
    EXPECT_EQ(TranslatePlain(toolbar, "True"), "True");
    EXPECT_EQ(TranslatePlain(*FindKey("book", "title"), "yes"), "yes");
    // Values are checked with the runtime's readers.
    const auto message = [](const char* section, const char* key, const std::string& value) -> std::string {
        try {
            const KeyEntry& entry = *FindKey(section, key);
            return CheckValue(entry, TranslatePlain(entry, value)).empty() ? "(fine)" : "a warning";
        } catch (const EConvertError& e) {
            return e.what();
        }
    };
    EXPECT_EQ(message("window", "border", "thin"), "'thin' is not one of single, none, sizeable, sizable, 0, 1, 2");
    EXPECT_EQ(message("caption", "font", ""), "(fine)");
    EXPECT_EQ(message("caption", "font", "Tahoma,10,clWhite,Negrito"), "(fine)");
    EXPECT_EQ(message("caption", "font", "Tahoma,big,clWhite"), "'big' is not a valid integer value");
    EXPECT_EQ(message("caption", "font", "Tahoma,10"), "'' is not a valid integer value");
    EXPECT_EQ(message("skin", "number", "-1"), "'-1' is not a skin number (0 to 15)");
    EXPECT_EQ(message("page", "body-border-style", "dashed Solid"), "(fine)");
    EXPECT_EQ(message("page", "body-border-style", "wavy"),
              "'wavy' is not a border style (none, hidden, dotted, dashed, solid, double, groove, ridge, inset, "
              "outset)");
}

TEST(PackKeyTable, TheAuthoringGuideCarriesTheTableAsTheToolPrintsIt) {
    std::ifstream in(std::string(VC_SOURCE_DIR) + "/docs/authoring.md", std::ios::binary);
    ASSERT_TRUE(in) << "docs/authoring.md is missing";
    std::ostringstream guide;
    guide << in.rdbuf();
    EXPECT_NE(guide.str().find(KeyTableMarkdown()), std::string::npos)
        << "regenerate the key table with `vellumcast-pack keys`";
}

}  // namespace
}  // namespace vc::pack
