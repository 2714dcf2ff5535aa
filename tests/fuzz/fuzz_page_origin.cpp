// Random addresses against the readers that decide whether a page is the
// book's. An address judged the book's, read again, still names a place
// inside a folder of the book: no step climbs, and no second reading (of the
// path written back, or of the address built for it) lands anywhere else.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "book/book_address.h"
#include "interpreter/command_origin.h"
#include "../native/simulated_code_pages.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

bool HasNoClimbingStep(std::u16string_view path) {
    for (std::size_t start = 0; start < path.size();) {
        const auto end = std::min(path.find(u'\\', start), path.size());
        const auto step = path.substr(start, end - start);
        if (!step.empty() && (step == u"." || step == u".." || step.back() == u'.' || step.back() == u' ')) return false;
        start = end + 1;
    }
    return true;
}

void CheckClassic(std::string_view address, const vc::CodePage& codePage) {
    static const vc::BookPageSpace western = vc::ClassicBookPages("C:\\Books\\", "C:\\a\\tour\\index.htm",
                                                              "C:\\a\\100%41 #1\\home.htm", vc::testing::Western());
    static const vc::BookPageSpace japanese =
        vc::ClassicBookPages("C:\\Books\\", "C:\\a\\\x83\x5C\\index.htm", "", vc::testing::Japanese());
    const vc::BookPageSpace& book = &codePage == &vc::testing::Western() ? western : japanese;
    if (!vc::IsBookPage(address, book, codePage)) return;
    const auto path = vc::LocalFilePath(address, codePage);
    Check(path.has_value());
    Check(HasNoClimbingStep(*path));
    const auto written = codePage.FromUtf16(*path);
    Check(written.has_value());
    const auto again = vc::BookFileAddress(*written, book, codePage);
    Check(again.has_value());
    Check(vc::LocalFilePath(*again, codePage) == path);
    Check(vc::IsBookPage(*again, book, codePage));
}

void CheckOneFile(std::string_view address) {
    static const vc::BookPageSpace book = vc::OneFileBookPages("b7k2");
    if (!vc::IsBookPage(address, book, vc::testing::Western())) return;
    const auto read = vc::ReadBookAddress(address);
    Check(read.has_value() && read->host == "b7k2" && vc::PageNameProblem(read->name).empty());
    const auto again = vc::ReadBookAddress(vc::MakeBookAddress(read->host, read->name));
    Check(again.has_value() && again->host == read->host && again->name == read->name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the kind of book and the system's code page.
    const std::string_view address(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] & 1) CheckOneFile(address);
    else CheckClassic(address, (data[0] & 2) ? vc::testing::Japanese() : vc::testing::Western());
    return 0;
}
