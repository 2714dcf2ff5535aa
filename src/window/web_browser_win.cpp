#include "window/web_browser_win.h"

#include <ole2.h>
#include <docobj.h>
#include <exdispid.h>
#include <mshtmhst.h>
#include <mshtml.h>

#include <cstdint>
#include <new>
#include <utility>

#include "common/code_page_win.h"
#include "common/ole_error.h"
#include "ui/application_win.h"
#include "ui/com_error_win.h"
#include "ui/com_variant_win.h"

namespace vc {
namespace {

long liveSites = 0;

template <class Interface>
HRESULT Hand(Interface* object, void** out) noexcept {
    object->AddRef();
    *out = object;
    return S_OK;
}

}  // namespace

// Each interface the control asks for is a small object that leaves its
// identity and lifetime to the site that holds it.
template <class Interface>
class SitePart : public Interface {
public:
    explicit SitePart(BrowserSite& site) noexcept : site_(site) {}
    SitePart(const SitePart&) = delete;
    SitePart& operator=(const SitePart&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override;
    ULONG STDMETHODCALLTYPE Release() noexcept override;

protected:
    BrowserSite& site_;
};

class ClientSite final : public SitePart<IOleClientSite> {
public:
    using SitePart::SitePart;
    HRESULT STDMETHODCALLTYPE SaveObject() noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) noexcept override {
        if (moniker) *moniker = nullptr;
        return E_NOTIMPL;
    }
    // No container of linked objects: the control is alone in here.
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) noexcept override {
        if (container) *container = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() noexcept override { return E_NOTIMPL; }
};

class InPlaceSite final : public SitePart<IOleInPlaceSite> {
public:
    using SitePart::SitePart;
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) noexcept override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                               LPRECT position, LPRECT clip,
                                               LPOLEINPLACEFRAMEINFO info) noexcept override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) noexcept override;
};

// The frame has no tool space, menus or status line to lend: the window
// around the control has its own.
class InPlaceFrame final : public SitePart<IOleInPlaceFrame> {
public:
    using SitePart::SitePart;
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) noexcept override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) noexcept override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) noexcept override {
        return INPLACE_E_NOTOOLSPACE;
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS widths) noexcept override {
        return widths ? INPLACE_E_NOTOOLSPACE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) noexcept override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) noexcept override { return S_FALSE; }
};

// Lets the page keep the control's own behaviour everywhere; the one place
// to change it later (the context menu) is ShowContextMenu, whose S_FALSE
// means "show the control's own menu". Right clicks that the reader is not
// allowed are swallowed before they arrive, by the window's message filter.
class DocHostUiHandler final : public SitePart<IDocHostUIHandler> {
public:
    using SitePart::SitePart;
    HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) noexcept override {
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) noexcept override {
        if (!info) return E_POINTER;
        // The control then lays pages out at the screen's scale instead of
        // 96 DPI, as the manifest promises the system.
        info->dwFlags = DOCHOSTUIFLAG_DPI_AWARE;
        info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
        info->pchHostCss = nullptr;
        info->pchHostNS = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                     IOleInPlaceUIWindow*) noexcept override {
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE HideUI() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UpdateUI() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, const GUID*, DWORD) noexcept override {
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* key, DWORD) noexcept override {
        if (key) *key = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget*, IDropTarget** target) noexcept override {
        if (target) *target = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** external) noexcept override {
        if (external) *external = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, LPWSTR, LPWSTR* out) noexcept override {
        if (out) *out = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*, IDataObject** out) noexcept override {
        if (out) *out = nullptr;
        return S_FALSE;
    }
};

// The DWebBrowserEvents2 sink. The control also asks the client site for
// IDispatch to read ambient properties; those ids are not events and are
// answered with DISP_E_MEMBERNOTFOUND, which means "use your default".
class EventSink final : public SitePart<IDispatch> {
public:
    using SitePart::SitePart;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) noexcept override;
};

