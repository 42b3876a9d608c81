#pragma once
// Registry double. (Starts as an empty registry that refuses every key; the
// settings store's tests replace it with a full in-memory tree.)
#include "platform/registry.h"

namespace vk::fakes {

class FakeRegistry : public platform::Registry {
 public:
  long OpenKey(platform::RegKey, const std::string&, std::uint32_t, platform::RegKey&) override {
    return platform::kErrorFileNotFound;
  }
  long CreateKey(platform::RegKey, const std::string&, std::uint32_t, platform::RegKey&) override {
    return platform::kErrorAccessDenied;
  }
  long QueryValue(platform::RegKey, const platform::ValueName&, std::uint32_t*, std::uint8_t*,
                  std::uint32_t*) override {
    return platform::kErrorInvalidHandle;
  }
  long QueryInfoKey(platform::RegKey, std::uint32_t&, std::uint32_t&) override { return platform::kErrorInvalidHandle; }
  long EnumValue(platform::RegKey, std::uint32_t, char*, std::uint32_t&, std::uint32_t*, std::uint8_t*,
                 std::uint32_t&) override {
    return platform::kErrorInvalidHandle;
  }
  long SetValue(platform::RegKey, const platform::ValueName&, std::uint32_t, const std::uint8_t*,
                std::uint32_t) override {
    return platform::kErrorInvalidHandle;
  }
  long DeleteValue(platform::RegKey, const platform::ValueName&) override { return platform::kErrorInvalidHandle; }
  long DeleteKey(platform::RegKey, const std::string&) override { return platform::kErrorInvalidHandle; }
  long CloseKey(platform::RegKey) override { return platform::kErrorSuccess; }
};

}  // namespace vk::fakes
