#pragma once
// gTrayIcon: the tray icon's record, handed to the shell in the ANSI
// NOTIFYICONDATA layout of the platform's pointer width: 88 bytes in the
// 32-bit program (the product), 104 in the 64-bit build.
#include <cstdint>
#include <string>

#include "platform/tray.h"
#include "platform/types.h"

namespace vk::app {

inline constexpr std::size_t kTipLength = 64;
inline constexpr std::uint32_t kTrayIconId = 1;
inline constexpr std::uint32_t kTrayFlags = 7;  // NIF_MESSAGE + NIF_ICON + NIF_TIP
inline constexpr std::uint32_t kTrayCallbackMessage = 0x200;  // WM_MOUSEMOVE

// Where the fields of the version-1 record lie at one pointer width.
struct TrayLayout {
  std::uint32_t size;
  std::size_t handleBytes;
  std::size_t hWnd, uID, uFlags, uCallbackMessage, hIcon, szTip;
};
inline constexpr TrayLayout kTrayLayout32{88, 4, 4, 8, 12, 16, 20, 24};
// Handles are 8 bytes and aligned to 8, so padding follows cbSize and
// uCallbackMessage.
inline constexpr TrayLayout kTrayLayout64{104, 8, 8, 16, 20, 24, 32, 40};
inline constexpr const TrayLayout& kTrayLayout = sizeof(void*) == 8 ? kTrayLayout64 : kTrayLayout32;

struct TrayIconRecord {
  std::uint32_t cbSize = 0;
  WindowHandle hWnd = 0;
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  IconHandle hIcon = 0;
  std::string szTip = std::string(kTipLength, '\0');  // always exactly 64 characters

  // Stores text + NUL left-aligned in the 64-character field: shorter text is
  // padded with blanks, longer text is cut (and then carries no NUL).
  void SetTip(const std::string& text);
  // The record's bytes in the given layout; the program sends its own.
  platform::TrayRecordBytes Pack(const TrayLayout& layout = kTrayLayout) const;
};

}  // namespace vk::app
