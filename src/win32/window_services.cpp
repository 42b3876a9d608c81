#include "win32/window_services.h"

#include <windows.h>

#include <cstddef>
#include <cstring>

#include "win32/handles.h"

namespace vk::win32 {

namespace {

// The program's record (cbSize 44) is the layout without the newer trailing
// bitmap field: 44 bytes in the 32-bit program, 72 in the 64-bit build, where
// the handles and the text pointer are 8 bytes wide.
constexpr UINT kRecordWithoutBitmap = offsetof(MENUITEMINFOA, hbmpItem);
static_assert(sizeof(void*) != 4 || kRecordWithoutBitmap == 44, "the menu item record is the 44-byte layout");

// Copies the program's record into the platform's, with dwTypeData pointing
// at the record's own text buffer, and back again after the call.
MENUITEMINFOA ToMenuItemInfo(platform::MenuItemInfo& info) {
  MENUITEMINFOA m;
  std::memset(&m, 0, sizeof m);
  m.cbSize = info.cbSize == 44 ? kRecordWithoutBitmap : info.cbSize;
  m.fMask = info.fMask;
  m.fType = info.fType;
  m.fState = info.fState;
  m.wID = info.wID;
  m.dwTypeData = info.typeData.data();
  m.cch = info.cch;
  return m;
}

void CopyBack(const MENUITEMINFOA& m, platform::MenuItemInfo& info) {
  info.fType = m.fType;
  info.fState = m.fState;
  info.wID = m.wID;
  info.cch = m.cch;
}

}  // namespace

bool Win32WindowServices::IsWindow(WindowHandle window) { return ::IsWindow(ToHwnd(window)) != FALSE; }

MenuHandle Win32WindowServices::GetSystemMenu(WindowHandle window, bool revert) {
  return FromHmenu(::GetSystemMenu(ToHwnd(window), revert ? TRUE : FALSE));
}

bool Win32WindowServices::ReadMenuItem(MenuHandle menu, std::uint32_t item, bool byPosition,
                                          platform::MenuItemInfo& info) {
  MENUITEMINFOA m = ToMenuItemInfo(info);
  const BOOL ok = GetMenuItemInfoA(ToHmenu(menu), item, byPosition ? TRUE : FALSE, &m);
  // Only what the mask asked for is filled in; the rest stays as the caller set it.
  if (ok) {
    if (info.fMask & MIIM_STATE) info.fState = m.fState;
    if (info.fMask & MIIM_ID) info.wID = m.wID;
  }
  return ok != FALSE;
}

bool Win32WindowServices::WriteMenuItem(MenuHandle menu, std::uint32_t item, bool byPosition,
                                          platform::MenuItemInfo& info) {
  MENUITEMINFOA m = ToMenuItemInfo(info);
  const BOOL ok = SetMenuItemInfoA(ToHmenu(menu), item, byPosition ? TRUE : FALSE, &m);
  if (ok) CopyBack(m, info);
  return ok != FALSE;
}

void Win32WindowServices::SendNcActivate(WindowHandle window) {
  LONG zero = 0;
  SendMessageA(ToHwnd(window), WM_NCACTIVATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&zero));
}

bool Win32WindowServices::SetWindowPos(WindowHandle window, std::int32_t insertAfter, std::uint32_t flags) {
  HWND after = reinterpret_cast<HWND>(static_cast<LONG_PTR>(insertAfter));
  return ::SetWindowPos(ToHwnd(window), after, 0, 0, 0, 0, flags) != FALSE;
}

bool Win32WindowServices::FlashWindow(WindowHandle window, bool invert) {
  return ::FlashWindow(ToHwnd(window), invert ? TRUE : FALSE) != FALSE;
}

bool Win32WindowServices::SetForegroundWindow(WindowHandle window) {
  return ::SetForegroundWindow(ToHwnd(window)) != FALSE;
}

std::uint32_t Win32WindowServices::VersionExMajor() {
  OSVERSIONINFOA version;
  std::memset(&version, 0, sizeof version);
  version.dwOSVersionInfoSize = sizeof version;
  static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record is the 148-byte layout");
  GetVersionExA(&version);  // a failure leaves the zeroed record: version 0
  return version.dwMajorVersion;
}

}  // namespace vk::win32