class BrowserSite final : public IUnknown {
public:
    BrowserSite(HWND parent, const RECT& bounds, BrowserEvents* events) noexcept
        : parent_(parent), bounds_(bounds), events_(events) {
        ++liveSites;
    }
    BrowserSite(const BrowserSite&) = delete;
    BrowserSite& operator=(const BrowserSite&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (iid == IID_IUnknown) return Hand(static_cast<IUnknown*>(this), object);
        if (iid == IID_IOleClientSite) return Hand(&clientSite_, object);
        if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) return Hand(&inPlaceSite_, object);
        if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) return Hand(&frame_, object);
        if (iid == IID_IDocHostUIHandler) return Hand(&uiHandler_, object);
        if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) return Hand(&sink_, object);
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return references_.Add(); }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return references_.Release(this); }

    IOleClientSite* AsClientSite() noexcept { return &clientSite_; }
    IDispatch* Sink() noexcept { return &sink_; }

    HWND Parent() const noexcept { return parent_; }
    const RECT& Bounds() const noexcept { return bounds_; }
    void SetBounds(const RECT& bounds) noexcept { bounds_ = bounds; }
    BrowserEvents* Events() const noexcept { return events_; }
    void SetInPlaceObject(IOleInPlaceObject* object) noexcept { inPlace_ = object; }
    IOleInPlaceObject* InPlaceObject() const noexcept { return inPlace_; }
    // The control's identity, to tell its own events from those of its frames.
    void SetControl(IUnknown* identity) noexcept { control_ = identity; }
    IUnknown* Control() const noexcept { return control_; }

    // The host lets go: from here on events reach nobody, whatever the
    // control still does with the site.
    void Detach() noexcept {
        events_ = nullptr;
        inPlace_ = nullptr;
        control_ = nullptr;
    }

private:
    // Only the last Release deletes it.
    friend class ui::ComReferences;
    ~BrowserSite() { --liveSites; }

    ui::ComReferences references_;
    HWND parent_;
    RECT bounds_;
    BrowserEvents* events_;
    // Not owned: the host holds the control, and clears this before it
    // lets the control go.
    IOleInPlaceObject* inPlace_ = nullptr;
    IUnknown* control_ = nullptr;  // not owned either: the host holds it
    ClientSite clientSite_{*this};
    InPlaceSite inPlaceSite_{*this};
    InPlaceFrame frame_{*this};
    DocHostUiHandler uiHandler_{*this};
    EventSink sink_{*this};
};

template <class Interface>
HRESULT SitePart<Interface>::QueryInterface(REFIID iid, void** object) noexcept {
    return site_.QueryInterface(iid, object);
}
template <class Interface>
ULONG SitePart<Interface>::AddRef() noexcept {
    return site_.AddRef();
}
template <class Interface>
ULONG SitePart<Interface>::Release() noexcept {
    return site_.Release();
}

HRESULT InPlaceSite::GetWindow(HWND* window) noexcept {
    if (!window) return E_POINTER;
    *window = site_.Parent();
    return S_OK;
}

