#include <windows.h>
#include <ole2.h>
#include <exdispid.h>
#include <mshtmhst.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

#include "common/ole_error.h"
#include "common/text.h"
#include "effects_window_win.h"
#include "ui/com_error_win.h"
#include "ui/com_variant_win.h"
#include "window/browser_emulation_win.h"
#include "window/web_browser_win.h"

namespace vc {
namespace {

using effects::test::Pump;
using effects::test::PumpUntil;

static_assert(!std::is_copy_constructible_v<ui::Bstr>, "owners cannot be copied");
static_assert(!std::is_copy_assignable_v<ui::Variant>, "owners cannot be copied");
static_assert(!std::is_copy_constructible_v<WebBrowserHost>, "the host is registered with the control");

// The text and code of the automation error the call raised.
std::pair<std::string, std::uint32_t> Raised(const std::function<void()>& call) {
    try {
        call();
    } catch (const EOleError& error) {
        return {error.what(), error.Code()};
    }
    ADD_FAILURE() << "no automation error";
    return {};
}

TEST(WebBrowserOleError, TextIsTheObjectsDescriptionOrTheCode) {
    EXPECT_STREQ(EOleError(0x8000FFFFu, "  ").what(), "Automation error (0x8000FFFF)");
    EXPECT_STREQ(EOleError(0x80070057u, "The parameter is incorrect.\r\n").what(), "The parameter is incorrect.");
    // A code the system has no text for.
    EXPECT_EQ(Raised([] { ui::OleCheck(static_cast<HRESULT>(0x8004AB12u)); }).first, "Automation error (0x8004AB12)");
    EXPECT_NO_THROW(ui::OleCheck(S_FALSE));
}

// An automation object whose properties are found by name in any letter
// case, as the browser's own do. A get gives the object it was made with
// (possibly none). Every lookup, get and put goes to a shared log.
class StandIn final : public IDispatch {
public:
    StandIn(std::string name, std::vector<std::string>& log, std::vector<std::string> properties,
            StandIn* object = nullptr)
        : name_(std::move(name)), log_(log), properties_(std::move(properties)), object_(object) {}

