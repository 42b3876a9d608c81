#pragma once
// Port: the window manager calls behind the window helpers. Each member is one
// platform call; the helpers in ui/ hold the decisions.
#include <array>
#include <cstdint>

#include "platform/types.h"

namespace vk::platform {

// MENUITEMINFO as handed to the ANSI menu functions (44 bytes).
struct MenuItemInfo {
  std::uint32_t cbSize = 44;
  std::uint32_t fMask = 0;
  std::uint32_t fType = 0;
  std::uint32_t fState = 0;
  std::uint32_t wID = 0;
  std::uint32_t hSubMenu = 0;
  std::uint32_t hbmpChecked = 0;
  std::uint32_t hbmpUnchecked = 0;
  std::uint32_t dwItemData = 0;
  std::array<char, 80> typeData{};  // dwTypeData points here
  std::uint32_t cch = 80;
};

inline constexpr std::uint32_t kMiimState = 1;
inline constexpr std::uint32_t kMiimId = 2;
inline constexpr std::uint32_t kScClose = 0xF060;
inline constexpr std::uint32_t kClosedItemId = 0xFFFFFFF6u;  // -10

inline constexpr std::int32_t kHwndTopMost = -1;
inline constexpr std::int32_t kHwndNoTopMost = -2;
inline constexpr std::uint32_t kSwpNoSize = 1;
inline constexpr std::uint32_t kSwpNoMove = 2;

class WindowServices {
 public:
  virtual ~WindowServices() = default;
  virtual bool IsWindow(WindowHandle window) = 0;
  virtual MenuHandle GetSystemMenu(WindowHandle window, bool revert) = 0;
  virtual bool ReadMenuItem(MenuHandle menu, std::uint32_t item, bool byPosition, MenuItemInfo& info) = 0;
  virtual bool WriteMenuItem(MenuHandle menu, std::uint32_t item, bool byPosition, MenuItemInfo& info) = 0;
  // SendMessageA(window, WM_NCACTIVATE, TRUE, address of a 32-bit zero).
  virtual void SendNcActivate(WindowHandle window) = 0;
  virtual bool SetWindowPos(WindowHandle window, std::int32_t insertAfter, std::uint32_t flags) = 0;
  virtual bool FlashWindow(WindowHandle window, bool invert) = 0;
  virtual bool SetForegroundWindow(WindowHandle window) = 0;
  // dwMajorVersion after GetVersionExA on a zeroed 148-byte record (0 when the
  // call fails).
  virtual std::uint32_t VersionExMajor() = 0;
};

}  // namespace vk::platform
