#pragma once
// The force list: the programs to close before the power action.
#include <string>
#include <vector>

#include "platform/types.h"

namespace vk::forceclose {

inline constexpr std::size_t kFilePathLength = 100;

struct AppEntry {
  std::string FilePath = std::string(kFilePathLength, ' ');  // blank-padded to 100 characters
  VbBool Checked = kFalse;
};

// No entries is the list's "unallocated" state; every walker treats it as empty.
using AppEntryList = std::vector<AppEntry>;

}  // namespace vk::forceclose
