#include "window/frm_apresentacao_win.h"

#include <shellapi.h>
#include <wininet.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "book/book_address.h"
#include "book/book_file_win.h"
#include "book/book_paths.h"
#include "book/book_settings.h"
#include "book/payload.h"
#include "common/code_page_win.h"
#include "common/scale_win.h"
#include "common/text.h"
#include "common/unicode.h"
#include "interpreter/command_origin.h"
#include "interpreter/command_syntax.h"
#include "interpreter/external_actions.h"
#include "interpreter/interpreter.h"
#include "menus/menu_bar_win.h"
#include "menus/menu_definition.h"
#include "menus/menu_file_name.h"
#include "menus/menu_file_win.h"
#include "skin/win/skin_bitmap_win.h"
#include "skin/win/skin_resources_win.h"
#include "ui/application_win.h"
#include "ui/private_messages.h"
#include "window/startup_trace_win.h"
#include "window/toolbar_images_win.h"
#include "window/window_actions.h"

namespace vc {

namespace {

constexpr const char* kRuntimeCaption = "Vellumcast";
// A public address that answers reliably; only reachability is asked.
constexpr const char* kConnectionTestAddress = "http://www.example.com/";

// Tool buttons left to right, with their images and built-in hints.
struct ButtonLook {
    ToolButton button;
    int image;
    const char* hint;
};
constexpr ButtonLook kButtons[] = {
    {ToolButton::Home, 0, "P\xE1gina Principal"},
    {ToolButton::Back, 1, "Voltar"},
    {ToolButton::Forward, 2, "Avan\xE7""ar"},
    {ToolButton::Refresh, 3, "Atualizar"},
    {ToolButton::Stop, 4, "Parar"},
    {ToolButton::SelectAll, 8, "Selecionar Tudo"},
    {ToolButton::Copy, 9, "Copiar Texto Selecionado"},
    {ToolButton::Print, 7, "Imprimir"},
    {ToolButton::Exit, 6, "Sair"},
    {ToolButton::About, 5, "Sobre"},
};
constexpr int kSearchImage = 10;

// A directory search for the exact path, with the critical-error dialogs of
// removable drives kept quiet while it looks.
bool FileExists(const std::string& path) {
    const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS);
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA(path.c_str(), &found);
    const bool exists = search != INVALID_HANDLE_VALUE;
    if (exists) ::FindClose(search);
    ::SetErrorMode(oldMode);
    return exists;
}

std::uint64_t PerformanceCounter() {
    LARGE_INTEGER counter;
    if (::QueryPerformanceCounter(&counter)) return static_cast<std::uint64_t>(counter.QuadPart);
    return ::GetTickCount();
}

// The bars' lengths at 96 DPI.
constexpr int kToolBarHeight = 36;
constexpr int kButtonWidth = 36;
constexpr int kButtonHeight = 30;
constexpr int kSeparatorWidth = 8;
constexpr int kStatusFontHeight = 12;
constexpr RECT kProgressBounds{0, 2, 151, 18};

std::string SystemFolder(UINT (WINAPI *query)(LPSTR, UINT)) {
    char buffer[MAX_PATH + 1];
    const UINT length = query(buffer, sizeof buffer);
    return length == 0 || length > MAX_PATH ? std::string() : std::string(buffer, length);
}

}  // namespace

Tform_apresentacao::Tform_apresentacao(Options options) : options_(std::move(options)) {
    // Before the window exists it can only be placed at the system's scale;
    // a window that lands on a screen of another one hears WM_DPICHANGED.
    scale_ = Scale(SystemDpi());
    CreateArgs args;
    args.caption = kBuiltInCaption;
    args.left = scale_.Apply(293);
    args.top = scale_.Apply(205);
    args.width = scale_.Apply(650);
    args.height = scale_.Apply(470);
    args.icon = ::LoadIconA(::GetModuleHandleA(nullptr), "MAINICON");
    // The title bar is the system's until the book asks for the gradient.
    gradiente.SetActive(false);
    gradiente.SetFormCaption(kBuiltInCaption);
    Create(args);
}

Tform_apresentacao::~Tform_apresentacao() {
    // The window goes while the components its handlers use still exist;
    // the control goes with it (OnDestroy).
    DestroyHandle();
    web_.reset();
}

void Tform_apresentacao::OnDestroy() {
    // While the child windows still exist; never from inside a browser event,
    // which is why closing is always posted.
    web_.reset();
}

