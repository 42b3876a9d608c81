#pragma once
// What the program needs before anything else: its COM apartment (the
// components are COM objects) and its forms toolkit (every window).
#include "owners.h"
#include "platform/shell.h"
#include "win32/forms/form_toolkit.h"

namespace vk::win32 {

// 0 when both are there. Otherwise the user is told in a message box titled
// "Vesperkit", before any tray icon or window, and the program's exit code is
// returned.
int CheckCanStart(const com::ComApartment& apartment, const Win32FormToolkit& forms,
                  platform::MessageBoxes& messages);

}  // namespace vk::win32
