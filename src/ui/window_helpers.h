#pragma once
// Window and system helpers used by every dialog.
#include <cstdint>

#include "platform/types.h"
#include "platform/window_services.h"

namespace vk::ui {

// Keeps a window above all others (topMost non-zero) or puts it back.
void SetTopMost(platform::WindowServices& windows, WindowHandle window, VbBool topMost);

// Disables (enable False) or re-enables the Close item of the window's system
// menu, and with it the Close button. While disabled the item carries the
// identifier -10, so a second disable finds nothing to change.
void SetCloseItemState(platform::WindowServices& windows, WindowHandle window, const VbBool& enable);

// The operating system's major version, asked afresh each time; 0 when unknown.
std::uint32_t OSMajorVersion(platform::WindowServices& windows);

}  // namespace vk::ui
