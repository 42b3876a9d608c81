#include "win32/forms/file_lists.h"

#include <windows.h>

#include <algorithm>
#include <functional>

namespace vk::win32 {

namespace {

constexpr DWORD kLeftOut = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

std::string Join(const std::string& folder, const std::string& name) {
  return !folder.empty() && folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

// Closes a search on every path out.
class FileSearch {
 public:
  FileSearch(const std::string& pattern, WIN32_FIND_DATAA& found) : handle_(FindFirstFileA(pattern.c_str(), &found)) {}
  ~FileSearch() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  FileSearch(const FileSearch&) = delete;
  FileSearch& operator=(const FileSearch&) = delete;
  bool Found() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Next(WIN32_FIND_DATAA& found) { return FindNextFileA(handle_, &found) != FALSE; }

 private:
  HANDLE handle_;
};

std::vector<std::string> Names(const std::string& pattern, const std::function<bool(const WIN32_FIND_DATAA&)>& keep) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  FileSearch search(pattern, found);
  for (bool more = search.Found(); more; more = search.Next(found)) {
    if (keep(found)) names.emplace_back(found.cFileName);
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
  return names;
}

}  // namespace

std::vector<std::string> LogicalDrives() {
  std::vector<std::string> drives;
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (mask & (1u << i)) drives.push_back(std::string(1, static_cast<char>('a' + i)) + ":");
  }
  return drives;
}

std::vector<std::string> Subfolders(const std::string& folder) {
  return Names(Join(folder, "*"), [](const WIN32_FIND_DATAA& f) {
    const std::string name = f.cFileName;
    return (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(f.dwFileAttributes & kLeftOut) && name != "." &&
           name != "..";
  });
}

std::vector<std::string> FilesMatching(const std::string& folder, const std::string& pattern) {
  return Names(Join(folder, pattern.empty() ? "*.*" : pattern), [](const WIN32_FIND_DATAA& f) {
    return !(f.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | kLeftOut));
  });
}

}  // namespace vk::win32
