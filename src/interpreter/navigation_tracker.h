#pragma once
// What the window remembers of the browser's navigations, fed by its events:
// every address the top page and its frames have shown or started (which
// decides whether a page's commands are the book's), the last address worth
// going back to (Refresh of a styled book), and what becomes of a window a
// page opens.
//
// The browser never says who started a navigation: a server's redirect
// arrives as a navigation of the frame that still shows the old page. So an
// address counts from the moment its navigation starts, and the addresses of
// a top page go only when a different top page has completed, never while
// the old page's frames may still run script.
#include <string>
#include <vector>

#include "common/code_page.h"
#include "interpreter/command_origin.h"
#include "interpreter/command_set.h"

namespace vc {

// What to do with a window a page asks for: the runtime never opens one.
struct NewWindowAnswer {
    enum class Action {
        Refuse,                // nothing opens
        OpenInDefaultBrowser,  // `address` goes to the reader's default browser (OpenInDefaultBrowser)
        NavigateBookWindow,    // the book's own window shows `address`
    };
    Action action = Action::Refuse;
    std::string address;
};

class NavigationTracker {
public:
    // `codePage` must outlive the tracker.
    NavigationTracker(BookPageSpace book, const CodePage& codePage);

    // BeforeNavigate2 of an address that is no action command and that the
    // browser goes on to load, in any frame.
    void NavigationStarted(const std::string& url);
    // NavigateComplete2: the top page, or one of its frames, now shows `url`.
    void NavigationCompleted(const std::string& url, bool topLevel);
    // DocumentComplete of the top page or of a frame.
    void DocumentCompleted(const std::string& url, bool topLevel);

    // Where a command comes from that a frame showing `navigatingFrame` sent:
    // the book only when that frame, and every address of every document that
    // may still run script, is a page of the book, once a page has been shown.
    CommandSource SourceOf(const std::string& navigatingFrame) const;

    // The latest completed top page that was a page of the book or of the
    // web (http, https); empty before the first.
    const std::string& LastUrl() const noexcept { return lastUrl_; }
    // Where Refresh goes: LastUrl when the book styles its pages on load and
    // there is one; empty for the browser's own Refresh.
    std::string RefreshAddress(bool styledOnLoad) const;

    // NewWindow3: a web address for the default browser, a page of the book
    // for the book's window, nothing else.
    NewWindowAnswer NewWindow(const std::string& url) const;

private:
    // The addresses of one top-level document and of everything that
    // happened in its frames while it was the newest.
    struct Document {
        std::string top;  // empty until a top page is shown
        std::vector<std::string> addresses;
    };
    void Remember(const std::string& url);

    BookPageSpace book_;
    const CodePage& codePage_;
    // Oldest first; all but the newest go when the newest completes.
    std::vector<Document> documents_;
    std::string lastUrl_;
};

}  // namespace vc
