#include "skin/win/skinned_menu_win.h"

#include <algorithm>
#include <cstring>

#include "skin/win/skin_bitmap_win.h"
#include "skin/win/skin_manager_win.h"
#include "ui/application_win.h"
#include "ui/handles_win.h"

namespace vc {

namespace {


// The whole text of a menu item, however long: a long caption is shown
// whole or cut with an ellipsis where it is drawn, never garbled.
std::string ItemText(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    if (!::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info) || info.cch == 0) return {};
    std::string text(info.cch + 1, '\0');
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    if (!::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) return {};
    text.resize(std::strlen(text.c_str()));
    return text;
}

int TextWidth(HDC dc, const std::string& text, UINT flags = 0) {
    RECT r{0, 0, 0, 0};
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT | flags);
    return r.right - r.left;
}

// A bitmap handle of the item's own, not one of the system's stand-ins.
bool RealBitmap(HBITMAP bitmap) {
    const auto value = reinterpret_cast<std::intptr_t>(bitmap);
    return bitmap && value != -1 && value > 11;
}

// --- Owner-drawn items ---

using SavedItem = SavedMenuItem;

void Convert(SavedMenuItems& items, HMENU menu) {
    for (int i = 0, n = ::GetMenuItemCount(menu); i < n; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_BITMAP;
        if (!::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        // Items their owner draws, and old-style bitmap items, keep their look.
        if (!(info.fType & (MFT_OWNERDRAW | MFT_BITMAP))) {
            items.push_back(SavedItem{menu, i, info.wID, info.dwItemData, info.fType, ItemText(menu, i),
                                        info.hSubMenu != nullptr, info.hbmpItem, -1});
            MENUITEMINFOA change{};
            change.cbSize = sizeof change;
            change.fMask = MIIM_FTYPE;
            change.fType = info.fType | MFT_OWNERDRAW;
            ::SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &change);
        }
        if (info.hSubMenu) Convert(items, info.hSubMenu);
    }
}

// The items of a menu and its sub-menus owner-drawn for the scope's life.
class OwnerDrawn {
public:
    OwnerDrawn(SavedMenuItems& items, HMENU menu) : items_(items), first_(items.size()) { Convert(items, menu); }
    ~OwnerDrawn() {
        while (items_.size() > first_) {
            const SavedItem& item = items_.back();
            if (::IsMenu(item.menu)) {
                MENUITEMINFOA change{};
                change.cbSize = sizeof change;
                change.fMask = MIIM_FTYPE;
                change.fType = item.type;
                ::SetMenuItemInfoA(item.menu, static_cast<UINT>(item.position), TRUE, &change);
            }
            items_.pop_back();
        }
    }
    OwnerDrawn(const OwnerDrawn&) = delete;
    OwnerDrawn& operator=(const OwnerDrawn&) = delete;

private:
    SavedMenuItems& items_;
    std::size_t first_;
};

const SavedItem* FindItem(const SavedMenuItems& items, HMENU menu, UINT id, ULONG_PTR data) {
    const SavedItem* by_id = nullptr;
    for (const SavedItem& item : items) {
        if (item.id != id || item.data != data) continue;
        if (!menu || item.menu == menu) return &item;
        if (!by_id) by_id = &item;
    }
    return by_id;
}

bool IsSeparator(const SavedItem& item) { return (item.type & MFT_SEPARATOR) || item.text.empty(); }

}  // namespace

// --- Tracking: the menu kind, the pop-up flag and the message hook ---