HRESULT InPlaceSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                      LPRECT clip, LPOLEINPLACEFRAMEINFO info) noexcept {
    if (!frame || !document || !position || !clip || !info) return E_POINTER;
    QueryInterface(IID_IOleInPlaceFrame, reinterpret_cast<void**>(frame));
    // The frame serves as the document window too.
    *document = nullptr;
    *position = site_.Bounds();
    *clip = site_.Bounds();
    info->fMDIApp = FALSE;
    info->hwndFrame = ::GetAncestor(site_.Parent(), GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT InPlaceSite::OnPosRectChange(LPCRECT position) noexcept {
    if (!position) return E_POINTER;
    // The control asks for a new place; it gets the one it asked for, as
    // the window sizes it again at its next resize anyway.
    site_.SetBounds(*position);
    if (IOleInPlaceObject* object = site_.InPlaceObject()) object->SetObjectRects(position, position);
    return S_OK;
}

HRESULT InPlaceFrame::GetWindow(HWND* window) noexcept {
    if (!window) return E_POINTER;
    *window = ::GetAncestor(site_.Parent(), GA_ROOT);
    return S_OK;
}

namespace {

// Event arguments arrive last first; `position` counts from the first.
const VARIANT* Argument(const DISPPARAMS& params, UINT position) noexcept {
    if (!params.rgvarg || position >= params.cArgs) return nullptr;
    return &ui::Dereferenced(params.rgvarg[params.cArgs - 1 - position]);
}

std::string AddressFromBstr(BSTR text) {
    const std::u16string_view wide(reinterpret_cast<const char16_t*>(text), text ? ::SysStringLen(text) : 0);
    return AddressFromBrowser(wide, SystemCodePage());
}

// An address the browser reports, converted without best fit: one that has
// no exact equivalent in the system code page, or that is no string, arrives
// empty, and so is never taken for a page of the book.
std::string AddressText(const VARIANT* value) {
    if (!value) return {};
    const VARIANT& source = ui::Dereferenced(*value);
    return V_VT(&source) == VT_BSTR ? AddressFromBstr(V_BSTR(&source)) : std::string();
}

// The address a navigating frame shows now, empty when it has none yet.
std::string FrameLocation(const VARIANT* frame) {
    if (!frame || V_VT(frame) != VT_DISPATCH || !V_DISPATCH(frame)) return {};
    ui::ComPtr<IWebBrowser2> browser;
    if (FAILED(V_DISPATCH(frame)->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(browser.Put()))) ||
        !browser)
        return {};
    ui::Bstr location;
    if (FAILED(browser->get_LocationURL(location.Put()))) return {};
    return AddressFromBstr(location.Get());
}

// True when the event's frame object is the control itself (COM identity).
bool IsControl(const VARIANT* frame, IUnknown* control) {
    if (!control || !frame || V_VT(frame) != VT_DISPATCH || !V_DISPATCH(frame)) return false;
    ui::ComPtr<IUnknown> identity;
    if (FAILED(V_DISPATCH(frame)->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity.Put()))))
        return false;
    return identity.Get() == control;
}

// The cancel flag of BeforeNavigate2: a 16-bit boolean passed by reference.
VARIANT_BOOL* CancelFlag(const DISPPARAMS& params) noexcept {
    if (params.cArgs < 7 || !params.rgvarg) return nullptr;
    const VARIANT& cancel = params.rgvarg[0];
    if (V_VT(&cancel) == (VT_BOOL | VT_BYREF)) return V_BOOLREF(&cancel);
    const VARIANT& inner = ui::Dereferenced(cancel);
    if (V_VT(&inner) == (VT_BOOL | VT_BYREF)) return V_BOOLREF(&inner);
    return nullptr;
}

void BeforeNavigate2(BrowserEvents& events, const DISPPARAMS& params) {
    VARIANT_BOOL* flag = CancelFlag(params);
    const VARIANT* url = Argument(params, 1);
    if (!flag || !url) return;
    const std::string target = AddressText(url);
    const std::string frameUrl = FrameLocation(Argument(params, 0));
    bool cancel = *flag != VARIANT_FALSE;
    // The flag is written even when the handler fails: a command that
    // raises an error has cancelled its navigation first.
    ui::RunGuarded([&] { events.WebBeforeNavigate2(target, frameUrl, cancel); });
    *flag = cancel ? VARIANT_TRUE : VARIANT_FALSE;
}

