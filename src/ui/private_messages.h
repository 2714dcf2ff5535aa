#pragma once
// Every private window message and window-subclass id of the program, in one
// place, so that no two parts pick the same number. Each line says who sends
// the message and what it carries. The skin engine's numbers are fixed: other
// programs' skinned windows and controls speak them too, so they cannot move.
// Portable on purpose: plain numbers, no platform header.

namespace vc::ui {

// --- Skin engine (0x3500 range) ---

// Frame skinner, sent or posted to a skinned window: repaint the whole frame
// now. wParam: a device context to paint into, or 0 for the painter's own.
constexpr unsigned kFrameRepaintMessage = 0x3502;
// Skin manager, posted to a window right after its frame skinner is attached
// (wParam 0, lParam kSkinStartParam): the frame skinner starts painting.
constexpr unsigned kSkinStartMessage = 0x3503;
constexpr unsigned kSkinStartParam = 1000;
// Frame skinner, sent to a skinned control: wParam > 0 turns the control's
// skin painting on, 0 off.
constexpr unsigned kControlSkinSwitchMessage = 0x3506;
// Frame skinner, posted to its window when a caption button whose action has
// no meaning of its own (CaptionAction::Program) is clicked. wParam: the
// button's action number; the program may act on it.
constexpr unsigned kCaptionButtonActionMessage = 0x3514;
// A scroll-bar skinner whose control recreated its window, posted to the
// form. wParam: the control's new window handle, which gets a new skinner.
constexpr unsigned kScrollBarReskinMessage = 0x3517;
// Menu-bar skinner, to its window. lParam: the screen point of a press; the
// menu of the menu-bar item there opens.
constexpr unsigned kMenuBarPressMessage = 0x3518;
// Skin manager, sent to a window before skinning it: a skinned window (frame
// or control) answers kSkinQueryAnswer and is left alone.
constexpr unsigned kSkinQueryMessage = 0x3523;
constexpr unsigned kSkinQueryAnswer = 1;

// --- Skin engine, shared with foreign skinned windows (0xBC00 range) ---

// Anyone, to a skinned window or control: paint the frame (wParam: a device
// context, or 0) when lParam is kSkinMagic; the answer is kSkinMagic.
constexpr unsigned kFrameRepaintRequest = 0xBC4B;
// Frame skinner, sent to its window after it has been skinned or re-skinned;
// wParam 0, lParam kSkinMagic.
constexpr unsigned kSkinnedNotification = 0xBC4E;
constexpr unsigned kSkinMagic = 0x41A2;

// --- Component-library notifications the skin engine sends and answers ---

// The hover check, to a foreign window's hot control when the mouse has left
// it; no parameters.
constexpr unsigned kCmMouseLeave = 0xB014;
// A component-library form, to itself, after its menu changed; the frame
// skinner rebuilds its menu bar. No parameters.
constexpr unsigned kCmMenuChanged = 0xB015;

// --- Presentation window (WM_APP range, 0x8000) ---

// The book's protocol, posted to the presentation window when a page of a
// one-file book could not be read; no parameters (the window keeps the
// names). The message box waits for this, outside the browser's call.
constexpr unsigned kBookPageDamagedMessage = 0x8001;
// TBackgroundWork's thread, posted to the job's message window when the
// work has ended; no parameters.
constexpr unsigned kBackgroundWorkDoneMessage = 0x8002;

// --- Window-subclass ids (SetWindowSubclass), four letters each ---

// TMainMenu on the window whose menu bar it is.
constexpr unsigned kMainMenuSubclassId = 0x4D454E55;  // "MENU"
// TGradientCaption on the form whose title bar it paints.
constexpr unsigned kGradientCaptionSubclassId = 0x47524144;  // "GRAD"
// TToolBar on its own tool-bar window (hand cursor, bottom edge line).
constexpr unsigned kToolBarSubclassId = 0x5442524Cu;  // "TBRL"
// The skin engine's frame skinner on every skinned window.
constexpr unsigned kFrameSkinnerSubclassId = 0x534B4652;  // "SKFR"
// The skin engine's control skinners on every skinned control.
constexpr unsigned kControlSkinnerSubclassId = 0x534B4354;  // "SKCT"
// The skin engine's pop-up menu skinner on every skinned pop-up menu window.
constexpr unsigned kPopupMenuSkinnerSubclassId = 0x534B504D;  // "SKPM"

}  // namespace vc::ui
