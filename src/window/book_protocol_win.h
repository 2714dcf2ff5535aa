#pragma once
// The book's own protocol: the browser asks it for every page, image, style
// sheet and script of a one-file book, and it answers from the archive.
//
// It is registered with urlmon's session for this process alone
// (IInternetSession::RegisterNameSpace): nothing goes into the registry or
// onto the disk, and the registration ends with the object. Everything runs
// on the thread that registered it, the thread the browser lives on.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "book/book_pages.h"
#include "ui/handles_win.h"

namespace vc {

class BookProtocolFactory;

class BookProtocolRegistration {
public:
    // Told the name of a page that could not be read, each time the browser
    // asks for it; it must not show anything modal from inside the call.
    using DamagedPageHandler = std::function<void(const std::string& page)>;

    // Raises EOleError when urlmon refuses the registration.
    BookProtocolRegistration(std::shared_ptr<const BookPages> pages, DamagedPageHandler onDamaged);
    ~BookProtocolRegistration();
    BookProtocolRegistration(const BookProtocolRegistration&) = delete;
    BookProtocolRegistration& operator=(const BookProtocolRegistration&) = delete;

private:
    ui::ComPtr<BookProtocolFactory> factory_;
};

}  // namespace vc
