#pragma once
// Port: the notification area. The record is the exact 88-byte ANSI layout.
#include <array>
#include <cstdint>

namespace vk::platform {

enum class TrayMessage : std::uint32_t { Add = 0, Modify = 1, Delete = 2 };

using TrayRecordBytes = std::array<std::uint8_t, 88>;

class Tray {
 public:
  virtual ~Tray() = default;
  virtual bool Notify(TrayMessage message, const TrayRecordBytes& record) = 0;
};

}  // namespace vk::platform
