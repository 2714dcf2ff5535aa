#pragma once
// The about box `Sobre`: modal, owned by the window, with the book's texts.
#include <windows.h>

#include <string>

#include "ui/handles_win.h"

namespace vc {

class TSobre {
public:
    static constexpr const char* kOwnCopyright = "Made with Vellumcast";

    std::string CaptionTitle = "About";
    std::string Copyright = kOwnCopyright;
    int AppNameSize = 14;
    std::string Appname = "Vellumcast";
    std::string Version;
    std::string Description;  // lines, each ending in CR LF
    std::string Jump;         // a web address, opened by the shell
    std::string EMail;        // an address, opened as "mailto:"

    // Shows the box and returns when the reader closes it.
    void ShowModal(HWND owner);

    // The box while it is open (for tests and the observer); null otherwise.
    HWND Window() const noexcept { return window_; }

private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    void Populate(HWND dialog);
    void OpenLink(int id) const;

    HWND window_ = nullptr;
    HWND owner_ = nullptr;
    ui::UniqueFont nameFont_;
    ui::UniqueFont textFont_;
};

}  // namespace vc
