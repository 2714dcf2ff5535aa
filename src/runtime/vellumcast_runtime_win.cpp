// The program entry: OLE for the GUI thread, the application object, the
// presentation window as main window, and the message loop.
#include <windows.h>
#include <ole2.h>

#include <string>

#include "ui/application_win.h"
#include "window/frm_apresentacao_win.h"
#include "window/web_browser_win.h"

namespace {

std::string OwnPath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// OLE stays initialised for the whole life of the window.
class OleScope {
public:
    OleScope() noexcept : ok_(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleScope() {
        if (ok_) ::OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

private:
    bool ok_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    OleScope ole;
    auto& application = vc::ui::Application();
    application.Initialize();
    application.SetTitle(vc::Tform_apresentacao::kBuiltInCaption);
    int exitCode = 0;
    vc::ui::RunGuarded([&] {
        vc::Tform_apresentacao::Options options;
        options.exePath = OwnPath();
        options.createBrowser = [](HWND parent, vc::BrowserEvents& events) -> std::unique_ptr<vc::HostedBrowser> {
            return vc::WebBrowserHost::Create({parent, RECT{0, 0, 0, 0}, &events});
        };
        vc::Tform_apresentacao window(std::move(options));
        application.SetMainForm(&window);
        application.SetOnMessage([&window](MSG& message, bool& handled) { window.EventosAplicacaoMessage(message, handled); });
        exitCode = application.Run();
        application.SetOnMessage(nullptr);
        application.SetMainForm(nullptr);
    });
    return exitCode;
}
