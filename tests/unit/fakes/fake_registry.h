#pragma once
// In-memory registry: a tree of keys under the two roots, key and value names
// compared without regard to letter case, values with their type and bytes in
// the order they were created. It keeps the calls' size protocols, checks the
// access each handle was opened with, counts open handles so tests can prove
// every key was closed, and fails chosen calls on request.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace vk::fakes {

inline constexpr long kErrorInvalidParameter = 87;
inline constexpr long kErrorKeyDeleted = 1018;

class FakeRegistry : public platform::Registry {
 public:
  struct Value {
    std::string name;
    std::uint32_t type = platform::kRegSz;
    std::string bytes;
  };

  struct Key {
    std::string name;
    std::vector<Value> values;  // creation order
    std::vector<std::shared_ptr<Key>> subKeys;
    bool deleted = false;
  };

  FakeRegistry() {
    roots_[platform::kHkeyLocalMachine] = std::make_shared<Key>();
    roots_[platform::kHkeyCurrentUser] = std::make_shared<Key>();
  }

  // ---- test side ----

  // Fails the named call ("OpenKey", "QueryValue", ...) with `code`, after
  // letting `pass` calls of that name succeed first.
  void Fail(const std::string& call, long code, int pass = 0) { failures_[call] = {code, pass}; }
  int OpenKeyCount() const { return static_cast<int>(handles_.size()); }
  int CallCount(const std::string& call) const {
    auto it = calls_.find(call);
    return it == calls_.end() ? 0 : it->second;
  }

  // The key at the path below HKEY_LOCAL_MACHINE, or null.
  const Key* Find(const std::string& path) const {
    std::shared_ptr<Key> key = Walk(roots_.at(platform::kHkeyLocalMachine), path, false);
    return key.get();
  }
  // The value of that key, or null; "" names the default value.
  const Value* FindValue(const std::string& path, const std::string& name) const {
    const Key* key = Find(path);
    if (key == nullptr) return nullptr;
    for (const Value& v : key->values)
      if (SameName(v.name, name)) return &v;
    return nullptr;
  }
  // Stores a value as another program might: any type, any bytes.
  void Put(const std::string& path, const std::string& name, const std::string& bytes,
           std::uint32_t type = platform::kRegSz) {
    std::shared_ptr<Key> key = Walk(roots_.at(platform::kHkeyLocalMachine), path, true);
    StoreValue(*key, name, type, bytes);
  }

  // ---- the port ----

  long OpenKey(platform::RegKey root, const std::string& path, std::uint32_t access, platform::RegKey& opened) override {
    if (long rc = Enter("OpenKey")) return rc;
    std::shared_ptr<Key> base = Resolve(root);
    if (!base) return platform::kErrorInvalidHandle;
    std::shared_ptr<Key> key = Walk(base, path, false);
    if (!key) return platform::kErrorFileNotFound;
    opened = NewHandle(key, access);
    return platform::kErrorSuccess;
  }

  long CreateKey(platform::RegKey root, const std::string& path, std::uint32_t access,
                 platform::RegKey& opened) override {
    if (long rc = Enter("CreateKey")) return rc;
    std::shared_ptr<Key> base = Resolve(root);
    if (!base) return platform::kErrorInvalidHandle;
    opened = NewHandle(Walk(base, path, true), access);
    return platform::kErrorSuccess;
  }

  long QueryValue(platform::RegKey key, const platform::ValueName& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    if (long rc = Enter("QueryValue")) return rc;
    Key* k = nullptr;
    if (long rc = Use(key, platform::kKeyQueryValue, k)) return rc;
    if (data != nullptr && size == nullptr) return kErrorInvalidParameter;
    const Value* v = FindIn(*k, name.value_or(""));
    if (v == nullptr) return platform::kErrorFileNotFound;
    if (type != nullptr) *type = v->type;
    const auto needed = static_cast<std::uint32_t>(v->bytes.size());
    if (data != nullptr && *size < needed) {
      *size = needed;
      return platform::kErrorMoreData;
    }
    if (data != nullptr) std::memcpy(data, v->bytes.data(), needed);
    if (size != nullptr) *size = needed;
    return platform::kErrorSuccess;
  }

  long QueryInfoKey(platform::RegKey key, std::uint32_t& maxValueNameLength,
                    std::uint32_t& maxValueDataLength) override {
    if (long rc = Enter("QueryInfoKey")) return rc;
    Key* k = nullptr;
    if (long rc = Use(key, platform::kKeyQueryValue, k)) return rc;
    maxValueNameLength = 0;
    maxValueDataLength = 0;
    for (const Value& v : k->values) {
      maxValueNameLength = std::max(maxValueNameLength, static_cast<std::uint32_t>(v.name.size()));
      maxValueDataLength = std::max(maxValueDataLength, static_cast<std::uint32_t>(v.bytes.size()));
    }
    return platform::kErrorSuccess;
  }

  long EnumValue(platform::RegKey key, std::uint32_t index, char* name, std::uint32_t& nameLength,
                 std::uint32_t* type, std::uint8_t* data, std::uint32_t& dataLength) override {
    if (long rc = Enter("EnumValue")) return rc;
    Key* k = nullptr;
    if (long rc = Use(key, platform::kKeyQueryValue, k)) return rc;
    if (index >= k->values.size()) return platform::kErrorNoMoreItems;
    const Value& v = k->values[index];
    if (v.name.size() + 1 > nameLength || (data != nullptr && v.bytes.size() > dataLength)) {
      dataLength = static_cast<std::uint32_t>(v.bytes.size());
      return platform::kErrorMoreData;
    }
    std::memcpy(name, v.name.c_str(), v.name.size() + 1);
    nameLength = static_cast<std::uint32_t>(v.name.size());
    if (data != nullptr) std::memcpy(data, v.bytes.data(), v.bytes.size());
    dataLength = static_cast<std::uint32_t>(v.bytes.size());
    if (type != nullptr) *type = v.type;
    return platform::kErrorSuccess;
  }

