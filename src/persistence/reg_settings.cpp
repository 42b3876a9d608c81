#include "persistence/reg_settings.h"

namespace vk::persistence {

namespace {

std::string TrimBlanks(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

CRegSettings::CRegSettings(platform::Registry& registry) : registry_(registry) {}

// An empty name falls back to the default; blanks only store an empty name.
void CRegSettings::SetCompany(const std::string& NewVal) {
  company_ = NewVal.empty() ? kDefaultCompany : TrimBlanks(NewVal);
}

void CRegSettings::SetAppName(const std::string& NewVal) {
  appName_ = NewVal.empty() ? kProductName : TrimBlanks(NewVal);
}

}  // namespace vk::persistence
