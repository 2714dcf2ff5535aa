#include "skin/win/skin_manager_win.h"

#include <algorithm>
#include <cctype>

#include "ui/application_win.h"
#include "ui/form_win.h"
#include "ui/private_messages.h"

namespace vc {

namespace {

TSkinManager* g_manager = nullptr;
bool g_captionActive = false;

// The toolkit's own forms carry this tag when they must keep their look.
constexpr int kNeverSkinnedTag = 99;

std::string ClassOf(HWND window) {
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool AnswersSkinQuery(HWND window) {
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutA(window, ui::kSkinQueryMessage, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer) && answer == 1;
}

}  // namespace

TSkinManager::TSkinManager() {
    g_manager = this;
    timer_.SetInterval(100);
    timer_.OnTimer = [this] { OnTimer(); };
}

TSkinManager::~TSkinManager() {
    activated_ = 4;
    enabled_ = false;
    timer_.SetEnabled(false);
    if (hook_) ::UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    StopAll();
    menus_.clear();
    for (TSkinData* data : skinData_) data->SetManager(nullptr);
    if (g_manager == this) g_manager = nullptr;
}

TSkinManager* TSkinManager::Instance() noexcept { return g_manager; }

void TSkinManager::InstallHook() {
    if (hook_) return;
    hook_ = ::SetWindowsHookExA(WH_CBT, &TSkinManager::CbtHook, nullptr, ::GetCurrentThreadId());
}

void TSkinManager::RegisterSkinData(TSkinData& data) {
    if (std::find(skinData_.begin(), skinData_.end(), &data) == skinData_.end()) skinData_.push_back(&data);
    data.SetManager(this);
    if (!main_ && data.SkinFormtype == sfMainform) main_ = &data;
}

void TSkinManager::UnregisterSkinData(TSkinData& data) {
    skinData_.erase(std::remove(skinData_.begin(), skinData_.end(), &data), skinData_.end());
    if (main_ == &data) main_ = nullptr;
    if (current_ == &data) current_ = nullptr;
    data.SetManager(nullptr);
}

LRESULT CALLBACK TSkinManager::CbtHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    TSkinManager* manager = g_manager;
    if (manager && code == HCBT_ACTIVATE) {
        ui::RunGuarded([&] {
            if (manager->activated_ == 0) manager->activated_ = 1;
            manager->SkinWindow(reinterpret_cast<HWND>(wParam));
        });
    } else if (manager && code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
        const HWND window = reinterpret_cast<HWND>(wParam);
        if (create && create->lpcs && !(create->lpcs->style & WS_CHILD) && ClassOf(window) == "#32768")
            ui::RunGuarded([&] { manager->SkinPopupMenu(window); });
    } else if (manager && code == HCBT_DESTROYWND && !manager->menus_.empty()) {
        ui::RunGuarded([&] { manager->RemovePopupMenu(reinterpret_cast<HWND>(wParam)); });
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void TSkinManager::Purge() {
    forms_.erase(std::remove_if(forms_.begin(), forms_.end(),
                                [](const std::unique_ptr<TSkinnedForm>& f) { return f->State() == SkinState::Gone; }),
                 forms_.end());
}

TSkinnedForm* TSkinManager::FindForm(HWND window) const noexcept {
    for (const auto& form : forms_)
        if (form->Window() == window && form->State() != SkinState::Gone) return form.get();
    return nullptr;
}

void TSkinManager::FormGone(TSkinnedForm&) noexcept {
    // Freed by the next purge, not here: the form's own message handling is
    // still on the stack.
    if (activated_ != 4) {
        timer_.SetEnabled(false);
        pending_ = pending_ == SkinAction::None ? SkinAction::Dispose : pending_;
        timer_.SetInterval(1);
        timer_.SetEnabled(true);
    }
}

bool TSkinManager::Allowed(HWND window, const std::string& className) const {
    const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR exStyle = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
    ui::TForm* form = ui::TForm::FromHandle(window);
    // Child windows wear no frame of their own.
    if ((style & WS_CHILD) && !(exStyle & WS_EX_MDICHILD)) return false;
    // Windows of other modules are left alone, but for the standard dialogs
    // (message boxes) of this thread.
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(window, GWLP_HINSTANCE));
    if (!form && instance != ::GetModuleHandleA(nullptr) && className != "#32770") return false;
    RECT r{};
    ::GetWindowRect(window, &r);
    if ((r.right <= r.left || r.bottom <= r.top) && !(exStyle & WS_EX_MDICHILD)) return false;
    if (form && form->Tag == kNeverSkinnedTag) return false;
    if (className == "TApplication") return false;
    if (main_) {
        bool skin = true;
        if (!InSet(main_->Options, xoPreview) && Lower(className).find("preview") != std::string::npos) skin = false;
        main_->AskFormSkin(reinterpret_cast<std::uintptr_t>(window), className, skin);
        if (!skin) return false;
    }
    return true;
}

// The last registered skin data of the kind the window asks for wins.
TSkinData* TSkinManager::ChooseSkinData(const std::string& className) const {
    const auto last_of = [&](TSkinFormType type) -> TSkinData* {
        for (auto it = skinData_.rbegin(); it != skinData_.rend(); ++it)
            if ((*it)->SkinFormtype == type) return *it;
        return nullptr;
    };
    const std::string lower = Lower(className);
    TSkinData* chosen = nullptr;
    if (lower == "tmessageform" || lower == "#32770") chosen = last_of(sfDialog);
    if (!chosen) chosen = last_of(sfMainform);
    if (!chosen && !skinData_.empty()) chosen = skinData_.front();
    return chosen;
}

bool TSkinManager::SkinWindow(HWND window) {
    if (!enabled_ || !::IsWindow(window)) return false;
    Purge();
    if (FindForm(window) || AnswersSkinQuery(window)) return false;
    const std::string className = ClassOf(window);
    if (!Allowed(window, className)) return false;
    TSkinData* data = ChooseSkinData(className);
    if (!data || data->Loading()) return false;
    auto form = std::make_unique<TSkinnedForm>(*this, *data);
    if (!form->Install(window)) return false;
    forms_.push_back(std::move(form));
    ::PostMessageA(window, ui::kSkinStartMessage, 0, 1000);
    return true;
}

void TSkinManager::SetMenuKind(MenuKind kind, bool skinning) noexcept {
    menuKind_ = kind;
    popupFlag_ = skinning;
}

// A pop-up being created answers no query yet: the list alone says whether
// it has a skinner.
bool TSkinManager::SkinPopupMenu(HWND window) {
    if (!enabled_ || FindPopupMenu(window)) return false;
    TSkinData* data = ChooseSkinData("#32768");
    if (!data || data->Loading()) return false;
    const TSkinControls controls = data->SkinControls;
    const bool allowed = menuKind_ == MenuKind::Popup      ? InSet(controls, xcPopupMenu)
                         : menuKind_ == MenuKind::MainMenu ? InSet(controls, xcMainMenu) || InSet(controls, xcMenuItem)
                                                           : InSet(controls, xcSystemMenu);
    if (!allowed) return false;
    auto menu = std::make_unique<TSkinnedPopupMenu>(*data, popupFlag_);
    if (!menu->Attach(window)) return false;
    menus_.push_back(std::move(menu));
    return true;
}

bool TSkinManager::RemovePopupMenu(HWND window) {
    const auto found = std::find_if(menus_.begin(), menus_.end(),
                                    [&](const std::unique_ptr<TSkinnedPopupMenu>& m) { return m->Window() == window; });
    if (found == menus_.end()) return false;
    menus_.erase(found);
    if (menus_.empty()) SetMenuKind(MenuKind::Popup, false);
    return true;
}

TSkinnedPopupMenu* TSkinManager::FindPopupMenu(HWND window) const noexcept {
    for (const auto& menu : menus_)
        if (menu->Window() == window) return menu.get();
    return nullptr;
}

void TSkinManager::DropCaptionButtons(TSkinData& data) {
    // Buttons are laid out from the skin data at each paint: a repaint is
    // all a form needs.
    for (const auto& form : forms_)
        if (&form->Data() == &data) form->PaintFrame();
}

void TSkinManager::MarkActivated() {
    if (activated_ == 0) activated_ = 1;
}

// The last request wins; before the first activation a request only moves
// the switch, and windows are picked up as they are activated.
void TSkinManager::RequestAction(int action, int delay_ms) {
    pending_ = static_cast<SkinAction>(action);
    timer_.SetEnabled(false);
    // A timer of no interval does not tick: the soonest is one millisecond.
    timer_.SetInterval(static_cast<unsigned>(std::max(delay_ms, 1)));
    if (activated_ == 0) {
        if (action == 1) enabled_ = true;
        if (action == 2) enabled_ = false;
        return;
    }
    timer_.SetEnabled(true);
}

void TSkinManager::OnTimer() {
    timer_.SetEnabled(false);
    const SkinAction action = std::exchange(pending_, SkinAction::None);
    if (action == SkinAction::Dispose) {
        Purge();
        if (!current_) return;
    }
    TSkinData* data = std::exchange(current_, nullptr);
    if (!data) return;
    Run(action, *data);
    data->SkinChanged();
}

void TSkinManager::Run(SkinAction action, TSkinData& data) {
    switch (action) {
    case SkinAction::Activate: {
        enabled_ = true;
        Purge();
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM self) -> BOOL {
                if (::IsWindowVisible(window)) reinterpret_cast<TSkinManager*>(self)->SkinWindow(window);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(this));
        break;
    }
    case SkinAction::Deactivate:
        enabled_ = false;
        StopAll();
        break;
    case SkinAction::Refresh:
        Purge();
        for (const auto& form : forms_)
            if (&form->Data() == &data) form->ReloadSkin();
        break;
    case SkinAction::Dispose: Purge(); break;
    case SkinAction::None: break;
    }
}

void TSkinManager::Reframe() {
    for (const auto& form : forms_)
        if (form->State() == SkinState::Running)
            ::SetWindowPos(form->Window(), nullptr, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TSkinManager::StopAll() {
    Purge();
    while (!forms_.empty()) {
        std::unique_ptr<TSkinnedForm> form = std::move(forms_.front());
        forms_.erase(forms_.begin());
        HWND window = form->Window();
        form->Stop();
        if (window && ::IsWindow(window))
            ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

bool TSkinCaption::Active() noexcept { return g_captionActive; }

void TSkinCaption::SetActive(bool active) {
    g_captionActive = active;
    if (TSkinManager* manager = TSkinManager::Instance()) manager->Reframe();
}

}  // namespace vc
