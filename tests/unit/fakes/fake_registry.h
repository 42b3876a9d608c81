#pragma once
// In-memory registry below HKEY_LOCAL_MACHINE: keys by path, key and value
// names compared without regard to letter case, values in creation order. It
// keeps the calls' size protocols and the access each handle was opened with,
// counts open handles, and fails a chosen call on request. The program never
// lists or deletes settings, so those calls only answer that nothing is there.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace vk::fakes {

class FakeRegistry : public platform::Registry {
 public:
  struct Value {
    std::string name;
    std::uint32_t type;
    std::string bytes;
  };
  using Values = std::vector<Value>;

  // The key at the path below HKEY_LOCAL_MACHINE, or null.
  Values* Find(const std::string& path) { return keys_.count(Key(path)) ? &keys_[Key(path)] : nullptr; }
  // The value of that key, or null; "" names the default value.
  Value* FindValue(const std::string& path, const std::string& name) {
    return Find(path) ? Lookup(*Find(path), name) : nullptr;
  }
  // Stores a value as another program might: any type, any bytes.
  void Put(const std::string& path, const std::string& name, const std::string& bytes,
           std::uint32_t type = platform::kRegSz) {
    Store(keys_[Key(path)], name, type, bytes);
  }
  // Fails the named call ("OpenKey", "QueryValue", ...) with `code` once
  // `pass` calls of it have succeeded.
  void Fail(const std::string& call, long code, int pass = 0) { failures_[call] = {code, pass}; }
  int OpenKeys() const { return static_cast<int>(handles_.size()); }

  long OpenKey(platform::RegKey root, const std::string& path, std::uint32_t access,
               platform::RegKey& opened) override {
    return Open("OpenKey", root, path, access, opened, false);
  }
  long CreateKey(platform::RegKey root, const std::string& path, std::uint32_t access,
                 platform::RegKey& opened) override {
    return Open("CreateKey", root, path, access, opened, true);
  }
  long QueryValue(platform::RegKey key, const platform::ValueName& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    Values* values = nullptr;
    if (long rc = Use("QueryValue", key, platform::kKeyQueryValue, values)) return rc;
    const Value* v = Lookup(*values, name.value_or(""));
    if (v == nullptr) return platform::kErrorFileNotFound;
    const bool fits = data == nullptr || *size >= v->bytes.size();
    if (data != nullptr && fits) std::memcpy(data, v->bytes.data(), v->bytes.size());
    *type = v->type;
    *size = static_cast<std::uint32_t>(v->bytes.size());
    return fits ? 0 : platform::kErrorMoreData;
  }
  long SetValue(platform::RegKey key, const platform::ValueName& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override {
    Values* values = nullptr;
    if (long rc = Use("SetValue", key, platform::kKeySetValue, values)) return rc;
    Store(*values, name.value_or(""), type, std::string(reinterpret_cast<const char*>(data), size));
    return 0;
  }
  long QueryInfoKey(platform::RegKey, std::uint32_t&, std::uint32_t&) override { return platform::kErrorFileNotFound; }
  long EnumValue(platform::RegKey, std::uint32_t, char*, std::uint32_t&, std::uint32_t*, std::uint8_t*,
                 std::uint32_t&) override {
    return platform::kErrorNoMoreItems;
  }
  long DeleteValue(platform::RegKey, const platform::ValueName&) override { return platform::kErrorFileNotFound; }
  long DeleteKey(platform::RegKey, const std::string&) override { return platform::kErrorFileNotFound; }
  long CloseKey(platform::RegKey key) override { return handles_.erase(key) ? 0 : platform::kErrorInvalidHandle; }

 private:
  static std::string Key(std::string path) {
    for (char& c : path) c = static_cast<char>(std::tolower(c));
    return path;
  }
  static Value* Lookup(Values& values, const std::string& name) {
    auto it = std::find_if(values.begin(), values.end(), [&](const Value& v) { return Key(v.name) == Key(name); });
    return it == values.end() ? nullptr : &*it;
  }
  static void Store(Values& values, const std::string& name, std::uint32_t type, std::string bytes) {
    Value* v = Lookup(values, name);
    *(v ? v : &values.emplace_back()) = {v ? v->name : name, type, std::move(bytes)};
  }
  long Enter(const std::string& call) {
    auto it = failures_.find(call);
    return it == failures_.end() || it->second.second-- > 0 ? 0 : it->second.first;
  }
  long Open(const std::string& call, platform::RegKey root, const std::string& path, std::uint32_t access,
            platform::RegKey& opened, bool create) {
    if (long rc = Enter(call)) return rc;
    const std::string key = Key(root == platform::kHkeyLocalMachine ? path : "?\\" + path);
    if (!create && !keys_.count(key)) return platform::kErrorFileNotFound;
    keys_[key];
    handles_[opened = nextHandle_ += 4] = {key, access};
    return 0;
  }
  long Use(const std::string& call, platform::RegKey handle, std::uint32_t access, Values*& values) {
    if (long rc = Enter(call)) return rc;
    if (!handles_.count(handle)) return platform::kErrorInvalidHandle;
    if ((handles_[handle].second & access) != access) return platform::kErrorAccessDenied;
    values = &keys_[handles_[handle].first];
    return 0;
  }

  std::map<std::string, Values> keys_;                                         // by Key(path)
  std::map<platform::RegKey, std::pair<std::string, std::uint32_t>> handles_;  // key and access
  std::map<std::string, std::pair<long, int>> failures_;                       // code and calls still let through
  platform::RegKey nextHandle_ = 0x100;
};

}  // namespace vk::fakes
