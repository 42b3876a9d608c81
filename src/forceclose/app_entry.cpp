#include "forceclose/app_entry.h"

namespace vk::forceclose {

std::string PaddedFilePath(const std::string& path) {
  std::string padded = path.substr(0, kFilePathLength);
  padded.resize(kFilePathLength, ' ');
  return padded;
}

AppEntry MakeAppEntry(const std::string& path) { return AppEntry{PaddedFilePath(path), kTrue}; }

}  // namespace vk::forceclose