  long SetValue(platform::RegKey key, const platform::ValueName& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override {
    if (long rc = Enter("SetValue")) return rc;
    Key* k = nullptr;
    if (long rc = Use(key, platform::kKeySetValue, k)) return rc;
    StoreValue(*k, name.value_or(""), type, std::string(reinterpret_cast<const char*>(data), size));
    return platform::kErrorSuccess;
  }

  long DeleteValue(platform::RegKey key, const platform::ValueName& name) override {
    if (long rc = Enter("DeleteValue")) return rc;
    Key* k = nullptr;
    if (long rc = Use(key, platform::kKeySetValue, k)) return rc;
    auto it = std::find_if(k->values.begin(), k->values.end(),
                           [&](const Value& v) { return SameName(v.name, name.value_or("")); });
    if (it == k->values.end()) return platform::kErrorFileNotFound;
    k->values.erase(it);
    return platform::kErrorSuccess;
  }

  // Like the real call: only a key without subkeys can go.
  long DeleteKey(platform::RegKey key, const std::string& subKey) override {
    if (long rc = Enter("DeleteKey")) return rc;
    Key* k = nullptr;
    if (long rc = Use(key, 0, k)) return rc;
    if (subKey.empty()) return kErrorInvalidParameter;
    const auto slash = subKey.rfind('\\');
    std::shared_ptr<Key> parent = handles_.at(key).key;
    if (slash != std::string::npos) parent = Walk(parent, subKey.substr(0, slash), false);
    if (!parent) return platform::kErrorFileNotFound;
    const std::string leaf = slash == std::string::npos ? subKey : subKey.substr(slash + 1);
    auto it = std::find_if(parent->subKeys.begin(), parent->subKeys.end(),
                           [&](const auto& s) { return SameName(s->name, leaf); });
    if (it == parent->subKeys.end()) return platform::kErrorFileNotFound;
    if (!(*it)->subKeys.empty()) return platform::kErrorAccessDenied;
    (*it)->deleted = true;
    parent->subKeys.erase(it);
    return platform::kErrorSuccess;
  }

  long CloseKey(platform::RegKey key) override {
    ++calls_["CloseKey"];
    if (handles_.erase(key) == 0) return platform::kErrorInvalidHandle;
    return platform::kErrorSuccess;
  }

 private:
  struct Handle {
    std::shared_ptr<Key> key;
    std::uint32_t access;
  };
  struct Failure {
    long code;
    int pass;
  };

  static bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
  }

  static std::shared_ptr<Key> Walk(std::shared_ptr<Key> key, const std::string& path, bool create) {
    std::size_t start = 0;
    while (key && start < path.size()) {
      const std::size_t end = std::min(path.find('\\', start), path.size());
      const std::string level = path.substr(start, end - start);
      start = end + 1;
      if (level.empty()) continue;  // like Wine's registry, "a\\\\b" is "a\\b"
      auto it = std::find_if(key->subKeys.begin(), key->subKeys.end(),
                             [&](const auto& s) { return SameName(s->name, level); });
      if (it != key->subKeys.end()) {
        key = *it;
      } else if (create) {
        key->subKeys.push_back(std::make_shared<Key>(Key{level, {}, {}, false}));
        key = key->subKeys.back();
      } else {
        key = nullptr;
      }
    }
    return key;
  }

  static const Value* FindIn(const Key& key, const std::string& name) {
    for (const Value& v : key.values)
      if (SameName(v.name, name)) return &v;
    return nullptr;
  }

  static void StoreValue(Key& key, const std::string& name, std::uint32_t type, std::string bytes) {
    for (Value& v : key.values) {
      if (!SameName(v.name, name)) continue;
      v.type = type;
      v.bytes = std::move(bytes);
      return;
    }
    key.values.push_back({name, type, std::move(bytes)});
  }

  long Enter(const std::string& call) {
    ++calls_[call];
    auto it = failures_.find(call);
    if (it == failures_.end()) return platform::kErrorSuccess;
    if (it->second.pass > 0) {
      --it->second.pass;
      return platform::kErrorSuccess;
    }
    return it->second.code;
  }

  std::shared_ptr<Key> Resolve(platform::RegKey key) const {
    if (auto root = roots_.find(key); root != roots_.end()) return root->second;
    if (auto open = handles_.find(key); open != handles_.end()) return open->second.key;
    return nullptr;
  }

  long Use(platform::RegKey handle, std::uint32_t access, Key*& key) {
    auto it = handles_.find(handle);
    if (it == handles_.end()) return platform::kErrorInvalidHandle;
    if ((it->second.access & access) != access) return platform::kErrorAccessDenied;
    if (it->second.key->deleted) return kErrorKeyDeleted;
    key = it->second.key.get();
    return platform::kErrorSuccess;
  }

  platform::RegKey NewHandle(std::shared_ptr<Key> key, std::uint32_t access) {
    const platform::RegKey handle = nextHandle_;
    nextHandle_ += 4;
    handles_[handle] = {std::move(key), access};
    return handle;
  }

  std::map<platform::RegKey, std::shared_ptr<Key>> roots_;
  std::map<platform::RegKey, Handle> handles_;
  std::map<std::string, Failure> failures_;
  std::map<std::string, int> calls_;
  platform::RegKey nextHandle_ = 0x100;
};

}  // namespace vk::fakes
