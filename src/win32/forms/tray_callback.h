#pragma once
// The tray icon's callback, told apart from a real move of the mouse. The
// icon's record names the main form's window and WM_MOUSEMOVE as its callback
// message, so the callback arrives as a mouse move whose wParam is the icon's
// id and whose lParam is the mouse message the icon received (0x205, a
// right-button release). A real move over a shown form at x = 517 looks the
// same. What tells them apart: a real move is input (never sent) and carries
// the point where the cursor was, in the window's client area.
#include <windows.h>

namespace vk::win32 {

// The tray message the callback carries, or 0 for a real move of the mouse.
UINT TrayCallbackMessage(HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace vk::win32