// Everything that holds while one menu of the engine is tracked, undone on
// every way out, an exception included.
struct MenuTracking {
    MenuTracking(TSkinnedMenuBar* bar, TSkinManager& manager, MenuKind kind) : manager_(manager) {
        manager.SetMenuKind(kind, true);
        if (!bar) return;
        tracked = bar;
        hook = ::SetWindowsHookExA(WH_MSGFILTER, &MenuTracking::Hook, nullptr, ::GetCurrentThreadId());
    }
    ~MenuTracking() {
        if (hook) ::UnhookWindowsHookEx(hook);
        hook = nullptr;
        tracked = nullptr;
        // No pop-up came (a disabled item, a failed track): the flag must
        // not dress the next context menu of the thread.
        if (manager_.PopupMenuCount() == 0) manager_.SetMenuKind(MenuKind::Popup, false);
    }
    MenuTracking(const MenuTracking&) = delete;
    MenuTracking& operator=(const MenuTracking&) = delete;

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) noexcept {
        bool eaten = false;
        if (code == MSGF_MENU && tracked && lParam) {
            ui::RunGuarded([&] { eaten = tracked->OnMenuMessage(*reinterpret_cast<MSG*>(lParam)); });
        }
        return eaten ? TRUE : ::CallNextHookEx(hook, code, wParam, lParam);
    }

    static inline HHOOK hook = nullptr;
    static inline TSkinnedMenuBar* tracked = nullptr;

private:
    TSkinManager& manager_;
};

bool MenuHookInstalled() noexcept { return MenuTracking::hook != nullptr; }

// --- TSkinnedMenuBar ---

TSkinnedMenuBar::TSkinnedMenuBar(HWND window, TSkinData& data, TSkinManager& manager) noexcept
    : window_(window), data_(data), manager_(manager) {}

TSkinnedMenuBar::~TSkinnedMenuBar() {
    if (MenuTracking::tracked == this) MenuTracking::tracked = nullptr;
}

void TSkinnedMenuBar::BuildItems() {
    if (HMENU current = ::GetMenu(window_)) menu_ = current;
    items_.clear();
    if (menu_ && !::IsMenu(menu_)) menu_ = nullptr;
    if (!menu_) return;
    for (int i = 0, n = ::GetMenuItemCount(menu_); i < n; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        if (!::GetMenuItemInfoA(menu_, static_cast<UINT>(i), TRUE, &info)) continue;
        TMenuBtn item;
        item.index = i;
        item.caption = ItemText(menu_, i);
        item.enabled = (info.fState & (MFS_DISABLED | MFS_GRAYED)) == 0;
        item.sub_menu = reinterpret_cast<std::uintptr_t>(info.hSubMenu);
        item.command = info.wID;
        if (i == open_) item.state = NcState::Pressed;
        items_.push_back(item);
    }
    if (::GetMenu(window_)) ::SetMenu(window_, nullptr);
}

void TSkinnedMenuBar::GiveBack() noexcept {
    if (menu_ && ::IsMenu(menu_) && ::IsWindow(window_) && !::GetMenu(window_)) ::SetMenu(window_, menu_);
}

void TSkinnedMenuBar::PaintBand(HDC dc, const MenuFonts& fonts, const Rect& band, bool active, bool right_to_left) {
    fonts_ = fonts;
    band_ = band;
    right_to_left_ = right_to_left;
    if (band.IsEmpty()) return;
    std::vector<int> widths;
    {
        ui::SelectedObject font(dc, fonts.normal);
        for (const TMenuBtn& item : items_) widths.push_back(TextWidth(dc, item.caption));
    }
    LayoutMenuButtons(data_, band, items_, widths, right_to_left);
    background_ = Bitmap(band.Width(), band.Height());
    PaintMenuBand(background_, background_.Bounds(), data_, active);
    Bitmap picture = background_;
    std::vector<Colour> colours;
    for (TMenuBtn item : items_) {
        item.bounds = item.bounds.Offset(-band.left, -band.top);
        colours.push_back(PaintMenuButton(picture, item, background_, Point{0, 0}, data_));
    }
    DrawBitmapWithGdi(dc, band.left, band.top, picture, [&](HDC memory) {
        ui::SelectedObject font(memory, fonts.normal);
        ::SetBkMode(memory, TRANSPARENT);
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (items_[i].bounds.IsEmpty()) continue;
            const Rect at = items_[i].bounds.Offset(-band.left, -band.top);
            RECT r{at.left, at.top, at.right, at.bottom};
            ::SetTextColor(memory, Gdi(colours[i]));
            ::DrawTextA(memory, items_[i].caption.c_str(), static_cast<int>(items_[i].caption.size()), &r,
                        DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    });
}

// Only the item's rectangle, from the kept background: the band is not
// composed again for hover feedback.
void TSkinnedMenuBar::PaintItem(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size()) || background_.Empty()) return;
    TMenuBtn item = items_[static_cast<std::size_t>(index)];
    const Rect bounds = item.bounds;
    if (bounds.IsEmpty()) return;
    ui::WindowDc dc(window_, ui::WindowDc::Area::Whole);
    if (!dc.Get()) return;
    Bitmap picture(bounds.Width(), bounds.Height());
    item.bounds = picture.Bounds();
    const Colour colour =
        PaintMenuButton(picture, item, background_, Point{band_.left - bounds.left, band_.top - bounds.top}, data_);
    DrawBitmapWithGdi(dc.Get(), bounds.left, bounds.top, picture, [&](HDC memory) {
        ui::SelectedObject font(memory, fonts_.normal);
        ::SetBkMode(memory, TRANSPARENT);
        ::SetTextColor(memory, Gdi(colour));
        RECT r{0, 0, bounds.Width(), bounds.Height()};
        ::DrawTextA(memory, item.caption.c_str(), static_cast<int>(item.caption.size()), &r,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    });
}

