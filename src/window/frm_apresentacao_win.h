#pragma once
// The presentation window: the e-book's one window, with the browser, the
// tool bar, the status bar and its progress bar.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "effects/form_animation_win.h"
#include "effects/gradient_caption_win.h"
#include "common/scale.h"
#include "interpreter/command_host.h"
#include "skin/look/skin_data.h"
#include "skin/win/skin_manager_win.h"
#include "skin/format/skin_store.h"
#include "ui/controls_win.h"
#include "ui/form_win.h"
#include "ui/main_menu_win.h"
#include "window/about_box_win.h"
#include "window/browser.h"
#include "window/hosted_browser_win.h"
#include "window/startup.h"

namespace vc {

class Tform_apresentacao : public ui::TForm,
                           private StartupTarget,
                           private BrowserEvents,
                           private CommandHost {
public:
    static constexpr const char* kBuiltInCaption = "T\xEDtulo";

    // The one door to the shell: ShellExecuteA, or a recorder in tests.
    using ShellRunner = std::function<void(HWND owner, const char* verb, const char* file, const char* parameters,
                                           const char* directory, int showMode)>;

    struct Options {
        std::string exePath;           // the e-book whose payload configures the window
        BrowserFactory createBrowser;  // the real control, or a stand-in in tests
        ShellRunner runShell;          // empty: ShellExecuteA itself
    };

    // Creates the window; FormCreate runs on the payload before this returns.
    explicit Tform_apresentacao(Options options);
    ~Tform_apresentacao() override;

    const WindowSettings& Settings() const noexcept { return settings_; }
    HostedBrowser* Web() const noexcept { return web_.get(); }
    ui::TToolBar& Toolbar() noexcept { return toolbar_; }
    ui::TStatusBar& StatusBar() noexcept { return barra_estado_; }
    ui::TProgressBar& Progress() noexcept { return progresso_; }
    TSobre& About() noexcept { return sobre_; }
    ui::TMainMenu& Menu() noexcept { return Menu_Normal; }
    effects::TGradientCaption& GradientCaption() noexcept { return gradiente; }
    const TSkinStore& SkinStore() const noexcept { return SkinColecao; }
    const TSkinData& Skin() const noexcept { return SkinData; }
    bool SkinCaptionActive() const noexcept { return skinCaptionActive_; }
    CommandHost& Commands() noexcept { return *this; }
    // The scale of the screen the window is on.
    const Scale& WindowScale() const noexcept { return scale_; }
    BrowserEvents& Events() noexcept { return *this; }

    // The application-wide filter, run before a queued message is dispatched.
    void EventosAplicacaoMessage(MSG& message, bool& handled);

    // Button handlers; commands run them too.
    void b_homeClick();
    void b_voltaClick();
    void b_proximoClick();
    void b_refreshClick();
    void b_stopClick();
    void bot_selectallClick();
    void botao_copiarClick();
    void bt_imprimirClick();
    void bt_sairClick();
    void b_aboutClick();

    // The tool bar command id of a button.
    static int ButtonId(ToolButton button) noexcept { return kFirstButtonId + static_cast<int>(button); }

protected:
    void OnCreate() override;
    void OnClose() override;
    void OnDestroy() override;
    void OnSize(int clientWidth, int clientHeight) override;
    void OnCommand(int id, int code, HWND control) override;
    LRESULT OnNotify(NMHDR* header) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static constexpr int kFirstButtonId = 1001;
    static constexpr int kHomeSeparatorId = 1101;
    static constexpr int kAboutSeparatorId = 1102;

    void CreateComponents();
    // The tool bar and status bar at the window's scale.
    ui::TToolBar::CreateArgs ToolBarArgs() const;
    ui::TStatusBar::CreateArgs StatusBarArgs() const;
    RECT ProgressBounds() const;
    // WM_DPICHANGED: the window moved to a screen of another scale.
    void DpiChanged(int dpi, const RECT& suggested);
    void FormCreate();
    void ShowRuntimeMessage(const std::string& text);
    std::string ExeFolder() const;
    void RunButton(ToolButton button);

    // StartupTarget
    void SetApplicationTitle(const std::string& title) override;
    void SetCaption(const std::string& caption) override;
    std::string MakeMenuFileName() override;
    void SetGradientStartColour(Colour colour) override;
    void SetGradientFont(const CaptionFont& font) override;
    void SetGradientCaption(const std::string& caption) override;
    void SetGradientActive(bool active) override;
    void SetSize(int width, int height) override;
    void CentreOnScreen() override;
    int ScreenWidth() override;
    int ScreenHeight() override;
    void SetMaximized(bool maximized) override;
    void SetBorder(FrameBorder border) override;
    void SetTitleBarButtons(bool closeBox, bool minimiseBox, bool maximiseBox) override;
    void SetButtonVisible(ToolButton button, bool visible) override;
    void SetPartVisible(WindowPart part, bool visible) override;
    void SetButtonHint(ToolButton button, const std::string& hint) override;
    void PlayOpeningEffect(int effect) override;
    void BuildMenus(const std::string& definitionText) override;
    void ActivateSkin(int number) override;
    void RunStartupCommand(const std::string& command) override;

    // BrowserEvents
    void WebBeforeNavigate2(const std::string& url, const std::string& frameUrl, bool& cancel) override;
    void WebTitleChange(const std::string& title) override;
    void WebProgressChange(int progress, int maximum) override;
    void WebCommandStateChange(int command, bool enabled) override;
    void WebDocumentComplete(const std::string& url) override;
    void WebNavigateComplete2(const std::string& url, bool topLevel) override;

    // CommandHost
    void ShowMessage(const std::string& caption, const std::string& text, unsigned style) override;
    void RepaintGradientCaption() override;
    void CloseWindow() override;
    void MaximizeWindow() override;
    void MinimizeApplication() override;
    void Navigate(const std::string& address) override;
    void BrowserStop() override;
    void BrowserExecWB(int command, int option) override;
    void ClickButton(ToolButton button) override;
    bool ButtonEnabled(ToolButton button) const override;
    void SetButtonEnabled(ToolButton button, bool enabled) override;
    bool ToolBarVisible() const override;
    void SetToolBarVisible(bool visible) override;
    bool StatusBarVisible() const override;
    void SetStatusBarVisible(bool visible) override;
    int MenuItemCount(const MenuPath& parent) const override;
    void SetMenuItemEnabled(const MenuPath& item, bool enabled) override;
    void DeleteMenuItem(const MenuPath& item) override;
    void SetMenuItemCaption(const MenuPath& item, const std::string& caption) override;
    void CallShell(const ShellCall& call) override;
    std::string ExecutablePath() const override;
    std::string WindowsDirectory() const override;
    std::string SystemDirectory() const override;
    std::string StartPage() const override;
    std::string AltHomePage() const override;

    Options options_;
    WindowSettings settings_;
    // Every length below is a 96-DPI one scaled by this.
    Scale scale_;
    std::unique_ptr<HostedBrowser> web_;
    ui::TToolBar toolbar_;
    ui::TStatusBar barra_estado_;
    ui::TProgressBar progresso_;
    TSobre sobre_;
    ui::TMainMenu Menu_Normal;
    effects::TGradientCaption gradiente;
    effects::TFormAnimation animacao_form;
    TSkinStore SkinColecao;
    TSkinData SkinData;
    // Made when the book turns a skin on; goes before the skin data it serves.
    std::unique_ptr<TSkinManager> skinManager_;
    // Whether this window switched the skinned caption on.
    bool skinCaptionActive_ = false;
    // Every address a frame of the current top-level page has shown, each
    // once; a new top-level page starts with none.
    std::vector<std::string> frameAddresses_;
};

}  // namespace vc
