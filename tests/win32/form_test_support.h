#pragma once
// Helpers for the tests of forms on the real binding: pumping the message
// queue, looking at windows, and screenshots.
#include <windows.h>

#include <string>
#include <vector>

#include "win32/form_binding.h"

namespace vk::formtest {

// Dispatches every message waiting for this thread, dialog keys included.
void PumpMessages(win32::Win32FormToolkit& toolkit);

// Posts a key press (down and up) to the window with the focus, then pumps.
void PressKey(win32::Win32FormToolkit& toolkit, WORD key);

std::string WindowText(HWND window);
std::string ClassOf(HWND window);
// Every descendant window, in the order EnumChildWindows gives them.
std::vector<HWND> Descendants(HWND parent);
// The first descendant with that text, or null.
HWND DescendantWithText(HWND parent, const std::string& text);
// Position of a window in its parent's client area, and its size, in pixels.
RECT PlaceInParent(HWND window);

// Saves what the screen shows of the window as a 24-bit BMP file. The path
// is $VESPERKIT_SHOTS\<name>.bmp when that folder is set, else in the
// temporary folder; it is returned (empty on failure).
std::string SaveWindowShot(HWND window, const std::string& name);

}  // namespace vk::formtest