void TSkinnedMenuBar::SetHot(int hot) {
    if (!menu_mode_) ShowHot(hot);
}

void TSkinnedMenuBar::ShowHot(int hot) {
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        TMenuBtn& item = items_[static_cast<std::size_t>(i)];
        const NcState state = i == open_ ? NcState::Pressed : i == hot ? NcState::Hot : NcState::Normal;
        if (item.state == state) continue;
        item.state = state;
        PaintItem(i);
    }
}

int TSkinnedMenuBar::Hot() const noexcept {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].state != NcState::Normal) return static_cast<int>(i);
    return -1;
}

void TSkinnedMenuBar::OpenItem(int index, bool by_key) { RunMenuMode(index, true, by_key); }

bool TSkinnedMenuBar::EnterMenuMode(char key) {
    const int item = key == 0 ? FirstMenuButton(items_) : vc::FindAccel(items_, key);
    if (item < 0) return false;
    RunMenuMode(item, key != 0, true);
    return true;
}

// Menu mode: a drop-down open, or one item highlighted waiting for a key,
// until a command is chosen or the user leaves.
void TSkinnedMenuBar::RunMenuMode(int item, bool open, bool by_key) {
    if (MenuTracking::tracked || menu_mode_) return;  // one menu at a time
    menu_mode_ = true;
    struct Leave {
        TSkinnedMenuBar& bar;
        ~Leave() {
            bar.menu_mode_ = false;
            if (::GetCapture() == bar.window_) ::ReleaseCapture();
            ui::RunGuarded([this] {
                POINT cursor{};
                ::GetCursorPos(&cursor);
                bar.ShowHot(bar.ItemAt(WindowPoint(bar.window_, cursor)));
            });
        }
    } leave{*this};
    while (item >= 0 && item < static_cast<int>(items_.size())) {
        if (open) {
            const DropDownEnd end = TrackDropDowns(item, by_key);
            if (!end.escaped) return;
            item = end.item;
        }
        ShowHot(item);
        const MenuModeStep step = NextMenuModeStep(item, by_key);
        if (step.action == MenuModeStep::Action::Leave) return;
        item = step.item;
        open = true;
    }
}

