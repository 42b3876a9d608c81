#pragma once
// The force list: the programs to close before the power action.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace vk::forceclose {

inline constexpr std::size_t kFilePathLength = 100;

// Indices and counts of the list are 16-bit signed numbers, so no list holds
// more entries than this.
inline constexpr std::size_t kMaxAppEntries = 32767;

struct AppEntry {
  std::string FilePath = std::string(kFilePathLength, ' ');  // blank-padded to 100 characters
  VbBool Checked = kFalse;
};

// No entries is the list's "unallocated" state; every walker treats it as empty.
using AppEntryList = std::vector<AppEntry>;

// The text as FilePath holds it: cut to 100 characters or padded with blanks.
std::string PaddedFilePath(const std::string& path);

// A new entry for the path, checked as new entries are.
AppEntry MakeAppEntry(const std::string& path);

}  // namespace vk::forceclose
