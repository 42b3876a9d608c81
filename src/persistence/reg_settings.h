#pragma once
// CRegSettings: the settings store, string values under
// HKEY_LOCAL_MACHINE\Software\<Company>\<AppName>\<Section>.
#include <string>

#include "platform/registry.h"

namespace vk::persistence {

inline constexpr const char* kDefaultCompany = "Quillfield Systems Ltd";
inline constexpr const char* kProductName = "Vesperkit";

class CRegSettings {
 public:
  explicit CRegSettings(platform::Registry& registry);

  void SetCompany(const std::string& NewVal);
  std::string Company() const { return company_; }
  void SetAppName(const std::string& NewVal);
  std::string AppName() const { return appName_; }

 private:
  platform::Registry& registry_;
  std::string company_ = kDefaultCompany;
  std::string appName_ = kProductName;
};

}  // namespace vk::persistence
