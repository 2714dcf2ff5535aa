#pragma once
// The browser as the window hosts it: the portable operations plus where it
// sits inside the window.
#include <windows.h>

#include <functional>
#include <memory>

#include "window/browser.h"

namespace vc {

class HostedBrowser : public Browser {
public:
    // Follows the window's client area between tool bar and status bar.
    virtual void SetBounds(const RECT& bounds) = 0;
    // The control's own window: right clicks on it or its descendants are
    // clicks inside the page.
    virtual HWND Window() const = 0;
    // Gives a key message bound for the page to the control first, so that
    // its own keys work; true when the control used it.
    virtual bool TranslatePageKey(MSG& message) = 0;
    // Gives the keyboard focus to the page, as a click in it would.
    virtual void FocusPage() = 0;
};

// Creates the browser inside `parent`, raising its events on `events`; null
// when the control cannot be created.
using BrowserFactory = std::function<std::unique_ptr<HostedBrowser>(HWND parent, BrowserEvents& events)>;

}  // namespace vc
