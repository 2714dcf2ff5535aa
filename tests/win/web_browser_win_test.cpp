#include <windows.h>
#include <ole2.h>
#include <exdispid.h>
#include <mshtmhst.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
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
#include "window/web_browser_win.h"

namespace vc {
namespace {

static_assert(!std::is_copy_constructible_v<ui::Bstr>, "owners cannot be copied");
static_assert(!std::is_copy_assignable_v<ui::Variant>, "owners cannot be copied");
static_assert(!std::is_copy_constructible_v<WebBrowserHost>, "the host is registered with the control");
static_assert(std::is_base_of_v<Exception, EOleError>, "automation errors are the runtime's errors");

// ---------------------------------------------------------------------------
// Automation errors and the text conversions

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

int deferredFills = 0;
HRESULT STDAPICALLTYPE FillLater(EXCEPINFO* info) {
    ++deferredFills;
    info->bstrDescription = ::SysAllocString(L"Invalid property value.");
    info->scode = E_INVALIDARG;
    return S_OK;
}

TEST(WebBrowserOleError, TextIsTheObjectsDescriptionOrTheCode) {
    EXPECT_STREQ(EOleError(0x80004005u).what(), "Automation error (0x80004005)");
    EXPECT_STREQ(EOleError(0x8000FFFFu, "  ").what(), "Automation error (0x8000FFFF)");
    const EOleError described(0x80070057u, "The parameter is incorrect.\r\n");
    EXPECT_STREQ(described.what(), "The parameter is incorrect.");
    EXPECT_EQ(described.Code(), 0x80070057u);
    // A code the system has no text for.
    const auto unknown = std::make_pair(std::string("Automation error (0x8004AB12)"), 0x8004AB12u);
    EXPECT_EQ(Raised([] { ui::OleCheck(static_cast<HRESULT>(0x8004AB12u)); }), unknown);
    EXPECT_NO_THROW(ui::OleCheck(S_FALSE));

    EXCEPINFO info{};
    info.bstrDescription = ::SysAllocString(L"Could not set the value");
    info.bstrSource = ::SysAllocString(L"style");
    info.scode = E_INVALIDARG;
    EXPECT_EQ(Raised([&] { ui::RaiseOleError(DISP_E_EXCEPTION, info); }),
              std::make_pair(std::string("Could not set the value"), static_cast<std::uint32_t>(E_INVALIDARG)));
    EXPECT_EQ(info.bstrDescription, nullptr) << "the texts are freed and the slots emptied";
    EXPECT_EQ(info.bstrSource, nullptr);

    EXCEPINFO later{};
    later.pfnDeferredFillIn = &FillLater;
    EXPECT_EQ(Raised([&] { ui::RaiseOleError(DISP_E_EXCEPTION, later); }).first, "Invalid property value.");
    EXPECT_EQ(deferredFills, 1);
    EXCEPINFO codeOnly{};
    codeOnly.scode = static_cast<SCODE>(0x8004AB12u);
    EXPECT_EQ(Raised([&] { ui::RaiseOleError(DISP_E_EXCEPTION, codeOnly); }), unknown);
}

// ---------------------------------------------------------------------------
// The late-bound walk against a recording automation object

// An automation object with named properties: other objects (possibly
// none) or texts. Names match in any letter case, as in the browser's own
// document objects. Every lookup, get and put is written to a shared log.
class StandIn final : public IDispatch {
public:
    StandIn(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}

