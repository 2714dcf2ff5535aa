#pragma once
// What the command interpreter needs from the presentation window. The window
// implements it; the interpreter decides what to do and the host only carries
// it out, so every rule of the command set stays portable and testable.
//
// Any method may throw (a browser command the control refuses, for example):
// the exception ends the command string and reaches RunActionCommands' caller.
#include <optional>
#include <string>
#include <vector>

#include "common/code_page.h"

namespace vc {

// The ten toolbar buttons. Running a button's action means calling its click
// handler exactly as a click would, without pressing it on screen.
enum class ToolButton {
    Home,       // b_home, b_homeClick
    Back,       // b_volta, b_voltaClick
    Forward,    // b_proximo, b_proximoClick
    Refresh,    // b_refresh, b_refreshClick
    Stop,       // b_stop, b_stopClick
    SelectAll,  // bot_selectall, bot_selectallClick
    Copy,       // botao_copiar, botao_copiarClick
    Print,      // bt_imprimir, bt_imprimirClick
    Exit,       // bt_sair, bt_sairClick
    About,      // b_about, b_aboutClick
};

// A menu entry by its current position in the menu bar: {i} is top-level menu
// i, {i, j} item j of it, {i, j, k} sub-item k of that item; all zero-based.
// The empty path is the menu bar itself (only used to count its menus).
using MenuPath = std::vector<int>;

// The owner window handed to the shell.
enum class ShellOwner {
    None,               // a null window handle
    ApplicationWindow,  // the application's own (main) window
    DesktopWindow,      // GetDesktopWindow()
};

// One call of ShellExecuteA, field by field. std::nullopt stands for a null
// pointer, which for the verb means the default verb; an empty text is passed
// as a pointer to an empty string.
struct ShellCall {
    ShellOwner owner = ShellOwner::None;
    std::optional<std::string> verb;
    std::string file;
    std::optional<std::string> parameters;
    std::optional<std::string> directory;
    int showMode = 1;  // SW_SHOWNORMAL
};

// ExecWB command and option numbers the command set uses.
constexpr int kOleCmdPrint = 6;              // OLECMDID_PRINT
constexpr int kOleCmdPrintPreview = 7;       // OLECMDID_PRINTPREVIEW
constexpr int kOleCmdPageSetup = 8;          // OLECMDID_PAGESETUP
constexpr int kOleExecPromptUser = 1;        // OLECMDEXECOPT_PROMPTUSER
constexpr int kOleExecDontPromptUser = 2;    // OLECMDEXECOPT_DONTPROMPTUSER

// MessageBoxA style of "MESSAGE": MB_OK | MB_ICONEXCLAMATION.
constexpr unsigned kMessageBoxStyle = 0x30;

class CommandHost {
public:
    virtual ~CommandHost() = default;

    // --- The window ---
    // Modal message box owned by the window; returns when the user closes it.
    virtual void ShowMessage(const std::string& caption, const std::string& text, unsigned style) = 0;
    // The window's caption (title bar text).
    virtual void SetCaption(const std::string& caption) = 0;
    // gradiente's FormCaption, and its repaint request; no-ops while the
    // gradient caption does not exist.
    virtual void SetGradientCaption(const std::string& caption) = 0;
    virtual void RepaintGradientCaption() = 0;
    // The ordinary close of the window: its close handling runs (the menu
    // definition file is deleted) and the application is told to end. It must
    // return normally; the interpreter then stops the command string itself.
    virtual void CloseWindow() = 0;
    virtual void MaximizeWindow() = 0;       // window state := maximised
    virtual void MinimizeApplication() = 0;  // the application goes to the task bar

    // --- The browser control (Web) ---
    virtual void Navigate(const std::string& address) = 0;
    // Opens the search pane with the words searched; a book without an index
    // has no pane, and nothing happens.
    virtual void SearchBook(const std::string& words) = 0;
    virtual void BrowserStop() = 0;
    // ExecWB with no input or output argument; throws when the control refuses.
    virtual void BrowserExecWB(int command, int option) = 0;

    // --- Toolbar, buttons and status bar ---
    virtual void ClickButton(ToolButton button) = 0;
    virtual bool ButtonEnabled(ToolButton button) const = 0;
    virtual void SetButtonEnabled(ToolButton button, bool enabled) = 0;
    virtual bool ToolBarVisible() const = 0;
    virtual void SetToolBarVisible(bool visible) = 0;
    virtual bool StatusBarVisible() const = 0;
    virtual void SetStatusBarVisible(bool visible) = 0;

    // --- Menu_Normal, by current position ---
    // Number of entries directly below `parent` (the empty path: top-level
    // menus). Only called with a parent that exists.
    virtual int MenuItemCount(const MenuPath& parent) const = 0;
    // The setters are only called with a path that exists.
    virtual void SetMenuItemEnabled(const MenuPath& item, bool enabled) = 0;
    virtual void DeleteMenuItem(const MenuPath& item) = 0;  // with its sub-items
    virtual void SetMenuItemCaption(const MenuPath& item, const std::string& caption) = 0;

    // --- The shell and the file system ---
    // One ShellExecuteA call (named apart from the Windows macro); fire and
    // forget: the result is not looked at.
    virtual void CallShell(const ShellCall& call) = 0;
    // The running executable's full path (GetModuleFileNameA).
    virtual std::string ExecutablePath() const = 0;
    // GetWindowsDirectoryA / GetSystemDirectoryA; an empty text when the
    // platform reports none.
    virtual std::string WindowsDirectory() const = 0;
    virtual std::string SystemDirectory() const = 0;
    // The window field StartPage: configuration line 10 as recorded.
    virtual std::string StartPage() const = 0;
    // The separate home page, configuration line 81 as recorded (empty when
    // the book has none): its folder travels with the book too.
    virtual std::string AltHomePage() const = 0;
    // The host of a one-file book's page addresses; empty for a classic book,
    // whose pages travel beside the executable.
    virtual std::string BookHost() const = 0;
    // The code page of paths and command strings, as the file system reads them.
    virtual const CodePage& SystemCodePage() const = 0;
};

}  // namespace vc
