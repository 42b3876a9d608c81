#include "win32/registry.h"

#include <windows.h>

namespace vk::win32 {

namespace {

HKEY ToHkey(platform::RegKey key) { return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(key)); }
platform::RegKey FromHkey(HKEY key) { return static_cast<platform::RegKey>(reinterpret_cast<ULONG_PTR>(key)); }
const char* NameOrNull(const platform::ValueName& name) { return name ? name->c_str() : nullptr; }

}  // namespace

long Win32Registry::OpenKey(platform::RegKey root, const std::string& path, std::uint32_t access,
                            platform::RegKey& opened) {
  HKEY key = nullptr;
  const LONG rc = RegOpenKeyExA(ToHkey(root), path.c_str(), 0, access, &key);
  opened = rc == ERROR_SUCCESS ? FromHkey(key) : 0;
  return rc;
}

long Win32Registry::CreateKey(platform::RegKey root, const std::string& path, std::uint32_t access,
                              platform::RegKey& opened) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  const LONG rc = RegCreateKeyExA(ToHkey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                  &key, &disposition);
  opened = rc == ERROR_SUCCESS ? FromHkey(key) : 0;
  return rc;
}

long Win32Registry::QueryValue(platform::RegKey key, const platform::ValueName& name, std::uint32_t* type,
                               std::uint8_t* data, std::uint32_t* size) {
  DWORD t = 0;
  DWORD s = size ? *size : 0;
  const LONG rc = RegQueryValueExA(ToHkey(key), NameOrNull(name), nullptr, &t, data, size ? &s : nullptr);
  if (type) *type = t;
  if (size) *size = s;
  return rc;
}

long Win32Registry::QueryInfoKey(platform::RegKey key, std::uint32_t& maxValueNameLength,
                                 std::uint32_t& maxValueDataLength) {
  DWORD nameLength = 0;
  DWORD dataLength = 0;
  const LONG rc = RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   &nameLength, &dataLength, nullptr, nullptr);
  maxValueNameLength = nameLength;
  maxValueDataLength = dataLength;
  return rc;
}

long Win32Registry::EnumValue(platform::RegKey key, std::uint32_t index, char* name, std::uint32_t& nameLength,
                              std::uint32_t* type, std::uint8_t* data, std::uint32_t& dataLength) {
  DWORD n = nameLength;
  DWORD d = dataLength;
  DWORD t = type ? *type : 0;
  const LONG rc = RegEnumValueA(ToHkey(key), index, name, &n, nullptr, &t, data, &d);
  nameLength = n;
  dataLength = d;
  if (type) *type = t;
  return rc;
}

long Win32Registry::SetValue(platform::RegKey key, const platform::ValueName& name, std::uint32_t type,
                             const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExA(ToHkey(key), NameOrNull(name), 0, type, data, size);
}

long Win32Registry::DeleteValue(platform::RegKey key, const platform::ValueName& name) {
  return RegDeleteValueA(ToHkey(key), NameOrNull(name));
}

long Win32Registry::DeleteKey(platform::RegKey key, const std::string& subKey) {
  return RegDeleteKeyA(ToHkey(key), subKey.c_str());
}

long Win32Registry::CloseKey(platform::RegKey key) { return RegCloseKey(ToHkey(key)); }

}  // namespace vk::win32
