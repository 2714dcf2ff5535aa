#pragma once
// The WebBrowser ActiveX control hosted in our own small OLE container.
//
// One reference-counted site (defined in the .cpp) answers everything the
// control asks its container for: client site, in-place site and frame, the
// document host's UI handler, and the DWebBrowserEvents2 sink that hands the
// control's events to BrowserEvents. WebBrowserHost owns the control and the
// site and tears them down in a fixed order.
//
// The thread must have OLE initialised (OleInitialize) for as long as a host
// lives; everything runs on that thread.
#include <windows.h>
#include <oaidl.h>
#include <exdisp.h>
#include <ocidl.h>
#include <oleidl.h>

#include <memory>
#include <string>

#include "ui/handles_win.h"
#include "window/browser.h"
#include "window/browser_emulation_win.h"
#include "window/hosted_browser_win.h"

namespace vc {

class BrowserSite;

class WebBrowserHost final : public HostedBrowser {
public:
    struct CreateArgs {
        HWND parent = nullptr;
        // In the parent's client coordinates.
        RECT bounds{0, 0, 0, 0};
        // Receives the control's events; may be null. Must outlive the host.
        BrowserEvents* events = nullptr;
    };

    // Creates the control in the parent window, in-place active and
    // visible. Gives nothing when the control cannot be created or
    // activated (no OLE on this thread, no parent window, no control).
    static std::unique_ptr<WebBrowserHost> Create(const CreateArgs& args) noexcept;

    ~WebBrowserHost() override;
    WebBrowserHost(const WebBrowserHost&) = delete;
    WebBrowserHost& operator=(const WebBrowserHost&) = delete;

    // The control's own window ("Shell Embedding"); the page's windows are
    // its descendants.
    HWND Window() const noexcept override { return window_; }
    // Moves the control, in the parent's client coordinates.
    void SetBounds(const RECT& bounds) noexcept override;
    // Gives a key message bound for the page to the control first, as a
    // container's message loop must: the control's own keys (Tab between
    // links, Ctrl+C, arrows) work only this way. True when the control used
    // it; the message is then neither translated nor dispatched.
    bool TranslatePageKey(MSG& message) noexcept override;
    void FocusPage() noexcept override;
    // The control's automation object, held by the host.
    IWebBrowser2* Control() const noexcept { return browser_.Get(); }

    // Sites the control has not released yet, over all hosts: for leak
    // checks.
    static long LiveSites() noexcept;

    // Browser
    void Navigate(const std::string& url) override;
    // Without history in that direction the control refuses; a toolbar
    // click then simply does nothing, so the refusal is not reported.
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    void Stop() override;
    void ExecWB(int command, int option) override;
    void SetOpticalZoom(int percent) override;
    std::string LocationUrl() override;
    void SetBodyBorderStyle(const std::string& style) override;
    void SetBodyBorderColour(const std::string& colour) override;
    void PutBodyStyleByName(const std::string& documentName, const std::string& property,
                            const std::string& value) override;

private:
    WebBrowserHost() = default;
    void Teardown() noexcept;

    // Written before the control exists, so that its first page gets the
    // document mode; removed after the control is gone.
    std::unique_ptr<TBrowserEmulation> emulation_;
    ui::ComPtr<BrowserSite> site_;
    ui::ComPtr<IOleObject> object_;
    ui::ComPtr<IOleInPlaceObject> inPlace_;
    ui::ComPtr<IWebBrowser2> browser_;
    ui::ComPtr<IUnknown> identity_;  // the control's COM identity
    ui::ComPtr<IConnectionPoint> events_;
    DWORD cookie_ = 0;
    HWND window_ = nullptr;
};

// The typed path to a document's body style. Nothing happens when
// `document` is null, not an HTML document, or has no body; a value the
// style object rejects raises vc::EOleError.
enum class BodyStyleProperty { BorderStyle, BorderColour };
void SetBodyStyle(IDispatch* document, BodyStyleProperty property, const std::string& value);

// The late-bound path from any automation object `root`:
// root.<documentName>.body.Style.<property> := value, each name looked up
// by the object itself (GetIDsOfNames). A failing lookup, get or put, or a
// step that gives no object, raises vc::EOleError.
void PutBodyStyleByName(IDispatch* root, const std::string& documentName, const std::string& property,
                        const std::string& value);

}  // namespace vc