    // While `code` is a failure, a put of `rejected` fails with it, and with
    // `description` when there is one.
    std::string rejected;
    HRESULT code = S_OK;
    const wchar_t* description = nullptr;
    ULONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
        *out = iid == IID_IUnknown || iid == IID_IDispatch ? this : nullptr;
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) noexcept override {
        const std::string name = ui::TextFromWide(names[0], std::wcslen(names[0]));
        log_.push_back(name_ + " names " + name);
        ids[0] = DISPID_UNKNOWN;
        for (std::size_t i = 0; i < properties_.size(); ++i)
            if (count == 1 && SameText(properties_[i], name)) ids[0] = static_cast<DISPID>(i + 1);
        return ids[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* info, UINT*) noexcept override {
        if (id < 1 || id > static_cast<DISPID>(properties_.size())) return DISP_E_MEMBERNOTFOUND;
        const std::string& property = properties_[id - 1];
        if (flags == DISPATCH_PROPERTYGET && params->cArgs == 0 && result) {
            log_.push_back(name_ + " get " + property);
            V_VT(result) = VT_DISPATCH;
            V_DISPATCH(result) = object_;
            if (object_) object_->AddRef();
            return S_OK;
        }
        // A put as the browser's objects take one: one string, named as the new value.
        if (flags != DISPATCH_PROPERTYPUT || params->cArgs != 1 || params->cNamedArgs != 1 ||
            params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT || V_VT(&params->rgvarg[0]) != VT_BSTR)
            return DISP_E_BADPARAMCOUNT;
        const std::string value = ui::TextFromBstr(V_BSTR(&params->rgvarg[0]));
        if (FAILED(code) && value == rejected) {
            log_.push_back(name_ + " refuses " + property + "=" + value);
            info->scode = code;
            if (description) info->bstrDescription = ::SysAllocString(description);
            return DISP_E_EXCEPTION;
        }
        log_.push_back(name_ + " put " + property + "=" + value);
        return S_OK;
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
    std::vector<std::string> properties_;
    StandIn* object_;
};

// The names go to each object as written; the object matches them.
TEST(WebBrowserLateBound, WalksDocumentBodyStyleAndRaisesRefusalsAfterTheWalk) {
    std::vector<std::string> log;
    StandIn style{"style", log, {"scrollbarFaceColor", "scrollbar3dLightColor", "borderStyle"}};
    StandIn body{"body", log, {"style"}, &style};
    StandIn document{"document", log, {"body"}, &body};
    StandIn browser{"browser", log, {"Document"}, &document};
    PutBodyStyleByName(&browser, "document", "scrollbar3DLIGHTCOLOR", "#FF8000");
    const std::vector<std::string> expected{
        "browser names document", "browser get Document",           "document names body",
        "document get body",      "body names Style",               "body get style",
        "style names scrollbar3DLIGHTCOLOR", "style put scrollbar3dLightColor=#FF8000"};
    EXPECT_EQ(log, expected);

    style.rejected = "plaid";
    style.code = E_INVALIDARG;
    style.description = L"Invalid property value.";
    EXPECT_EQ(Raised([&] { PutBodyStyleByName(&browser, "document", "borderStyle", "plaid"); }),
              std::make_pair(std::string("Invalid property value."), static_cast<std::uint32_t>(E_INVALIDARG)));
    EXPECT_EQ(log.back(), "style refuses borderStyle=plaid");
    // Refused by code alone.
    style.code = static_cast<HRESULT>(0x8004AB12u);
    style.description = nullptr;
    EXPECT_EQ(Raised([&] { PutBodyStyleByName(&browser, "document", "borderStyle", "plaid"); }).first,
              "Automation error (0x8004AB12)");

    EXPECT_EQ(Raised([&] { PutBodyStyleByName(&browser, "document", "scrollbarFooColor", "red"); }).second,
              static_cast<std::uint32_t>(DISP_E_UNKNOWNNAME));
    EXPECT_EQ(log.back(), "style names scrollbarFooColor");
    EXPECT_THROW(PutBodyStyleByName(nullptr, "document", "scrollbarFaceColor", "red"), EOleError);
    for (StandIn* object : {&browser, &document, &body, &style}) EXPECT_EQ(object->references, 1u);
}

// ---------------------------------------------------------------------------
// The real control

struct Recorder : BrowserEvents {
    std::vector<std::string> navigations;  // "URL from FRAME-ADDRESS"
    std::vector<std::string> log;
    std::function<void(const std::string&, bool&)> onNavigate;

    void WebBeforeNavigate2(const std::string& url, const std::string& frameUrl, bool& cancel) override {
        navigations.push_back(url + " from " + frameUrl);
        if (onNavigate) onNavigate(url, cancel);
    }
    void WebTitleChange(const std::string& title) override { log.push_back("title " + title); }
    void WebProgressChange(int progress, int maximum) override {
        log.push_back("progress " + std::to_string(progress) + "/" + std::to_string(maximum));
    }
    void WebCommandStateChange(int command, bool enabled) override {
        log.push_back("command " + std::to_string(command) + (enabled ? " on" : " off"));
    }
    void WebDocumentComplete(const std::string& url, bool topLevel) override {
        log.push_back("complete " + url + (topLevel ? " top" : " frame"));
    }
    void WebNavigateComplete2(const std::string& url, bool topLevel) override {
        log.push_back("arrived " + url + (topLevel ? " top" : " frame"));
    }
    void WebNewWindow3(const std::string& url) override { log.push_back("new window " + url); }
};

// Reads and closes the message boxes of this thread from their modal loop.
struct DialogWatcher {
    static inline std::vector<std::string> texts;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &Tick);

    DialogWatcher() { texts.clear(); }
    ~DialogWatcher() { ::KillTimer(nullptr, timer); }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND window, LPARAM) -> BOOL {
            char name[8] = {}, text[512] = {};
            ::GetClassNameA(window, name, sizeof name);
            if (std::string(name) != "#32770" || !::IsWindowVisible(window)) return TRUE;
            ::GetDlgItemTextA(window, 0xFFFF, text, sizeof text);  // the box's message
            texts.push_back(text);
            ::EndDialog(window, IDOK);
            return TRUE;
        }, 0);
    }
};

