#include "window/window_actions.h"

#include "book/book_address.h"
#include "book/book_pages.h"
#include "book/book_paths.h"
#include "common/text.h"
#include "common/values.h"

namespace vc {

std::string HomeTarget(const std::string& exeFolder, const WindowSettings& settings) {
    const bool separateHome = StrToBool(settings.AltHomeFlag) && !settings.AltHomePage.empty();
    const std::string& page = separateHome ? settings.AltHomePage : settings.StartPage;
    if (!settings.BookHost.empty()) return MakeBookAddress(settings.BookHost, BookPageName(page));
    return WithTrailingBackslash(exeFolder) + BookRelativePath(page);
}

std::string AboutDescription(const std::string& text) {
    std::string result;
    for (const std::string& piece : SplitList(text, "<!>")) result += piece + "\r\n";
    return result;
}

bool SwallowMessage(const QueuedMessage& queued, const WindowSettings& settings) {
    bool handled = false;
    if ((queued.message == kRightButtonDown || queued.message == kRightButtonDoubleClick) && queued.insidePage)
        handled = settings.BlockContextMenu;
    // The blocked keys keep the book's text in the book; the words in the
    // search box are the reader's, to select, copy and paste as anywhere.
    if (queued.controlDown && queued.message == kKeyDown && !queued.inSearchBox) {
        if (queued.key == 0x50) handled = settings.BlockPrintKey;
        if (queued.key == 0x43) handled = settings.BlockCopyKey;
        if (queued.key == 0x41) handled = settings.BlockSelectAllKey;
    }
    return handled;
}

ReaderKey ReaderKeyFor(const QueuedMessage& queued) {
    if (!queued.controlDown) return ReaderKey::None;
    if (queued.message == kMouseWheel) return queued.wheelDelta != 0 ? ReaderKey::ZoomWheel : ReaderKey::None;
    if (queued.message != kKeyDown) return ReaderKey::None;
    switch (queued.key) {
    case 0x46: return queued.shiftDown ? ReaderKey::Search : ReaderKey::Find;  // F
    case 0xBB: case 0x6B: return ReaderKey::ZoomIn;                          // = + and keypad +
    case 0xBD: case 0x6D: return ReaderKey::ZoomOut;                         // - and keypad -
    case 0x30: case 0x60: return ReaderKey::ZoomActual;                      // 0 and keypad 0
    default: return ReaderKey::None;
    }
}

bool RefreshNavigatesToLastUrl(const WindowSettings& settings) {
    return settings.ScrollbarColoursOn || settings.BodyBorderOn;
}

}  // namespace vc
