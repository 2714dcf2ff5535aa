#pragma once
// The presentation window: the e-book's one window, with the browser, the
// tool bar, the status bar and its progress bar.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "effects/form_animation_win.h"
#include "effects/gradient_caption_win.h"
#include "common/scale.h"
#include "interpreter/command_host.h"
#include "interpreter/navigation_tracker.h"
#include "skin/look/skin_data.h"
#include "skin/win/skin_manager_win.h"
#include "skin/format/skin_store.h"
#include "ui/background_work_win.h"
#include "ui/controls_win.h"
#include "ui/form_win.h"
#include "ui/main_menu_win.h"
#include "book/book_pages.h"
#include "window/about_box_win.h"
#include "window/book_protocol_win.h"
#include "window/book_search.h"
#include "window/browser.h"
#include "window/hosted_browser_win.h"
#include "window/page_zoom.h"
#include "window/search_pane_win.h"
#include "window/startup.h"
#include "window/window_actions.h"

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
    // What the window knows of the browser's navigations; null until the
    // book's configuration has been read.
    const NavigationTracker* Navigation() const noexcept { return navigation_.get(); }
    const TSearchPane& SearchPane() const noexcept { return searchPane_; }
    // Whether the book carries a search index (read or not yet).
    bool Searchable() const noexcept { return bookSearch_ != nullptr; }

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
    // The search button after the ten, shown when the book has an index.
    static constexpr int kSearchButtonId = 1011;

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
    static constexpr int kSearchSeparatorId = 1103;

    void CreateComponents();
    // The tool bar and status bar at the window's scale.
    ui::TToolBar::CreateArgs ToolBarArgs() const;
    ui::TStatusBar::CreateArgs StatusBarArgs() const;
    RECT ProgressBounds() const;
    // WM_DPICHANGED: the window moved to a screen of another scale.
    void DpiChanged(int dpi, const RECT& suggested);
    void FormCreate();
    // The address of the start page, or empty when it is missing.
    std::string StartPageAddress();
    // A book that carries its pages: reads the archive's directory, picks
    // the pages' host and registers the protocol that serves them.
    bool OpenBookPages();
    // From the book's protocol, on the GUI thread, inside a browser call.
    void BookPageDamaged(const std::string& page);
    void ShowDamagedPages();
    void ShowRuntimeMessage(const std::string& text);
    std::string ExeFolder() const;
    void RunButton(ToolButton button);
    // Find in the page and zoom, wherever the focus is; false for a key that
    // is not the reader's.
    bool RunReaderKey(ReaderKey key, int wheelDelta);
    // The search pane: shown with the focus in its edit box (false for a
    // book without an index), searched, a result opened, closed again.
    bool ShowSearchPane();
    void ReadSearchIndexAside();
    void RunSearch(bool whileTyping);
    void OpenSearchResult();
    void CloseSearchPane();
    // Enter, Esc, Tab and Down in the pane's controls; false for other keys.
    bool RunSearchPaneKey(HWND target, unsigned key);
    // The index of a book that carries one, read when first searched.
    void KeepSearchIndex(std::shared_ptr<const ByteSource> file, std::shared_ptr<const PageArchive> archive);
    // The search button as the book's settings entry has it.
    void SetUpSearchButton(const ByteSource& file, const PageArchive& archive);
    void LayOut();

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
    void WebDocumentComplete(const std::string& url, bool topLevel) override;
    void WebNavigateComplete2(const std::string& url, bool topLevel) override;
    void WebNewWindow3(const std::string& url) override;

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
    std::string BookHost() const override;
    const CodePage& SystemCodePage() const override;
    void SearchBook(const std::string& words) override;

    Options options_;
    WindowSettings settings_;
    // Every length below is a 96-DPI one scaled by this.
    Scale scale_;
    // A one-file book's pages and their protocol; they outlive the browser
    // that reads them.
    std::shared_ptr<const BookPages> bookPages_;
    std::unique_ptr<BookProtocolRegistration> bookProtocol_;
    // Damaged pages waiting for their message, and every one told of.
    std::vector<std::string> damagedPending_;
    std::set<std::string> damagedTold_;
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
    int zoomPercent_ = kZoomActual;
    std::unique_ptr<NavigationTracker> navigation_;
    TSearchPane searchPane_;
    std::unique_ptr<BookSearch> bookSearch_;
    // The edit box's change notification comes from the window's own text.
    bool settingSearchText_ = false;
    // How the words in the box were last searched: again so once the index
    // has been read.
    bool lastSearchWhileTyping_ = true;
    // Reads the index beside the window; it goes before the search it feeds.
    ui::TBackgroundWork searchIndexReading_;
};

}  // namespace vc