void Tform_apresentacao::OnCreate() {
    startup_trace::Mark("created");
    gradiente.Attach(Handle());
    animacao_form.SetOwner(Handle());
    LoadStoredSkins(SkinColecao);
    SkinData.Environment = WindowsSkinEnvironment(Handle());
    scale_ = vc::WindowScale(Handle());
    startup_trace::Mark("skins");
    CreateComponents();
    ui::RunGuarded([this] { FormCreate(); });
}

void Tform_apresentacao::CreateComponents() {
    std::vector<ui::TToolBar::Button> buttons;
    for (const ButtonLook& look : kButtons) {
        if (look.button == ToolButton::Back) buttons.push_back({kHomeSeparatorId, -1, ""});
        if (look.button == ToolButton::About) buttons.push_back({kAboutSeparatorId, -1, ""});
        buttons.push_back({ButtonId(look.button), look.image, look.hint});
    }
    buttons.push_back({kSearchSeparatorId, -1, ""});
    buttons.push_back({kSearchButtonId, kSearchImage, SearchButtonSettings().hint});
    toolbar_.Create(ToolBarArgs(), buttons);
    // Until the book is known to carry an index.
    toolbar_.SetButtonVisible(kSearchSeparatorId, false);
    toolbar_.SetButtonVisible(kSearchButtonId, false);
    barra_estado_.Create(StatusBarArgs());

    ui::TProgressBar::CreateArgs progressArgs;
    progressArgs.parent = barra_estado_.Handle();
    progressArgs.bounds = ProgressBounds();
    progresso_.Create(progressArgs);

    searchPane_.Create(Handle(), scale_);
    searchPane_.OnSnippetWanted = [this](SearchRow& row) {
        if (bookSearch_) bookSearch_->AddSnippet(row);
    };
    startup_trace::Mark("bars");
    if (options_.createBrowser) web_ = options_.createBrowser(Handle(), *this);
    startup_trace::Mark("browser");
    RECT client;
    ::GetClientRect(Handle(), &client);
    OnSize(client.right, client.bottom);
}

ui::TToolBar::CreateArgs Tform_apresentacao::ToolBarArgs() const {
    ui::TToolBar::CreateArgs args;
    args.parent = Handle();
    args.height = scale_.Apply(kToolBarHeight);
    args.buttonWidth = scale_.Apply(kButtonWidth);
    args.buttonHeight = scale_.Apply(kButtonHeight);
    args.separatorWidth = scale_.Apply(kSeparatorWidth);
    args.images = LoadToolBarImages(::GetModuleHandleA(nullptr), "TOOLBAR_IMAGES", scale_);
    args.disabledImages = LoadToolBarImages(::GetModuleHandleA(nullptr), "TOOLBAR_IMAGES_DISABLED", scale_);
    return args;
}

ui::TStatusBar::CreateArgs Tform_apresentacao::StatusBarArgs() const {
    ui::TStatusBar::CreateArgs args;
    args.parent = Handle();
    args.panelWidths = {scale_.Apply(150), scale_.Apply(50)};
    args.leftMargin = scale_.Apply(args.leftMargin);
    args.fontHeight = scale_.Apply(kStatusFontHeight);
    return args;
}

RECT Tform_apresentacao::ProgressBounds() const {
    const Rect r = scale_.Apply(Rect{kProgressBounds.left, kProgressBounds.top, kProgressBounds.right,
                                     kProgressBounds.bottom});
    return RECT{r.left, r.top, r.right, r.bottom};
}

