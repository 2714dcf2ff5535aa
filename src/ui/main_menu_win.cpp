#include "ui/main_menu_win.h"

#include <commctrl.h>

#include "common/errors.h"
#include "ui/application_win.h"
#include "ui/private_messages.h"

namespace vc::ui {

namespace {

// Menu command ids live in a range of their own, so that they never meet the
// ids of the window's controls or the system commands (0xF000 and up).
constexpr UINT kFirstCommand = 0x8000;
constexpr UINT kLastCommand = 0xEFFF;

}  // namespace

// --- TMenuItem ---

TMenuItem::TMenuItem(TMainMenu& owner, TMenuItem* parent, std::string name, std::string caption)
    : owner_(owner), parent_(parent), name_(std::move(name)), caption_(std::move(caption)) {
    if (IsBar()) {
        handle_.Reset(::CreateMenu());
        if (!handle_) throw Exception("Cannot create the menu bar");
    } else {
        command_ = owner_.RegisterItem(*this);
    }
}

TMenuItem::~TMenuItem() {
    // Entries are taken out of a menu before the pop-up they point to goes:
    // DestroyMenu would otherwise destroy the sub-items' pop-ups a second time.
    while (!items_.empty()) {
        ::RemoveMenu(handle_.Get(), static_cast<UINT>(items_.size() - 1), MF_BYPOSITION);
        items_.pop_back();
    }
    if (handle_ && !IsBar()) owner_.UnregisterPopup(handle_.Get());
    if (command_) owner_.UnregisterItem(command_);
}

void TMenuItem::SetCaption(const std::string& caption) {
    caption_ = caption;
    UpdateEntry();
}

void TMenuItem::SetEnabled(bool enabled) {
    enabled_ = enabled;
    UpdateEntry();
}

void TMenuItem::Click() {
    if (!enabled_ || !onClick_) return;
    // The handler may delete this very item: it runs from a copy, and nothing
    // of the item is touched after it.
    const ClickHandler handler = onClick_;
    handler(*this);
}

TMenuItem& TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return *items_[static_cast<std::size_t>(index)];
}

TMenuItem& TMenuItem::Add(std::string name, std::string caption) {
    if (!handle_) {
        handle_.Reset(::CreatePopupMenu());
        if (!handle_) throw Exception("Cannot create a menu");
        owner_.RegisterPopup(handle_.Get(), *this);
    }
    std::unique_ptr<TMenuItem> item(new TMenuItem(owner_, this, std::move(name), std::move(caption)));
    MENUITEMINFOA info = item->EntryInfo();
    if (!::InsertMenuItemA(handle_.Get(), static_cast<UINT>(Count()), TRUE, &info))
        throw Exception("Cannot add the menu item \"" + item->caption_ + "\"");
    items_.push_back(std::move(item));
    // The first sub-item turns the entry into one that opens them (and a
    // separator into text).
    if (Count() == 1) UpdateEntry();
    if (IsBar()) owner_.BarChanged();
    return *items_.back();
}

void TMenuItem::Delete(int index) {
    Items(index);
    ::RemoveMenu(handle_.Get(), static_cast<UINT>(index), MF_BYPOSITION);
    // Out of the list first, so that the tree is whole while the item goes.
    std::unique_ptr<TMenuItem> gone = std::move(items_[static_cast<std::size_t>(index)]);
    items_.erase(items_.begin() + index);
    gone.reset();
    if (items_.empty() && !IsBar()) DropSubMenu();
    if (IsBar()) owner_.BarChanged();
}

void TMenuItem::Clear() {
    while (!items_.empty()) Delete(Count() - 1);
}

int TMenuItem::Position() const {
    const auto& siblings = parent_->items_;
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this) return static_cast<int>(i);
    return -1;
}

bool TMenuItem::IsSeparator() const noexcept { return !IsTopLevel() && items_.empty() && caption_ == "-"; }

MENUITEMINFOA TMenuItem::EntryInfo() {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_DATA;
    info.wID = command_;
    info.fState = enabled_ ? MFS_ENABLED : MFS_DISABLED;
    info.hSubMenu = handle_.Get();
    info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    if (IsSeparator()) {
        info.fType = MFT_SEPARATOR;
    } else {
        info.fType = MFT_STRING;
        info.fMask |= MIIM_STRING;
        info.dwTypeData = caption_.data();
        info.cch = static_cast<UINT>(caption_.size());
    }
    return info;
}

