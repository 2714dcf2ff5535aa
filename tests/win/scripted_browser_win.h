#pragma once
// A stand-in for the browser control: records what the window asks of it,
// and lets a test raise the events the real control would.
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "window/hosted_browser_win.h"

namespace vc::testing {

class ScriptedBrowser : public HostedBrowser {
public:
    ScriptedBrowser(HWND parent, BrowserEvents& events) : events_(events) {
        window_ = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, nullptr, nullptr,
                                    nullptr);
        page_ = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, window_, nullptr, nullptr,
                                  nullptr);
    }
    ~ScriptedBrowser() override { ::DestroyWindow(window_); }

    // What the window did, in order: "navigate X", "execwb 6 2",
    // "border-style X", "put document.scrollbarFaceColor=X", ...
    std::vector<std::string> calls;
    std::string location;
    RECT bounds{};
    // A late-bound put of this value raises an automation error.
    std::string rejectedValue = "\x01";
    bool refuseExec = false;

    BrowserEvents& Events() { return events_; }
    HWND PageChild() const { return page_; }

    void Navigate(const std::string& url) override { calls.push_back("navigate " + url); }
    void GoBack() override { calls.push_back("back"); }
    void GoForward() override { calls.push_back("forward"); }
    void Refresh() override { calls.push_back("refresh"); }
    void Stop() override { calls.push_back("stop"); }
    void ExecWB(int command, int option) override {
        calls.push_back("execwb " + std::to_string(command) + " " + std::to_string(option));
        if (refuseExec) throw std::runtime_error("Automation error");
    }
    void SetOpticalZoom(int percent) override {
        calls.push_back("execwb 63 2 " + std::to_string(percent));
        if (refuseExec) throw std::runtime_error("Automation error");
    }
    std::string LocationUrl() override { return location; }
    void SetBodyBorderStyle(const std::string& style) override { calls.push_back("border-style " + style); }
    void SetBodyBorderColour(const std::string& colour) override { calls.push_back("border-colour " + colour); }
    void PutBodyStyleByName(const std::string& documentName, const std::string& property,
                            const std::string& value) override {
        if (value == rejectedValue) throw std::runtime_error("Invalid property value");
        calls.push_back("put " + documentName + "." + property + "=" + value);
    }
    void SetBounds(const RECT& r) override {
        bounds = r;
        ::MoveWindow(window_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
    HWND Window() const override { return window_; }
    bool TranslatePageKey(MSG&) override { return false; }
    void FocusPage() override { ::SetFocus(page_); }

private:
    BrowserEvents& events_;
    HWND window_ = nullptr;
    HWND page_ = nullptr;
};

}  // namespace vc::testing
