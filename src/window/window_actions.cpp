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
    if (queued.controlDown && queued.message == kKeyDown) {
        if (queued.key == 0x50) handled = settings.BlockPrintKey;
        if (queued.key == 0x43) handled = settings.BlockCopyKey;
        if (queued.key == 0x41) handled = settings.BlockSelectAllKey;
    }
    return handled;
}

bool RefreshNavigatesToLastUrl(const WindowSettings& settings) {
    return settings.ScrollbarColoursOn || settings.BodyBorderOn;
}

}  // namespace vc
