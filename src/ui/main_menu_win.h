#pragma once
// The main menu of a form and its items. Each item keeps a name, a caption,
// an enabled flag, a click handler and its sub-items; the menu bar and every
// pop-up of sub-items is one HMENU owned by the item it belongs to. Items are
// addressed by their current position, and a command id leads from WM_COMMAND
// to the item.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/handles_win.h"
#include "ui/subclass_win.h"

namespace vc::ui {

class TMainMenu;

class TMenuItem {
public:
    using ClickHandler = std::function<void(TMenuItem& sender)>;

    ~TMenuItem();
    TMenuItem(const TMenuItem&) = delete;
    TMenuItem& operator=(const TMenuItem&) = delete;

    const std::string& Name() const noexcept { return name_; }
    const std::string& Caption() const noexcept { return caption_; }
    // Captions follow the menu's conventions: "&" marks the access key
    // ("&&" shows one), and an item or sub-item whose caption is a single "-"
    // is a separator line.
    void SetCaption(const std::string& caption);
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);

    void SetOnClick(ClickHandler handler) { onClick_ = std::move(handler); }
    bool HasOnClick() const noexcept { return static_cast<bool>(onClick_); }
    // Runs the click handler when the item has one and is enabled.
    void Click();

    int Count() const noexcept { return static_cast<int>(items_.size()); }
    // Sub-item by position; EListError "List index out of bounds (%d)" when
    // there is none.
    TMenuItem& Items(int index) const;
    TMenuItem* Parent() const noexcept { return parent_; }
    // Appends a sub-item.
    TMenuItem& Add(std::string name, std::string caption);
    // Removes the sub-item at the position, with all of its own sub-items.
    void Delete(int index);
    void Clear();

    // The id WM_COMMAND carries for this item (0 for the menu bar itself).
    UINT Command() const noexcept { return command_; }
    // The pop-up that holds the sub-items (the menu bar for the root), or null
    // while there are none.
    HMENU Handle() const noexcept { return handle_.Get(); }

private:
    friend class TMainMenu;
    TMenuItem(TMainMenu& owner, TMenuItem* parent, std::string name, std::string caption);

    bool IsBar() const noexcept { return parent_ == nullptr; }
    bool IsTopLevel() const noexcept { return parent_ && parent_->IsBar(); }
    bool IsSeparator() const noexcept;
    int Position() const;
    MENUITEMINFOA EntryInfo();
    // Brings the item's entry in its parent's HMENU up to date.
    void UpdateEntry();
    void DropSubMenu();

    TMainMenu& owner_;
    TMenuItem* parent_;
    std::string name_;
    std::string caption_;
    bool enabled_ = true;
    ClickHandler onClick_;
    std::vector<std::unique_ptr<TMenuItem>> items_;
    UINT command_ = 0;
    UniqueMenu handle_;
};

class TMainMenu {
public:
    TMainMenu();
    ~TMainMenu();
    TMainMenu(const TMainMenu&) = delete;
    TMainMenu& operator=(const TMainMenu&) = delete;

    // The menu bar: its sub-items are the top-level menus.
    TMenuItem& Items() noexcept { return *bar_; }
    HMENU Handle() const noexcept { return bar_->Handle(); }

    // Makes this the window's menu bar. The window must be a top-level window
    // of this thread. From then on the menu answers the window's WM_COMMAND for
    // its items and WM_INITMENUPOPUP for its pop-ups itself (the window does
    // not see those), and gives the bar back before the window destroys it.
    void AttachTo(HWND window);
    void Detach();
    HWND Window() const noexcept { return window_; }

    // The click of the item with this command id; false when the id is not
    // one of this menu's. Errors of the click handler reach the caller.
    bool HandleCommand(int id);
    // A pop-up is about to open: an item that has sub-items and a click
    // handler runs it then, since it cannot be clicked itself.
    bool HandlePopup(HMENU popup);
    TMenuItem* FindItem(int id) const;

    // By current position: {i} is top-level menu i, {i, j} item j of it,
    // {i, j, k} sub-item k of that item. Count takes the parent ({} for the
    // bar). A position that does not exist raises the list error.
    int Count(const std::vector<int>& parent) const;
    TMenuItem& ItemAt(const std::vector<int>& path) const;
    void Delete(const std::vector<int>& path);

private:
    friend class TMenuItem;
    UINT RegisterItem(TMenuItem& item);
    void UnregisterItem(UINT command) noexcept;
    void RegisterPopup(HMENU popup, TMenuItem& item) { popups_[popup] = &item; }
    void UnregisterPopup(HMENU popup) noexcept { popups_.erase(popup); }
    // Redraws the bar after a change of a top-level menu.
    void BarChanged() const noexcept;

    // Answers the window's WM_COMMAND and WM_INITMENUPOPUP for the menu.
    class Subclass final : public TWindowSubclass {
    public:
        explicit Subclass(TMainMenu& menu) noexcept;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
        void OnDetached() noexcept override;

    private:
        TMainMenu& menu_;
    };

    std::unordered_map<UINT, TMenuItem*> items_;
    std::unordered_map<HMENU, TMenuItem*> popups_;
    UINT nextCommand_;
    HWND window_ = nullptr;
    std::unique_ptr<TMenuItem> bar_;
    Subclass subclass_{*this};
};

}  // namespace vc::ui
