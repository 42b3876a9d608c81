#include "app/tray_icon_record.h"

namespace vk::app {

namespace {

void PutLittleEndian(platform::TrayRecordBytes& bytes, std::size_t offset, std::uint64_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

void TrayIconRecord::SetTip(const std::string& text) {
  std::string tip = text + '\0';
  tip.resize(kTipLength, ' ');
  szTip = tip;
}

platform::TrayRecordBytes TrayIconRecord::Pack(const TrayLayout& layout) const {
  platform::TrayRecordBytes bytes(layout.size, 0);
  PutLittleEndian(bytes, 0, cbSize, 4);
  PutLittleEndian(bytes, layout.hWnd, hWnd, layout.handleBytes);
  PutLittleEndian(bytes, layout.uID, uID, 4);
  PutLittleEndian(bytes, layout.uFlags, uFlags, 4);
  PutLittleEndian(bytes, layout.uCallbackMessage, uCallbackMessage, 4);
  PutLittleEndian(bytes, layout.hIcon, hIcon, layout.handleBytes);
  for (std::size_t i = 0; i < kTipLength && i < szTip.size(); ++i)
    bytes[layout.szTip + i] = static_cast<std::uint8_t>(szTip[i]);
  return bytes;
}

}  // namespace vk::app
