#pragma once
// TSkinManager: decides which windows of the program wear a skin and carries
// out what the skin data asks for (on, off, another skin). Windows are found
// by a thread hook that sees each one activated, and by a scan of the
// thread's windows when skinning is switched on again. One per process; the
// program owns it and the skin data reaches it through ISkinManagerLink.
//
// TSkinCaption: the process-wide switch of the caption text painter.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/look/skin_data.h"
#include "skin/win/skinned_form_win.h"
#include "skin/win/skinned_menu_popup_win.h"
#include "ui/timer_win.h"

namespace vc {

// Which menu opens next: a pop-up of its own (a context menu), a drop-down
// of a skinned menu band, or a skinned system menu.
enum class MenuKind { Popup = 0, MainMenu = 1, SystemMenu = 2 };

// What the manager does when its timer fires.
enum class SkinAction { None = 0, Activate = 1, Deactivate = 2, Refresh = 3, Dispose = 6 };

class TSkinManager final : public ISkinManagerLink {
public:
    TSkinManager();
    ~TSkinManager() override;
    TSkinManager(const TSkinManager&) = delete;
    TSkinManager& operator=(const TSkinManager&) = delete;

    // The manager of this process, or null.
    static TSkinManager* Instance() noexcept;

    // The thread hook that sees windows created, activated and destroyed.
    void InstallHook();
    void RegisterSkinData(TSkinData& data);
    void UnregisterSkinData(TSkinData& data);

    // Attaches a form skinner to the window when every rule allows it.
    bool SkinWindow(HWND window);
    TSkinnedForm* FindForm(HWND window) const noexcept;
    // The form skinner's window is gone; the manager frees it later.
    void FormGone(TSkinnedForm& form) noexcept;
    bool Enabled() const noexcept { return enabled_; }
    std::size_t FormCount() const noexcept { return forms_.size(); }
    // Every skinned window lays out and paints its frame again.
    void Reframe();

    // The menu skinner says what opens next; `skinning` is the pop-up flag
    // every new pop-up menu skinner copies: only pop-ups the engine opened
    // itself are painted.
    void SetMenuKind(MenuKind kind, bool skinning) noexcept;
    MenuKind CurrentMenuKind() const noexcept { return menuKind_; }
    bool PopupFlag() const noexcept { return popupFlag_; }
    // Attaches a pop-up menu skinner to a pop-up menu window being created.
    bool SkinPopupMenu(HWND window);
    // The pop-up menu window goes away; kind and flag return to 0 with the
    // last one.
    bool RemovePopupMenu(HWND window);
    TSkinnedPopupMenu* FindPopupMenu(HWND window) const noexcept;
    std::size_t PopupMenuCount() const noexcept { return menus_.size(); }

    // ISkinManagerLink
    void SetCurrentSkinData(TSkinData& data) override { current_ = &data; }
    void DropCaptionButtons(TSkinData& data) override;
    bool EverActivated() const override { return activated_ != 0; }
    void MarkActivated() override;
    void RequestAction(int action, int delay_ms) override;

private:
    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) noexcept;
    void OnTimer();
    void Run(SkinAction action, TSkinData& data);
    void Purge();
    void StopAll();
    TSkinData* ChooseSkinData(const std::string& className) const;
    bool Allowed(HWND window, const std::string& className) const;

    HHOOK hook_ = nullptr;
    ui::TTimer timer_;
    std::vector<std::unique_ptr<TSkinnedForm>> forms_;
    std::vector<std::unique_ptr<TSkinnedPopupMenu>> menus_;
    MenuKind menuKind_ = MenuKind::Popup;
    bool popupFlag_ = false;
    std::vector<TSkinData*> skinData_;
    TSkinData* main_ = nullptr;
    TSkinData* current_ = nullptr;
    SkinAction pending_ = SkinAction::None;
    bool enabled_ = false;
    int activated_ = 0;  // 0 never, 1 once activated, 4 while being destroyed
};

class TSkinCaption {
public:
    // One value for the whole process: skinned windows draw their caption
    // text while it is on.
    static bool Active() noexcept;
    // Stores the value and has every skinned window paint its frame again.
    static void SetActive(bool active);
};

}  // namespace vc
