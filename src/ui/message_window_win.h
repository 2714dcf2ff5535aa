#pragma once
// A message-only window of a class of its own, carrying its owner in its user
// data: how a helper object (a timer, a background job) gets messages on the
// thread that made it without a list to look itself up in.
#include <windows.h>

#include "ui/handles_win.h"

namespace vc::ui {

// Registers the class the first time; raises std::runtime_error naming
// `what` when the window cannot be made.
UniqueWindow CreateMessageWindow(const char* className, WNDPROC procedure, void* owner, const char* what);

// The owner a message window carries; nothing once DetachMessageWindow ran.
template <class Owner>
Owner* MessageWindowOwner(HWND window) noexcept {
    return reinterpret_cast<Owner*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Messages still queued for the window no longer reach its owner.
inline void DetachMessageWindow(HWND window) noexcept { ::SetWindowLongPtrA(window, GWLP_USERDATA, 0); }

}  // namespace vc::ui
