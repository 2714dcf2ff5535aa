#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/text.h"
#include "interpreter/external_actions.h"
#include "interpreter/interpreter.h"
#include "interpreter_recording_host.h"
#include "error_text.h"

namespace vc {
namespace {

using testing::RecordingHost;
using Lines = std::vector<std::string>;

ShellCall OnlyShellCall(const std::string& commands, RecordingHost host = RecordingHost()) {
    RunActionCommands(host, commands);
    EXPECT_EQ(host.shellCalls.size(), 1u) << commands;
    return host.shellCalls.empty() ? ShellCall() : host.shellCalls.front();
}

TEST(InterpreterExternal, ExecuteOrOpenFileReplacesMacrosInTheFileOnly) {
    RecordingHost host;
    RunActionCommands(host, "EXECUTEOROPENFILE \"[WindowsDir]notepad.exe\"==\"[Dir]notes.txt\"");
    EXPECT_EQ(host.log, (Lines{"?ExecutablePath", "?WindowsDirectory", "?SystemDirectory",
                               "Shell(none, null, [C:\\WINDOWS\\notepad.exe], [[Dir]notes.txt], null, 1)"}));

    EXPECT_EQ(OnlyShellCall("EXECUTEOROPENFILE \"[dir]readme.txt\"").file, "C:\\Books\\readme.txt");
    EXPECT_EQ(OnlyShellCall("EXECUTEOROPENFILE \"[SYSTEMDIR]calc.exe\"").file, "C:\\WINDOWS\\system32\\calc.exe");
    EXPECT_EQ(OnlyShellCall("EXECUTEOROPENFILE \"[Dir]a [DIR]b\"").file, "C:\\Books\\a C:\\Books\\b");
    const ShellCall call = OnlyShellCall("EXECUTEOROPENFILE \"\"");
    EXPECT_EQ(call.file, "");
    EXPECT_EQ(call.parameters, std::optional<std::string>(""));  // an empty text, not none

    RecordingHost root;
    root.executablePath = "C:\\vc.exe";
    root.windowsDirectory = "C:\\WINDOWS\\";  // already ends with "\": no second one
    EXPECT_EQ(OnlyShellCall("EXECUTEOROPENFILE \"[Dir]x.htm\"", root).file, "C:\\x.htm");
    EXPECT_EQ(OnlyShellCall("EXECUTEOROPENFILE \"[WindowsDir]x\"", root).file, "C:\\WINDOWS\\x");

    RecordingHost unknown;
    unknown.systemDirectory.clear();
    EXPECT_EQ(OnlyShellCall("EXECUTEOROPENFILE \"[SystemDir]cmd.exe\"", unknown).file, "cmd.exe");
}

TEST(InterpreterExternal, MacroExpansionIsPlainAndOrdered) {
    EXPECT_EQ(ExpandDirectoryMacros("[Dir][WindowsDir][SystemDir]", "D:\\", "W", "S\\"), "D:\\W\\S\\");
    // A folder that itself holds a later macro is expanded by the later step.
    EXPECT_EQ(ExpandDirectoryMacros("[Dir]x", "C:\\[systemdir]\\", "W", "S"), "C:\\S\\\\x");
    EXPECT_EQ(ExpandDirectoryMacros("[Dir", "D:\\", "W", "S"), "[Dir");
    EXPECT_EQ(ExpandDirectoryMacros("", "D:\\", "W", "S"), "");
}

TEST(InterpreterExternal, TextsForTheShellAreCutAt1024Characters) {
    // Several macros can make the file longer than the shell's buffer.
    RecordingHost host;
    host.executablePath = "C:\\" + std::string(200, 'f') + "\\vc.exe";  // a folder of 204 characters
    std::string macros;
    for (int i = 0; i < 10; ++i) macros += "[Dir]";
    const ShellCall call = OnlyShellCall("EXECUTEOROPENFILE \"" + macros + "\"==\"p\"", host);
    EXPECT_EQ(call.file.size(), kShellTextLimit);
    EXPECT_EQ(call.file.substr(0, 204), "C:\\" + std::string(200, 'f') + "\\");
    EXPECT_EQ(call.parameters, std::optional<std::string>("p"));

    RecordingHost direct;
    OpenWithShell(direct, std::string(1024, 'a'), std::string(2000, 'b'));
    ASSERT_EQ(direct.shellCalls.size(), 1u);
    EXPECT_EQ(direct.shellCalls[0].file, std::string(1024, 'a'));
    EXPECT_EQ(direct.shellCalls[0].parameters, std::optional<std::string>(std::string(1024, 'b')));
}

TEST(InterpreterExternal, WebPagesCannotStartPrograms) {
    RecordingHost host;
    RunActionCommands(host,
                      "EXECUTEOROPENFILE \"[SystemDir]cmd.exe\"==\"/c del x\"-@-WEBLINK \"example.test\"-@-WEBHOME()",
                      CommandSource::WebPage);
    EXPECT_EQ(host.log, (Lines{"Shell(application, null, [http://example.test], null, null, 1)", "Click(Home)"}));

    RecordingHost book;
    RunActionCommands(book, "EXECUTEOROPENFILE \"[SystemDir]cmd.exe\"==\"/c dir\"", CommandSource::Book);
    ASSERT_EQ(book.shellCalls.size(), 1u);
    EXPECT_EQ(book.shellCalls[0].file, "C:\\WINDOWS\\system32\\cmd.exe");
}

TEST(InterpreterExternal, AddressesArePrefixedAndReachTheShellAsOneArgumentFromEverySource) {
    struct Case {
        const char* command;
        const char* file;
    };
    const Case cases[] = {
        // The prefix goes on without a look at what follows.
        {"WEBLINK \"http://example.test\"", "http://http://example.test"},
        {"WEBLINK", "http://WEBLINK"},  // no quotes: the whole field
        {"WEBLINK \"\"", "http://"},
        {"SENDEMAIL \"\"", "mailto:"},
        // A quote and blanks would close the address and add arguments.
        {"WEBLINK \"x\" -new-window \"file:///C:/\"", "http://x%22%20-new-window%20%22file:///C:/"},
        {"WEBLINK \"a\tb\x01" "c\x7F" "d\xA0" "e\"", "http://a%09b%01c%7Fd%A0e"},
        {"WEBLINK \"a<b>c\\d^e`f{g|h}i\"", "http://a%3Cb%3Ec%5Cd%5Ee%60f%7Bg%7Ch%7Di"},
        // What URL escaping already allows stays as written.
        {"WEBLINK \"ex.test/a%20b?q=1&r=caf\xE9#top\"", "http://ex.test/a%20b?q=1&r=caf\xE9#top"},
        {"SENDEMAIL \"a@b.test?subject=Hello there\"", "mailto:a@b.test?subject=Hello%20there"},
        {"SENDEMAIL \"a@b.test\" /attach \"C:\\x\"", "mailto:a@b.test%22%20/attach%20%22C:%5Cx"},
    };
    for (CommandSource source : {CommandSource::Book, CommandSource::WebPage})
        for (const Case& c : cases) {
            RecordingHost host;
            RunActionCommands(host, c.command, source);
            ASSERT_EQ(host.shellCalls.size(), 1u) << c.command;
            EXPECT_EQ(host.shellCalls[0].file, c.file) << c.command;
        }
}

TEST(InterpreterExternal, MailFromWebPagesKeepsTheAddressAndFourFieldsOnly) {
    const std::string fields = "a@b.test?Subject=S&attach=C:\\x&body=B&Attachment=y&cc=c@d.test&bcc=e@f.test&to=g";
    RecordingHost web;
    RunActionCommands(web, "SENDEMAIL \"" + fields + "\"", CommandSource::WebPage);
    ASSERT_EQ(web.shellCalls.size(), 1u);
    EXPECT_EQ(web.shellCalls[0].file, "mailto:a@b.test?Subject=S&body=B&cc=c@d.test&bcc=e@f.test");
    EXPECT_EQ(MailtoForWebPage("a@b.test&attach=C:\\x?body=B"), "a@b.test?body=B");
    EXPECT_EQ(MailtoForWebPage("a@b.test?attach=x"), "a@b.test");
    EXPECT_EQ(MailtoForWebPage("a@b.test?subjectx=1&subject"), "a@b.test?subject");

    // The book's pages, its menu and its start-up line keep every field.
    RecordingHost book;
    RunActionCommands(book, "SENDEMAIL \"" + fields + "\"", CommandSource::Book);
    ASSERT_EQ(book.shellCalls.size(), 1u);
    EXPECT_EQ(book.shellCalls[0].file, "mailto:" + ReplaceAll(fields, "\\", "%5C"));
}

TEST(InterpreterExternal, LoadHtmlOpensOnlyPagesInsideTheBooksFolders) {
    struct Case {
        const char* page;
        const char* opened;  // empty: nothing opens
    };
    const Case cases[] = {
        {"C:\\books\\tour\\sub\\..\\a.htm", "D:\\ebook\\tour\\sub\\..\\a.htm"},
        {"C:\\books\\tour\\", "D:\\ebook\\tour\\"},
        {"C:\\books\\extra\\home2.htm", "D:\\ebook\\extra\\home2.htm"},
        // The folder rules themselves are the command origin's.
        {"C:\\books\\tour\\..\\..\\Windows\\win.ini", ""},
        {"C:\\books\\other\\a.htm", ""},
    };
    for (CommandSource source : {CommandSource::Book, CommandSource::WebPage})
        for (const Case& c : cases) {
            RecordingHost host;
            host.executablePath = "D:\\ebook\\book.exe";
            host.altHomePage = "C:\\books\\extra\\home.htm";
            RunActionCommands(host, std::string("LOADHTML \"") + c.page + "\"", source);
            EXPECT_EQ(host.Effects(), *c.opened ? Lines{std::string("Navigate(") + c.opened + ")"} : Lines{})
                << c.page;
        }
}

TEST(InterpreterExternal, RebasePagePathCutsTheRecordedPrefixByLength) {
    const std::string start = "C:\\books\\tour\\index.htm";
    EXPECT_EQ(RebasePagePath(start, "E:\\Reader\\", "C:\\books\\tour\\part2.htm"), "E:\\Reader\\tour\\part2.htm");
    EXPECT_EQ(RebasePagePath(start, "E:\\Reader\\", "C:\\books\\tour\\"), "E:\\Reader\\tour\\");
    // The prefix is not compared, only counted.
    EXPECT_EQ(RebasePagePath(start, "E:\\Reader\\", "X:\\abcdefgh\\bits.htm"), "E:\\Reader\\gh\\bits.htm");
    // Shorter than the prefix: nothing of the page is left.
    EXPECT_EQ(RebasePagePath(start, "E:\\Reader\\", "short"), "E:\\Reader\\");
    EXPECT_EQ(RebasePagePath(start, "E:\\Reader", "C:\\books\\tour\\p.htm"), "E:\\Reader\\tour\\p.htm");
    // With the folder right after the drive nothing precedes it but "C:\".
    EXPECT_EQ(RebasePagePath("C:\\tour\\index.htm", "E:\\", "C:\\tour\\a.htm"), "E:\\tour\\a.htm");
    // A start page at a drive root: k is 0 or less, all of the page is kept.
    EXPECT_EQ(RebasePagePath("C:\\index.htm", "E:\\", "tour\\a.htm"), "E:\\tour\\a.htm");

    // A start page without a folder raises.
    EXPECT_EQ(testing::ErrorText<EListError>([] { RebasePagePath("index.htm", "E:\\", "a.htm"); }),
              "List index out of bounds (-1)");
    EXPECT_THROW(RebasePagePath("", "E:\\", "a.htm"), EListError);
}

TEST(InterpreterExternal, LoadHtmlWithAStartPageWithoutAFolderFails) {
    RecordingHost broken;
    broken.startPage = "index.htm";
    EXPECT_THROW(RunActionCommands(broken, "LOADHTML \"C:\\books\\tour\\ch1.htm\"-@-WEBHOME()"), EListError);
    EXPECT_TRUE(broken.Effects().empty());
}

}  // namespace
}  // namespace vc
