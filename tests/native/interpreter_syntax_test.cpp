#include <gtest/gtest.h>

#include "interpreter/command_syntax.h"

namespace vc {
namespace {

TEST(InterpreterSyntax, TrimKeepsThePrintableCoreOfAtMost255Characters) {
    EXPECT_EQ(TrimCommand(" \t\r\n\x7F\xE9WEBHOME()\x01 \xFF"), "WEBHOME()");
    EXPECT_EQ(TrimCommand("MESSAGE \"\xE9t\xE9\""), "MESSAGE \"\xE9t\xE9\"");  // only the ends are trimmed
    EXPECT_EQ(TrimCommand("  \t "), "");
    EXPECT_EQ(TrimCommand(""), "");

    // Leading blanks do not count toward the 255 characters.
    const std::string core = std::string(255, 'x');
    EXPECT_EQ(TrimCommand("    " + core + "yz"), core);
    // What is left after the cut is trimmed again at its end.
    const std::string spaced = std::string(250, 'a') + "     bbb";
    EXPECT_EQ(TrimCommand(spaced), std::string(250, 'a'));
}

TEST(InterpreterSyntax, QuotedTextTakesTheTextBetweenTheOuterQuotes) {
    EXPECT_EQ(QuotedText("MESSAGE \"Note\""), "Note");
    EXPECT_EQ(QuotedText("\"Line with \"quotes\"\""), "Line with \"quotes\"");
    EXPECT_EQ(QuotedText("LOADHTML page.htm"), "LOADHTML page.htm");
    EXPECT_EQ(QuotedText("MESSAGE \"unclosed"), "");
    EXPECT_EQ(QuotedText("\"\""), "");
    EXPECT_EQ(QuotedText("a\"b\"c"), "b");
    EXPECT_EQ(QuotedText(""), "");
}

TEST(InterpreterSyntax, WorkedExamplesGiveKeywordAndParameters) {
    struct Example {
        const char* command;
        const char* keyword;
        const char* p1;
        const char* p2;
    };
    const Example examples[] = {
        {"MESSAGE \"Note\"==\"Saved.\"", "MESSAGE", "Note", "Saved."},
        {"message \"A title\"==\"Line with \"quotes\"\"", "MESSAGE", "A title", "Line with \"quotes\""},
        {"ENABLEBUTTONNAVIGATION \"BUTTON_HOME\"", "ENABLEBUTTONNAVIGATION", "BUTTON_HOME", ""},
        {"WEBHOME() anything", "WEBHOME()", "WEBHOME() anything", ""},
        {"LOADHTML page.htm", "LOADHTML", "LOADHTML page.htm", ""},
        {"MESSAGE\"glued\"", "MESSAGE\"GLUED\"", "glued", ""},
        {"MESSAGE \"a\"==\"b\"==\"c\"", "MESSAGE", "a", "b"},
        {"MESSAGE \"a - @ b\"==\"\"", "MESSAGE", "a - @ b", ""},
        {"Message\n\"x\"", "MESSAGE", "Message", "x"},  // a line break ends a field as well
    };
    for (const auto& e : examples) {
        SCOPED_TRACE(e.command);
        EXPECT_EQ(CommandKeyword(e.command), e.keyword);
        EXPECT_EQ(CommandParameter(1, e.command), e.p1);
        EXPECT_EQ(CommandParameter(2, e.command), e.p2);
    }
    // The separator of fields is found in any letter case only by its own
    // characters; "=" alone does not separate.
    EXPECT_EQ(CommandParameter(2, "X \"a=b\"=\"c\""), "");
    EXPECT_EQ(CommandParameter(3, "X \"a\"==\"b\"==\"c\""), "c");
    // Keywords are upper-cased in ASCII letters only.
    EXPECT_EQ(CommandKeyword("m\xE9ssage x"), "M\xE9SSAGE");
}

TEST(InterpreterSyntax, NavigationTargetsBecomeCommandStrings) {
    EXPECT_EQ(CommandFromNavigation("action:WEBBACK()"), "WEBBACK()");
    EXPECT_EQ(CommandFromNavigation("Action:WEBBACK()"), "WEBBACK()");
    EXPECT_EQ(CommandFromNavigation("ACTION:webback()"), "webback()");
    EXPECT_EQ(CommandFromNavigation("ACTION:APPLICATIONTITLE%20%My%20Book%"), "APPLICATIONTITLE \"My Book\"");
    EXPECT_EQ(CommandFromNavigation("ACTION:MESSAGE %Note%==%Saved.%"), "MESSAGE \"Note\"==\"Saved.\"");
    // "%2520" holds no "%20": only the second pass changes it.
    EXPECT_EQ(CommandFromNavigation("ACTION:WEBLINK %a%2520b%"), "WEBLINK \"a\"2520b\"");
    // "ACTION:" later in the address is caught too, and seven characters go
    // whatever they are.
    EXPECT_EQ(CommandFromNavigation("file:///c:/b/p.htm#ACTION:WEBHOME()"), "/c:/b/p.htm#ACTION:WEBHOME()");
    EXPECT_EQ(CommandFromNavigation("ACTION:"), "");
    EXPECT_FALSE(CommandFromNavigation("file:///c:/b/action.htm").has_value());
    EXPECT_FALSE(CommandFromNavigation("").has_value());
}

}  // namespace
}  // namespace vc
