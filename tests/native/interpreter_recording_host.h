#pragma once
// A stand-in for the presentation window: it keeps the state commands read and logs
// every call in order; queries start with "?", so Effects() leaves them out.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "common/errors.h"
#include "interpreter/command_host.h"
#include "simulated_code_pages.h"

namespace vc::testing {

inline const char* ButtonText(ToolButton button) {
    static const char* const names[] = {"Home",      "Back", "Forward", "Refresh", "Stop",
                                        "SelectAll", "Copy", "Print",   "Exit",    "About"};
    return names[static_cast<int>(button)];
}

inline std::string PathText(const MenuPath& path) {
    std::string text;
    for (int index : path) text += (text.empty() ? "" : "/") + std::to_string(index);
    return text.empty() ? "bar" : text;
}

inline std::string ShellCallText(const ShellCall& call) {
    const char* owner = call.owner == ShellOwner::None                ? "none"
                        : call.owner == ShellOwner::ApplicationWindow ? "application"
                                                                      : "desktop";
    auto optional = [](const std::optional<std::string>& text) { return text ? "[" + *text + "]" : std::string("null"); };
    return std::string("Shell(") + owner + ", " + optional(call.verb) + ", [" + call.file + "], " +
           optional(call.parameters) + ", " + optional(call.directory) + ", " + std::to_string(call.showMode) + ")";
}

struct MenuNode {
    std::string caption;
    bool enabled = true;
    std::vector<MenuNode> items = {};
};

class RecordingHost : public CommandHost {
public:
    std::string executablePath = "C:\\Books\\vc.exe";
    std::string windowsDirectory = "C:\\WINDOWS";
    std::string systemDirectory = "C:\\WINDOWS\\system32";
    std::string startPage = "C:\\books\\tour\\index.htm";
    std::string altHomePage;
    std::string bookHost;
    const CodePage* codePage = &Western();
    std::map<ToolButton, bool> enabled;  // missing: enabled
    bool toolBarVisible = true;
    bool statusBarVisible = true;
    std::vector<MenuNode> menus;
    bool refuseExecWB = false;
    bool record = true;

    mutable std::vector<std::string> log;  // queries are const but recorded too
    std::vector<ShellCall> shellCalls;
    std::string caption;

    std::vector<std::string> Effects() const {
        std::vector<std::string> effects;
        for (const auto& line : log)
            if (line.empty() || line[0] != '?') effects.push_back(line);
        return effects;
    }

    // The items under `parent`, and the item at `path`.
    std::vector<MenuNode>& Level(const MenuPath& parent) {
        std::vector<MenuNode>* level = &menus;
        for (int index : parent) level = &level->at(static_cast<std::size_t>(index)).items;
        return *level;
    }
    MenuNode& Menu(const MenuPath& path) {
        return Level(MenuPath(path.begin(), path.end() - 1)).at(static_cast<std::size_t>(path.back()));
    }

    void ShowMessage(const std::string& boxCaption, const std::string& text, unsigned style) override {
        Log("Message(" + boxCaption + ", " + text + ", " + std::to_string(style) + ")");
    }
    void SetCaption(const std::string& text) override { Change(caption, text, "Caption(" + text + ")"); }
    void SetGradientCaption(const std::string& text) override { Log("GradientCaption(" + text + ")"); }
    void RepaintGradientCaption() override { Log("RepaintGradient"); }
    void CloseWindow() override { Log("Close"); }
    void MaximizeWindow() override { Log("Maximize"); }
    void MinimizeApplication() override { Log("Minimize"); }

    void Navigate(const std::string& address) override { Log("Navigate(" + address + ")"); }
    void SearchBook(const std::string& words) override { Log("Search(" + words + ")"); }
    void BrowserStop() override { Log("BrowserStop"); }
    void BrowserExecWB(int command, int option) override {
        Log("ExecWB(" + std::to_string(command) + ", " + std::to_string(option) + ")");
        if (refuseExecWB) throw Exception("Unspecified error");
    }

    void ClickButton(ToolButton button) override { Log(std::string("Click(") + ButtonText(button) + ")"); }
    bool ButtonEnabled(ToolButton button) const override {
        Log(std::string("?Enabled(") + ButtonText(button) + ")");
        const auto found = enabled.find(button);
        return found == enabled.end() || found->second;
    }
    void SetButtonEnabled(ToolButton button, bool on) override {
        Change(enabled[button], on, std::string(on ? "Enable(" : "Disable(") + ButtonText(button) + ")");
    }
    bool ToolBarVisible() const override { return Query("ToolBarVisible", toolBarVisible); }
    void SetToolBarVisible(bool visible) override {
        Change(toolBarVisible, visible, visible ? "ShowToolBar" : "HideToolBar");
    }
    bool StatusBarVisible() const override { return Query("StatusBarVisible", statusBarVisible); }
    void SetStatusBarVisible(bool visible) override {
        Change(statusBarVisible, visible, visible ? "ShowStatusBar" : "HideStatusBar");
    }

    int MenuItemCount(const MenuPath& parent) const override {
        Log("?MenuCount(" + PathText(parent) + ")");
        return static_cast<int>(const_cast<RecordingHost*>(this)->Level(parent).size());
    }
    void SetMenuItemEnabled(const MenuPath& item, bool on) override {
        Change(Menu(item).enabled, on, std::string(on ? "EnableMenu(" : "DisableMenu(") + PathText(item) + ")");
    }
    void DeleteMenuItem(const MenuPath& item) override {
        Log("DeleteMenu(" + PathText(item) + ")");
        auto& level = Level(MenuPath(item.begin(), item.end() - 1));
        level.erase(level.begin() + item.back());
    }
    void SetMenuItemCaption(const MenuPath& item, const std::string& text) override {
        Change(Menu(item).caption, text, "RenameMenu(" + PathText(item) + ", " + text + ")");
    }

    void CallShell(const ShellCall& call) override {
        if (record) shellCalls.push_back(call);
        Log(ShellCallText(call));
    }
    std::string ExecutablePath() const override { return Query("ExecutablePath", executablePath); }
    std::string WindowsDirectory() const override { return Query("WindowsDirectory", windowsDirectory); }
    std::string SystemDirectory() const override { return Query("SystemDirectory", systemDirectory); }
    std::string StartPage() const override { return Query("StartPage", startPage); }
    std::string AltHomePage() const override { return Query("AltHomePage", altHomePage); }
    std::string BookHost() const override { return Query("BookHost", bookHost); }
    const CodePage& SystemCodePage() const override { return *codePage; }

private:
    void Log(const std::string& line) const {
        if (record) log.push_back(line);
    }
    template <class T>
    void Change(T& state, const T& value, const std::string& line) {
        state = value;
        Log(line);
    }
    template <class T>
    const T& Query(const char* name, const T& answer) const {
        Log(std::string("?") + name);
        return answer;
    }
};

}  // namespace vc::testing
