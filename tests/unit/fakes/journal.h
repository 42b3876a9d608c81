#pragma once
// One ordered record of the calls every fake receives, so tests can check the
// order of effects across ports.
#include <string>
#include <vector>

namespace vk::fakes {

struct Journal {
  std::vector<std::string> entries;
  void Add(std::string entry) { entries.push_back(std::move(entry)); }
  // Every entry followed by "|", and the journal emptied.
  std::string Take() {
    std::string all;
    for (const std::string& e : entries) all += e + "|";
    entries.clear();
    return all;
  }
  // The entries that start with the prefix, without it.
  std::vector<std::string> With(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& e : entries)
      if (e.starts_with(prefix)) found.push_back(e.substr(prefix.size()));
    return found;
  }
};

}  // namespace vk::fakes