LRESULT Tform_apresentacao::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DPICHANGED) {
        DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
    if (message == WM_DRAWITEM && wParam == TSearchPane::kListId) {
        searchPane_.DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    if (message == ui::kBookPageDamagedMessage) {
        ShowDamagedPages();
        return 0;
    }
    return TForm::WindowProc(message, wParam, lParam);
}

void Tform_apresentacao::DpiChanged(int dpi, const RECT& suggested) {
    scale_ = Scale(dpi);
    toolbar_.SetMetrics(ToolBarArgs());
    barra_estado_.SetMetrics(StatusBarArgs());
    searchPane_.SetScale(scale_);
    const RECT progress = ProgressBounds();
    ::MoveWindow(progresso_.Handle(), progress.left, progress.top, progress.right - progress.left,
                 progress.bottom - progress.top, TRUE);
    // The system's rectangle keeps the window under the pointer that moved
    // it and lays the children out through WM_SIZE.
    ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Tform_apresentacao::FormCreate() {
    const TPayload payload(options_.exePath);
    if (!payload.HasPayload()) return;
    {
        std::vector<char> text(static_cast<std::size_t>(payload.GetPayloadSize()));
        payload.ReadPayload(text.data());
        ConfigurationLines lines(std::string_view(text.data(), text.size()));
        ApplyConfiguration(lines, settings_, *this);
    }
    startup_trace::Mark("configured");
    if (settings_.ConnectionRequired &&
        !::InternetCheckConnectionA(kConnectionTestAddress, FLAG_ICC_FORCE_CONNECTION, 0)) {
        ShowRuntimeMessage(settings_.ConnectionMessage);
        // Terminating skips FormClose: the menu file goes here.
        DeleteMenuFile(settings_.MenuFileName);
        ui::Application().Terminate();
        return;
    }
    const std::string page = StartPageAddress();
    // The start page's look-up opens a one-file book's pages and picks its host.
    navigation_ = std::make_unique<NavigationTracker>(
        settings_.BookHost.empty()
            ? ClassicBookPages(ExeFolder(), settings_.StartPage, settings_.AltHomePage, vc::SystemCodePage())
            : OneFileBookPages(settings_.BookHost),
        vc::SystemCodePage());
    if (page.empty()) {
        ShowRuntimeMessage(settings_.PageMissingMessage);
        DeleteMenuFile(settings_.MenuFileName);
        ui::Application().Terminate();
        return;
    }
    if (web_) web_->Navigate(page);
    startup_trace::Mark("navigate");
}

std::string Tform_apresentacao::StartPageAddress() {
    if (OpenBookPages()) {
        const std::string name = BookPageName(settings_.StartPage);
        return bookPages_->HasPage(name) ? MakeBookAddress(settings_.BookHost, name) : std::string();
    }
    const std::string page = WithTrailingBackslash(ExeFolder()) + BookRelativePath(settings_.StartPage);
    return FileExists(page) ? page : std::string();
}

bool Tform_apresentacao::OpenBookPages() {
    auto file = BookFile::Open(options_.exePath);
    if (!file) return false;
    auto archive = PageArchive::Open(*file);
    if (!archive) return false;
    if (!archive->HoldsPages()) {
        // A classic book may carry an archive of its search index alone.
        KeepSearchIndex(std::move(file), std::make_shared<const PageArchive>(std::move(*archive)));
        return false;
    }
    startup_trace::Mark("directory");
    // A host of its own each run: no other page can know a book page's
    // address in advance.
    settings_.BookHost = LowerCase(MakeRandomName(PerformanceCounter()));
    bookPages_ = std::make_shared<const BookPages>(std::move(file), std::move(*archive), settings_.BookHost, ExeFolder());
    KeepSearchIndex(std::shared_ptr<const ByteSource>(bookPages_, &bookPages_->File()),
                    std::shared_ptr<const PageArchive>(bookPages_, &bookPages_->Archive()));
    bookProtocol_ = std::make_unique<BookProtocolRegistration>(
        bookPages_, [this](const std::string& page) { BookPageDamaged(page); });
    return true;
}

void Tform_apresentacao::KeepSearchIndex(std::shared_ptr<const ByteSource> file,
                                         std::shared_ptr<const PageArchive> archive) {
    if (!archive->SearchIndex()) return;
    bookSearch_ =
        std::make_unique<BookSearch>([file, archive] { return archive->Read(*file, *archive->SearchIndex()); });
    SetUpSearchButton(*file, *archive);
}

void Tform_apresentacao::SetUpSearchButton(const ByteSource& file, const PageArchive& archive) {
    SearchButtonSettings settings;
    // Settings that cannot be read leave the button as it is by default.
    try {
        if (const ArchiveEntry* entry = archive.BookSettings())
            settings = ReadSearchButtonSettings(archive.Read(file, *entry));
    } catch (const EBookDamaged&) {
    }
    toolbar_.SetHint(kSearchButtonId, settings.hint);
    toolbar_.SetButtonVisible(kSearchSeparatorId, settings.shown);
    toolbar_.SetButtonVisible(kSearchButtonId, settings.shown);
}

void Tform_apresentacao::BookPageDamaged(const std::string& page) {
    // Once per page: the reader is told, then the book keeps working.
    if (!damagedTold_.insert(page).second) return;
    damagedPending_.push_back(page);
    ::PostMessageA(Handle(), ui::kBookPageDamagedMessage, 0, 0);
}

void Tform_apresentacao::ShowDamagedPages() {
    // The box pumps messages: the list may grow while it shows.
    while (!damagedPending_.empty()) {
        const std::string page = damagedPending_.front();
        damagedPending_.erase(damagedPending_.begin());
        ShowRuntimeMessage(BookDamagedMessage(page));
    }
}

std::string Tform_apresentacao::ExeFolder() const { return ExtractFilePath(options_.exePath); }

void Tform_apresentacao::ShowRuntimeMessage(const std::string& text) {
    ::MessageBoxA(Handle(), text.c_str(), kRuntimeCaption, MB_OK | MB_ICONEXCLAMATION);
}

void Tform_apresentacao::LayOut() {
    RECT client;
    ::GetClientRect(Handle(), &client);
    OnSize(client.right, client.bottom);
}

void Tform_apresentacao::OnSize(int clientWidth, int clientHeight) {
    int top = 0;
    if (toolbar_.Handle() && toolbar_.Visible()) {
        top = scale_.Apply(kToolBarHeight);
        ::MoveWindow(toolbar_.Handle(), 0, 0, clientWidth, top, TRUE);
    }
    int bottom = clientHeight;
    if (barra_estado_.Handle() && barra_estado_.Visible()) {
        barra_estado_.Resize();
        bottom -= barra_estado_.Height();
    }
    bottom = std::max(top, bottom);
    // The search pane docks on the left, where a reading eye starts.
    const int paneWidth = searchPane_.Width(clientWidth);
    if (paneWidth > 0) searchPane_.Layout(RECT{0, top, paneWidth, bottom});
    if (web_) web_->SetBounds(RECT{paneWidth, top, clientWidth, bottom});
}

void Tform_apresentacao::OnCommand(int id, int code, HWND control) {
    if (control == toolbar_.Handle() && id >= kFirstButtonId && id < kFirstButtonId + kToolButtonCount)
        RunButton(static_cast<ToolButton>(id - kFirstButtonId));
    else if (control == toolbar_.Handle() && id == kSearchButtonId)
        ShowSearchPane();
    else if (control && control == searchPane_.Edit() && code == EN_CHANGE && !settingSearchText_)
        RunSearch(true);
    else if (control && control == searchPane_.List() && code == LBN_DBLCLK)
        OpenSearchResult();
}

LRESULT Tform_apresentacao::OnNotify(NMHDR* header) {
    toolbar_.AnswerToolTip(header);
    return 0;
}

void Tform_apresentacao::OnClose() {
    // The menu definition file must not outlive the window; a file that
    // cannot be deleted stays behind without a message.
    DeleteMenuFile(settings_.MenuFileName);
}

void Tform_apresentacao::EventosAplicacaoMessage(MSG& message, bool& handled) {
    QueuedMessage queued;
    queued.message = message.message;
    queued.key = static_cast<unsigned>(message.wParam);
    queued.controlDown = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    queued.shiftDown = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (message.message == WM_MOUSEWHEEL) queued.wheelDelta = GET_WHEEL_DELTA_WPARAM(message.wParam);
    const HWND page = web_ ? web_->Window() : nullptr;
    queued.insidePage = page && message.hwnd && (message.hwnd == page || ::IsChild(page, message.hwnd));
    queued.inSearchBox = message.hwnd && message.hwnd == searchPane_.Edit();
    if (SwallowMessage(queued, settings_)) handled = true;
    if (!handled && message.message == WM_KEYDOWN && searchPane_.Holds(message.hwnd) &&
        RunSearchPaneKey(message.hwnd, queued.key))
        handled = true;
    // The reader's keys come before the page's, which would take Ctrl+F and
    // the zoom keys for itself.
    if (!handled && RunReaderKey(ReaderKeyFor(queued), queued.wheelDelta)) handled = true;
    // What the filter lets through reaches the page's own keys first.
    if (!handled && page && queued.insidePage && message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST &&
        web_->TranslatePageKey(message))
        handled = true;
}

bool Tform_apresentacao::RunReaderKey(ReaderKey key, int wheelDelta) {
    if (key == ReaderKey::Search) return ShowSearchPane();
    if (!web_) return false;
    int zoom = zoomPercent_;
    switch (key) {
    case ReaderKey::Find: break;
    case ReaderKey::ZoomIn: zoom = ZoomIn(zoom); break;
    case ReaderKey::ZoomOut: zoom = ZoomOut(zoom); break;
    case ReaderKey::ZoomActual: zoom = kZoomActual; break;
    case ReaderKey::ZoomWheel: zoom = ZoomByWheel(zoom, wheelDelta); break;
    default: return false;
    }
    // Before a page has loaded the control refuses both: the key does
    // nothing, as it would in a browser.
    try {
        if (key == ReaderKey::Find) web_->ExecWB(browser_command::kFind, browser_option::kDoDefault);
        else web_->SetOpticalZoom(zoom);
        zoomPercent_ = zoom;
    } catch (const std::exception&) {
    }
    return true;
}

bool Tform_apresentacao::ShowSearchPane() {
    if (!bookSearch_) return false;
    ReadSearchIndexAside();
    if (!searchPane_.Visible()) {
        searchPane_.SetVisible(true);
        LayOut();
    }
    ::SetFocus(searchPane_.Edit());
    // What is typed next replaces the last search.
    ::SendMessageW(searchPane_.Edit(), EM_SETSEL, 0, -1);
    return true;
}

// The index of a big book takes a while to inflate: it is read beside the
// window as soon as the pane opens, and what the reader typed meanwhile is
// searched once it is there.
void Tform_apresentacao::ReadSearchIndexAside() {
    if (searchIndexReading_.Running()) return;
    const std::optional<BookSearch::Loader> load = bookSearch_->BeginReading();
    if (!load) return;
    auto read = std::make_shared<std::unique_ptr<ReadSearchIndex>>();
    const BookSearch* reader = bookSearch_.get();
    const bool started = searchIndexReading_.Start([load = *load, read] { *read = BookSearch::Read(load); },
                                                   [this, reader, read] {
                                                       if (reader != bookSearch_.get()) return;
                                                       bookSearch_->Adopt(std::move(*read));
                                                       if (searchPane_.Visible()) RunSearch(lastSearchWhileTyping_);
                                                   });
    if (!started) bookSearch_->Adopt(BookSearch::Read(*load));
}

void Tform_apresentacao::RunSearch(bool whileTyping) {
    lastSearchWhileTyping_ = whileTyping;
    searchPane_.Show(bookSearch_->Search(searchPane_.Text(), whileTyping));
    const std::string damaged = bookSearch_->TakeDamageMessage();
    if (!damaged.empty()) ShowRuntimeMessage(damaged);
}

void Tform_apresentacao::OpenSearchResult() {
    const int row = searchPane_.Selected();
    const std::vector<SearchRow>& rows = searchPane_.Rows();
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size() || !web_) return;
    const auto address =
        SearchResultAddress(rows[static_cast<std::size_t>(row)].page, settings_.BookHost, ExeFolder(),
                            vc::SystemCodePage());
    if (address) web_->Navigate(*address);
}

void Tform_apresentacao::CloseSearchPane() {
    searchPane_.SetVisible(false);
    LayOut();
    if (web_) web_->FocusPage();
}

bool Tform_apresentacao::RunSearchPaneKey(HWND target, unsigned key) {
    switch (key) {
    case VK_RETURN: OpenSearchResult(); return true;
    case VK_ESCAPE: CloseSearchPane(); return true;
    case VK_TAB: ::SetFocus(target == searchPane_.Edit() ? searchPane_.List() : searchPane_.Edit()); return true;
    case VK_DOWN:
        // From the words down into the results.
        if (target != searchPane_.Edit()) return false;
        ::SetFocus(searchPane_.List());
        return true;
    default: return false;
    }
}

void Tform_apresentacao::SearchBook(const std::string& words) {
    if (!ShowSearchPane()) return;
    const auto wide = vc::SystemCodePage().ToUtf16(words);
    settingSearchText_ = true;
    searchPane_.SetText(Utf16ToUtf8(wide.value_or(std::u16string())));
    settingSearchText_ = false;
    // The command's words are whole words: none is a prefix.
    RunSearch(false);
}

void Tform_apresentacao::RunButton(ToolButton button) {
    switch (button) {
    case ToolButton::Home: b_homeClick(); break;
    case ToolButton::Back: b_voltaClick(); break;
    case ToolButton::Forward: b_proximoClick(); break;
    case ToolButton::Refresh: b_refreshClick(); break;
    case ToolButton::Stop: b_stopClick(); break;
    case ToolButton::SelectAll: bot_selectallClick(); break;
    case ToolButton::Copy: botao_copiarClick(); break;
    case ToolButton::Print: bt_imprimirClick(); break;
    case ToolButton::Exit: bt_sairClick(); break;
    case ToolButton::About: b_aboutClick(); break;
    }
}

void Tform_apresentacao::b_homeClick() {
    const std::string target = HomeTarget(ExeFolder(), settings_);
    if (web_) web_->Navigate(target);
}

void Tform_apresentacao::b_voltaClick() {
    if (web_) web_->GoBack();
}

void Tform_apresentacao::b_proximoClick() {
    if (web_) web_->GoForward();
}

void Tform_apresentacao::b_refreshClick() {
    if (!web_) return;
    const std::string address = navigation_ ? navigation_->RefreshAddress(RefreshNavigatesToLastUrl(settings_)) : "";
    if (!address.empty()) web_->Navigate(address);
    else web_->Refresh();
}

void Tform_apresentacao::b_stopClick() {
    if (web_) web_->Stop();
}

void Tform_apresentacao::bot_selectallClick() {
    // A page that cannot select is no reason for a message.
    try {
        if (web_) web_->ExecWB(browser_command::kSelectAll, browser_option::kPromptUser);
    } catch (const std::exception&) {
    }
}

void Tform_apresentacao::botao_copiarClick() {
    try {
        if (web_) web_->ExecWB(browser_command::kCopy, browser_option::kPromptUser);
    } catch (const std::exception&) {
    }
}

void Tform_apresentacao::bt_imprimirClick() {
    if (web_)
        web_->ExecWB(browser_command::kPrint,
                     settings_.PrintWithDialog ? browser_option::kPromptUser : browser_option::kDontPromptUser);
}

void Tform_apresentacao::bt_sairClick() { Close(); }

void Tform_apresentacao::b_aboutClick() {
    const auto& texts = settings_.AboutTexts;
    // Texts 0 to 7: caption title, name, version, description, link, e-mail,
    // copyright, name size. A runtime whose start-up never reached them (no
    // payload) keeps the box's own texts rather than failing on an empty size.
    if (settings_.AboutTextsRead) {
        sobre_.CaptionTitle = texts[0];
        if (texts[6] != "\xA9") sobre_.Copyright = texts[6];
        sobre_.AppNameSize = StrToInt(texts[7]);
        sobre_.Appname = texts[1];
        sobre_.Version = texts[2];
        sobre_.Description = AboutDescription(texts[3]);
        sobre_.Jump = texts[4];
        sobre_.EMail = texts[5];
    }
    sobre_.ShowModal(Handle());
}

// --- StartupTarget ---

void Tform_apresentacao::SetApplicationTitle(const std::string& title) { ui::Application().SetTitle(title); }

void Tform_apresentacao::SetCaption(const std::string& caption) { TForm::SetCaption(caption); }

std::string Tform_apresentacao::MakeMenuFileName() { return MakeRandomName(PerformanceCounter()); }

// The book's sizes are 96-DPI ones.
void Tform_apresentacao::SetSize(int width, int height) {
    SetWidth(scale_.Apply(width));
    SetHeight(scale_.Apply(height));
}

void Tform_apresentacao::CentreOnScreen() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    ::GetVersionExA(&version);
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        RECT work;
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        SetPosition((work.right - work.left - Width()) / 2, (work.bottom - work.top - Height()) / 2);
    } else {
        SetPosition((::GetSystemMetrics(SM_CXSCREEN) - Width()) / 2, (::GetSystemMetrics(SM_CYSCREEN) - Height()) / 2);
    }
}

