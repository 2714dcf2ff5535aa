#pragma once
// A window subclass: an object that sees a window's messages before the
// window's own procedure, through SetWindowSubclass with the object as its
// reference data. Every window the program paints or watches but does not
// own the class of is reached this way, never by rewriting its procedure or
// its user data, so that any number of subclasses stack and each one leaves
// cleanly.
#include <windows.h>

namespace vc::ui {

class TWindowSubclass {
public:
    explicit TWindowSubclass(UINT_PTR id) noexcept : id_(id) {}
    // Detaches if still attached.
    virtual ~TWindowSubclass();
    // Windows holds a pointer to the object while it is attached.
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;
    TWindowSubclass(TWindowSubclass&&) = delete;
    TWindowSubclass& operator=(TWindowSubclass&&) = delete;

    // False when this object is attached already, when the window carries
    // another subclass of the same id, or when SetWindowSubclass fails.
    bool Attach(HWND window) noexcept;
    void Detach() noexcept;
    HWND Window() const noexcept { return window_; }
    bool Attached() const noexcept { return window_ != nullptr; }
    UINT_PTR Id() const noexcept { return id_; }

    // The subclass of this id on `window`, or null.
    static TWindowSubclass* Find(HWND window, UINT_PTR id) noexcept;

protected:
    // The mouse messages of the non-client area, by button and kind.
    enum class NcButton { Left, Right, Middle };
    enum class NcClick { Down, Up, DoubleClick };

    // Every message but WM_NCDESTROY reaches this first. What it raises goes
    // to the standard error dialog and the message then goes on to
    // DefaultProc, so that a failing painter leaves the window working. The
    // default gives the messages below to their typed handlers, the rest to
    // DefaultProc. The object must not be destroyed from inside it.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The next subclass, or the window's own procedure.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // After WM_NCDESTROY went on and the subclass was removed, or after
    // Detach; Window() is null by then.
    virtual void OnDetached() noexcept {}

    // Typed handlers; each default passes the message on unchanged.
    // `update` is the region to paint in screen coordinates, or (HRGN)1 for
    // the whole window.
    virtual LRESULT OnNcPaint(HRGN update);
    // `proposed` is the window rectangle, to be made the client rectangle;
    // `full` is null unless the window asks for the valid-area rectangles.
    virtual LRESULT OnNcCalcSize(RECT& proposed, NCCALCSIZE_PARAMS* full);
    virtual LRESULT OnNcHitTest(POINT screen);
    // `update` is a region or (HRGN)-1 (do not repaint), as the message has it.
    virtual LRESULT OnNcActivate(bool active, HRGN update);
    virtual LRESULT OnNcMouseMove(int hitTest, POINT screen);
    virtual LRESULT OnNcMouseLeave();
    virtual LRESULT OnNcMouseButton(NcButton button, NcClick click, int hitTest, POINT screen);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self) noexcept;
    void Removed() noexcept;

    const UINT_PTR id_;
    HWND window_ = nullptr;
    // The window of the message being handled: DefaultProc still reaches it
    // when a handler detached the subclass meanwhile.
    HWND dispatching_ = nullptr;
};

// Whether a skinner of the skin engine sits on the window: every one answers
// the skin query (ui/private_messages.h), the engine's own and others'.
bool AnswersSkinQuery(HWND window) noexcept;

}  // namespace vc::ui
