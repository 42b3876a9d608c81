#pragma once
// gTrayIcon: the tray icon's record, handed to the shell in the 88-byte ANSI
// NOTIFYICONDATA layout of the 32-bit program.
#include <cstdint>
#include <string>

#include "platform/tray.h"

namespace vk::app {

inline constexpr std::size_t kTipLength = 64;
inline constexpr std::uint32_t kTrayRecordSize = 88;
inline constexpr std::uint32_t kTrayIconId = 1;
inline constexpr std::uint32_t kTrayFlags = 7;  // NIF_MESSAGE + NIF_ICON + NIF_TIP
inline constexpr std::uint32_t kTrayCallbackMessage = 0x200;  // WM_MOUSEMOVE

struct TrayIconRecord {
  std::uint32_t cbSize = 0;
  std::uint32_t hWnd = 0;
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  std::uint32_t hIcon = 0;
  std::string szTip = std::string(kTipLength, '\0');  // always exactly 64 characters

  // Stores text + NUL left-aligned in the 64-character field: shorter text is
  // padded with blanks, longer text is cut (and then carries no NUL).
  void SetTip(const std::string& text);
  platform::TrayRecordBytes Pack() const;
};

}  // namespace vk::app