std::string WritePage(const std::string& name) {
    const std::string path = effects::test::TempPath(name);
    std::ofstream(path) << "<html><head><title>Page</title></head><body><p>A page.</p></body></html>";
    return path;
}

// Where the child lies in its parent's client area: "left,top,right,bottom".
std::string PlacedIn(HWND child, HWND parent) {
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

class WebBrowserHostTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr))); }
    static void TearDownTestSuite() { ::OleUninitialize(); }

    void SetUp() override {
        parent = ::CreateWindowExA(0, "STATIC", "Host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 20, 20,
                                   650, 470, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(parent);
        sitesBefore = WebBrowserHost::LiveSites();
        host = WebBrowserHost::Create({parent, {0, 36, 634, 400}, &events});
        ASSERT_TRUE(host) << "the control could not be hosted";
    }
    void TearDown() override {
        host.reset();
        if (parent) ::DestroyWindow(parent);
        EXPECT_EQ(WebBrowserHost::LiveSites(), sitesBefore) << "a site was not released";
    }

    // The client site as the control finds it, asked for another interface.
    template <class Interface>
    ui::ComPtr<Interface> Site(REFIID iid) {
        ui::ComPtr<IOleObject> object;
        ui::ComPtr<IOleClientSite> site;
        ui::ComPtr<Interface> result;
        host->Control()->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(object.Put()));
        if (object && SUCCEEDED(object->GetClientSite(site.Put())) && site)
            site->QueryInterface(iid, reinterpret_cast<void**>(result.Put()));
        return result;
    }
    // The event sink.
    ui::ComPtr<IDispatch> Sink() { return Site<IDispatch>(IID_IDispatch); }
    bool Showing(const std::string& name) {
        return PumpUntil([&] { return FindText(host->LocationUrl(), name) != std::string::npos; });
    }

    HWND parent = nullptr;
    long sitesBefore = 0;
    Recorder events;
    std::unique_ptr<WebBrowserHost> host;
};

TEST(WebBrowserFactory, GivesNothingWithoutAParentOrWithoutOle) {
    const long before = WebBrowserHost::LiveSites();
    Recorder events;
    EXPECT_FALSE(WebBrowserHost::Create({nullptr, {0, 0, 100, 100}, &events}));
    // A thread that never initialised OLE cannot create the control.
    bool created = true;
    std::thread([&] {
        HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
        created = static_cast<bool>(WebBrowserHost::Create({parent, {0, 0, 100, 100}, &events}));
        ::DestroyWindow(parent);
    }).join();
    EXPECT_FALSE(created);
    EXPECT_EQ(WebBrowserHost::LiveSites(), before) << "a failed creation left its site behind";
}

TEST_F(WebBrowserHostTest, IsInPlaceActiveFollowsSetBoundsAndWorksWithoutADocument) {
    const HWND window = host->Window();
    EXPECT_TRUE(::IsChild(parent, window));
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(PlacedIn(window, parent), "0,36,634,400");
    host->SetBounds({0, 36, 500, 300});
    Pump(50);
    EXPECT_EQ(PlacedIn(window, parent), "0,36,500,300");

    // The page is told its host is DPI aware.
    ui::ComPtr<IDocHostUIHandler> handler = Site<IDocHostUIHandler>(IID_IDocHostUIHandler);
    ASSERT_TRUE(handler) << "the site has no UI handler";
    DOCHOSTUIINFO info{};
    info.cbSize = sizeof info;
    ASSERT_EQ(handler->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags & DOCHOSTUIFLAG_DPI_AWARE, static_cast<DWORD>(DOCHOSTUIFLAG_DPI_AWARE));

    EXPECT_EQ(host->LocationUrl(), "");
    // No history yet: the refusal of a toolbar click is not reported.
    EXPECT_NO_THROW(host->GoBack());
    EXPECT_NO_THROW(host->GoForward());
    // Nothing loaded, nothing to select: the control refuses.
    EXPECT_THROW(host->ExecWB(browser_command::kSelectAll, browser_option::kPromptUser), EOleError);
    // Not an HTML document: the typed path does nothing; the late-bound one
    // finds the control's "Document" in any letter case, but no object.
    EXPECT_NO_THROW(host->SetBodyBorderStyle("none"));
    for (const char* name : {"document", "Document"})
        EXPECT_EQ(Raised([&] { host->PutBodyStyleByName(name, "scrollbarFaceColor", "red"); }).first,
                  std::string("Automation error: \"") + name + "\" is not an object");
}

