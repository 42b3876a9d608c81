#pragma once
// Conversions between the program's handle numbers (pointer-wide) and Windows
// handles.
#include <windows.h>

#include "platform/types.h"

namespace vk::win32 {

inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(window)); }
inline WindowHandle FromHwnd(HWND window) { return static_cast<WindowHandle>(reinterpret_cast<ULONG_PTR>(window)); }
inline HMENU ToHmenu(MenuHandle menu) { return reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(menu)); }
inline MenuHandle FromHmenu(HMENU menu) { return static_cast<MenuHandle>(reinterpret_cast<ULONG_PTR>(menu)); }
inline HICON ToHicon(IconHandle icon) { return reinterpret_cast<HICON>(static_cast<ULONG_PTR>(icon)); }
inline IconHandle FromHicon(HICON icon) { return static_cast<IconHandle>(reinterpret_cast<ULONG_PTR>(icon)); }

}  // namespace vk::win32