// At 96 DPI, as the book's sizes it is compared with.
int Tform_apresentacao::ScreenWidth() { return scale_.Unapply(::GetSystemMetrics(SM_CXSCREEN)); }
int Tform_apresentacao::ScreenHeight() { return scale_.Unapply(::GetSystemMetrics(SM_CYSCREEN)); }

void Tform_apresentacao::SetMaximized(bool maximized) {
    SetState(maximized ? FrameState::Maximised : FrameState::Normal);
}

void Tform_apresentacao::SetBorder(FrameBorder border) { TForm::SetBorder(border); }

void Tform_apresentacao::SetTitleBarButtons(bool closeBox, bool minimiseBox, bool maximiseBox) {
    FrameStyle frame = Frame();
    frame.closeBox = closeBox;
    frame.minimiseBox = minimiseBox;
    frame.maximiseBox = maximiseBox;
    SetFrame(frame);
}

void Tform_apresentacao::SetButtonVisible(ToolButton button, bool visible) {
    toolbar_.SetButtonVisible(ButtonId(button), visible);
}

void Tform_apresentacao::SetPartVisible(WindowPart part, bool visible) {
    switch (part) {
    case WindowPart::Toolbar: toolbar_.SetVisible(visible); break;
    case WindowPart::StatusBar: barra_estado_.SetVisible(visible); break;
    case WindowPart::HomeSeparator: toolbar_.SetButtonVisible(kHomeSeparatorId, visible); break;
    case WindowPart::AboutSeparator: toolbar_.SetButtonVisible(kAboutSeparatorId, visible); break;
    }
}