// NewWindow3: the page's window never opens; the handler decides what
// becomes of its address instead. The flag is set before the handler runs,
// so that an error in it still opens nothing.
void NewWindow3(BrowserEvents& events, const DISPPARAMS& params) {
    if (params.cArgs < 5 || !params.rgvarg) return;
    const VARIANT& cancel = params.rgvarg[params.cArgs - 1 - 1];
    if (V_VT(&cancel) != (VT_BOOL | VT_BYREF) || !V_BOOLREF(&cancel)) return;
    *V_BOOLREF(&cancel) = VARIANT_TRUE;
    const std::string url = AddressText(Argument(params, 4));
    ui::RunGuarded([&] { events.WebNewWindow3(url); });
}

}  // namespace

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) noexcept {
    switch (id) {
    case DISPID_BEFORENAVIGATE2:
    case DISPID_TITLECHANGE:
    case DISPID_PROGRESSCHANGE:
    case DISPID_COMMANDSTATECHANGE:
    case DISPID_DOCUMENTCOMPLETE:
    case DISPID_NAVIGATECOMPLETE2:
    case DISPID_NEWWINDOW3:
        break;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
    // The handler may let go of the host (and so of the site) while it runs.
    site_.AddRef();
    const ui::ComPtr<BrowserSite> keep = ui::ComPtr<BrowserSite>::Attach(&site_);
    BrowserEvents* events = site_.Events();
    if (!events || !params) return S_OK;
    // The handlers may raise anything; the error goes to the standard error
    // dialog and the control is told all went well, so it carries on.
    ui::RunGuarded([&] {
        const DISPPARAMS& p = *params;
        switch (id) {
        case DISPID_BEFORENAVIGATE2:
            BeforeNavigate2(*events, p);
            break;
        case DISPID_TITLECHANGE:
            if (const VARIANT* title = Argument(p, 0)) events->WebTitleChange(ui::VariantText(*title));
            break;
        case DISPID_PROGRESSCHANGE: {
            const VARIANT* progress = Argument(p, 0);
            const VARIANT* maximum = Argument(p, 1);
            if (progress && maximum)
                events->WebProgressChange(ui::VariantLong(*progress, 0), ui::VariantLong(*maximum, 0));
            break;
        }
        case DISPID_COMMANDSTATECHANGE: {
            const VARIANT* command = Argument(p, 0);
            const VARIANT* enabled = Argument(p, 1);
            if (command && enabled)
                events->WebCommandStateChange(ui::VariantLong(*command, 0), ui::VariantBool(*enabled, false));
            break;
        }
        // A frame object that cannot be told apart counts as a frame: frames
        // are what makes a page count as the web's.
        case DISPID_DOCUMENTCOMPLETE:
            if (const VARIANT* url = Argument(p, 1))
                events->WebDocumentComplete(AddressText(url), IsControl(Argument(p, 0), site_.Control()));
            break;
        case DISPID_NAVIGATECOMPLETE2:
            if (const VARIANT* url = Argument(p, 1))
                events->WebNavigateComplete2(AddressText(url), IsControl(Argument(p, 0), site_.Control()));
            break;
        case DISPID_NEWWINDOW3:
            NewWindow3(*events, p);
            break;
        }
    });
    return S_OK;
}

long WebBrowserHost::LiveSites() noexcept { return liveSites; }

std::unique_ptr<WebBrowserHost> WebBrowserHost::Create(const CreateArgs& args) noexcept {
    if (!args.parent || !::IsWindow(args.parent)) return nullptr;
    try {
        std::unique_ptr<WebBrowserHost> host(new WebBrowserHost());
        host->emulation_ = std::make_unique<TBrowserEmulation>(TBrowserEmulation::ThisProgram());
        host->site_ = ui::ComPtr<BrowserSite>::Attach(new BrowserSite(args.parent, args.bounds, args.events));
        BrowserSite& site = *host->site_.Get();
        if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                      reinterpret_cast<void**>(host->object_.Put()))))
            return nullptr;
        // From here on a failure returns through the destructor, which
        // undoes whatever of the steps below was done.
        if (FAILED(host->object_->SetClientSite(site.AsClientSite()))) return nullptr;
        if (FAILED(host->object_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(host->browser_.Put()))))
            return nullptr;
        if (FAILED(host->object_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(host->identity_.Put()))))
            return nullptr;
        site.SetControl(host->identity_.Get());

        ui::ComPtr<IConnectionPointContainer> points;
        if (SUCCEEDED(host->object_->QueryInterface(IID_IConnectionPointContainer,
                                                    reinterpret_cast<void**>(points.Put()))) &&
            SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, host->events_.Put()))) {
            if (FAILED(host->events_->Advise(site.Sink(), &host->cookie_))) host->events_.Reset();
        }
        if (!host->events_) return nullptr;

        RECT bounds = args.bounds;
        if (FAILED(host->object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.AsClientSite(), 0, args.parent,
                                         &bounds)))
            return nullptr;
        if (FAILED(host->object_->QueryInterface(IID_IOleInPlaceObject,
                                                 reinterpret_cast<void**>(host->inPlace_.Put()))))
            return nullptr;
        site.SetInPlaceObject(host->inPlace_.Get());
        if (FAILED(host->inPlace_->GetWindow(&host->window_)) || !host->window_) return nullptr;
        host->inPlace_->SetObjectRects(&bounds, &bounds);
        return host;
    } catch (...) {
        return nullptr;
    }
}

