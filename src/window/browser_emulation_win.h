#pragma once
// The document mode the browser control gives this program's pages. Left
// alone, a program that hosts the control gets an old mode, and pages
// written for today's browsers lay out wrongly. The per-program emulation
// value under the current user's key asks for the newest mode for pages
// that declare a document type (and quirks for those that do not, which
// old books rely on). It is written only where the reader has no value of
// their own, before the control is created, and removed again by whoever
// wrote it.
#include <string>

namespace vc {

class TBrowserEmulation {
public:
    // Newest mode for pages with a document type, quirks for the others.
    static constexpr unsigned long kStandardsWhereDeclared = 11000;
    static constexpr const char* kKey =
        "Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";

    // `program` is the program's file name ("Tour.exe").
    explicit TBrowserEmulation(std::string program);
    ~TBrowserEmulation();
    TBrowserEmulation(const TBrowserEmulation&) = delete;
    TBrowserEmulation& operator=(const TBrowserEmulation&) = delete;

    bool Wrote() const noexcept { return wrote_; }
    // The file name of this process's program.
    static std::string ThisProgram();

private:
    std::string program_;
    bool wrote_ = false;
};

}  // namespace vc
