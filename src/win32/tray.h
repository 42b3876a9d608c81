#pragma once
#include "platform/tray.h"

namespace vk::win32 {

// The notification-area port on Shell_NotifyIconA with the 88-byte record.
class Win32Tray : public platform::Tray {
 public:
  bool Notify(platform::TrayMessage message, const platform::TrayRecordBytes& record) override;
};

}  // namespace vk::win32
