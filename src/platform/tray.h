#pragma once
// Port: the notification area. The record is the exact ANSI layout of the
// platform's pointer width (88 bytes in the 32-bit program, 104 in the 64-bit).
#include <cstdint>
#include <vector>

namespace vk::platform {

enum class TrayMessage : std::uint32_t { Add = 0, Modify = 1, Delete = 2 };

using TrayRecordBytes = std::vector<std::uint8_t>;

class Tray {
 public:
  virtual ~Tray() = default;
  virtual bool Notify(TrayMessage message, const TrayRecordBytes& record) = 0;
};

}  // namespace vk::platform
