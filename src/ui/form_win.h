#pragma once
// A top-level window with typed message handlers. The object reaches the
// window through CreateWindowEx's creation parameter and is stored in it at
// WM_NCCREATE, so every message from then on reaches it, and it is forgotten
// at WM_NCDESTROY; code holding only the handle finds it through FromHandle.
#include <windows.h>

#include <string>

#include "common/frame_style.h"
#include "ui/handles_win.h"

namespace vc::ui {

class TForm {
public:
    struct CreateArgs {
        std::string caption;
        int left = CW_USEDEFAULT;
        int top = CW_USEDEFAULT;
        int width = CW_USEDEFAULT;
        int height = CW_USEDEFAULT;
        FrameBorder border = FrameBorder::Sizable;
        HICON icon = nullptr;
    };

    TForm() = default;
    virtual ~TForm();
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    // Creates the window hidden; OnCreate runs before this returns, after
    // the window's own WM_NCCREATE and WM_CREATE.
    void Create(const CreateArgs& args);
    HWND Handle() const noexcept { return window_.Get(); }
    // The form of a window; null for any other window, controls included.
    static TForm* FromHandle(HWND window) noexcept;

    // A number of the program's own; 99 keeps the form out of the skin.
    int Tag = 0;

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    RECT Bounds() const;
    void SetBounds(int left, int top, int width, int height);
    int Width() const;
    int Height() const;
    void SetWidth(int width);
    void SetHeight(int height);
    void SetPosition(int left, int top);

    // The frame the form asks for: border and title-bar buttons become the
    // window's style at once; a hidden window keeps the state and takes it
    // when it is shown. Minimise and maximise boxes show only beside a
    // close box; tool-window borders show the close box alone.
    const FrameStyle& Frame() const noexcept { return frame_; }
    void SetFrame(const FrameStyle& frame);
    FrameBorder Border() const noexcept { return frame_.border; }
    void SetBorder(FrameBorder border);
    FrameState State() const noexcept { return frame_.state; }
    void SetState(FrameState state);

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
    FrameStyle frame_;
};

}  // namespace vc::ui
