#include "window/about_box_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "common/scale_win.h"
#include "ui/application_win.h"

namespace vc {

namespace {

enum : int { kIdIcon = 100, kIdName, kIdVersion, kIdDescription, kIdJump, kIdEMail, kIdCopyright, kIdRule };

constexpr int kWidth = 400;
constexpr int kMargin = 16;
constexpr int kTextLeft = 72;

// A dialog template with no controls: they are made in code, in pixels.
std::vector<WORD> EmptyDialogTemplate() {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
    dialog->style = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    dialog->cx = 200;
    dialog->cy = 100;
    return words;  // menu, class and title: three empty words
}

HWND AddControl(HWND dialog, const char* className, const std::string& text, DWORD style, int id, RECT r,
                HFONT font) {
    HWND control = ::CreateWindowExA(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                     r.right - r.left, r.bottom - r.top, dialog,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr),
                                     nullptr);
    if (control && font) ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

// The height the text takes when wrapped at `width` pixels.
int TextHeight(HWND window, HFONT font, const std::string& text, int width) {
    if (text.empty()) return 0;
    ui::WindowDc dc(window);
    ui::SelectedObject selected(dc.Get(), font);
    RECT r{0, 0, width, 0};
    ::DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return r.bottom;
}

std::string LinkMarkup(const std::string& text) {
    std::string escaped;
    for (char c : text) escaped += c == '<' ? std::string("&lt;") : c == '&' ? std::string("&amp;") : std::string(1, c);
    return "<a>" + escaped + "</a>";
}

}  // namespace

void TSobre::ShowModal(HWND owner) {
    owner_ = owner;
    const auto words = EmptyDialogTemplate();
    ::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()), owner,
                              &TSobre::DialogProc, reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
}

INT_PTR CALLBACK TSobre::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        auto* self = reinterpret_cast<TSobre*>(lParam);
        self->window_ = dialog;
        ui::RunGuarded([&] { self->Populate(dialog); });
        return TRUE;
    }
    auto* self = reinterpret_cast<TSobre*>(::GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self) return FALSE;
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == NM_CLICK || header->code == NM_RETURN) {
            ui::RunGuarded([&] { self->OpenLink(static_cast<int>(header->idFrom)); });
            return TRUE;
        }
        break;
    }
    case WM_CTLCOLORSTATIC:
        // The name stands out in the caption colour of the system.
        if (::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == kIdName) {
            ::SetTextColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_HIGHLIGHT));
            ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    default:
        break;
    }
    return FALSE;
}

void TSobre::Populate(HWND dialog) {
    ::SetWindowTextA(dialog, CaptionTitle.c_str());
    // The layout is in 96-DPI pixels; the system's message font is at the
    // system's DPI, which a screen of another scale must correct.
    const Scale scale = WindowScale(dialog);
    NONCLIENTMETRICSA metrics = NonClientMetricsForDpi(scale.Dpi());
    textFont_.Reset(::CreateFontIndirectA(&metrics.lfMessageFont));
    LOGFONTA name = metrics.lfMessageFont;
    name.lfHeight = -::MulDiv(AppNameSize, scale.Dpi(), 72);
    name.lfWeight = FW_BOLD;
    nameFont_.Reset(::CreateFontIndirectA(&name));

    const int width = scale.Apply(kWidth);
    const int margin = scale.Apply(kMargin);
    const int textLeft = scale.Apply(kTextLeft);
    const auto px = [&scale](int length) { return scale.Apply(length); };
    const int textWidth = width - textLeft - margin;
    int y = margin;
    HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), "MAINICON");
    if (!icon) icon = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    HWND iconControl =
        AddControl(dialog, "STATIC", "", SS_ICON, kIdIcon, RECT{margin, y, margin + px(32), y + px(32)}, nullptr);
    ::SendMessageA(iconControl, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);

    auto addText = [&](const std::string& text, int id, HFONT font) {
        const int h = TextHeight(dialog, font, text, textWidth);
        if (h == 0) return;
        AddControl(dialog, "STATIC", text, SS_LEFT | SS_NOPREFIX, id, RECT{textLeft, y, textLeft + textWidth, y + h},
                   font);
        y += h + px(6);
    };
    auto addLink = [&](const std::string& text, int id) {
        if (text.empty()) return;
        const int h = TextHeight(dialog, textFont_.Get(), text, textWidth);
        AddControl(dialog, "SysLink", LinkMarkup(text), WS_TABSTOP, id, RECT{textLeft, y, textLeft + textWidth, y + h},
                   textFont_.Get());
        y += h + px(4);
    };
    addText(Appname, kIdName, nameFont_.Get());
    addText(Version, kIdVersion, textFont_.Get());
    y += px(4);
    addText(Description, kIdDescription, textFont_.Get());
    addLink(Jump, kIdJump);
    addLink(EMail, kIdEMail);
    y = std::max(y + px(6), margin + px(40));
    AddControl(dialog, "STATIC", "", SS_ETCHEDHORZ, kIdRule, RECT{margin, y, width - margin, y + px(2)}, nullptr);
    y += px(10);
    const int copyrightHeight = std::max(TextHeight(dialog, textFont_.Get(), Copyright, textWidth - px(90)), px(23));
    AddControl(dialog, "STATIC", Copyright, SS_LEFT | SS_NOPREFIX, kIdCopyright,
               RECT{margin, y + px(4), width - margin - px(90), y + px(4) + copyrightHeight}, textFont_.Get());
    HWND ok = AddControl(dialog, "BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK,
                         RECT{width - margin - px(80), y, width - margin, y + px(26)}, textFont_.Get());
    y += std::max(copyrightHeight, px(26)) + margin;

    RECT frame{0, 0, width, y};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongA(dialog, GWL_EXSTYLE)));
    const int frameWidth = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT ownerRect{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (owner_ && ::IsWindowVisible(owner_)) ::GetWindowRect(owner_, &ownerRect);
    ::SetWindowPos(dialog, nullptr, ownerRect.left + (ownerRect.right - ownerRect.left - frameWidth) / 2,
                   ownerRect.top + (ownerRect.bottom - ownerRect.top - height) / 2, frameWidth, height,
                   SWP_NOZORDER);
    ::SetFocus(ok);
}

void TSobre::OpenLink(int id) const {
    if (id == kIdJump) ::ShellExecuteA(owner_, "open", Jump.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (id == kIdEMail) ::ShellExecuteA(owner_, "open", ("mailto:" + EMail).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace vc
