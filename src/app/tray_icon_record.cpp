#include "app/tray_icon_record.h"

namespace vk::app {

namespace {

void PutLittleEndian(platform::TrayRecordBytes& bytes, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

void TrayIconRecord::SetTip(const std::string& text) {
  std::string tip = text + '\0';
  tip.resize(kTipLength, ' ');
  szTip = tip;
}

platform::TrayRecordBytes TrayIconRecord::Pack() const {
  platform::TrayRecordBytes bytes{};
  PutLittleEndian(bytes, 0, cbSize);
  PutLittleEndian(bytes, 4, hWnd);
  PutLittleEndian(bytes, 8, uID);
  PutLittleEndian(bytes, 12, uFlags);
  PutLittleEndian(bytes, 16, uCallbackMessage);
  PutLittleEndian(bytes, 20, hIcon);
  for (std::size_t i = 0; i < kTipLength && i < szTip.size(); ++i) bytes[24 + i] = static_cast<std::uint8_t>(szTip[i]);
  return bytes;
}

}  // namespace vk::app
