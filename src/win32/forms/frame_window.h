#pragma once
// A frame: a captioned group border that is also the real parent of the
// controls it contains, so they move, hide and lose input with it. It passes
// its children's notifications on to the form.
#include <windows.h>

namespace vk::win32 {

inline constexpr char kFrameClass[] = "VesperkitFrame";

// False when Windows refused the class.
bool RegisterFrameClass(HINSTANCE instance);

}  // namespace vk::win32
