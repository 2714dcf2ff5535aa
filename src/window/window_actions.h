#pragma once
// The pure parts of the tool bar and window actions: where Home goes, how
// the about box's description is cut into lines, and which queued messages
// the application-wide filter swallows.
#include <string>

#include "window/startup.h"

namespace vc {

// Home's target: the separate home page when line 80 is true and line 81 is
// not empty, otherwise the start page; both looked for beside the executable,
// or inside a one-file book.
std::string HomeTarget(const std::string& exeFolder, const WindowSettings& settings);

// The about box description: a line for every piece between "<!>", each
// followed by CR LF; an empty last piece adds nothing.
std::string AboutDescription(const std::string& text);

// What the filter knows of one queued message.
struct QueuedMessage {
    unsigned message = 0;
    unsigned key = 0;            // first parameter: the key code of a key-down
    bool insidePage = false;     // the target window lies inside the browser
    bool controlDown = false;    // the high bit of the Control key's state
    bool shiftDown = false;      // the same for the Shift key
    int wheelDelta = 0;          // the signed rotation of a wheel message
    bool inSearchBox = false;    // the target is the search box: the reader's own words
};

constexpr unsigned kRightButtonDown = 0x0204;
constexpr unsigned kRightButtonDoubleClick = 0x0206;
constexpr unsigned kKeyDown = 0x0100;
constexpr unsigned kMouseWheel = 0x020A;

// Whether the application-wide filter swallows the message.
bool SwallowMessage(const QueuedMessage& queued, const WindowSettings& settings);

// The reader's own keys, which reach the window wherever the focus is, the
// page included: Ctrl+Shift+F the search pane, Ctrl+F the page's find
// dialog, Ctrl+plus, Ctrl+minus (main keys or keypad), Ctrl+0 and Ctrl+wheel
// the zoom.
enum class ReaderKey { None, Search, Find, ZoomIn, ZoomOut, ZoomActual, ZoomWheel };
ReaderKey ReaderKeyFor(const QueuedMessage& queued);

// The file the Refresh button asks for: the last address when the page is
// styled on load (so it is styled again), otherwise none (a plain reload).
bool RefreshNavigatesToLastUrl(const WindowSettings& settings);

}  // namespace vc
