#pragma once
// TSkinManager: decides which windows of the program wear a skin and carries
// out what the skin data asks for (on, off, another skin). Windows are found
// by a thread hook that sees each one activated, and by a scan of the
// thread's windows when skinning is switched on again. The presentation
// window owns it; the skin data reaches it through ISkinManagerLink, its
// skinners through the references they are made with, the hook through the
// one pointer the hook API leaves room for.
#include <windows.h>

#include <functional>
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
enum class MenuKind { Popup, MainMenu, SystemMenu };

// Turns the system's own non-client rendering of a window off (desktop
// composition would otherwise draw its frame over ours) and back on.
using NcRenderingSwitch = std::function<void(HWND window, bool systemRendering)>;

class TSkinManager final : public ISkinManagerLink {
public:
    TSkinManager();
    ~TSkinManager() override;
    TSkinManager(const TSkinManager&) = delete;
    TSkinManager& operator=(const TSkinManager&) = delete;

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
    // Whether skinned windows draw their caption text; a change has every
    // skinned window paint its frame again.
    bool CaptionTextShown() const noexcept { return captionText_; }
    void ShowCaptionText(bool shown);

    // The switch skinned windows turn the system's frame rendering with:
    // dwmapi.dll's, loaded at run time so that the program starts where it
    // is missing; null puts that one back (tests record the calls).
    void SetNcRenderingSwitch(NcRenderingSwitch change);
    void SetSystemNcRendering(HWND window, bool systemRendering) const { ncRendering_(window, systemRendering); }

    // The menu skinner says what opens next; `skinning` is the pop-up flag
    // every new pop-up menu skinner copies: only pop-ups the engine opened
    // itself are painted.
    void SetMenuKind(MenuKind kind, bool skinning) noexcept;
    MenuKind CurrentMenuKind() const noexcept { return menuKind_; }
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
    bool EverActivated() const override { return phase_ != Phase::NeverActivated; }
    void MarkActivated() override;
    void RequestAction(SkinAction action, int delay_ms) override;

private:
    // Requests before the first activation only move the switch; once the
    // manager is being destroyed, gone windows are no longer purged.
    enum class Phase { NeverActivated, Activated, ShuttingDown };

    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) noexcept;
    void OnTimer();
    void Run(SkinAction action, TSkinData& data);
    void Purge();
    void StopAll();
    void Reframe();
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
    Phase phase_ = Phase::NeverActivated;
    bool captionText_ = false;
    NcRenderingSwitch ncRendering_;
};

}  // namespace vc
