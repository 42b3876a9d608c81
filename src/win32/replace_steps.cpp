#include "win32/replace_steps.h"

#include <windows.h>

#include <algorithm>

#include "owners.h"

namespace vk::win32 {

platform::FileAttributes Win32ReplaceSteps::Attributes(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return {};
  return {true, (attributes & FILE_ATTRIBUTE_READONLY) != 0, (attributes & FILE_ATTRIBUTE_HIDDEN) != 0,
          (attributes & FILE_ATTRIBUTE_SYSTEM) != 0};
}

bool Win32ReplaceSteps::CreateTemporary(const std::string& folder, std::string& temporaryPath) {
  char path[MAX_PATH + 1] = {};
  if (GetTempFileNameA(folder.c_str(), "vk", 0, path) == 0) return false;
  temporaryPath = path;
  return true;
}

bool Win32ReplaceSteps::WriteAll(const std::string& path, const std::string& bytes) {
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    if (!WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return FlushFileBuffers(file.Get()) != 0 && CloseHandle(file.Release()) != 0;
}

bool Win32ReplaceSteps::SetHiddenSystem(const std::string& path, bool hidden, bool system) {
  DWORD attributes = (hidden ? FILE_ATTRIBUTE_HIDDEN : 0) | (system ? FILE_ATTRIBUTE_SYSTEM : 0);
  if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
  return SetFileAttributesA(path.c_str(), attributes) != 0;
}

bool Win32ReplaceSteps::MoveOver(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32ReplaceSteps::Remove(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

}  // namespace vk::win32
