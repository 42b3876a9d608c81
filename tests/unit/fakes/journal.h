#pragma once
// One ordered record of the calls every fake receives, so tests can check the
// order of effects across ports.
#include <string>
#include <vector>

namespace vk::fakes {

struct Journal {
  std::vector<std::string> entries;
  void Add(std::string entry) { entries.push_back(std::move(entry)); }
  bool Contains(const std::string& entry) const {
    for (const auto& e : entries)
      if (e == entry) return true;
    return false;
  }
  // Index of the first entry equal to the text, or -1.
  int IndexOf(const std::string& entry) const {
    for (size_t i = 0; i < entries.size(); ++i)
      if (entries[i] == entry) return static_cast<int>(i);
    return -1;
  }
};

}  // namespace vk::fakes
