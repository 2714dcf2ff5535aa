#pragma once
// The embedded browser as the presentation window uses it: the operations it
// calls and the events it answers. The real control lives in
// web_browser_win.h; tests drive the window with a scripted stand-in.
#include <string>

namespace vc {

// Command ids and options of ExecWB, the published OLECMDID and
// OLECMDEXECOPT values.
namespace browser_command {
enum : int { kPrint = 6, kPrintPreview = 7, kPageSetup = 8, kCopy = 12, kSelectAll = 17, kFind = 32, kOpticalZoom = 63 };
}
namespace browser_option {
enum : int { kDoDefault = 0, kPromptUser = 1, kDontPromptUser = 2 };
}
// CommandStateChange commands.
namespace browser_state {
enum : int { kNavigateForward = 1, kNavigateBack = 2 };
}

// The events the window answers, raised on the GUI thread. Addresses are in
// the system code page, converted without best fit; one that does not
// convert exactly arrives empty.
class BrowserEvents {
public:
    virtual ~BrowserEvents() = default;
    // `frameUrl` is the address the navigating frame shows now (empty for a
    // new frame); set `cancel` to stop the navigation.
    virtual void WebBeforeNavigate2(const std::string& url, const std::string& frameUrl, bool& cancel) = 0;
    virtual void WebTitleChange(const std::string& title) = 0;
    virtual void WebProgressChange(int progress, int maximum) = 0;
    virtual void WebCommandStateChange(int command, bool enabled) = 0;
    // The document of a frame, or of the top-level page when `topLevel`, has
    // loaded.
    virtual void WebDocumentComplete(const std::string& url, bool topLevel) = 0;
    // A frame, or the top-level page when `topLevel`, now shows `url`. Every
    // frame of every depth reports it.
    virtual void WebNavigateComplete2(const std::string& url, bool topLevel) = 0;
    // A page asks for a new window on `url`; it never gets one.
    virtual void WebNewWindow3(const std::string& url) = 0;
};

class Browser {
public:
    virtual ~Browser() = default;

    virtual void Navigate(const std::string& url) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Refresh() = 0;
    virtual void Stop() = 0;
    // Raises an automation error when the control refuses the command.
    virtual void ExecWB(int command, int option) = 0;
    // The page's zoom in percent (the optical zoom command with its value);
    // raises an automation error when the control refuses it.
    virtual void SetOpticalZoom(int percent) = 0;
    // The address of the top-level page, empty before the first one.
    virtual std::string LocationUrl() = 0;

    // The typed path to the top-level document's body style: does nothing
    // when there is no HTML document or no body; a value the style object
    // rejects raises an automation error.
    virtual void SetBodyBorderStyle(const std::string& style) = 0;
    virtual void SetBodyBorderColour(const std::string& colour) = 0;

    // The late-bound path: from the control's automation object through the
    // property `documentName` ("document" or "Document"), "body" and "Style"
    // to a put of `property` with one string argument. A missing body or a
    // rejected value raises an automation error.
    virtual void PutBodyStyleByName(const std::string& documentName, const std::string& property,
                                    const std::string& value) = 0;
};

}  // namespace vc
