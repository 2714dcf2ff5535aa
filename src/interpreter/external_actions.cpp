#include "interpreter/external_actions.h"

#include <algorithm>

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

bool NeedsEscape(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code <= 0x20 || code == 0x7F || code == 0xA0 || std::string_view("\"<>\\^`{|}").find(c) != std::string_view::npos;
}

}  // namespace

std::string EscapedForShell(std::string_view address) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string result;
    for (char c : address) {
        if (!NeedsEscape(c)) {
            result.push_back(c);
            continue;
        }
        const auto code = static_cast<unsigned char>(c);
        result += {'%', kHex[code >> 4], kHex[code & 15]};
    }
    return result;
}

std::string MailtoForWebPage(std::string_view address) {
    const auto query = address.find('?');
    std::string result(address.substr(0, std::min(query, address.find('&'))));
    if (query == std::string_view::npos) return result;
    char joiner = '?';
    for (const std::string& field : SplitList(address.substr(query + 1), "&")) {
        const std::string name = field.substr(0, field.find('='));
        for (std::string_view allowed : {"subject", "body", "cc", "bcc"}) {
            if (!SameText(name, allowed)) continue;
            result += joiner + field;
            joiner = '&';
        }
    }
    return result;
}

std::string ExpandDirectoryMacros(std::string_view file, std::string_view executableFolder,
                                  std::string_view windowsDirectory, std::string_view systemDirectory) {
    std::string result = ReplaceMacro(file, "[Dir]", executableFolder);
    result = ReplaceMacro(result, "[WindowsDir]", DirectoryWithBackslash(windowsDirectory));
    return ReplaceMacro(result, "[SystemDir]", DirectoryWithBackslash(systemDirectory));
}

void OpenInDefaultBrowser(CommandHost& host, std::string_view url) {
    ShellCall call;
    call.owner = ShellOwner::ApplicationWindow;
    call.file = EscapedForShell(url);
    host.CallShell(call);
}

void OpenWebAddress(CommandHost& host, std::string_view address) { OpenInDefaultBrowser(host, "http://" + std::string(address)); }

void SendEmail(CommandHost& host, std::string_view address, CommandSource source) {
    ShellCall call;
    call.owner = ShellOwner::DesktopWindow;
    call.verb = "open";
    call.file = "mailto:" + EscapedForShell(source == CommandSource::WebPage ? MailtoForWebPage(address)
                                                                                  : std::string(address));
    host.CallShell(call);
}

void OpenWithShell(CommandHost& host, std::string_view file, std::string_view parameters) {
    ShellCall call;
    call.file = CutForShell(file);
    call.parameters = CutForShell(parameters);
    host.CallShell(call);
}

}  // namespace vc
