#include <gtest/gtest.h>

#include <fstream>
#include <sstream>


#include "common/errors.h"
#include "common/text.h"
#include "interpreter/command_syntax.h"
#include "interpreter/external_actions.h"
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
    for (std::string_view keyword : CommandKeywords())
        EXPECT_NE(text.str().find("`" + std::string(keyword) + "`"), std::string::npos) << keyword;
    for (const auto& [name, button] : kButtonNames)
        EXPECT_NE(text.str().find(std::string("`") + name + "`"), std::string::npos) << name;
}

// Keywords whose full effects later tests show are left out here.
TEST(InterpreterDispatch, EveryKeywordHasItsOwnEffect) {
    const std::pair<const char*, Lines> cases[] = {
        {"APPLICATIONMAXIMIZE()", {"Maximize"}},
        {"APPLICATIONMINIMIZE()", {"Minimize"}},
        {"WEBBACK()", {"Click(Back)"}},
        {"WEBNEXT()", {"Click(Forward)"}},
        {"WEBREFRESH()", {"Click(Refresh)"}},
        {"WEBSELECTALL()", {"Click(SelectAll)"}},
        {"WEBSELECTIONCOPY()", {"Click(Copy)"}},
        {"SHOWFORMABOUT()", {"Click(About)"}},
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

TEST(InterpreterDispatch, KeywordsMatchInAnyCaseAndCommandsRunLeftToRight) {
    EXPECT_EQ(EffectsOf("WebHome() please go home"), Lines{"Click(Home)"});
    EXPECT_EQ(EffectsOf("webstop now"), Lines{"BrowserStop"});
    EXPECT_EQ(EffectsOf("-@-HIDESTATUSBAR()-@-bogus-@-WEBHOME()-@-"), (Lines{"HideStatusBar", "Click(Home)"}));
    EXPECT_EQ(EffectsOf("MESSAGE \"a-@-b\"==\"c\""), Lines{"Message(, , 48)"}) << "a quoted -@- ends it too";
    EXPECT_EQ(EffectsOf("MESSAGE \"a - b @ c\"==\"-@\""), Lines{"Message(a - b @ c, -@, 48)"});
    EXPECT_EQ(EffectsOf("APPLICATIONTITLE \"unclosed"),
              (Lines{"Caption()", "GradientCaption()", "RepaintGradient"}));
}

TEST(InterpreterDispatch, TheCutAt255CharactersCanLoseTheClosingQuote) {
    const std::string head = "MESSAGE \"t\"==\"";  // 14 characters
    EXPECT_EQ(EffectsOf(head + std::string(241, 'x') + "\""), Lines{"Message(t, , 48)"}) << "character 256 is lost";
    EXPECT_EQ(EffectsOf(head + std::string(1000, 'x') + "\"-@-WEBSTOP"), (Lines{"Message(t, , 48)", "BrowserStop"}));
}

TEST(InterpreterDispatch, ApplicationExitAndErrorsEndTheString) {
    RecordingHost host;
    RunActionCommands(host, "MESSAGE \"a\"==\"b\"-@-APPLICATIONEXIT()-@-MESSAGE \"c\"==\"d\"");
    EXPECT_EQ(host.Effects(), (Lines{"Message(a, b, 48)", "Close"}));

    RunActionCommands(host, "WEBSTOP");
    EXPECT_EQ(host.Effects().back(), "BrowserStop") << "a later string runs again";

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
}

TEST(InterpreterDispatch, OnlyHistoryAndTogglesReadTheWindowsState) {
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

TEST(InterpreterSyntax, TrimKeepsThePrintableCoreOfAtMost255CharactersAndWorkedExamplesReadAsShown) {
    EXPECT_EQ(TrimCommand(" \t\r\n\x7F\xE9WEBHOME()\x01 \xFF"), "WEBHOME()");
    EXPECT_EQ(TrimCommand("MESSAGE \"\xE9t\xE9\""), "MESSAGE \"\xE9t\xE9\"");  // only the ends are trimmed
    const std::string core = std::string(255, 'x');
    EXPECT_EQ(TrimCommand("    " + core + "yz"), core) << "leading blanks do not count toward 255";
    EXPECT_EQ(TrimCommand(std::string(250, 'a') + "     bbb"), std::string(250, 'a')) << "trimmed again after the cut";

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
    EXPECT_EQ(CommandParameter(2, "X \"a=b\"=\"c\""), "") << "\"=\" alone does not separate";
    EXPECT_EQ(CommandParameter(3, "X \"a\"==\"b\"==\"c\""), "c");
    EXPECT_EQ(CommandKeyword("m\xE9ssage x"), "M\xE9SSAGE") << "ASCII letters only";
}

TEST(InterpreterSyntax, NavigationTargetsBecomeCommandStrings) {
    EXPECT_EQ(CommandFromNavigation("ACTION:webback()"), "webback()");
    EXPECT_EQ(CommandFromNavigation("ACTION:APPLICATIONTITLE%20%My%20Book%"), "APPLICATIONTITLE \"My Book\"");
    EXPECT_EQ(CommandFromNavigation("ACTION:WEBLINK %a%2520b%"), "WEBLINK \"a\"2520b\"") << "%2520 holds no %20";
    // "ACTION:" later in the address is caught too, and seven characters go whatever they are.
    EXPECT_EQ(CommandFromNavigation("file:///c:/b/p.htm#ACTION:WEBHOME()"), "/c:/b/p.htm#ACTION:WEBHOME()");
    EXPECT_EQ(CommandFromNavigation("ACTION:"), "");
    EXPECT_FALSE(CommandFromNavigation("file:///c:/b/action.htm").has_value());
}

RecordingHost HostWithMenus() {
    RecordingHost host;
    host.menus = {
        {"File", true, {{"Open"}, {"Chapters", true, {{"Chapter 1"}, {"Chapter 2"}}}, {"Exit"}}},
        {"Help", true, {{"About"}}},
    };
    return host;
}

TEST(InterpreterMenu, AddressesHoldTwoOrThreeIndexesAndCommandsActOnThoseItemsByPosition) {
    EXPECT_EQ(MenuItemAddress("MENUx0_2"), (MenuPath{0, 2}));
    EXPECT_EQ(MenuItemAddress("MENUx1_0_3"), (MenuPath{1, 0, 3}));
    EXPECT_EQ(MenuItemAddress("menux12_-1"), (MenuPath{12, -1}));
    EXPECT_FALSE(MenuItemAddress("M_0_1").has_value());  // all five characters go, "_" included
    EXPECT_THROW(MenuItemAddress("MENUx0_"), EConvertError);  // an empty index is no integer
    EXPECT_THROW(MenuItemAddress("MENUx0_0x1"), EConvertError);

    RecordingHost host = HostWithMenus();
    RunActionCommands(host, "DISABLEMENUITEM \"MENUx0_1\"-@-RENAMEMENUITEM \"MENUx0_1_1\"==\"New\""
                            "-@-ENABLEMENUITEM \"XXXXX0_1\"-@-DELETEMENUITEM \"MENUx1_0\"");
    EXPECT_EQ(host.Effects(), (Lines{"DisableMenu(0/1)", "RenameMenu(0/1/1, New)", "EnableMenu(0/1)",
                                     "DeleteMenu(1/0)"}));

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
    EXPECT_EQ(ErrorOf<EListError>(host, "RENAMEMENUITEM \"MENUx0_2_0\"==\"x\""), "List index out of bounds (0)");
    EXPECT_EQ(ErrorOf<EListError>(host, "DELETEMENUITEM \"MENUx0_-1\""), "List index out of bounds (-1)");
    // All indexes are converted before any is looked up.
    EXPECT_EQ(ErrorOf<EConvertError>(host, "DELETEMENUITEM \"MENUx9_a\"-@-WEBHOME()"),
              "'a' is not a valid integer value");
    EXPECT_TRUE(host.Effects().empty());
}

TEST(InterpreterMenu, DisableMenuGreysAWholeTopLevelMenu) {
    EXPECT_THROW(TopLevelMenuAddress("MENUxHelp"), EConvertError);

    RecordingHost host = HostWithMenus();
    RunActionCommands(host, "DESABILITARMENU \"MENUx1\"-@-desabilitarmenu \"MENUx0_1\"-@-DESABILITARMENU \"\"");
    EXPECT_EQ(host.Effects(), Lines{"DisableMenu(1)"});
    EXPECT_EQ(ErrorOf<EListError>(host, "DESABILITARMENU \"MENUx2\""), "List index out of bounds (2)");

    RecordingHost bare;
    EXPECT_EQ(ErrorOf<EListError>(bare, "DESABILITARMENU \"MENUx0\""), "List index out of bounds (0)") << "no menu bar";
}

ShellCall OnlyShellCall(const std::string& commands, RecordingHost host = RecordingHost(),
                        CommandSource source = CommandSource::Book) {
    RunActionCommands(host, commands, source);
    EXPECT_EQ(host.shellCalls.size(), 1u) << commands;
    return host.shellCalls.empty() ? ShellCall() : host.shellCalls.front();
}

TEST(InterpreterExternal, ExecuteOrOpenFileReplacesMacrosInTheFileOnlyAndCutsBothTexts) {
    RecordingHost host;
    RunActionCommands(host, "EXECUTEOROPENFILE \"[WindowsDir]notepad.exe\"==\"[Dir]notes.txt\"");
    EXPECT_EQ(host.log, (Lines{"?ExecutablePath", "?WindowsDirectory", "?SystemDirectory",
                               "Shell(none, null, [C:\\WINDOWS\\notepad.exe], [[Dir]notes.txt], null, 1)"}));

    EXPECT_EQ(OnlyShellCall("EXECUTEOROPENFILE \"[Dir]a [DIR]b\"").file, "C:\\Books\\a C:\\Books\\b");
    EXPECT_EQ(OnlyShellCall("EXECUTEOROPENFILE \"\"").parameters, std::optional<std::string>("")) << "empty, not none";

    RecordingHost root;
    root.executablePath = "C:\\vc.exe";
    EXPECT_EQ(OnlyShellCall("EXECUTEOROPENFILE \"[Dir]x.htm\"", root).file, "C:\\x.htm");

    RecordingHost unknown;
    unknown.systemDirectory.clear();
    EXPECT_EQ(OnlyShellCall("EXECUTEOROPENFILE \"[SystemDir]cmd.exe\"", unknown).file, "cmd.exe");
    EXPECT_EQ(ExpandDirectoryMacros("[Dir][WindowsDir][SystemDir]", "D:\\", "W", "S\\"), "D:\\W\\S\\");
    EXPECT_EQ(ExpandDirectoryMacros("[Dir]x", "C:\\[systemdir]\\", "W", "S"), "C:\\S\\\\x") << "macros in a folder too";

    RecordingHost direct;  // the texts for the shell are cut at 1024 characters
    OpenWithShell(direct, std::string(1024, 'a'), std::string(2000, 'b'));
    EXPECT_EQ(direct.shellCalls.at(0).file, std::string(1024, 'a'));
    EXPECT_EQ(direct.shellCalls.at(0).parameters, std::optional<std::string>(std::string(1024, 'b')));
}

struct SourceCase {
    const char* command;
    Lines fromBook;
    Lines fromWebPage;
};

class CommandsFromWebPages : public ::testing::TestWithParam<SourceCase> {};

// A page of the web never starts programs, moves the top window, prints
// without the dialog or loads a file; what the book itself may do stays.
TEST_P(CommandsFromWebPages, DoOnlyWhatCannotActAsTheBook) {
    for (CommandSource source : {CommandSource::Book, CommandSource::WebPage}) {
        RecordingHost host;
        RunActionCommands(host, GetParam().command, source);
        EXPECT_EQ(host.Effects(), source == CommandSource::Book ? GetParam().fromBook : GetParam().fromWebPage)
            << (source == CommandSource::Book ? "from the book" : "from a web page");
    }
}

INSTANTIATE_TEST_SUITE_P(
    EachKind, CommandsFromWebPages,
    ::testing::Values(
        SourceCase{"EXECUTEOROPENFILE \"[SystemDir]cmd.exe\"==\"/c del x\"",
                   {"Shell(none, null, [C:\\WINDOWS\\system32\\cmd.exe], [/c del x], null, 1)"}, {}},
        SourceCase{"WEBHOME()", {"Click(Home)"}, {}},
        SourceCase{"WEBREFRESH()", {"Click(Refresh)"}, {}},
        SourceCase{"WEBPRINTPAGE()", {"Click(Print)"}, {"ExecWB(6, 1)"}},
        SourceCase{"LOADHTML \"C:\\books\\tour\\a.htm\"", {"Navigate(file:///C:/Books/tour/a.htm)"}, {}},
        SourceCase{"WEBLINK \"example.test\"", {"Shell(application, null, [http://example.test], null, null, 1)"},
                   {"Shell(application, null, [http://example.test], null, null, 1)"}},
        SourceCase{"WEBBACK()", {"Click(Back)"}, {"Click(Back)"}},
        SourceCase{"SEARCH \"apple \"pie\"\"", {"Search(apple \"pie\")"}, {"Search(apple \"pie\")"}}));

TEST(InterpreterExternal, AddressesReachTheShellAsOneArgumentAndMailFromWebPagesKeepsFourFields) {
    const std::pair<const char*, const char*> cases[] = {
        {"WEBLINK \"http://example.test\"", "http://http://example.test"},
        {"WEBLINK", "http://WEBLINK"},  // no quotes: the whole field
        {"SENDEMAIL \"\"", "mailto:"},
        // A quote and blanks would close the address and add arguments.
        {"WEBLINK \"x\" -new-window \"file:///C:/\"", "http://x%22%20-new-window%20%22file:///C:/"},
        {"WEBLINK \"a\tb\x01" "c\x7F" "d\xA0" "e\"", "http://a%09b%01c%7Fd%A0e"},
        {"WEBLINK \"a<b>c\\d^e`f{g|h}i\"", "http://a%3Cb%3Ec%5Cd%5Ee%60f%7Bg%7Ch%7Di"},
        // What URL escaping already allows stays as written.
        {"WEBLINK \"ex.test/a%20b?q=1&r=caf\xE9#top\"", "http://ex.test/a%20b?q=1&r=caf\xE9#top"},
        {"SENDEMAIL \"a@b.test?subject=Hello there\"", "mailto:a@b.test?subject=Hello%20there"},
    };
    for (CommandSource source : {CommandSource::Book, CommandSource::WebPage})
        for (const auto& [command, file] : cases) EXPECT_EQ(OnlyShellCall(command, {}, source).file, file) << command;

    const std::string fields = "a@b.test?Subject=S&attach=C:\\x&body=B&Attachment=y&cc=c@d.test&bcc=e@f.test&to=g";
    EXPECT_EQ(OnlyShellCall("SENDEMAIL \"" + fields + "\"", {}, CommandSource::WebPage).file,
              "mailto:a@b.test?Subject=S&body=B&cc=c@d.test&bcc=e@f.test");
    EXPECT_EQ(MailtoForWebPage("a@b.test&attach=C:\\x?body=B"), "a@b.test?body=B");
    EXPECT_EQ(MailtoForWebPage("a@b.test?attach=x"), "a@b.test");
    EXPECT_EQ(MailtoForWebPage("a@b.test?subjectx=1&subject"), "a@b.test?subject");

    EXPECT_EQ(OnlyShellCall("SENDEMAIL \"" + fields + "\"").file, "mailto:" + ReplaceAll(fields, "\\", "%5C"))
        << "the book's own commands keep every field";
}

TEST(InterpreterExternal, LoadHtmlOpensOnlyPagesInsideTheBooksFoldersAtTheAddressItChecked) {
    RecordingHost host;
    host.executablePath = "D:\\ebook\\book.exe";
    host.altHomePage = "C:\\books\\extra\\home.htm";
    RunActionCommands(host, "LOADHTML \"C:\\books\\tour\\sub\\..\\a.htm\"-@-LOADHTML \"C:\\books\\other\\a.htm\""
                            "-@-LOADHTML \"C:\\books\\extra\\home2.htm\"-@-LOADHTML \"C:\\books\\tour\\..\\x.htm\"",
                      CommandSource::Book);
    EXPECT_EQ(host.Effects(), (Lines{"Navigate(file:///D:/ebook/tour/a.htm)", "Navigate(file:///D:/ebook/extra/home2.htm)"}));

    // A folder named with "%" and "#" is the disk's: the address escapes them for the browser's one decoding.
    RecordingHost odd;
    odd.executablePath = "D:\\100%41 #1\\book.exe";
    RunActionCommands(odd, "LOADHTML \"C:\\books\\tour\\a.htm\"", CommandSource::Book);
    EXPECT_EQ(odd.Effects(), Lines{"Navigate(file:///D:/100%2541 %231/tour/a.htm)"});
}

TEST(InterpreterExternal, LoadHtmlInAOneFileBookOpensTheEntryAtTheBooksAddress) {
    RecordingHost host;
    host.executablePath = "D:\\ebook\\book.exe";
    host.bookHost = "qwerty";
    RunActionCommands(host, "LOADHTML \"C:\\books\\tour\\sub\\a b.htm\"-@-LOADHTML \"C:\\books\\tour\\..\\..\\x.htm\""
                            "-@-LOADHTML \"C:\\books\\extra\\home2.htm\"-@-LOADHTML \"short\"");
    EXPECT_EQ(host.Effects(), (Lines{"Navigate(vcbook://qwerty/tour/sub/a%20b.htm)",
                                     "Navigate(vcbook://qwerty/extra/home2.htm)"}));
}

TEST(InterpreterExternal, RebasePagePathCutsTheRecordedPrefixByLengthAndNeedsAFolder) {
    const std::string start = "C:\\books\\tour\\index.htm";
    EXPECT_EQ(RebasePagePath(start, "E:\\Reader\\", "C:\\books\\tour\\part2.htm"), "E:\\Reader\\tour\\part2.htm");
    EXPECT_EQ(RebasePagePath(start, "E:\\", "X:\\abcdefgh\\bits.htm"), "E:\\gh\\bits.htm") << "only counted";
    EXPECT_EQ(RebasePagePath(start, "E:\\Reader\\", "short"), "E:\\Reader\\");
    EXPECT_EQ(RebasePagePath(start, "E:\\Reader", "C:\\books\\tour\\p.htm"), "E:\\Reader\\tour\\p.htm");
    EXPECT_EQ(RebasePagePath("C:\\index.htm", "E:\\", "tour\\a.htm"), "E:\\tour\\a.htm") << "a start page at a root";

    EXPECT_EQ(testing::ErrorText<EListError>([] { RebasePagePath("index.htm", "E:\\", "a.htm"); }),
              "List index out of bounds (-1)");
    RecordingHost broken;
    broken.startPage = "index.htm";
    EXPECT_THROW(RunActionCommands(broken, "LOADHTML \"C:\\books\\tour\\ch1.htm\"-@-WEBHOME()"), EListError);
    EXPECT_TRUE(broken.Effects().empty());
}

}  // namespace
}  // namespace vc