WebBrowserHost::~WebBrowserHost() { Teardown(); }

void WebBrowserHost::Teardown() noexcept {
    // The window that receives the events may be half destroyed already.
    if (site_) site_->Detach();
    // 1. Leave in-place activity: the control takes its window down.
    if (inPlace_) inPlace_->InPlaceDeactivate();
    // 2. No more events.
    if (events_ && cookie_) events_->Unadvise(cookie_);
    cookie_ = 0;
    // 3. Close: the control lets go of its document and of the site's
    //    interfaces it still holds.
    if (object_) object_->Close(OLECLOSE_NOSAVE);
    // 4. Break the last link from the control to the site.
    if (object_) object_->SetClientSite(nullptr);
    // 5. Release our references, the site last.
    events_.Reset();
    inPlace_.Reset();
    identity_.Reset();
    browser_.Reset();
    object_.Reset();
    site_.Reset();
    window_ = nullptr;
}

void WebBrowserHost::SetBounds(const RECT& bounds) noexcept {
    if (site_) site_->SetBounds(bounds);
    if (inPlace_) inPlace_->SetObjectRects(&bounds, &bounds);
}

bool WebBrowserHost::TranslatePageKey(MSG& message) noexcept {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || !object_) return false;
    if (message.hwnd != window_ && !::IsChild(window_, message.hwnd)) return false;
    ui::ComPtr<IOleInPlaceActiveObject> active;
    if (FAILED(object_->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(active.Put()))) ||
        !active)
        return false;
    return active->TranslateAccelerator(&message) == S_OK;
}

void WebBrowserHost::FocusPage() noexcept {
    // The document's own window is the innermost of the control's windows;
    // before a page has loaded there is only the control's.
    HWND window = window_;
    while (HWND child = ::GetWindow(window, GW_CHILD)) window = child;
    ::SetFocus(window);
}

void WebBrowserHost::Navigate(const std::string& url) {
    ui::Variant target(url);
    ui::Variant flags, frame, postData, headers;
    ui::OleCheck(browser_->Navigate2(target.Get(), flags.Get(), frame.Get(), postData.Get(), headers.Get()));
}

void WebBrowserHost::GoBack() { browser_->GoBack(); }

void WebBrowserHost::GoForward() { browser_->GoForward(); }

void WebBrowserHost::Refresh() { ui::OleCheck(browser_->Refresh()); }

void WebBrowserHost::Stop() { ui::OleCheck(browser_->Stop()); }

void WebBrowserHost::ExecWB(int command, int option) {
    ui::OleCheck(browser_->ExecWB(static_cast<OLECMDID>(command), static_cast<OLECMDEXECOPT>(option), nullptr,
                                  nullptr));
}

void WebBrowserHost::SetOpticalZoom(int percent) {
    VARIANT value;
    ::VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = percent;
    ui::OleCheck(browser_->ExecWB(OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &value, nullptr));
}

std::string WebBrowserHost::LocationUrl() {
    ui::Bstr location;
    if (FAILED(browser_->get_LocationURL(location.Put()))) return {};
    return location.Text();
}

