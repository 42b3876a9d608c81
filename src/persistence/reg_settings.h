#pragma once
// CRegSettings: the settings store, string values under
// HKEY_LOCAL_MACHINE\Software\<Company>\<AppName>\<Section>. No operation
// fails its caller: reads fall back to the caller's default, writes and
// deletes answer False, and the registry's return code goes to gLogErr.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "persistence/shared_log.h"
#include "platform/registry.h"
#include "platform/types.h"

namespace vk::persistence {

inline constexpr const char* kDefaultCompany = "Quillfield Systems Ltd";
inline constexpr const char* kProductName = "Vesperkit";

// Every failure report of the store carries this message type.
inline constexpr std::int16_t kSettingsReportType = 8;

// GetAllSettings' table: [0][i] is the i-th value's name, [1][i] its data.
using SettingsTable = std::array<std::vector<std::string>, 2>;

class CRegSettings {
 public:
  CRegSettings(platform::Registry& registry, SharedLog& log);

  void SetCompany(std::string NewVal);
  std::string Company() const { return company_; }
  void SetAppName(std::string NewVal);
  std::string AppName() const { return appName_; }

  // key "" deletes the whole section, any other key one value ("*": the default value).
  VbBool DeleteSetting(std::string Section, std::string key);
  // No table (not an empty one) when the section holds no values or cannot be read.
  std::optional<SettingsTable> GetAllSettings(std::string Section);
  std::string GetSetting(std::string Section, std::string key, std::string Default);
  VbBool SaveSetting(std::string Section, std::string key, std::string Setting);

 private:
  std::string SectionKeyPath(const std::string& Section) const;
  void Report(const std::vector<LogPart>& parts);

  platform::Registry& registry_;
  SharedLog& log_;
  std::string company_ = kDefaultCompany;
  std::string appName_ = kProductName;
};

}  // namespace vk::persistence