void Tform_apresentacao::SetButtonHint(ToolButton button, const std::string& hint) {
    toolbar_.SetHint(ButtonId(button), hint);
}

void Tform_apresentacao::SetGradientStartColour(Colour colour) { gradiente.SetStartColor(colour); }
void Tform_apresentacao::SetGradientFont(const CaptionFont& font) { gradiente.SetFont(font); }
void Tform_apresentacao::SetGradientCaption(const std::string& caption) { gradiente.SetFormCaption(caption); }
void Tform_apresentacao::SetGradientActive(bool active) { gradiente.SetActive(active); }
void Tform_apresentacao::RepaintGradientCaption() { gradiente.Repaint(); }
void Tform_apresentacao::PlayOpeningEffect(int effect) { animacao_form.PlayOpening(effect); }

void Tform_apresentacao::ActivateSkin(int number) {
    SkinData.LoadFromStore(SkinColecao, number);
    // The engine joins only a book that wears a skin: without one, nothing
    // of it touches a window.
    if (!skinManager_) {
        skinManager_ = std::make_unique<TSkinManager>();
        skinManager_->RegisterSkinData(SkinData);
        skinManager_->InstallHook();
    }
    skinCaptionActive_ = true;
    skinManager_->ShowCaptionText(true);
    SkinData.SetActive(true);
    // An opening effect has shown and activated the window before the hook
    // was there to see it.
    if (::IsWindowVisible(Handle())) skinManager_->SkinWindow(Handle());
}

