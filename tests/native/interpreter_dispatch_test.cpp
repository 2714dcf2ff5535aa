#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/errors.h"
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

TEST(InterpreterDispatch, EveryKeywordHasItsOwnEffect) {
    const std::pair<const char*, Lines> cases[] = {
        {"MESSAGE \"Note\"==\"Saved.\"", {"Message(Note, Saved., 48)"}},
        {"APPLICATIONTITLE \"Chapter 2\"", {"Caption(Chapter 2)", "GradientCaption(Chapter 2)", "RepaintGradient"}},
        {"APPLICATIONEXIT()", {"Close"}},
        {"APPLICATIONMAXIMIZE()", {"Maximize"}},
        {"APPLICATIONMINIMIZE()", {"Minimize"}},
        {"LOADHTML \"C:\\books\\tour\\part2.htm\"", {"Navigate(C:\\Books\\tour\\part2.htm)"}},
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
        {"DISABLEBUTTONNAVIGATION \"BUTTON_EXIT\"", {"Disable(Exit)"}},
        {"SHOWORHIDEBUTTONSNAVIGATIONS()", {"HideToolBar"}},
        {"SHOWORHIDESTATUSBAR()", {"HideStatusBar"}},
        {"WEBLINK \"example.test\"", {"Shell(application, null, [http://example.test], null, null, 1)"}},
        {"SENDEMAIL \"a@b.test\"", {"Shell(desktop, [open], [mailto:a@b.test], null, null, 1)"}},
        {"WEBPRINTPREVIEW()", {"ExecWB(7, 2)"}},
        {"WEBPAGESETUP()", {"ExecWB(8, 1)"}},
        {"EXECUTEOROPENFILE \"[Dir]a.txt\"", {"Shell(none, null, [C:\\Books\\a.txt], [], null, 1)"}},
    };
    for (const auto& [command, effects] : cases) {
        SCOPED_TRACE(command);
        EXPECT_EQ(EffectsOf(command), effects);
    }
}

TEST(InterpreterDispatch, EmptyPiecesAndUnknownKeywordsDoNothing) {
    for (const char* text : {"", "-@-", "   ", "-@- \t -@-", "\xE9\xE9", "NOSUCHCOMMAND()", "WEBHOME", "WEBHOME ()",
                             "WEBSTOP()", "WEBHOME()\tx", "MESSAGE\"a\"==\"b\"", "BUTTON_HOME"}) {
        SCOPED_TRACE(text);
        RecordingHost host;
        RunActionCommands(host, text);
        EXPECT_TRUE(host.log.empty());
    }
}

TEST(InterpreterDispatch, KeywordsMatchInAnyCaseAndCommandsRunLeftToRight) {
    EXPECT_EQ(EffectsOf("WebHome() please go home"), Lines{"Click(Home)"});
    EXPECT_EQ(EffectsOf("webstop now"), Lines{"BrowserStop"});
    EXPECT_EQ(EffectsOf("WEBHOME()\r\nignored"), Lines{"Click(Home)"});
    EXPECT_EQ(EffectsOf("  \t\xE9 WEBHOME() \xA0"), Lines{"Click(Home)"});
    // Commands run left to right across empty pieces.
    EXPECT_EQ(EffectsOf("WEBHOME()-@--@-HIDESTATUSBAR()"), (Lines{"Click(Home)", "HideStatusBar"}));
    EXPECT_EQ(EffectsOf("-@-HIDESTATUSBAR()-@-bogus-@-WEBHOME()-@-"), (Lines{"HideStatusBar", "Click(Home)"}));
    // A "-@-" inside quotes still ends the command.
    EXPECT_EQ(EffectsOf("MESSAGE \"a-@-b\"==\"c\""), Lines{"Message(, , 48)"});
    // Lone "-" and "@" are ordinary characters.
    EXPECT_EQ(EffectsOf("MESSAGE \"a - b @ c\"==\"-@\""), Lines{"Message(a - b @ c, -@, 48)"});
}

TEST(InterpreterDispatch, MissingParametersAreEmpty) {
    EXPECT_EQ(EffectsOf("MESSAGE"), Lines{"Message(MESSAGE, , 48)"});
    EXPECT_EQ(EffectsOf("MESSAGE \"\""), Lines{"Message(, , 48)"});
    EXPECT_EQ(EffectsOf("APPLICATIONTITLE \"unclosed"),
              (Lines{"Caption()", "GradientCaption()", "RepaintGradient"}));
}

