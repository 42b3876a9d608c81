#include "win32/tray.h"

#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <cstring>

#include "app/tray_icon_record.h"

namespace vk::win32 {

static_assert(NOTIFYICONDATAA_V1_SIZE == app::kTrayLayout.size,
              "the tray record is the version-1 layout of the platform's pointer width");
static_assert(offsetof(NOTIFYICONDATAA, hIcon) == app::kTrayLayout.hIcon &&
                  offsetof(NOTIFYICONDATAA, szTip) == app::kTrayLayout.szTip,
              "the tray record's fields lie where the platform expects them");

bool Win32Tray::Notify(platform::TrayMessage message, const platform::TrayRecordBytes& record) {
  if (record.size() != NOTIFYICONDATAA_V1_SIZE) return false;
  NOTIFYICONDATAA data;
  std::memset(&data, 0, sizeof data);
  std::memcpy(&data, record.data(), record.size());
  return Shell_NotifyIconA(static_cast<DWORD>(message), &data) != FALSE;
}

}  // namespace vk::win32
