#include "persistence/reg_settings.h"

#include <algorithm>
#include <cstdint>

#include "platform/text.h"

namespace vk::persistence {

using platform::OpenedKey;
using platform::ValueName;

namespace {

using platform::TrimBlanks;

// "*" stands for the key's default (unnamed) value.
ValueName RegistryName(const std::string& key) {
  if (key == "*") return std::nullopt;
  return key;
}

std::int32_t Code(long code) { return static_cast<std::int32_t>(code); }

}  // namespace

CRegSettings::CRegSettings(platform::Registry& registry, SharedLog& log) : registry_(registry), log_(log) {}

// An empty name falls back to the default; blanks only store an empty name.
void CRegSettings::SetCompany(std::string NewVal) { company_ = NewVal.empty() ? kDefaultCompany : TrimBlanks(NewVal); }

void CRegSettings::SetAppName(std::string NewVal) { appName_ = NewVal.empty() ? kProductName : TrimBlanks(NewVal); }

std::string CRegSettings::SectionKeyPath(const std::string& Section) const {
  std::string path = "Software\\" + company_ + "\\" + appName_;
  if (!Section.empty()) path += "\\" + Section;
  return path;
}

void CRegSettings::Report(const std::vector<LogPart>& parts) { log_->LogIt(kSettingsReportType, parts); }

std::string CRegSettings::GetSetting(std::string Section, std::string key, std::string Default) {
  OpenedKey opened(registry_);
  long rc = registry_.OpenKey(platform::kHkeyLocalMachine, SectionKeyPath(Section), platform::kKeyQueryValue,
                              opened.Handle());
  if (rc != platform::kErrorSuccess) {
    Report({"Error GetSetting, error:", Code(rc), Section, key});
    return Default;
  }
  const ValueName name = RegistryName(key);
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  rc = registry_.QueryValue(opened.Get(), name, &type, nullptr, &size);
  if (rc != platform::kErrorSuccess) {
    Report({"Error GetSetting, error:", Code(rc), Section, name.value_or("")});
    return Default;
  }
  if (size == 0) return Default;
  std::vector<std::uint8_t> buffer(size);
  rc = registry_.QueryValue(opened.Get(), name, &type, buffer.data(), &size);
  if (rc != platform::kErrorSuccess) return Default;
  std::string result(buffer.begin(), buffer.begin() + std::min<std::size_t>(size, buffer.size()));
  // Our own values end with their NUL; a value another program stored
  // without one keeps its last character.
  if (!result.empty() && result.back() == '\0') result.pop_back();
  return result;
}

VbBool CRegSettings::SaveSetting(std::string Section, std::string key, std::string Setting) {
  OpenedKey opened(registry_);
  const long rc = registry_.CreateKey(platform::kHkeyLocalMachine, SectionKeyPath(Section), platform::kKeySetValue,
                                      opened.Handle());
  if (rc != platform::kErrorSuccess) {
    Report({"Error SaveSetting, error:", Code(rc), Section, key, Setting});
    return kFalse;
  }
  const std::string data = Setting + '\0';
  const long written = registry_.SetValue(opened.Get(), RegistryName(key), platform::kRegSz,
                                          reinterpret_cast<const std::uint8_t*>(data.data()),
                                          static_cast<std::uint32_t>(data.size()));
  return ToVbBool(written == platform::kErrorSuccess);
}

VbBool CRegSettings::DeleteSetting(std::string Section, std::string key) {
  OpenedKey opened(registry_);
  if (key.empty()) {
    if (registry_.OpenKey(platform::kHkeyLocalMachine, SectionKeyPath(""), platform::kKeyAllAccess,
                          opened.Handle()) != platform::kErrorSuccess)
      return kFalse;
    return ToVbBool(registry_.DeleteKey(opened.Get(), Section) == platform::kErrorSuccess);
  }
  const long rc =
      registry_.OpenKey(platform::kHkeyLocalMachine, SectionKeyPath(Section), platform::kKeyAllAccess, opened.Handle());
  if (rc != platform::kErrorSuccess) {
    Report({"Error deleting key, error:", Code(rc), Section});
    return kFalse;
  }
  return ToVbBool(registry_.DeleteValue(opened.Get(), RegistryName(key)) == platform::kErrorSuccess);
}

std::optional<SettingsTable> CRegSettings::GetAllSettings(std::string Section) {
  OpenedKey opened(registry_);
  long rc = registry_.OpenKey(platform::kHkeyLocalMachine, SectionKeyPath(Section), platform::kKeyRead, opened.Handle());
  std::uint32_t longestName = 0;
  std::uint32_t longestData = 0;
  if (rc == platform::kErrorSuccess) rc = registry_.QueryInfoKey(opened.Get(), longestName, longestData);
  if (rc != platform::kErrorSuccess) {
    Report({"Error GetAllKeys, error:", Code(rc), Section});
    return std::nullopt;
  }
  std::string name(std::size_t{longestName} + 1, ' ');
  std::vector<std::uint8_t> data(std::size_t{longestData} + 1, ' ');
  SettingsTable table;
  for (std::uint32_t index = 0;; ++index) {
    auto nameLength = static_cast<std::uint32_t>(name.size());
    auto dataLength = static_cast<std::uint32_t>(data.size());
    std::uint32_t type = platform::kRegSz;
    if (registry_.EnumValue(opened.Get(), index, name.data(), nameLength, &type, data.data(), dataLength) !=
        platform::kErrorSuccess)
      break;
    table[0].push_back(name.substr(0, std::min<std::size_t>(nameLength, name.size())));
    table[1].emplace_back(data.begin(), data.begin() + std::min<std::size_t>(dataLength, data.size()));
  }
  if (table[0].empty()) return std::nullopt;
  return table;
}

}  // namespace vk::persistence