namespace {

ui::ComPtr<IDispatch> Document(IWebBrowser2& browser) {
    ui::ComPtr<IDispatch> document;
    if (FAILED(browser.get_Document(document.Put()))) document.Reset();
    return document;
}

}  // namespace

void WebBrowserHost::SetBodyBorderStyle(const std::string& style) {
    SetBodyStyle(Document(*browser_.Get()).Get(), BodyStyleProperty::BorderStyle, style);
}

void WebBrowserHost::SetBodyBorderColour(const std::string& colour) {
    SetBodyStyle(Document(*browser_.Get()).Get(), BodyStyleProperty::BorderColour, colour);
}

void WebBrowserHost::PutBodyStyleByName(const std::string& documentName, const std::string& property,
                                        const std::string& value) {
    vc::PutBodyStyleByName(browser_.Get(), documentName, property, value);
}

void SetBodyStyle(IDispatch* document, BodyStyleProperty property, const std::string& value) {
    if (!document) return;
    ui::ComPtr<IHTMLDocument2> html;
    if (FAILED(document->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(html.Put()))) || !html) return;
    ui::ComPtr<IHTMLElement> body;
    if (FAILED(html->get_body(body.Put())) || !body) return;
    ui::ComPtr<IHTMLStyle> style;
    ui::OleCheck(body->get_style(style.Put()));
    if (!style) ui::RaiseOleError(E_POINTER);
    ui::Bstr text(value);
    switch (property) {
    case BodyStyleProperty::BorderStyle:
        ui::OleCheck(style->put_borderStyle(text.Get()));
        break;
    case BodyStyleProperty::BorderColour:
        ui::OleCheck(style->put_borderColor(text.Get()));
        break;
    }
}

namespace {

DISPID DispatchId(IDispatch& object, const std::string& name) {
    ui::WideText wide = ui::WideFromText(name);
    LPOLESTR names[] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    ui::OleCheck(object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
    return id;
}

// object.<name>, which must be an object itself.
ui::ComPtr<IDispatch> ObjectProperty(IDispatch& object, const std::string& name) {
    const DISPID id = DispatchId(object, name);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    ui::Variant result;
    EXCEPINFO info{};
    const HRESULT hr =
        object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, result.Put(), &info, nullptr);
    if (FAILED(hr)) ui::RaiseOleError(hr, info);
    const VARIANT& value = ui::Dereferenced(result.Value());
    ui::ComPtr<IDispatch> child;
    if (V_VT(&value) == VT_DISPATCH && V_DISPATCH(&value)) {
        V_DISPATCH(&value)->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(child.Put()));
    } else if (V_VT(&value) == VT_UNKNOWN && V_UNKNOWN(&value)) {
        V_UNKNOWN(&value)->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(child.Put()));
    }
    if (!child) throw EOleError(static_cast<std::uint32_t>(E_POINTER), "Automation error: \"" + name + "\" is not an object");
    return child;
}

void PutTextProperty(IDispatch& object, const std::string& name, const std::string& value) {
    const DISPID id = DispatchId(object, name);
    ui::Variant argument(value);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{argument.Get(), &named, 1, 1};
    EXCEPINFO info{};
    const HRESULT hr =
        object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, &info, nullptr);
    if (FAILED(hr)) ui::RaiseOleError(hr, info);
}

}  // namespace

void PutBodyStyleByName(IDispatch* root, const std::string& documentName, const std::string& property,
                        const std::string& value) {
    if (!root) throw EOleError(static_cast<std::uint32_t>(E_POINTER), "Automation error: no browser object");
    const ui::ComPtr<IDispatch> document = ObjectProperty(*root, documentName);
    const ui::ComPtr<IDispatch> body = ObjectProperty(*document.Get(), "body");
    const ui::ComPtr<IDispatch> style = ObjectProperty(*body.Get(), "Style");
    PutTextProperty(*style.Get(), property, value);
}

}  // namespace vc