TEST_F(WebBrowserHostTest, ACancelledActionGoesNowhereAndItsHandlerErrorReachesTheErrorDialog) {
    const std::string first = WritePage("vc_web_first.html");
    host->Navigate(first);
    ASSERT_TRUE(Showing("vc_web_first.html"));
    // A new frame shows no address yet.
    EXPECT_EQ(events.navigations, std::vector<std::string>{first + " from "});
    const std::string shown = host->LocationUrl();

    events.onNavigate = [](const std::string& url, bool& cancel) {
        if (FindText(url, "ACTION:") == std::string::npos) return;
        cancel = true;
        throw EConvertError("'x' is not a valid integer value");
    };
    DialogWatcher dialogs;
    host->Navigate("ACTION:SHOWSTATUSBAR(x)");
    ASSERT_TRUE(PumpUntil([&] { return !dialogs.texts.empty(); })) << "no error dialog";
    EXPECT_EQ(dialogs.texts[0], "'x' is not a valid integer value");
    EXPECT_EQ(events.navigations.back(), "ACTION:SHOWSTATUSBAR(x) from " + shown);
    Pump(500);
    EXPECT_EQ(host->LocationUrl(), shown) << "the cancelled navigation went on";

    // The same control goes on to an address nobody cancels.
    host->Navigate(WritePage("vc_web_second.html"));
    ASSERT_TRUE(Showing("vc_web_second.html"));
    EXPECT_EQ(dialogs.texts.size(), 1u);
}

// Wine's control raises no TitleChange, DocumentComplete or progress for a
// local page, so the sink is driven the way the control calls it.
TEST_F(WebBrowserHostTest, TheSinkHandsEveryEventOverWithItsArguments) {
    ui::ComPtr<IDispatch> sink = Sink();
    ASSERT_TRUE(sink);
    // The arguments come last first.
    auto invoke = [&](DISPID id, std::vector<VARIANT> lastFirst) {
        DISPPARAMS params{lastFirst.data(), nullptr, static_cast<UINT>(lastFirst.size()), 0};
        return sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    };
    // A number, a flag, an object or a reference to a variant.
    auto arg = [](VARTYPE type, long number, void* pointer = nullptr) {
        VARIANT v;
        ::VariantInit(&v);
        V_VT(&v) = type;
        if (type == VT_I4) V_I4(&v) = number;
        else if (type == VT_BOOL) V_BOOL(&v) = number ? VARIANT_TRUE : VARIANT_FALSE;
        else V_BYREF(&v) = pointer;
        return v;
    };
    ui::Variant title("Cap\xEDtulo 2");
    ui::Variant url("file:///C:/book/pages/two.html");
    const VARIANT page = arg(VT_VARIANT | VT_BYREF, 0, url.Get());
    const VARIANT top = arg(VT_DISPATCH, 0, host->Control());

    EXPECT_EQ(invoke(DISPID_TITLECHANGE, {title.Value()}), S_OK);
    EXPECT_EQ(invoke(DISPID_PROGRESSCHANGE, {arg(VT_I4, 100), arg(VT_I4, -1)}), S_OK);
    EXPECT_EQ(invoke(DISPID_COMMANDSTATECHANGE, {arg(VT_BOOL, 1), arg(VT_I4, 2)}), S_OK);
    EXPECT_EQ(invoke(DISPID_COMMANDSTATECHANGE, {arg(VT_BOOL, 0), arg(VT_I4, 1)}), S_OK);
    EXPECT_EQ(invoke(DISPID_DOCUMENTCOMPLETE, {page, top}), S_OK);
    // The control itself is the top level; any other frame object is a frame.
    EXPECT_EQ(invoke(DISPID_NAVIGATECOMPLETE2, {page, top}), S_OK);
    EXPECT_EQ(invoke(DISPID_NAVIGATECOMPLETE2, {page, arg(VT_DISPATCH, 0)}), S_OK);
    // An address with a look-alike of "/" has no exact 8-bit text: it arrives empty.
    const ui::Bstr lookAlike = ui::Bstr::Attach(::SysAllocString(L"file:///C:/book/pages\xFF0F..\xFF0Fx.html"));
    VARIANT wide = arg(VT_BSTR, 0);
    V_BSTR(&wide) = lookAlike.Get();
    EXPECT_EQ(invoke(DISPID_NAVIGATECOMPLETE2, {wide, top}), S_OK);
    // A new window: the sink cancels it before the window hears of it.
    VARIANT_BOOL cancel = VARIANT_FALSE;
    IDispatch* created = nullptr;
    ui::Variant context("file:///C:/book/pages/two.html");
    ui::Variant popUp("http://example.test/pop");
    EXPECT_EQ(invoke(DISPID_NEWWINDOW3, {popUp.Value(), context.Value(), arg(VT_I4, 0),
                                          arg(VT_BOOL | VT_BYREF, 0, &cancel), arg(VT_DISPATCH | VT_BYREF, 0, &created)}),
              S_OK);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    const std::vector<std::string> expected{"title Cap\xEDtulo 2", "progress -1/100", "command 2 on", "command 1 off",
                                            "complete file:///C:/book/pages/two.html top",
                                            "arrived file:///C:/book/pages/two.html top",
                                            "arrived file:///C:/book/pages/two.html frame", "arrived  top",
                                            "new window http://example.test/pop"};
    EXPECT_EQ(events.log, expected);
}

