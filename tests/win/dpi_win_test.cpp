// The runtime on high-DPI screens. Run these under a prefix set to 96, 144
// and 192 DPI (HKCU\Control Panel\Desktop LogPixels, the last in a throw-away
// prefix): the expectations follow the DPI the system reports.
#include <windows.h>
#include <ole2.h>
#include <mshtmhst.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/scale_win.h"
#include "ui/handles_win.h"
#include "window/web_browser_win.h"

namespace vc {
namespace {

std::string BesideTests(const char* name) {
    char path[MAX_PATH];
    const std::string self(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
    return self.substr(0, self.rfind('\\') + 1) + name;
}

TEST(DpiRuntime, ManifestDeclaresPerMonitorAwarenessWithTheSystemWideFallback) {
    const HMODULE runtime = ::LoadLibraryExA(BesideTests("vellumcast.exe").c_str(), nullptr,
                                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_TRUE(runtime) << "vellumcast.exe is not beside the tests";
    const HRSRC found = ::FindResourceA(runtime, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_TRUE(found);
    const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(runtime, found)));
    const std::string manifest(bytes, ::SizeofResource(runtime, found));
    ::FreeLibrary(runtime);
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos) << manifest;
    // Common controls 6 stays: the tool bar and the links need it.
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

TEST(DpiRuntime, TheBrowserIsToldItsHostIsDpiAware) {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    const HWND parent = ::CreateWindowExA(0, "STATIC", "Host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, 300,
                                          200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent);
    {
        std::unique_ptr<WebBrowserHost> host = WebBrowserHost::Create({parent, {0, 0, 300, 200}, nullptr});
        ASSERT_TRUE(host);
        ui::ComPtr<IOleObject> object;
        ui::ComPtr<IOleClientSite> site;
        ui::ComPtr<IDocHostUIHandler> handler;
        host->Control()->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(object.Put()));
        ASSERT_TRUE(object);
        ASSERT_TRUE(SUCCEEDED(object->GetClientSite(site.Put())) && site);
        site->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(handler.Put()));
        ASSERT_TRUE(handler) << "the site has no UI handler";
        DOCHOSTUIINFO info{};
        info.cbSize = sizeof info;
        ASSERT_EQ(handler->GetHostInfo(&info), S_OK);
        EXPECT_EQ(info.dwFlags & DOCHOSTUIFLAG_DPI_AWARE, static_cast<DWORD>(DOCHOSTUIFLAG_DPI_AWARE));
    }
    ::DestroyWindow(parent);
    ::OleUninitialize();
}

}  // namespace
}  // namespace vc
