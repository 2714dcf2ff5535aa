#pragma once
// The commands that hand a target to the operating system's shell: web
// addresses, e-mail addresses, and files or programs with directory macros.
#include <cstddef>
#include <string>
#include <string_view>

#include "interpreter/command_host.h"
#include "interpreter/command_set.h"

namespace vc {

// The shell receives the file and the parameters of "EXECUTEOROPENFILE" in
// buffers of 1025 bytes: longer texts are cut to this many characters.
constexpr std::size_t kShellTextLimit = 1024;

// The file text of "EXECUTEOROPENFILE" with "[Dir]", then "[WindowsDir]",
// then "[SystemDir]" replaced wherever they occur, in any letter case.
// `executableFolder` already ends with "\" or ":"; the two system directories
// get a trailing "\" unless they are empty (the platform reported none), in
// which case their macro is removed and the shell searches its usual path.
std::string ExpandDirectoryMacros(std::string_view file, std::string_view executableFolder,
                                  std::string_view windowsDirectory, std::string_view systemDirectory);

// An address for the shell with every character that URL escaping does not
// allow literally written as %XX (upper-case hex): control characters, blanks
// (the no-break space 0xA0 included), the double quote and <>\^`{|}. No blank
// or quote is left to cut it into several arguments of the program behind the
// shell. "%" stays, so escapes already written go through as they are, and
// letters of the code page stay as they are for the shell to convert.
std::string EscapedForShell(std::string_view address);

// What a web page may hand to the mail program: the address up to the first
// "?" or "&", then of the fields after the "?" only subject, body, cc and bcc
// (names in any letter case), in their order. Any other field goes.
std::string MailtoForWebPage(std::string_view address);

// A web address, escaped, to the reader's default browser, owned by the
// application's window.
void OpenInDefaultBrowser(CommandHost& host, std::string_view url);
// "WEBLINK": OpenInDefaultBrowser of "http://" and the address.
void OpenWebAddress(CommandHost& host, std::string_view address);
// "SENDEMAIL": verb "open" on "mailto:" and the escaped address, owned by the
// desktop; a web page's address is cut to MailtoForWebPage first.
void SendEmail(CommandHost& host, std::string_view address, CommandSource source);
// "EXECUTEOROPENFILE" once its macros are replaced: no owner, default verb,
// both texts cut to kShellTextLimit; empty parameters go as an empty text.
void OpenWithShell(CommandHost& host, std::string_view file, std::string_view parameters);

}  // namespace vc