TEST_F(WebBrowserHostTest, TeardownTakesTheControlWindowDownAndLetsTheSiteGo) {
    const HWND window = host->Window();
    ui::ComPtr<IDispatch> sink = Sink();
    ASSERT_TRUE(sink);
    host.reset();
    EXPECT_FALSE(::IsWindow(window)) << "the control's window outlived the host";

    // Someone still holding the site keeps it alive; its events reach nobody.
    EXPECT_EQ(WebBrowserHost::LiveSites(), sitesBefore + 1);
    ui::Variant title("Late");
    DISPPARAMS params{title.Get(), nullptr, 1, 0};
    EXPECT_EQ(sink->Invoke(DISPID_TITLECHANGE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                           nullptr, nullptr),
              S_OK);
    EXPECT_TRUE(events.log.empty());
    sink.Reset();
    EXPECT_EQ(WebBrowserHost::LiveSites(), sitesBefore);
}

// Tab to the frame, a click and plain typing are no page accelerators.
TEST_F(WebBrowserHostTest, OnlyKeysBoundForThePageGoToTheControlFirst) {
    for (MSG message : {MSG{parent, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}},
                        MSG{host->Window(), WM_RBUTTONDOWN, MK_RBUTTON, 0, 0, {0, 0}},
                        MSG{host->Window(), WM_CHAR, 'a', 0, 0, {0, 0}}})
        EXPECT_FALSE(host->TranslatePageKey(message)) << "message " << message.message;
}

long EmulationValue() {
    DWORD value = 0, size = sizeof value;
    const LSTATUS status = ::RegGetValueA(HKEY_CURRENT_USER, TBrowserEmulation::kKey,
                                          TBrowserEmulation::ThisProgram().c_str(), RRF_RT_REG_DWORD, nullptr, &value,
                                          &size);
    return status == ERROR_SUCCESS ? static_cast<long>(value) : -1;
}

TEST_F(WebBrowserHostTest, PagesGetTheNewestDocumentModeUnlessTheReaderChoseOne) {
    EXPECT_EQ(EmulationValue(), 11000) << "written before the control was made";
    host.reset();
    EXPECT_EQ(EmulationValue(), -1) << "removed with the control";
    // A value of the reader's own is neither changed nor removed.
    const DWORD chosen = 7000;
    ASSERT_EQ(::RegSetKeyValueA(HKEY_CURRENT_USER, TBrowserEmulation::kKey, TBrowserEmulation::ThisProgram().c_str(),
                                REG_DWORD, &chosen, sizeof chosen),
              ERROR_SUCCESS);
    host = WebBrowserHost::Create({parent, {0, 36, 634, 400}, &events});
    host.reset();
    EXPECT_EQ(EmulationValue(), 7000);
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, TBrowserEmulation::kKey, TBrowserEmulation::ThisProgram().c_str());
}

}  // namespace
}  // namespace vc