TSkinnedMenuBar::DropDownEnd TSkinnedMenuBar::TrackDropDowns(int index, bool by_key) {
    DropDownEnd end;
    int next = index;
    bool next_by_key = by_key;
    while (next >= 0 && next < static_cast<int>(items_.size())) {
        const TMenuBtn item = items_[static_cast<std::size_t>(next)];
        const HMENU popup = reinterpret_cast<HMENU>(item.sub_menu);
        if (!popup || !::IsMenu(popup)) {
            // An item without a drop-down is a command of its own.
            if (item.enabled && item.command) ::PostMessageA(window_, WM_COMMAND, item.command, 0);
            return DropDownEnd{};
        }
        end.item = open_ = next;
        pending_ = -1;
        pending_by_key_ = false;
        selected_menu_ = nullptr;
        selected_flags_ = 0;
        escaped_ = false;
        ::GetCursorPos(&last_mouse_);
        ShowHot(-1);
        if (item.enabled) {
            RECT window{};
            ::GetWindowRect(window_, &window);
            const Rect at = item.bounds.Offset(window.left, window.top);
            OwnerDrawn drawn(manager_.OwnerDrawnItems(), popup);
            MenuTracking tracking(this, manager_, MenuKind::MainMenu);
            ::SendMessageA(window_, WM_INITMENU, reinterpret_cast<WPARAM>(menu_), 0);
            // Opened from the keyboard, the drop-down shows its first item
            // selected, as the system's menu bar does.
            if (next_by_key) ::PostMessageA(window_, WM_KEYDOWN, VK_DOWN, 0);
            TPMPARAMS exclude{sizeof exclude, RECT{at.left, at.top, at.right, at.bottom}};
            const UINT align = right_to_left_ ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
            ::TrackPopupMenuEx(popup, align | TPM_TOPALIGN | TPM_VERTICAL | TPM_RIGHTBUTTON,
                               right_to_left_ ? at.right : at.left, at.bottom + 1, window_, &exclude);
        }
        open_ = -1;
        next = pending_;
        next_by_key = pending_by_key_;
    }
    end.escaped = escaped_;
    return end;
}

namespace {

MenuModeKey MenuModeKeyOf(WPARAM key) {
    switch (key) {
    case VK_LEFT: return MenuModeKey::Left;
    case VK_RIGHT: return MenuModeKey::Right;
    case VK_UP: return MenuModeKey::Up;
    case VK_DOWN: return MenuModeKey::Down;
    case VK_RETURN: return MenuModeKey::Enter;
    case VK_ESCAPE: return MenuModeKey::Escape;
    default: break;
    }
    const bool letter = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    return letter ? MenuModeKey::Letter : MenuModeKey::Other;
}

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN || message == WM_NCMBUTTONDOWN;
}

}  // namespace

// The band's own little menu loop while an item is highlighted and no
// drop-down is open: the keyboard and the mouse are the band's, everything
// else is dispatched. Returns the step that ends the wait.
MenuModeStep TSkinnedMenuBar::NextMenuModeStep(int highlighted, bool& by_key) {
    using Action = MenuModeStep::Action;
    by_key = true;
    ::SetCapture(window_);
    bool menu_key_down = false;
    MSG message{};
    while (::GetCapture() == window_ && ::GetActiveWindow() == window_) {
        if (::GetMessageA(&message, nullptr, 0, 0) <= 0) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        switch (message.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            // F10 or Alt again leave menu mode when they are let go, as they entered it.
            if (message.wParam == VK_F10 || message.wParam == VK_MENU) {
                menu_key_down = true;
                continue;
            }
            const MenuModeStep step = MenuModeKeyStep(items_, highlighted, MenuModeKeyOf(message.wParam),
                                                      static_cast<char>(message.wParam), right_to_left_);
            if (step.action != Action::Highlight) return step;
            highlighted = step.item;
            ShowHot(highlighted);
            continue;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (menu_key_down && (message.wParam == VK_F10 || message.wParam == VK_MENU)) return {Action::Leave, -1};
            continue;
        case WM_CHAR:
        case WM_SYSCHAR:
            continue;
        case WM_MOUSEMOVE: {
            const int item = ItemAt(WindowPoint(window_, message.pt));
            if (item >= 0 && item != highlighted) ShowHot(highlighted = item);
            continue;
        }
        default: break;
        }
        if (IsButtonDown(message.message)) {
            // A click on an item opens it with no entry selected; anywhere
            // else it only leaves.
            const int item = ItemAt(WindowPoint(window_, message.pt));
            by_key = false;
            return item >= 0 ? MenuModeStep{Action::Open, item} : MenuModeStep{Action::Leave, -1};
        }
        if (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) continue;
        ::DispatchMessageA(&message);
    }
    return {Action::Leave, -1};
}

void TSkinnedMenuBar::OnMenuSelect(WPARAM wParam, LPARAM lParam) noexcept {
    const UINT flags = HIWORD(wParam);
    if (flags == 0xFFFF && lParam == 0) return;  // the menu closes
    selected_menu_ = reinterpret_cast<HMENU>(lParam);
    selected_flags_ = flags;
}

