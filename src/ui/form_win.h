#pragma once
// A top-level window with typed message handlers. The object is stored in
// the window at WM_NCCREATE and forgotten at WM_NCDESTROY; code holding only
// the handle finds it through the window property kComponentProperty.
#include <windows.h>

#include <string>

#include "ui/handles_win.h"

namespace vc::ui {

constexpr const char* kComponentProperty = "VellumcastComponent";

enum class BorderStyle { Single, None, Sizeable };
enum class WindowState { Normal, Maximized, Minimized };

// Title-bar buttons.
struct BorderIcons {
    bool systemMenu = true;
    bool minimize = true;
    bool maximize = true;
};

class TForm {
public:
    struct CreateArgs {
        std::string caption;
        int left = CW_USEDEFAULT;
        int top = CW_USEDEFAULT;
        int width = CW_USEDEFAULT;
        int height = CW_USEDEFAULT;
        BorderStyle border = BorderStyle::Sizeable;
        HICON icon = nullptr;
    };

    TForm() = default;
    virtual ~TForm();
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    // Creates the window hidden; OnCreate runs before this returns.
    void Create(const CreateArgs& args);
    HWND Handle() const noexcept { return window_.Get(); }
    static TForm* FromHandle(HWND window) noexcept;

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    RECT Bounds() const;
    void SetBounds(int left, int top, int width, int height);
    int Width() const;
    int Height() const;
    void SetWidth(int width);
    void SetHeight(int height);
    void SetPosition(int left, int top);

    BorderStyle Border() const noexcept { return border_; }
    void SetBorder(BorderStyle border);
    BorderIcons Icons() const noexcept { return icons_; }
    void SetIcons(BorderIcons icons);
    // A hidden window keeps the state and takes it when it is shown.
    WindowState State() const noexcept { return state_; }
    void SetState(WindowState state);

    void Show();
    void Close();
    // Destroys the window now, its handlers running as usual. A derived form
    // whose members the window's handlers use calls it in its destructor.
    void DestroyHandle();

protected:
    virtual void OnCreate() {}
    // Return false to keep the window open.
    virtual bool OnCloseQuery() { return true; }
    virtual void OnClose() {}
    virtual void OnSize(int /*clientWidth*/, int /*clientHeight*/) {}
    virtual void OnCommand(int /*id*/, int /*code*/, HWND /*control*/) {}
    virtual LRESULT OnNotify(NMHDR* /*header*/) { return 0; }
    virtual void OnDestroy() {}
    // Every message reaches this first; the default gives it to the handlers.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Trampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void ApplyFrameStyle();

    UniqueWindow window_;
    BorderStyle border_ = BorderStyle::Sizeable;
    BorderIcons icons_;
    WindowState state_ = WindowState::Normal;
};

}  // namespace vc::ui
