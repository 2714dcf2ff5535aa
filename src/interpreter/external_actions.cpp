#include "interpreter/external_actions.h"

#include "common/text.h"

namespace vc {

namespace {

// Every occurrence of `macro`, letters compared without regard to case,
// replaced by `value`; replaced text is not searched again.
std::string ReplaceMacro(std::string_view text, std::string_view macro, std::string_view value) {
    std::string result;
    std::string_view rest = text;
    for (auto at = FindText(rest, macro); at != std::string::npos; at = FindText(rest, macro)) {
        result.append(rest.substr(0, at));
        result.append(value);
        rest.remove_prefix(at + macro.size());
    }
    result.append(rest);
    return result;
}

std::string DirectoryWithBackslash(std::string_view directory) {
    return directory.empty() ? std::string() : WithTrailingBackslash(directory);
}

std::string CutForShell(std::string_view text) { return std::string(text.substr(0, kShellTextLimit)); }

}  // namespace

std::string ExpandDirectoryMacros(std::string_view file, std::string_view executableFolder,
                                  std::string_view windowsDirectory, std::string_view systemDirectory) {
    std::string result = ReplaceMacro(file, "[Dir]", executableFolder);
    result = ReplaceMacro(result, "[WindowsDir]", DirectoryWithBackslash(windowsDirectory));
    return ReplaceMacro(result, "[SystemDir]", DirectoryWithBackslash(systemDirectory));
}

void OpenWebAddress(CommandHost& host, std::string_view address) {
    ShellCall call;
    call.owner = ShellOwner::ApplicationWindow;
    call.file = "http://" + std::string(address);
    host.CallShell(call);
}

void SendEmail(CommandHost& host, std::string_view address) {
    ShellCall call;
    call.owner = ShellOwner::DesktopWindow;
    call.verb = "open";
    call.file = "mailto:" + std::string(address);
    host.CallShell(call);
}

void OpenWithShell(CommandHost& host, std::string_view file, std::string_view parameters) {
    ShellCall call;
    call.file = CutForShell(file);
    call.parameters = CutForShell(parameters);
    host.CallShell(call);
}

}  // namespace vc
