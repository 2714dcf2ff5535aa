#pragma once
// The application object: title, the message loop with its filter, the
// termination request and the standard error dialog.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace vc::ui {

class TForm;

class TApplication {
public:
    // Runs before a message is dispatched; set handled to swallow it.
    using MessageFilter = std::function<void(MSG& message, bool& handled)>;

    static TApplication& Instance() noexcept;

    // Registers the common controls; called once by the program entry.
    void Initialize();

    const std::string& Title() const noexcept { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    // The main form: shown when the loop starts; its closing ends the loop.
    void SetMainForm(TForm* form) noexcept;
    HWND MainWindow() const noexcept;

    void SetOnMessage(MessageFilter filter) { onMessage_ = std::move(filter); }

    // Shows the main window (unless termination was asked for already) and
    // runs the loop until a quit message arrives. Returns the exit code.
    int Run();
    // Asks the loop to end: a quit message is posted; the loop ends as soon
    // as it reaches it.
    void Terminate() noexcept;
    bool Terminated() const noexcept { return terminated_; }
    void Minimize() noexcept;

    // The standard error dialog: the message in a box owned by the main window.
    // While one report is open, further ones are dropped: a painter that
    // fails on every repaint of the window behind the box reports once,
    // instead of opening a box per repaint.
    void ShowException(const std::exception& error) noexcept;
    void ShowErrorMessage(const std::string& message) noexcept;
    // Reports dropped that way since the program started.
    int DroppedErrorReports() const noexcept { return droppedReports_; }

    // Replaces the dialog, for tests that must not block on a message box;
    // an empty reporter brings the dialog back.
    using ErrorReporter = std::function<void(const std::string& message)>;
    void SetErrorReporter(ErrorReporter reporter) { errorReporter_ = std::move(reporter); }

private:
    TApplication() = default;
    bool FilterMessage(MSG& message) noexcept;

    std::string title_;
    TForm* mainForm_ = nullptr;
    MessageFilter onMessage_;
    ErrorReporter errorReporter_;
    bool terminated_ = false;
    bool reporting_ = false;
    int droppedReports_ = 0;
};

inline TApplication& Application() noexcept { return TApplication::Instance(); }

// Runs an event handler at a boundary with Windows: whatever it raises goes to
// the standard error dialog and the program carries on.
template <class Handler>
void RunGuarded(Handler&& handler) noexcept {
    try {
        handler();
    } catch (const std::exception& error) {
        Application().ShowException(error);
    } catch (...) {
        Application().ShowErrorMessage("Unknown error");
    }
}

}  // namespace vc::ui