void Tform_apresentacao::BuildMenus(const std::string& definitionText) {
    ShowBookMenu(Menu_Normal, Handle(), settings_.MenuFileName, definitionText, [this](const std::string& itemName) {
        // The action is read from the file at click time, by the item's own name.
        MenuItemClick(*this, MenuFilePath(settings_.MenuFileName), itemName);
    });
}

void Tform_apresentacao::RunStartupCommand(const std::string& command) { RunActionCommands(*this, command); }

// --- BrowserEvents ---

void Tform_apresentacao::WebBeforeNavigate2(const std::string& url, const std::string& frameUrl, bool& cancel) {
    const auto command = CommandFromNavigation(url);
    if (!command) {
        if (navigation_ && !cancel) navigation_->NavigationStarted(url);
        return;
    }
    cancel = true;
    // The event names the target frame, which a foreign frame may choose:
    // every address the page holds has its say.
    const CommandSource source = navigation_ ? navigation_->SourceOf(frameUrl) : CommandSource::WebPage;
    // The navigation stays cancelled whatever the command raises.
    ui::RunGuarded([&] { RunActionCommands(*this, *command, source); });
}

void Tform_apresentacao::WebNavigateComplete2(const std::string& url, bool topLevel) {
    if (navigation_) navigation_->NavigationCompleted(url, topLevel);
}

