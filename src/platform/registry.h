#pragma once
// Port: the hierarchical registry. Mirrors the ANSI registry calls one for one,
// so the settings store and the About box keep their exact call sequences;
// the Windows adapter converts and calls, nothing more.
#include <cstdint>
#include <optional>
#include <string>

namespace vk::platform {

using RegKey = std::uintptr_t;  // an open key, or one of the predefined roots

// The predefined roots are negative 32-bit numbers widened with their sign, as
// the platform defines them at either pointer width.
constexpr RegKey PredefinedKey(std::uint32_t value) {
  return static_cast<RegKey>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}
inline constexpr RegKey kHkeyCurrentUser = PredefinedKey(0x80000001u);
inline constexpr RegKey kHkeyLocalMachine = PredefinedKey(0x80000002u);

inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;
inline constexpr long kErrorNoMoreItems = 259;

// A value name; no value (std::nullopt) names the key's default value.
using ValueName = std::optional<std::string>;

class Registry {
 public:
  virtual ~Registry() = default;
  virtual long OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey& opened) = 0;
  // Creates every missing level of the path.
  virtual long CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey& opened) = 0;
  // With data null: size receives the value's size. Otherwise size holds the
  // buffer's size on entry and the bytes written on return (ERROR_MORE_DATA
  // with the needed size when the buffer is too small).
  virtual long QueryValue(RegKey key, const ValueName& name, std::uint32_t* type, std::uint8_t* data,
                          std::uint32_t* size) = 0;
  // Longest value name (characters, without NUL) and longest data (bytes).
  virtual long QueryInfoKey(RegKey key, std::uint32_t& maxValueNameLength, std::uint32_t& maxValueDataLength) = 0;
  // nameLength and dataLength hold the buffer sizes on entry, the lengths on return.
  virtual long EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t& nameLength,
                         std::uint32_t* type, std::uint8_t* data, std::uint32_t& dataLength) = 0;
  virtual long SetValue(RegKey key, const ValueName& name, std::uint32_t type, const std::uint8_t* data,
                        std::uint32_t size) = 0;
  virtual long DeleteValue(RegKey key, const ValueName& name) = 0;
  virtual long DeleteKey(RegKey key, const std::string& subKey) = 0;
  virtual long CloseKey(RegKey key) = 0;
};

// Closes an opened key on every path out of a routine.
class OpenedKey {
 public:
  explicit OpenedKey(Registry& registry) : registry_(registry) {}
  ~OpenedKey() { Close(); }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;
  RegKey& Handle() { return key_; }
  RegKey Get() const { return key_; }
  void Close() {
    if (key_ != 0) registry_.CloseKey(key_);
    key_ = 0;
  }

 private:
  Registry& registry_;
  RegKey key_ = 0;
};

}  // namespace vk::platform