void TMenuItem::UpdateEntry() {
    if (IsBar()) return;
    const int position = Position();
    if (position < 0) return;
    MENUITEMINFOA info = EntryInfo();
    ::SetMenuItemInfoA(parent_->handle_.Get(), static_cast<UINT>(position), TRUE, &info);
    if (IsTopLevel()) owner_.BarChanged();
}

// An item whose last sub-item went becomes a plain item again, which can be
// clicked.
void TMenuItem::DropSubMenu() {
    owner_.UnregisterPopup(handle_.Get());
    UniqueMenu popup(handle_.Release());
    UpdateEntry();
}

// --- TMainMenu ---

TMainMenu::TMainMenu() : nextCommand_(kFirstCommand), bar_(new TMenuItem(*this, nullptr, {}, {})) {}

TMainMenu::~TMainMenu() {
    Detach();
    bar_.reset();
}

void TMainMenu::AttachTo(HWND window) {
    if (window == window_) return;
    Detach();
    if (!::SetMenu(window, Handle())) throw Exception("Cannot give the window its menu bar");
    subclass_.Attach(window);
    window_ = window;
    ::DrawMenuBar(window);
}

void TMainMenu::Detach() {
    if (!window_) return;
    const HWND window = window_;
    subclass_.Detach();
    if (::IsWindow(window) && ::GetMenu(window) == Handle()) ::SetMenu(window, nullptr);
    window_ = nullptr;
}

bool TMainMenu::HandleCommand(int id) {
    TMenuItem* item = FindItem(id);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMainMenu::HandlePopup(HMENU popup) {
    const auto found = popups_.find(popup);
    if (found == popups_.end()) return false;
    found->second->Click();
    return true;
}

TMenuItem* TMainMenu::FindItem(int id) const {
    if (id <= 0) return nullptr;
    const auto found = items_.find(static_cast<UINT>(id));
    return found == items_.end() ? nullptr : found->second;
}

int TMainMenu::Count(const std::vector<int>& parent) const { return ItemAt(parent).Count(); }

TMenuItem& TMainMenu::ItemAt(const std::vector<int>& path) const {
    TMenuItem* item = bar_.get();
    for (const int index : path) item = &item->Items(index);
    return *item;
}

void TMainMenu::Delete(const std::vector<int>& path) {
    if (path.empty()) throw EListError(-1);
    ItemAt(std::vector<int>(path.begin(), path.end() - 1)).Delete(path.back());
}

UINT TMainMenu::RegisterItem(TMenuItem& item) {
    // Ids of deleted items come round again once the range has been used up.
    constexpr UINT kRange = kLastCommand - kFirstCommand + 1;
    for (UINT tries = 0; tries < kRange; ++tries) {
        const UINT command = nextCommand_;
        nextCommand_ = command == kLastCommand ? kFirstCommand : command + 1;
        if (items_.emplace(command, &item).second) return command;
    }
    throw Exception("Too many menu items (" + std::to_string(kRange) + " at most)");
}

void TMainMenu::UnregisterItem(UINT command) noexcept { items_.erase(command); }

void TMainMenu::BarChanged() const noexcept {
    if (!window_) return;
    ::DrawMenuBar(window_);
    // A skinned frame draws the bar itself and holds the menu off the
    // window, where DrawMenuBar does not reach.
    ::SendMessageA(window_, kCmMenuChanged, 0, 0);
}

TMainMenu::Subclass::Subclass(TMainMenu& menu) noexcept : TWindowSubclass(kMainMenuSubclassId), menu_(menu) {}

LRESULT TMainMenu::Subclass::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        // Menus send code 0 and no control window; accelerators and controls
        // go on to the window. A failing click is reported and the command
        // ends here.
        if (HIWORD(wParam) == 0 && lParam == 0 && menu_.FindItem(LOWORD(wParam))) {
            RunGuarded([&] { menu_.HandleCommand(LOWORD(wParam)); });
            return 0;
        }
        break;
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam)) RunGuarded([&] { menu_.HandlePopup(reinterpret_cast<HMENU>(wParam)); });
        break;
    case WM_DESTROY:
        // The window would destroy its menu bar with itself; the bar is ours.
        if (::GetMenu(Window()) == menu_.Handle()) ::SetMenu(Window(), nullptr);
        break;
    default:
        break;
    }
    return TWindowSubclass::WindowProc(message, wParam, lParam);
}

void TMainMenu::Subclass::OnDetached() noexcept { menu_.window_ = nullptr; }

}  // namespace vc::ui
