#pragma once
// Small text helpers shared by the subsystems.
#include <string>

namespace vk::platform {

// The text without leading and trailing blanks (spaces only, as the program's
// fixed-length texts pad with them).
inline std::string TrimBlanks(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace vk::platform
