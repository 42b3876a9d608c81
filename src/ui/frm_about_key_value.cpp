#include <algorithm>
#include <array>

#include "ui/frm_about.h"

namespace vk::ui {

namespace {

constexpr std::uint32_t kAllAccessButDelete = 0x2003F;
constexpr std::uint32_t kBufferSize = 1024;

// The little-endian number in up to four bytes, as unsigned decimal digits
// (a DWORD has no sign).
std::string DwordText(const std::string& bytes) {
  std::uint32_t number = 0;
  const size_t count = std::min<size_t>(bytes.size(), 4);
  for (size_t i = 0; i < count; ++i) number |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  return std::to_string(number);
}

}  // namespace

VbBool FrmAbout::GetKeyValue(platform::RegKey KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                             std::string& KeyVal) {
  platform::Registry& registry = context_.registry;
  platform::OpenedKey key(registry);
  if (registry.OpenKey(KeyRoot, KeyName, kAllAccessButDelete, key.Handle()) != platform::kErrorSuccess) {
    KeyVal.clear();
    return kFalse;
  }
  std::array<std::uint8_t, kBufferSize> buffer{};
  std::uint32_t size = kBufferSize;
  std::uint32_t type = 0;
  if (registry.QueryValue(key.Get(), SubKeyRef, &type, buffer.data(), &size) != platform::kErrorSuccess) {
    KeyVal.clear();
    return kFalse;
  }
  size = std::min(size, kBufferSize);
  // A terminating NUL is not part of the text; data without one is kept whole.
  if (size > 0 && buffer[size - 1] == 0) --size;
  const std::string kept(reinterpret_cast<const char*>(buffer.data()), size);
  if (type == platform::kRegSz) KeyVal = kept;
  if (type == platform::kRegDword) KeyVal = DwordText(kept);
  return kTrue;
}

}  // namespace vk::ui