    void SetObject(const std::string& property, StandIn* object) { Define(property).object = object; }
    void SetText(const std::string& property, const std::string& value) { Define(property).text = value; }
    // A put of this value fails: with the object's own description, or
    // only with a code.
    void Reject(const std::string& value, HRESULT code, const wchar_t* description) {
        rejected_[value] = {code, description};
    }
    std::string Text(const std::string& property) { return properties_[LowerCase(property)].text; }
    ULONG References() const { return references_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
        AddRef();
        *out = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return --references_; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) noexcept override {
        if (count != 1) return E_INVALIDARG;
        const std::string name = ui::TextFromWide(names[0], std::wcslen(names[0]));
        log_.push_back(name_ + " names " + name);
        const auto found = ids_.find(LowerCase(name));
        if (found == ids_.end()) {
            ids[0] = DISPID_UNKNOWN;
            return DISP_E_UNKNOWNNAME;
        }
        ids[0] = found->second;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* info, UINT*) noexcept override {
        const auto name = names_.find(id);
        if (name == names_.end()) return DISP_E_MEMBERNOTFOUND;
        Property& property = properties_[name->second];
        if (flags == DISPATCH_PROPERTYGET) {
            if (params->cArgs != 0 || !result) return DISP_E_BADPARAMCOUNT;
            log_.push_back(name_ + " get " + name->second);
            V_VT(result) = VT_DISPATCH;
            V_DISPATCH(result) = property.object;
            if (property.object) property.object->AddRef();
            return S_OK;
        }
        if (flags == DISPATCH_PROPERTYPUT) {
            if (params->cArgs != 1 || params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
                return DISP_E_BADPARAMCOUNT;
            if (V_VT(&params->rgvarg[0]) != VT_BSTR) return DISP_E_TYPEMISMATCH;
            const std::string value = ui::TextFromBstr(V_BSTR(&params->rgvarg[0]));
            const auto rejected = rejected_.find(value);
            if (rejected != rejected_.end()) {
                log_.push_back(name_ + " refuses " + name->second + "=" + value);
                if (!rejected->second.second) return rejected->second.first;
                info->scode = rejected->second.first;
                info->bstrDescription = ::SysAllocString(rejected->second.second);
                return DISP_E_EXCEPTION;
            }
            log_.push_back(name_ + " put " + name->second + "=" + value);
            property.text = value;
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    struct Property {
        StandIn* object = nullptr;
        std::string text;
    };
    Property& Define(const std::string& property) {
        const std::string key = LowerCase(property);
        if (!ids_.count(key)) {
            const DISPID id = static_cast<DISPID>(ids_.size()) + 100;
            ids_[key] = id;
            names_[id] = key;
        }
        return properties_[key];
    }

    std::string name_;
    std::vector<std::string>& log_;
    ULONG references_ = 1;
    std::map<std::string, DISPID> ids_;
    std::map<DISPID, std::string> names_;
    std::map<std::string, Property> properties_;
    std::map<std::string, std::pair<HRESULT, const wchar_t*>> rejected_;
};

class WebBrowserLateBound : public ::testing::Test {
protected:
    WebBrowserLateBound() {
        browser.SetObject("Document", &document);
        document.SetObject("body", &body);
        body.SetObject("style", &style);
        for (const char* name : {"scrollbarFaceColor", "scrollbar3dLightColor", "borderStyle"}) style.SetText(name, "");
    }
    void ExpectNoReferencesLeft() {
        for (StandIn* object : {&browser, &document, &body, &style}) EXPECT_EQ(object->References(), 1u);
    }

    std::vector<std::string> log;
    StandIn browser{"browser", log}, document{"document", log}, body{"body", log}, style{"style", log};
};

TEST_F(WebBrowserLateBound, WalksDocumentBodyStyleAndPutsOneString) {
    PutBodyStyleByName(&browser, "document", "scrollbarFaceColor", "#FF8000");
    const std::vector<std::string> expected{
        "browser names document", "browser get document",   "document names body",
        "document get body",      "body names Style",       "body get style",
        "style names scrollbarFaceColor", "style put scrollbarfacecolor=#FF8000"};
    EXPECT_EQ(log, expected);

    // The names go to the object as written; the object matches them.
    log.clear();
    PutBodyStyleByName(&browser, "Document", "scrollbar3DLIGHTCOLOR", "white");
    ASSERT_EQ(log.size(), 8u);
    EXPECT_EQ(log[0], "browser names Document");
    EXPECT_EQ(log[6], "style names scrollbar3DLIGHTCOLOR");
    EXPECT_EQ(style.Text("scrollbar3dLightColor"), "white");
    ExpectNoReferencesLeft();
}

TEST_F(WebBrowserLateBound, RefusalsAndUnknownNamesRaiseAfterTheWalkAndWriteNothing) {
    style.Reject("plaid", E_INVALIDARG, L"Invalid property value.");
    EXPECT_EQ(Raised([&] { PutBodyStyleByName(&browser, "document", "borderStyle", "plaid"); }),
              std::make_pair(std::string("Invalid property value."), static_cast<std::uint32_t>(E_INVALIDARG)));
    EXPECT_EQ(log.back(), "style refuses borderstyle=plaid");
    EXPECT_EQ(style.Text("borderStyle"), "");

    // Refused by code alone.
    style.Reject("#GGGGGG", static_cast<HRESULT>(0x8004AB12u), nullptr);
    EXPECT_EQ(Raised([&] { PutBodyStyleByName(&browser, "document", "scrollbarFaceColor", "#GGGGGG"); }).first,
              "Automation error (0x8004AB12)");

    EXPECT_EQ(Raised([&] { PutBodyStyleByName(&browser, "document", "scrollbarFooColor", "red"); }).second,
              static_cast<std::uint32_t>(DISP_E_UNKNOWNNAME));
    EXPECT_EQ(log.back(), "style names scrollbarFooColor");
    EXPECT_THROW(PutBodyStyleByName(nullptr, "document", "scrollbarFaceColor", "red"), EOleError);
    ExpectNoReferencesLeft();
}

// ---------------------------------------------------------------------------
// The real control

struct Recorder : BrowserEvents {
    struct Navigation {
        std::string url, frameUrl;
    };
    std::vector<Navigation> navigations;
    std::vector<std::string> log;
    std::function<void(const std::string&, bool&)> onNavigate;
    std::function<void()> onTitle;

    void WebBeforeNavigate2(const std::string& url, const std::string& frameUrl, bool& cancel) override {
        navigations.push_back({url, frameUrl});
        log.push_back("navigate " + url);
        if (onNavigate) onNavigate(url, cancel);
    }
    void WebTitleChange(const std::string& title) override {
        log.push_back("title " + title);
        if (onTitle) onTitle();
    }
    void WebProgressChange(int progress, int maximum) override {
        log.push_back("progress " + std::to_string(progress) + "/" + std::to_string(maximum));
    }
    void WebCommandStateChange(int command, bool enabled) override {
        log.push_back("command " + std::to_string(command) + (enabled ? " on" : " off"));
    }
    void WebDocumentComplete(const std::string& url) override { log.push_back("complete " + url); }
    void WebNavigateComplete2(const std::string& url, bool topLevel) override {
        log.push_back("arrived " + url + (topLevel ? " top" : " frame"));
    }
};

using effects::test::Pump;
using effects::test::PumpUntil;

// Reads and closes every message box of this thread from inside its modal
// loop, so that the standard error dialog can be seen without a person.
class DialogWatcher {
public:
    DialogWatcher() {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, 50, &Tick);
    }
    ~DialogWatcher() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    std::vector<std::string> texts;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ::EnumThreadWindows(::GetCurrentThreadId(), &Found, 0);
    }
    static BOOL CALLBACK Found(HWND window, LPARAM) {
        char name[32] = {};
        ::GetClassNameA(window, name, sizeof name);
        if (std::string(name) != "#32770" || !::IsWindowVisible(window) || !current_->seen_.insert(window).second)
            return TRUE;
        std::string text;
        ::EnumChildWindows(window, &Collect, reinterpret_cast<LPARAM>(&text));
        current_->texts.push_back(text);
        ::PostMessageA(window, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    static BOOL CALLBACK Collect(HWND child, LPARAM text) {
        char name[32] = {}, caption[512] = {};
        ::GetClassNameA(child, name, sizeof name);
        if (SameText(name, "Static") && ::GetWindowTextA(child, caption, sizeof caption) > 0)
            *reinterpret_cast<std::string*>(text) += caption;
        return TRUE;
    }

    static DialogWatcher* current_;
    UINT_PTR timer_;
    std::set<HWND> seen_;
};
DialogWatcher* DialogWatcher::current_ = nullptr;

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

    // The client site as the control finds it, asked for another of its
    // interfaces.
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

    HWND parent = nullptr;
    long sitesBefore = 0;
    Recorder events;
    std::unique_ptr<WebBrowserHost> host;
};

TEST(WebBrowserFactory, GivesNothingWithoutAParentOrWithoutOle) {
    const long before = WebBrowserHost::LiveSites();
    Recorder events;
    EXPECT_FALSE(WebBrowserHost::Create({nullptr, {0, 0, 100, 100}, &events}));
    HWND gone = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ::DestroyWindow(gone);
    EXPECT_FALSE(WebBrowserHost::Create({gone, {0, 0, 100, 100}, &events}));

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

TEST_F(WebBrowserHostTest, IsInPlaceActiveInTheParentAndFollowsSetBounds) {
    const HWND window = host->Window();
    ASSERT_TRUE(::IsWindow(window));
    EXPECT_TRUE(::IsChild(parent, window));
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(PlacedIn(window, parent), "0,36,634,400");
    host->SetBounds({0, 36, 500, 300});
    Pump(50);
    EXPECT_EQ(PlacedIn(window, parent), "0,36,500,300");

    EXPECT_EQ(host->LocationUrl(), "") << "no page before the first navigation";

    // The page is told its host is DPI aware.
    ui::ComPtr<IDocHostUIHandler> handler = Site<IDocHostUIHandler>(IID_IDocHostUIHandler);
    ASSERT_TRUE(handler) << "the site has no UI handler";
    DOCHOSTUIINFO info{};
    info.cbSize = sizeof info;
    ASSERT_EQ(handler->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags & DOCHOSTUIFLAG_DPI_AWARE, static_cast<DWORD>(DOCHOSTUIFLAG_DPI_AWARE));
}

TEST_F(WebBrowserHostTest, NavigationRaisesBeforeNavigate2AndACancelledActionGoesNowhere) {
    const std::string first = WritePage("vc_web_first.html");
    const std::string second = WritePage("vc_web_second.html");
    events.onNavigate = [](const std::string& url, bool& cancel) {
        if (FindText(UpperCase(url), "ACTION:") != std::string::npos) cancel = true;
    };

    host->Navigate(first);
    ASSERT_TRUE(PumpUntil([&] { return !events.navigations.empty(); })) << "BeforeNavigate2 never came";
    EXPECT_EQ(events.navigations[0].url, first);
    EXPECT_EQ(events.navigations[0].frameUrl, "") << "a new frame shows no address yet";
    ASSERT_TRUE(PumpUntil([&] { return FindText(host->LocationUrl(), "vc_web_first.html") != std::string::npos; }));
    const std::string shown = host->LocationUrl();

    host->Navigate("action:WEBHOME()");
    ASSERT_TRUE(PumpUntil([&] { return events.navigations.size() == 2; }));
    EXPECT_EQ(events.navigations[1].url, "action:WEBHOME()");
    EXPECT_EQ(events.navigations[1].frameUrl, shown) << "the navigating frame's present address";
    Pump(500);
    EXPECT_EQ(host->LocationUrl(), shown) << "the cancelled navigation went on";
    EXPECT_EQ(events.navigations.size(), 2u);

    // The same control does go on to an address nobody cancels.
    host->Navigate(second);
    ASSERT_TRUE(PumpUntil([&] { return FindText(host->LocationUrl(), "vc_web_second.html") != std::string::npos; }));
    EXPECT_EQ(events.navigations.back().url, second);
}

TEST_F(WebBrowserHostTest, AHandlerErrorReachesTheErrorDialogAndTheControlGoesOn) {
    const std::string page = WritePage("vc_web_error.html");
    host->Navigate(page);
    ASSERT_TRUE(PumpUntil([&] { return FindText(host->LocationUrl(), "vc_web_error.html") != std::string::npos; }));
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
    Pump(300);
    EXPECT_EQ(host->LocationUrl(), shown) << "the navigation was cancelled before the error";

    events.onNavigate = nullptr;
    host->Navigate("about:blank");
    ASSERT_TRUE(PumpUntil([&] { return host->LocationUrl() == "about:blank"; }));
    EXPECT_EQ(dialogs.texts.size(), 1u);
}

// Wine's control raises no TitleChange, DocumentComplete or progress for a
// local page, so the sink is driven the way the control calls it.
TEST_F(WebBrowserHostTest, TheSinkHandsEveryEventOverWithItsArguments) {
    ui::ComPtr<IDispatch> sink = Sink();
    ASSERT_TRUE(sink);
    auto invoke = [&](DISPID id, std::vector<VARIANT> lastFirst) {
        DISPPARAMS params{lastFirst.data(), nullptr, static_cast<UINT>(lastFirst.size()), 0};
        return sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    };
    // An argument as the control passes it: a number, a flag, or a pointer
    // (an object, or a reference to a variant or a flag).
    auto arg = [](VARTYPE type, long number, void* pointer = nullptr) {
        VARIANT v;
        ::VariantInit(&v);
        V_VT(&v) = type;
        if (type == VT_I4) V_I4(&v) = number;
        else if (type == VT_BOOL) V_BOOL(&v) = number ? VARIANT_TRUE : VARIANT_FALSE;
        else V_BYREF(&v) = pointer;
        return v;
    };
    auto number = [&](long value) { return arg(VT_I4, value); };
    auto flag = [&](bool value) { return arg(VT_BOOL, value); };
    auto byReference = [&](VARIANT& target) { return arg(VT_VARIANT | VT_BYREF, 0, &target); };
    auto object = [&](IDispatch* value) { return arg(VT_DISPATCH, 0, value); };
    ui::Variant title("Cap\xEDtulo 2");
    ui::Variant url("file:///C:/book/pages/two.html");
    VARIANT empty;
    ::VariantInit(&empty);

    EXPECT_EQ(invoke(DISPID_TITLECHANGE, {title.Value()}), S_OK);
    EXPECT_EQ(invoke(DISPID_PROGRESSCHANGE, {number(100), number(-1)}), S_OK);
    EXPECT_EQ(invoke(DISPID_PROGRESSCHANGE, {number(10000), number(250)}), S_OK);
    EXPECT_EQ(invoke(DISPID_COMMANDSTATECHANGE, {flag(true), number(2)}), S_OK);
    EXPECT_EQ(invoke(DISPID_COMMANDSTATECHANGE, {flag(false), number(1)}), S_OK);
    EXPECT_EQ(invoke(DISPID_COMMANDSTATECHANGE, {flag(true), number(-1)}), S_OK);
    EXPECT_EQ(invoke(DISPID_DOCUMENTCOMPLETE, {byReference(*url.Get()), object(host->Control())}), S_OK);
    // The control itself is the top level; any other frame object is a frame.
    EXPECT_EQ(invoke(DISPID_NAVIGATECOMPLETE2, {byReference(*url.Get()), object(host->Control())}), S_OK);
    EXPECT_EQ(invoke(DISPID_NAVIGATECOMPLETE2, {byReference(*url.Get()), object(nullptr)}), S_OK);
    const std::vector<std::string> expected{"title Cap\xEDtulo 2",    "progress -1/100",   "progress 250/10000",
                                            "command 2 on",            "command 1 off",     "command -1 on",
                                            "complete file:///C:/book/pages/two.html",
                                            "arrived file:///C:/book/pages/two.html top",
                                            "arrived file:///C:/book/pages/two.html frame"};
    EXPECT_EQ(events.log, expected);

    // BeforeNavigate2: frame, URL, flags, target frame, post data, headers,
    // and the cancel flag by reference.
    ui::Variant target("ACTION:WEBBACK()");
    VARIANT_BOOL cancel = VARIANT_FALSE;
    const VARIANT cancelArgument = arg(VT_BOOL | VT_BYREF, 0, &cancel);
    auto beforeNavigate = [&](IDispatch* frame) {
        return invoke(DISPID_BEFORENAVIGATE2, {cancelArgument, byReference(empty), byReference(empty),
                                               byReference(empty), byReference(empty), byReference(*target.Get()),
                                               object(frame)});
    };
    events.onNavigate = [](const std::string&, bool& c) { c = true; };
    EXPECT_EQ(beforeNavigate(nullptr), S_OK);
    EXPECT_EQ(static_cast<unsigned short>(cancel), 65535u) << "all sixteen bits set";
    ASSERT_EQ(events.navigations.size(), 1u);
    EXPECT_EQ(events.navigations[0].url, "ACTION:WEBBACK()");
    EXPECT_EQ(events.navigations[0].frameUrl, "");

    events.onNavigate = [](const std::string&, bool& c) { c = false; };
    EXPECT_EQ(beforeNavigate(host->Control()), S_OK);
    EXPECT_EQ(cancel, VARIANT_FALSE);
    EXPECT_EQ(events.navigations[1].frameUrl, host->LocationUrl());
}

TEST_F(WebBrowserHostTest, OperationsOnTheControlWithoutADocument) {
    // No history yet: the refusal of a toolbar click is not reported.
    EXPECT_NO_THROW(host->GoBack());
    EXPECT_NO_THROW(host->GoForward());
    EXPECT_NO_THROW(host->Stop());
    // Nothing loaded, nothing to select: the control's refusal is an
    // automation error.
    EXPECT_THROW(host->ExecWB(browser_command::kSelectAll, browser_option::kPromptUser), EOleError);
    // Not an HTML document: the typed path does nothing.
    EXPECT_NO_THROW(host->SetBodyBorderStyle("none"));
    EXPECT_NO_THROW(host->SetBodyBorderColour("#FF0000"));
    // The late-bound path finds the control's "Document" in any letter
    // case and then has no object to go on with.
    for (const char* name : {"document", "Document"})
        EXPECT_EQ(Raised([&] { host->PutBodyStyleByName(name, "scrollbarFaceColor", "red"); }).first,
                  std::string("Automation error: \"") + name + "\" is not an object");
}

TEST_F(WebBrowserHostTest, OnlyKeysBoundForThePageGoToTheControlFirst) {
    MSG toParent{parent, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_FALSE(host->TranslatePageKey(toParent));
    MSG click{host->Window(), WM_RBUTTONDOWN, MK_RBUTTON, 0, 0, {0, 0}};
    EXPECT_FALSE(host->TranslatePageKey(click));
    // Plain typing is no accelerator: it goes the normal way.
    MSG letter{host->Window(), WM_CHAR, 'a', 0, 0, {0, 0}};
    EXPECT_FALSE(host->TranslatePageKey(letter));
}

TEST_F(WebBrowserHostTest, TeardownTakesTheControlWindowDownAndLetsTheSiteGo) {
    const HWND window = host->Window();
    ui::ComPtr<IDispatch> sink = Sink();
    ASSERT_TRUE(sink);
    EXPECT_EQ(WebBrowserHost::LiveSites(), sitesBefore + 1);

    host.reset();
    EXPECT_FALSE(::IsWindow(window)) << "the control's window outlived the host";
    EXPECT_TRUE(::IsWindow(parent));

    // Someone still holding the site keeps it alive, but its events reach
    // nobody once the host is gone.
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

// The program's emulation value, or -1 when there is none.
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
    EXPECT_EQ(EmulationValue(), 7000);
    host.reset();
    EXPECT_EQ(EmulationValue(), 7000);
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, TBrowserEmulation::kKey, TBrowserEmulation::ThisProgram().c_str());
}

}  // namespace
}  // namespace vc