void Tform_apresentacao::WebNewWindow3(const std::string& url) {
    const NewWindowAnswer answer = navigation_ ? navigation_->NewWindow(url) : NewWindowAnswer{};
    if (answer.action == NewWindowAnswer::Action::OpenInDefaultBrowser) OpenInDefaultBrowser(*this, answer.address);
    else if (answer.action == NewWindowAnswer::Action::NavigateBookWindow && web_) web_->Navigate(answer.address);
}

void Tform_apresentacao::WebTitleChange(const std::string& title) { barra_estado_.SetPanelText(1, title); }

void Tform_apresentacao::WebProgressChange(int progress, int) {
    progresso_.SetVisible(true);
    progresso_.SetPosition(progress);
    if (progress == 0) progresso_.SetVisible(false);
}

void Tform_apresentacao::WebCommandStateChange(int command, bool enabled) {
    if (command == browser_state::kNavigateForward) toolbar_.SetButtonEnabled(ButtonId(ToolButton::Forward), enabled);
    if (command == browser_state::kNavigateBack) toolbar_.SetButtonEnabled(ButtonId(ToolButton::Back), enabled);
}

void Tform_apresentacao::WebDocumentComplete(const std::string& url, bool topLevel) {
    if (navigation_) navigation_->DocumentCompleted(url, topLevel);
    if (!web_) return;
    if (settings_.BodyBorderOn) {
        web_->SetBodyBorderStyle("");
        web_->SetBodyBorderStyle(settings_.BodyBorderStyle);
        web_->SetBodyBorderColour(settings_.BodyBorderColour);
    }
    if (settings_.ScrollbarColoursOn) {
        const auto& c = settings_.ScrollbarColours;  // face, highlight, 3-D light, dark shadow, shadow, arrow, track
        web_->PutBodyStyleByName("document", "scrollbarArrowColor", c[5]);
        web_->PutBodyStyleByName("document", "scrollbar3DLIGHTCOLOR", c[2]);
        web_->PutBodyStyleByName("document", "scrollbarDarkShadowColor", c[3]);
        web_->PutBodyStyleByName("document", "scrollbarFaceColor", c[0]);
        web_->PutBodyStyleByName("document", "scrollbarHighlightColor", c[1]);
        web_->PutBodyStyleByName("Document", "scrollbarShadowColor", c[4]);
        web_->PutBodyStyleByName("Document", "scrollbarTrackColor", c[6]);
    }
}

