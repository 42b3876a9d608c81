#pragma once
#include "platform/window_services.h"

namespace vk::win32 {

// The window-manager port: each member is one user32/kernel32 call.
class Win32WindowServices : public platform::WindowServices {
 public:
  bool IsWindow(WindowHandle window) override;
  MenuHandle GetSystemMenu(WindowHandle window, bool revert) override;
  bool ReadMenuItem(MenuHandle menu, std::uint32_t item, bool byPosition, platform::MenuItemInfo& info) override;
  bool WriteMenuItem(MenuHandle menu, std::uint32_t item, bool byPosition, platform::MenuItemInfo& info) override;
  void SendNcActivate(WindowHandle window) override;
  bool SetWindowPos(WindowHandle window, std::int32_t insertAfter, std::uint32_t flags) override;
  bool FlashWindow(WindowHandle window, bool invert) override;
  bool SetForegroundWindow(WindowHandle window) override;
  std::uint32_t VersionExMajor() override;
};

}  // namespace vk::win32
