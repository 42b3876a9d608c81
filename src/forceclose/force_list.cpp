#include "forceclose/force_list.h"

#include "forceclose/force_list_file.h"

namespace vk::forceclose {

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '\\') return folder + name;
  return folder + "\\" + name;
}

std::string AppListPath(platform::FileSystem& files) { return JoinPath(files.ProgramFolder(), "Files.dat"); }

void LoadAppList(platform::FileSystem& files, AppEntryList& entries) {
  const std::string path = AppListPath(files);
  if (!files.CreateIfMissing(path)) return;
  std::string bytes;
  if (!files.ReadAll(path, bytes)) return;
  AppendRecords(bytes, entries);
}

// Writing a fresh file and swapping it in, rather than deleting the old one
// first, means no moment exists at which the list is on disk nowhere.
void SaveAppList(platform::FileSystem& files, const AppEntryList& entries) {
  const std::string path = AppListPath(files);
  if (!AppListHasEntries(entries)) {
    files.Delete(path);
    return;
  }
  files.ReplaceAtomically(path, EncodeAppList(entries));
}

bool AppListHasEntries(const AppEntryList& entries) { return !entries.empty(); }

bool FileExists(platform::FileSystem& files, const std::string& path) {
  return !path.empty() && files.ExistsAsNormalFile(path);
}

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace vk::forceclose
