#include "window/frm_apresentacao_win.h"

#include <wininet.h>

#include <vector>

#include "common/text.h"
#include "runtime/payload.h"
#include "runtime/startup_helpers.h"
#include "ui/application_win.h"

namespace vc {

namespace {

constexpr const char* kRuntimeCaption = "Vellumcast";
constexpr const char* kConnectionTestAddress = "http://www.example.com/";

// A directory search for the exact path, with the critical-error dialogs of
// removable drives kept quiet while it looks.
bool FileExists(const std::string& path) {
    const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS);
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA(path.c_str(), &found);
    const bool exists = search != INVALID_HANDLE_VALUE;
    if (exists) ::FindClose(search);
    ::SetErrorMode(oldMode);
    return exists;
}

std::uint64_t PerformanceCounter() {
    LARGE_INTEGER counter;
    if (::QueryPerformanceCounter(&counter)) return static_cast<std::uint64_t>(counter.QuadPart);
    return ::GetTickCount();
}

}  // namespace

Tform_apresentacao::Tform_apresentacao(std::string exePath) : exePath_(std::move(exePath)) {
    CreateArgs args;
    args.caption = kBuiltInCaption;
    args.left = 293;
    args.top = 205;
    args.width = 650;
    args.height = 470;
    Create(args);
}

void Tform_apresentacao::OnCreate() {
    ui::RunGuarded([this] { FormCreate(); });
}

void Tform_apresentacao::FormCreate() {
    const TPayload payload(exePath_);
    if (!payload.HasPayload()) return;
    {
        std::vector<char> text(static_cast<std::size_t>(payload.GetPayloadSize()));
        payload.ReadPayload(text.data());
        ConfigurationLines lines(std::string_view(text.data(), text.size()));
        ApplyConfiguration(lines, settings_, *this);
    }
    if (settings_.ConnectionRequired && !::InternetCheckConnectionA(kConnectionTestAddress, FLAG_ICC_FORCE_CONNECTION, 0)) {
        ShowRuntimeMessage(settings_.ConnectionMessage);
        ui::Application().Terminate();
        return;
    }
    const std::string page = StartPageFile();
    if (!FileExists(page)) {
        ShowRuntimeMessage(settings_.PageMissingMessage);
        ui::Application().Terminate();
        return;
    }
    // The browser control opens the page once it is hosted here.
}

std::string Tform_apresentacao::StartPageFile() const {
    return WithTrailingBackslash(ExtractFilePath(exePath_)) + BookRelativePath(settings_.StartPage);
}

void Tform_apresentacao::ShowRuntimeMessage(const std::string& text) {
    ::MessageBoxA(Handle(), text.c_str(), kRuntimeCaption, MB_OK | MB_ICONEXCLAMATION);
}

void Tform_apresentacao::SetApplicationTitle(const std::string& title) { ui::Application().SetTitle(title); }

void Tform_apresentacao::SetCaption(const std::string& caption) { TForm::SetCaption(caption); }

std::string Tform_apresentacao::MakeMenuFileName() { return MakeRandomName(PerformanceCounter()); }

void Tform_apresentacao::SetGradientStartColour(Colour) {}
void Tform_apresentacao::SetGradientFont(const CaptionFont&) {}
void Tform_apresentacao::SetGradientCaption(const std::string&) {}
void Tform_apresentacao::SetGradientActive(bool) {}

void Tform_apresentacao::SetSize(int width, int height) {
    SetWidth(width);
    SetHeight(height);
}

void Tform_apresentacao::CentreOnScreen() {
    OSVERSIONINFOA version{sizeof(version)};
    ::GetVersionExA(&version);
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        RECT work;
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        SetPosition((work.right - work.left - Width()) / 2, (work.bottom - work.top - Height()) / 2);
    } else {
        SetPosition((ScreenWidth() - Width()) / 2, (ScreenHeight() - Height()) / 2);
    }
}

int Tform_apresentacao::ScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }
int Tform_apresentacao::ScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }

void Tform_apresentacao::SetMaximized(bool maximized) {
    SetState(maximized ? ui::WindowState::Maximized : ui::WindowState::Normal);
}

void Tform_apresentacao::SetBorder(WindowBorder border) {
    TForm::SetBorder(border == WindowBorder::Single ? ui::BorderStyle::Single
                     : border == WindowBorder::None ? ui::BorderStyle::None
                                                    : ui::BorderStyle::Sizeable);
}

void Tform_apresentacao::SetTitleBarButtons(const TitleBarButtons& buttons) {
    SetIcons(ui::BorderIcons{buttons.systemMenu, buttons.minimize, buttons.maximize});
}

// The tool bar, the status bar, the menus, the skin, the effects and the
// command interpreter join the window in their own pieces of work; until
// then the start-up reads their lines and these receive nothing to do.
void Tform_apresentacao::SetButtonVisible(ToolButton, bool) {}
void Tform_apresentacao::SetPartVisible(WindowPart, bool) {}
void Tform_apresentacao::SetButtonHint(ToolButton, const std::string&) {}
void Tform_apresentacao::PlayOpeningEffect(int) {}
void Tform_apresentacao::BuildMenus(const std::string&) {}
void Tform_apresentacao::ActivateSkin(int) {}
void Tform_apresentacao::RunStartupCommand(const std::string&) {}

}  // namespace vc