// --- CommandHost ---

void Tform_apresentacao::ShowMessage(const std::string& caption, const std::string& text, unsigned style) {
    ::MessageBoxA(Handle(), text.c_str(), caption.c_str(), style);
}

void Tform_apresentacao::CloseWindow() {
    // The close is posted: the command may come from inside a browser event,
    // and the control must not be torn down under its own feet.
    Close();
}

void Tform_apresentacao::MaximizeWindow() { SetState(FrameState::Maximised); }

void Tform_apresentacao::MinimizeApplication() { ui::Application().Minimize(); }

void Tform_apresentacao::Navigate(const std::string& address) {
    if (web_) web_->Navigate(address);
}

void Tform_apresentacao::BrowserStop() {
    if (web_) web_->Stop();
}

void Tform_apresentacao::BrowserExecWB(int command, int option) {
    if (web_) web_->ExecWB(command, option);
}

void Tform_apresentacao::ClickButton(ToolButton button) { RunButton(button); }

bool Tform_apresentacao::ButtonEnabled(ToolButton button) const { return toolbar_.ButtonEnabled(ButtonId(button)); }

void Tform_apresentacao::SetButtonEnabled(ToolButton button, bool enabled) {
    toolbar_.SetButtonEnabled(ButtonId(button), enabled);
}

bool Tform_apresentacao::ToolBarVisible() const { return toolbar_.Visible(); }
void Tform_apresentacao::SetToolBarVisible(bool visible) { toolbar_.SetVisible(visible); }
bool Tform_apresentacao::StatusBarVisible() const { return barra_estado_.Visible(); }
void Tform_apresentacao::SetStatusBarVisible(bool visible) { barra_estado_.SetVisible(visible); }

int Tform_apresentacao::MenuItemCount(const MenuPath& parent) const { return Menu_Normal.Count(parent); }

void Tform_apresentacao::SetMenuItemEnabled(const MenuPath& item, bool enabled) {
    Menu_Normal.ItemAt(item).SetEnabled(enabled);
}

void Tform_apresentacao::DeleteMenuItem(const MenuPath& item) { Menu_Normal.Delete(item); }

void Tform_apresentacao::SetMenuItemCaption(const MenuPath& item, const std::string& caption) {
    Menu_Normal.ItemAt(item).SetCaption(caption);
}

void Tform_apresentacao::CallShell(const ShellCall& call) {
    const HWND owner = call.owner == ShellOwner::ApplicationWindow ? Handle()
                       : call.owner == ShellOwner::DesktopWindow   ? ::GetDesktopWindow()
                                                                   : nullptr;
    const char* verb = call.verb ? call.verb->c_str() : nullptr;
    const char* parameters = call.parameters ? call.parameters->c_str() : nullptr;
    const char* directory = call.directory ? call.directory->c_str() : nullptr;
    if (options_.runShell) options_.runShell(owner, verb, call.file.c_str(), parameters, directory, call.showMode);
    else ::ShellExecuteA(owner, verb, call.file.c_str(), parameters, directory, call.showMode);
}

std::string Tform_apresentacao::ExecutablePath() const { return options_.exePath; }
std::string Tform_apresentacao::WindowsDirectory() const { return SystemFolder(::GetWindowsDirectoryA); }
std::string Tform_apresentacao::SystemDirectory() const { return SystemFolder(::GetSystemDirectoryA); }
std::string Tform_apresentacao::StartPage() const { return settings_.StartPage; }
std::string Tform_apresentacao::AltHomePage() const { return settings_.AltHomePage; }
std::string Tform_apresentacao::BookHost() const { return settings_.BookHost; }
const CodePage& Tform_apresentacao::SystemCodePage() const { return vc::SystemCodePage(); }

}  // namespace vc
