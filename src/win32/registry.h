#pragma once
#include "platform/registry.h"

namespace vk::win32 {

// The registry port on the ANSI registry functions.
class Win32Registry : public platform::Registry {
 public:
  long OpenKey(platform::RegKey root, const std::string& path, std::uint32_t access, platform::RegKey& opened) override;
  long CreateKey(platform::RegKey root, const std::string& path, std::uint32_t access,
                 platform::RegKey& opened) override;
  long QueryValue(platform::RegKey key, const platform::ValueName& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override;
  long QueryInfoKey(platform::RegKey key, std::uint32_t& maxValueNameLength,
                    std::uint32_t& maxValueDataLength) override;
  long EnumValue(platform::RegKey key, std::uint32_t index, char* name, std::uint32_t& nameLength,
                 std::uint32_t* type, std::uint8_t* data, std::uint32_t& dataLength) override;
  long SetValue(platform::RegKey key, const platform::ValueName& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override;
  long DeleteValue(platform::RegKey key, const platform::ValueName& name) override;
  long DeleteKey(platform::RegKey key, const std::string& subKey) override;
  long CloseKey(platform::RegKey key) override;
};

}  // namespace vk::win32
