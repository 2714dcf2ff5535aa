#include "interpreter/navigation_tracker.h"

#include <algorithm>

#include "common/text.h"

namespace vc {

namespace {

// The same document with or without a "#" part. Letter case is ignored, so
// that an address written in other letters keeps the page's frames rather
// than dropping them while the page goes on.
bool SameDocument(std::string_view a, std::string_view b) {
    return SameText(a.substr(0, a.find('#')), b.substr(0, b.find('#')));
}

}  // namespace

NavigationTracker::NavigationTracker(BookPageSpace book, const CodePage& codePage)
    : book_(std::move(book)), codePage_(codePage), documents_(1) {}

void NavigationTracker::Remember(const std::string& url) {
    auto& addresses = documents_.back().addresses;
    if (std::find(addresses.begin(), addresses.end(), url) == addresses.end()) addresses.push_back(url);
}

void NavigationTracker::NavigationStarted(const std::string& url) { Remember(url); }

void NavigationTracker::NavigationCompleted(const std::string& url, bool topLevel) {
    const Document& newest = documents_.back();
    if (topLevel && (newest.top.empty() || !SameDocument(newest.top, url))) documents_.push_back({url, {}});
    Remember(url);
}

void NavigationTracker::DocumentCompleted(const std::string& url, bool topLevel) {
    if (!topLevel) return;
    // Only now is every older document gone, with its frames and scripts.
    if (!documents_.back().top.empty() && SameDocument(documents_.back().top, url) && documents_.size() > 1) {
        documents_.front() = std::move(documents_.back());
        while (documents_.size() > 1) documents_.pop_back();
    }
    if (IsBookPage(url, book_, codePage_) || IsWebAddress(url)) lastUrl_ = url;
}

CommandSource NavigationTracker::SourceOf(const std::string& navigatingFrame) const {
    if (documents_.back().top.empty() || !IsBookPage(navigatingFrame, book_, codePage_)) return CommandSource::WebPage;
    for (const Document& document : documents_)
        for (const std::string& address : document.addresses)
            if (!IsBookPage(address, book_, codePage_)) return CommandSource::WebPage;
    return CommandSource::Book;
}

std::string NavigationTracker::RefreshAddress(bool styledOnLoad) const {
    return styledOnLoad ? lastUrl_ : std::string();
}

NewWindowAnswer NavigationTracker::NewWindow(const std::string& url) const {
    if (IsBookPage(url, book_, codePage_)) return {NewWindowAnswer::Action::NavigateBookWindow, url};
    if (IsWebAddress(url)) return {NewWindowAnswer::Action::OpenInDefaultBrowser, url};
    return {};
}

}  // namespace vc
