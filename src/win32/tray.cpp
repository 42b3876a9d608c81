#include "win32/tray.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

namespace vk::win32 {

static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the tray record is the 88-byte layout of a 32-bit program");

bool Win32Tray::Notify(platform::TrayMessage message, const platform::TrayRecordBytes& record) {
  NOTIFYICONDATAA data;
  std::memset(&data, 0, sizeof data);
  std::memcpy(&data, record.data(), record.size());
  return Shell_NotifyIconA(static_cast<DWORD>(message), &data) != FALSE;
}

}  // namespace vk::win32
