#pragma once
// The commands that hand a target to the operating system's shell: web
// addresses, e-mail addresses, and files or programs with directory macros.
#include <cstddef>
#include <string>
#include <string_view>

#include "interpreter/command_host.h"

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

// "WEBLINK": "http://" and the address, owned by the application's window.
void OpenWebAddress(CommandHost& host, std::string_view address);
// "SENDEMAIL": verb "open" on "mailto:" and the address, owned by the desktop.
void SendEmail(CommandHost& host, std::string_view address);
// "EXECUTEOROPENFILE" once its macros are replaced: no owner, default verb,
// both texts cut to kShellTextLimit; empty parameters go as an empty text.
void OpenWithShell(CommandHost& host, std::string_view file, std::string_view parameters);

}  // namespace vc
