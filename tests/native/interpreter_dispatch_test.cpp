#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/errors.h"
#include "interpreter/command_syntax.h"
#include "interpreter/interpreter.h"
#include "interpreter_recording_host.h"
#include "error_text.h"

namespace vc {
namespace {

using testing::ErrorText;
using testing::RecordingHost;
using Lines = std::vector<std::string>;

Lines EffectsOf(const std::string& commands) {
    RecordingHost host;
    RunActionCommands(host, commands);
    return host.Effects();
}

template <typename Error>
std::string ErrorOf(RecordingHost& host, const std::string& commands) {
    return ErrorText<Error>([&] { RunActionCommands(host, commands); });
}

const std::pair<const char*, ToolButton> kButtonNames[] = {
    {"BUTTON_HOME", ToolButton::Home},           {"BUTTON_COPY", ToolButton::Copy},
    {"BUTTON_SELECTALL", ToolButton::SelectAll}, {"BUTTON_PRINT", ToolButton::Print},
    {"BUTTON_ABOUT", ToolButton::About},         {"BUTTON_STOP", ToolButton::Stop},
    {"BUTTON_REFRESH", ToolButton::Refresh},     {"BUTTON_EXIT", ToolButton::Exit},
};

TEST(InterpreterDispatch, TheCommandReferenceDocumentsEveryKeywordAndButtonName) {
    std::ifstream file(VC_SOURCE_DIR "/docs/commands.md");
    ASSERT_TRUE(file) << "docs/commands.md is missing";
    std::stringstream text;
    text << file.rdbuf();
    ASSERT_EQ(CommandKeywords().front(), "MESSAGE");
    ASSERT_EQ(CommandKeywords().back(), "EXECUTEOROPENFILE");
    for (std::string_view keyword : CommandKeywords())
        EXPECT_NE(text.str().find("`" + std::string(keyword) + "`"), std::string::npos) << keyword;
    for (const auto& [name, button] : kButtonNames)
        EXPECT_NE(text.str().find(std::string("`") + name + "`"), std::string::npos) << name;
}

// Keywords whose effects the tests below and the external actions' tests
// show in full are left out here.
TEST(InterpreterDispatch, EveryKeywordHasItsOwnEffect) {
    const std::pair<const char*, Lines> cases[] = {
        {"APPLICATIONTITLE \"Chapter 2\"", {"Caption(Chapter 2)", "GradientCaption(Chapter 2)", "RepaintGradient"}},
        {"APPLICATIONMAXIMIZE()", {"Maximize"}},
        {"APPLICATIONMINIMIZE()", {"Minimize"}},
        {"WEBHOME()", {"Click(Home)"}},
        {"WEBBACK()", {"Click(Back)"}},
        {"WEBNEXT()", {"Click(Forward)"}},
        {"WEBREFRESH()", {"Click(Refresh)"}},
        {"WEBSTOP", {"BrowserStop"}},
        {"WEBSELECTALL()", {"Click(SelectAll)"}},
        {"WEBSELECTIONCOPY()", {"Click(Copy)"}},
        {"WEBPRINTPAGE()", {"Click(Print)"}},
        {"SHOWFORMABOUT()", {"Click(About)"}},
        {"HIDESTATUSBAR()", {"HideStatusBar"}},
        {"SHOWSTATUSBAR()", {"ShowStatusBar"}},
        {"SHOWBUTTONSNAVIGATIONS()", {"ShowToolBar"}},
        {"HIDEBUTTONSNAVIGATIONS()", {"HideToolBar"}},
        {"ENABLEBUTTONNAVIGATION \"BUTTON_STOP\"", {"Enable(Stop)"}},
        {"SENDEMAIL \"a@b.test\"", {"Shell(desktop, [open], [mailto:a@b.test], null, null, 1)"}},
        {"WEBPAGESETUP()", {"ExecWB(8, 1)"}},
    };
    for (const auto& [command, effects] : cases) {
        SCOPED_TRACE(command);
        EXPECT_EQ(EffectsOf(command), effects);
    }
}

TEST(InterpreterDispatch, EmptyPiecesAndUnknownKeywordsDoNothing) {
    for (const char* text : {"", "-@-", "   ", "-@- \t -@-", "\xE9\xE9", "NOSUCHCOMMAND()", "WEBHOME", "WEBHOME ()",
                             "WEBSTOP()", "WEBHOME()\tx", "MESSAGE\"a\"==\"b\"", "BUTTON_HOME"})
        EXPECT_TRUE(EffectsOf(text).empty()) << text;
}

TEST(InterpreterDispatch, KeywordsMatchInAnyCaseCommandsRunLeftToRightParametersMayBeMissing) {
    EXPECT_EQ(EffectsOf("WebHome() please go home"), Lines{"Click(Home)"});
    EXPECT_EQ(EffectsOf("webstop now"), Lines{"BrowserStop"});
    EXPECT_EQ(EffectsOf("WEBHOME()-@--@-HIDESTATUSBAR()"), (Lines{"Click(Home)", "HideStatusBar"}));
    EXPECT_EQ(EffectsOf("-@-HIDESTATUSBAR()-@-bogus-@-WEBHOME()-@-"), (Lines{"HideStatusBar", "Click(Home)"}));
    EXPECT_EQ(EffectsOf("MESSAGE \"a-@-b\"==\"c\""), Lines{"Message(, , 48)"}) << "a quoted -@- ends it too";
    EXPECT_EQ(EffectsOf("MESSAGE \"a - b @ c\"==\"-@\""), Lines{"Message(a - b @ c, -@, 48)"});
    // Missing parameters are empty.
    EXPECT_EQ(EffectsOf("MESSAGE"), Lines{"Message(MESSAGE, , 48)"});
    EXPECT_EQ(EffectsOf("MESSAGE \"\""), Lines{"Message(, , 48)"});
    EXPECT_EQ(EffectsOf("APPLICATIONTITLE \"unclosed"),
              (Lines{"Caption()", "GradientCaption()", "RepaintGradient"}));
}

TEST(InterpreterDispatch, TheCutAt255CharactersCanLoseTheClosingQuote) {
    const std::string head = "MESSAGE \"t\"==\"";  // 14 characters
    EXPECT_EQ(EffectsOf(head + std::string(241, 'x') + "\""), Lines{"Message(t, , 48)"}) << "character 256 is lost";
    EXPECT_EQ(EffectsOf(head + std::string(240, 'x') + "\""), Lines{"Message(t, " + std::string(240, 'x') + ", 48)"});
    EXPECT_EQ(EffectsOf(head + "say \"hi\" " + std::string(240, 'x') + "\""), Lines{"Message(t, say \"hi, 48)"});
    EXPECT_EQ(EffectsOf(head + std::string(1000, 'x') + "\"-@-WEBSTOP"), (Lines{"Message(t, , 48)", "BrowserStop"}));
}

TEST(InterpreterDispatch, ApplicationExitEndsTheStringSilentlyAnErrorWithItsText) {
    RecordingHost host;
    RunActionCommands(host, "MESSAGE \"a\"==\"b\"-@-APPLICATIONEXIT()-@-MESSAGE \"c\"==\"d\"");
    EXPECT_EQ(host.Effects(), (Lines{"Message(a, b, 48)", "Close"}));

    EXPECT_EQ(EffectsOf("applicationexit() now-@-WEBHOME()"), Lines{"Close"});
    RunActionCommands(host, "WEBSTOP");
    EXPECT_EQ(host.Effects().back(), "BrowserStop") << "a later string runs again";

    // An error ends the string too, with the earlier effects kept.
    RecordingHost refusing;
    refusing.refuseExecWB = true;
    EXPECT_EQ(ErrorOf<Exception>(refusing, "HIDESTATUSBAR()-@-WEBPRINTPREVIEW()-@-WEBHOME()"), "Unspecified error");
    EXPECT_EQ(refusing.Effects(), (Lines{"HideStatusBar", "ExecWB(7, 2)"}));
}

TEST(InterpreterDispatch, ButtonNamesAreExactAndUpperCase) {
    RecordingHost host;
    RunActionCommands(host, "ENABLEBUTTONNAVIGATION \"button_home\"-@-DISABLEBUTTONNAVIGATION \"BUTTON_HOME \""
                            "-@-ENABLEBUTTONNAVIGATION \"\"-@-DISABLEBUTTONNAVIGATION \"BUTTON_BACK\"");
    EXPECT_TRUE(host.log.empty());
    for (const auto& [name, button] : kButtonNames) EXPECT_EQ(ButtonByName(name), button) << name;
    EXPECT_FALSE(ButtonByName("BUTTON_FORWARD").has_value());
}

TEST(InterpreterDispatch, ButtonActionsIgnoreTheButtonStateExceptHistoryTogglesReadTheBars) {
    RecordingHost host;
    RunActionCommands(host, "DISABLEBUTTONNAVIGATION \"BUTTON_PRINT\"-@-WEBPRINTPAGE()-@-WEBHOME()");
    EXPECT_EQ(host.Effects(), (Lines{"Disable(Print)", "Click(Print)", "Click(Home)"}));
    // The toggles read the state of the moment and restore it when run twice.
    host.statusBarVisible = false;
    host.log.clear();
    const std::string both = "SHOWORHIDESTATUSBAR()-@-SHOWORHIDEBUTTONSNAVIGATIONS()";
    RunActionCommands(host, both + "-@-" + both);
    EXPECT_EQ(host.Effects(), (Lines{"ShowStatusBar", "HideToolBar", "HideStatusBar", "ShowToolBar"}));

    RecordingHost history;
    history.enabled[ToolButton::Back] = false;
    history.enabled[ToolButton::Forward] = true;
    RunActionCommands(history, "WEBBACK()-@-WEBNEXT()");
    EXPECT_EQ(history.log, (Lines{"?Enabled(Back)", "?Enabled(Forward)", "Click(Forward)"}));
}

TEST(InterpreterSyntax, TrimKeepsThePrintableCoreOfAtMost255Characters) {
    EXPECT_EQ(TrimCommand(" \t\r\n\x7F\xE9WEBHOME()\x01 \xFF"), "WEBHOME()");
    EXPECT_EQ(TrimCommand("MESSAGE \"\xE9t\xE9\""), "MESSAGE \"\xE9t\xE9\"");  // only the ends are trimmed
    // Leading blanks do not count toward the 255 characters.
    const std::string core = std::string(255, 'x');
    EXPECT_EQ(TrimCommand("    " + core + "yz"), core);
    // What is left after the cut is trimmed again at its end.
    EXPECT_EQ(TrimCommand(std::string(250, 'a') + "     bbb"), std::string(250, 'a'));
}

TEST(InterpreterSyntax, WorkedExamplesGiveKeywordAndParameters) {
    struct Example {
        const char* command;
        const char* keyword;
        const char* p1;
        const char* p2;
    };
    const Example examples[] = {
        {"message \"A title\"==\"Line with \"quotes\"\"", "MESSAGE", "A title", "Line with \"quotes\""},
        {"ENABLEBUTTONNAVIGATION \"BUTTON_HOME\"", "ENABLEBUTTONNAVIGATION", "BUTTON_HOME", ""},
        {"WEBHOME() anything", "WEBHOME()", "WEBHOME() anything", ""},
        {"MESSAGE \"a\"==\"b\"==\"c\"", "MESSAGE", "a", "b"},
        {"Message\n\"x\"", "MESSAGE", "Message", "x"},  // a line break ends a field as well
    };
    for (const auto& e : examples) {
        SCOPED_TRACE(e.command);
        EXPECT_EQ(CommandKeyword(e.command), e.keyword);
        EXPECT_EQ(CommandParameter(1, e.command), e.p1);
        EXPECT_EQ(CommandParameter(2, e.command), e.p2);
    }
    EXPECT_EQ(QuotedText("a\"b\"c"), "b");
    // "=" alone does not separate fields.
    EXPECT_EQ(CommandParameter(2, "X \"a=b\"=\"c\""), "");
    EXPECT_EQ(CommandParameter(3, "X \"a\"==\"b\"==\"c\""), "c");
    // Keywords are upper-cased in ASCII letters only.
    EXPECT_EQ(CommandKeyword("m\xE9ssage x"), "M\xE9SSAGE");
}

TEST(InterpreterSyntax, NavigationTargetsBecomeCommandStrings) {
    EXPECT_EQ(CommandFromNavigation("action:WEBBACK()"), "WEBBACK()");
    EXPECT_EQ(CommandFromNavigation("ACTION:webback()"), "webback()");
    EXPECT_EQ(CommandFromNavigation("ACTION:APPLICATIONTITLE%20%My%20Book%"), "APPLICATIONTITLE \"My Book\"");
    // "%2520" holds no "%20": only the second pass changes it.
    EXPECT_EQ(CommandFromNavigation("ACTION:WEBLINK %a%2520b%"), "WEBLINK \"a\"2520b\"");
    // "ACTION:" later in the address is caught too, and seven characters go
    // whatever they are.
    EXPECT_EQ(CommandFromNavigation("file:///c:/b/p.htm#ACTION:WEBHOME()"), "/c:/b/p.htm#ACTION:WEBHOME()");
    EXPECT_EQ(CommandFromNavigation("ACTION:"), "");
    EXPECT_FALSE(CommandFromNavigation("file:///c:/b/action.htm").has_value());
}

// File: Open, Chapters (Chapter 1, Chapter 2), Exit; Help: About.
RecordingHost HostWithMenus() {
    RecordingHost host;
    host.menus = {
        {"File", true, {{"Open"}, {"Chapters", true, {{"Chapter 1"}, {"Chapter 2"}}}, {"Exit"}}},
        {"Help", true, {{"About"}}},
    };
    return host;
}

TEST(InterpreterMenu, AddressesHoldTwoOrThreeIndexesAfterAnyFiveCharacters) {
    EXPECT_EQ(MenuItemAddress("MENUx0_2"), (MenuPath{0, 2}));
    EXPECT_EQ(MenuItemAddress("MENUx1_0_3"), (MenuPath{1, 0, 3}));
    EXPECT_EQ(MenuItemAddress("menux12_-1"), (MenuPath{12, -1}));
    // Other counts of indexes are no address: see the commands that do nothing below.
    EXPECT_FALSE(MenuItemAddress("M_0_1").has_value());  // all five characters go, "_" included
    EXPECT_THROW(MenuItemAddress("MENUx0_"), EConvertError);  // an empty index is no integer
    EXPECT_THROW(MenuItemAddress("MENUx0_0x1"), EConvertError);
    EXPECT_THROW(MenuItemAddress("MENUx0_99999999999"), EConvertError);
}

TEST(InterpreterMenu, CommandsActOnItemsAndSubItemsByPosition) {
    RecordingHost host = HostWithMenus();
    RunActionCommands(host, "DISABLEMENUITEM \"MENUx0_1\"-@-RENAMEMENUITEM \"MENUx0_1_1\"==\"New\""
                            "-@-ENABLEMENUITEM \"XXXXX0_1\"-@-DISABLEMENUITEM \"MENUx1_0\"");
    EXPECT_EQ(host.Effects(), (Lines{"DisableMenu(0/1)", "RenameMenu(0/1/1, New)", "EnableMenu(0/1)",
                                     "DisableMenu(1/0)"}));

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
    EXPECT_EQ(ErrorOf<EConvertError>(host, "DELETEMENUITEM \"MENUx9_a\"-@-WEBHOME()"),
              "'a' is not a valid integer value");
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
