// The program entry: OLE for the GUI thread, the application object, the
// presentation window as main window, and the message loop.
#include <windows.h>
#include <ole2.h>

#include <cstdlib>
#include <string>

#include "ui/application_win.h"
#include "window/frm_apresentacao_win.h"
#include "window/startup_trace_win.h"
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

// Every exception is caught before it reaches Windows; were one to escape,
// a GUI program has no console for the library's own report of it, whose
// name demangler alone would take 45 KB of the runtime.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    vc::startup_trace::Mark("entry");
    OleScope ole;
    vc::startup_trace::Mark("ole");
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
        vc::startup_trace::Mark("window");
        application.SetMainForm(&window);
        bool looping = false;
        application.SetOnMessage([&window, &looping](MSG& message, bool& handled) {
            if (!looping) {
                looping = true;
                vc::startup_trace::Mark("loop");
                vc::startup_trace::Write();
            }
            window.EventosAplicacaoMessage(message, handled);
        });
        exitCode = application.Run();
        application.SetOnMessage(nullptr);
        application.SetMainForm(nullptr);
    });
    return exitCode;
}