TEST(InterpreterDispatch, TheCutAt255CharactersCanLoseTheClosingQuote) {
    const std::string head = "MESSAGE \"t\"==\"";  // 14 characters
    // The closing quote is character 256: lost, so only the opening one is left.
    EXPECT_EQ(EffectsOf(head + std::string(241, 'x') + "\""), Lines{"Message(t, , 48)"});
    // As character 255 it is kept.
    EXPECT_EQ(EffectsOf(head + std::string(240, 'x') + "\""), Lines{"Message(t, " + std::string(240, 'x') + ", 48)"});
    // With an inner quote in the kept part, the parameter ends there.
    EXPECT_EQ(EffectsOf(head + "say \"hi\" " + std::string(240, 'x') + "\""), Lines{"Message(t, say \"hi, 48)"});
    // Commands after a long piece still run.
    EXPECT_EQ(EffectsOf(head + std::string(1000, 'x') + "\"-@-WEBSTOP"), (Lines{"Message(t, , 48)", "BrowserStop"}));
}

TEST(InterpreterDispatch, ApplicationExitClosesAndEndsTheStringSilently) {
    RecordingHost host;
    RunActionCommands(host, "MESSAGE \"a\"==\"b\"-@-APPLICATIONEXIT()-@-MESSAGE \"c\"==\"d\"");
    EXPECT_EQ(host.Effects(), (Lines{"Message(a, b, 48)", "Close"}));

    // Text after the keyword is ignored; the keyword in any case works.
    EXPECT_EQ(EffectsOf("applicationexit() now-@-WEBHOME()"), Lines{"Close"});
    // A later string runs again: nothing is remembered between calls.
    RunActionCommands(host, "WEBSTOP");
    EXPECT_EQ(host.Effects().back(), "BrowserStop");
}

TEST(InterpreterDispatch, AnErrorEndsTheStringAndKeepsEarlierEffects) {
    RecordingHost host;
    host.refuseExecWB = true;
    EXPECT_EQ(ErrorText<Exception>([&] { RunActionCommands(host, "HIDESTATUSBAR()-@-WEBPRINTPREVIEW()-@-WEBHOME()"); }),
              "Unspecified error");
    EXPECT_EQ(host.Effects(), (Lines{"HideStatusBar", "ExecWB(7, 2)"}));

    RecordingHost menus;
    menus.menus = {{"File", true, {{"Open"}}}};
    EXPECT_EQ(ErrorText<EConvertError>([&] { RunActionCommands(menus, "DISABLEMENUITEM \"MENUx0_z\"-@-WEBHOME()"); }),
              "'z' is not a valid integer value");
    EXPECT_TRUE(menus.Effects().empty());
}

TEST(InterpreterDispatch, ButtonNamesAreExactAndUpperCase) {
    RecordingHost host;
    RunActionCommands(host, "ENABLEBUTTONNAVIGATION \"button_home\"-@-DISABLEBUTTONNAVIGATION \"BUTTON_HOME \""
                            "-@-ENABLEBUTTONNAVIGATION \"\"-@-DISABLEBUTTONNAVIGATION \"BUTTON_BACK\"");
    EXPECT_TRUE(host.log.empty());
    for (const auto& [name, button] : kButtonNames) EXPECT_EQ(ButtonByName(name), button) << name;
    EXPECT_FALSE(ButtonByName("BUTTON_FORWARD").has_value());
    EXPECT_FALSE(ButtonByName("Button_Home").has_value());
}

TEST(InterpreterDispatch, ButtonActionsIgnoreTheButtonStateExceptHistory) {
    RecordingHost host;
    RunActionCommands(host, "DISABLEBUTTONNAVIGATION \"BUTTON_PRINT\"-@-WEBPRINTPAGE()-@-WEBHOME()");
    EXPECT_EQ(host.Effects(), (Lines{"Disable(Print)", "Click(Print)", "Click(Home)"}));

    RecordingHost history;
    history.enabled[ToolButton::Back] = false;
    history.enabled[ToolButton::Forward] = true;
    RunActionCommands(history, "WEBBACK()-@-WEBNEXT()");
    EXPECT_EQ(history.log, (Lines{"?Enabled(Back)", "?Enabled(Forward)", "Click(Forward)"}));
}

TEST(InterpreterDispatch, TogglesRestoreTheirStateWhenRunTwice) {
    RecordingHost host;
    host.statusBarVisible = false;
    const std::string both = "SHOWORHIDESTATUSBAR()-@-SHOWORHIDEBUTTONSNAVIGATIONS()";
    RunActionCommands(host, both + "-@-" + both);
    EXPECT_EQ(host.Effects(), (Lines{"ShowStatusBar", "HideToolBar", "HideStatusBar", "ShowToolBar"}));
}

}  // namespace
}  // namespace vc