void TSkinnedMenuBar::SwitchTo(int item, bool by_key) {
    if (item < 0 || item == open_) return;
    pending_ = item;
    pending_by_key_ = by_key;
    ::EndMenu();
}

// A message of the menu loop; true eats it.
bool TSkinnedMenuBar::OnMenuMessage(MSG& message) {
    if (open_ < 0) return false;
    if (message.message == WM_MOUSEMOVE) {
        if (message.pt.x == last_mouse_.x && message.pt.y == last_mouse_.y) return false;
        last_mouse_ = message.pt;
        const int target = ItemAt(WindowPoint(window_, message.pt));
        if (target >= 0 && target != open_) SwitchTo(target, false);
        return false;
    }
    if (IsButtonDown(message.message) || message.message == WM_SYSKEYDOWN) escaped_ = false;
    if (message.message != WM_KEYDOWN) return false;
    escaped_ = message.wParam == VK_ESCAPE;
    WPARAM key = message.wParam;
    // A right-to-left menu runs the other way.
    if (right_to_left_ && (key == VK_LEFT || key == VK_RIGHT)) key = key == VK_LEFT ? VK_RIGHT : VK_LEFT;
    message.wParam = key;
    const HMENU open = reinterpret_cast<HMENU>(items_[static_cast<std::size_t>(open_)].sub_menu);
    if (key == VK_RIGHT && !(selected_flags_ & MF_POPUP)) {
        SwitchTo(NextMenuButton(items_, open_, 1), true);
        return true;
    }
    if (key == VK_LEFT && (!selected_menu_ || selected_menu_ == open)) {
        SwitchTo(NextMenuButton(items_, open_, -1), true);
        return true;
    }
    return false;
}

// --- Owner-drawn items ---

bool MeasureSkinnedMenuItem(const TSkinManager& manager, const TSkinData& data, const MenuFonts& fonts,
                            MEASUREITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU) return false;
    const SavedItem* saved = FindItem(manager.OwnerDrawnItems(), nullptr, item.itemID, item.itemData);
    if (!saved) return false;
    const MenuCaption text = SplitMenuCaption(saved->text);
    ui::WindowDc dc(nullptr);
    // Measured in the bold face, so that the menu's default item fits too.
    ui::SelectedObject font(dc.Get(), fonts.bold ? fonts.bold : fonts.normal);
    const int proposed = static_cast<int>(item.itemHeight);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc.Get(), &metrics);
    const MenuItemSize size =
        MeasureMenuItem(data, TextWidth(dc.Get(), text.caption), TextWidth(dc.Get(), text.shortcut, DT_NOPREFIX),
                        std::max(proposed, static_cast<int>(metrics.tmHeight)), IsSeparator(*saved));
    item.itemWidth = static_cast<UINT>(size.width);
    item.itemHeight = static_cast<UINT>(size.height);
    return true;
}

