#include "win32/forms/tray_callback.h"

#include <windowsx.h>

#include "app/tray_icon_record.h"

namespace vk::win32 {

UINT TrayCallbackMessage(HWND window, WPARAM wParam, LPARAM lParam) {
  const UINT message = LOWORD(lParam);
  if (wParam != app::kTrayIconId || HIWORD(lParam) != 0 || message < WM_MOUSEFIRST || message > WM_MOUSELAST)
    return 0;
  // The shell sends its callback (SendNotifyMessage); input is never sent.
  if (InSendMessageEx(nullptr) != ISMEX_NOSEND) return message;
  // A posted callback carries the cursor's place on the tray icon, not this point.
  const DWORD at = GetMessagePos();
  POINT cursor{GET_X_LPARAM(static_cast<LPARAM>(at)), GET_Y_LPARAM(static_cast<LPARAM>(at))};
  ScreenToClient(window, &cursor);
  return cursor.x == static_cast<LONG>(message) && cursor.y == 0 ? 0 : message;
}

}  // namespace vk::win32