bool DrawSkinnedMenuItem(const TSkinManager& manager, const TSkinData& data, const MenuFonts& fonts,
                         const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU) return false;
    const SavedItem* saved =
        FindItem(manager.OwnerDrawnItems(), reinterpret_cast<HMENU>(item.hwndItem), item.itemID, item.itemData);
    if (!saved) return false;
    const Rect r{item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
    if (r.IsEmpty()) return true;
    Bitmap picture(r.Width(), r.Height(), PixelFromColour(data.ResolveColour(data.Colours().Menu)));
    // The pop-up's composed background under the item, when the pop-up is
    // one the engine skins.
    TSkinnedPopupMenu* popup = manager.FindPopupMenu(::WindowFromDC(item.hDC));
    if (popup && popup->Skinning()) {
        const Bitmap& background = popup->Background();
        const Point offset = popup->ClientOffset();
        if (!background.Empty()) Blit(picture, 0, 0, background, r.Offset(offset.x, offset.y));
    }
    MenuItemLook look;
    look.separator = IsSeparator(*saved);
    look.selected = (item.itemState & ODS_SELECTED) != 0;
    look.enabled = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) == 0;
    look.checked = (item.itemState & ODS_CHECKED) != 0;
    look.radio = (saved->type & MFT_RADIOCHECK) != 0;
    look.sub_menu = saved->sub_menu;
    look.glyph = saved->glyph;
    look.own_image = RealBitmap(saved->bitmap);
    const MenuItemText text = PaintMenuItem(picture, picture.Bounds(), data, look);
    DrawBitmapWithGdi(item.hDC, r.left, r.top, picture, [&](HDC memory) {
        if (look.separator) return;
        if (look.own_image) {
            BITMAP info{};
            ::GetObjectA(saved->bitmap, sizeof info, &info);
            const Rect& g = text.glyph_column;
            const int x = g.left + (g.Width() - info.bmWidth) / 2, y = g.top + (g.Height() - info.bmHeight) / 2;
            ::DrawStateA(memory, nullptr, nullptr, reinterpret_cast<LPARAM>(saved->bitmap), 0, x, y, 0, 0,
                         DST_BITMAP | (look.enabled ? DSS_NORMAL : DSS_DISABLED));
            if (look.checked) {
                RECT edge{g.left, g.top + 1, g.right, g.bottom - 1};
                ::DrawEdge(memory, &edge, BDR_SUNKENOUTER, BF_RECT);
            }
        }
        const MenuCaption texts = SplitMenuCaption(saved->text);
        const bool bold = (item.itemState & ODS_DEFAULT) && fonts.bold;
        ui::SelectedObject font(memory, bold ? fonts.bold : fonts.normal);
        ::SetBkMode(memory, TRANSPARENT);
        ::SetTextColor(memory, Gdi(text.colour));
        const UINT prefix = (item.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
        RECT caption{text.caption.left, text.caption.top, text.caption.right, text.caption.bottom};
        if (!texts.shortcut.empty()) {
            RECT shortcut{text.shortcut.left, text.shortcut.top, text.shortcut.right, text.shortcut.bottom};
            ::DrawTextA(memory, texts.shortcut.c_str(), static_cast<int>(texts.shortcut.size()), &shortcut,
                        DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            caption.right = std::max(caption.left, shortcut.right - TextWidth(memory, texts.shortcut, DT_NOPREFIX) - 8);
        }
        ::DrawTextA(memory, texts.caption.c_str(), static_cast<int>(texts.caption.size()), &caption,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | prefix);
    });
    // The sub-menu arrow is ours: the system must not draw its own over it.
    ::ExcludeClipRect(item.hDC, r.left, r.top, r.right, r.bottom);
    return true;
}

// --- The system menu ---

void OpenSkinnedSystemMenu(HWND window, TSkinManager& manager, const FrameStyle& style, POINT screen) {
    HMENU system = ::GetSystemMenu(window, FALSE);
    if (!system) return;
    // A copy: the window's own system menu keeps its items untouched.
    ui::UniqueMenu copy(::CreatePopupMenu());
    if (!copy) return;
    for (int i = 0, n = ::GetMenuItemCount(system); i < n; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE;
        if (!::GetMenuItemInfoA(system, static_cast<UINT>(i), TRUE, &info)) continue;
        const std::string text = ItemText(system, i);
        if (text.empty() || (info.fType & MFT_SEPARATOR)) {
            ::AppendMenuA(copy.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const SystemMenuRule rule =
            SystemMenuItem(info.wID, (info.fState & (MFS_DISABLED | MFS_GRAYED)) == 0, style);
        const UINT flags = MF_STRING | (rule.enabled ? MF_ENABLED : MF_GRAYED) |
                           ((info.fState & MFS_CHECKED) ? MF_CHECKED : MF_UNCHECKED);
        ::AppendMenuA(copy.Get(), flags, info.wID, text.c_str());
        if (info.fState & MFS_DEFAULT) ::SetMenuDefaultItem(copy.Get(), info.wID, FALSE);
    }
    OwnerDrawn drawn(manager.OwnerDrawnItems(), copy.Get());
    for (SavedItem& item : manager.OwnerDrawnItems())
        if (item.menu == copy.Get()) item.glyph = SystemMenuItem(item.id, true, style).glyph;
    MenuTracking tracking(nullptr, manager, MenuKind::SystemMenu);
    const UINT command = static_cast<UINT>(::TrackPopupMenuEx(
        copy.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, window, nullptr));
    if (command) ::PostMessageA(window, WM_SYSCOMMAND, command, 0);
}

}  // namespace vc
