#include "win32/files.h"

#include <windows.h>

#include <new>

#include "platform/atomic_replace.h"
#include "win32/replace_steps.h"
#include "owners.h"

namespace vk::win32 {

namespace {

std::string ModulePath() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

bool WriteAllBytes(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace

std::string Win32FileSystem::ProgramFolder() {
  std::string folder = FolderOf(ModulePath());
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';  // a drive root keeps its backslash
  return folder;
}

std::string Win32FileSystem::ExecutableBaseName() {
  const std::string path = ModulePath();
  std::string name = path.substr(path.find_last_of('\\') + 1);
  const auto dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

bool Win32FileSystem::ReadAll(const std::string& path, std::string& bytes) {
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
  // A file too large for this 32-bit process counts as unreadable.
  try {
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
  } catch (const std::bad_alloc&) {
    return false;
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr)) return false;
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return true;
}

bool Win32FileSystem::CreateIfMissing(const std::string& path) {
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.Valid();
}

bool Win32FileSystem::Append(const std::string& path, const std::string& bytes) {
  UniqueHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.Valid() && WriteAllBytes(file.Get(), bytes);
}

bool Win32FileSystem::ReplaceAtomically(const std::string& path, const std::string& bytes) {
  Win32ReplaceSteps steps;
  return platform::ReplaceAtomically(steps, path, bytes);
}

bool Win32FileSystem::ExistsAsNormalFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

bool Win32FileSystem::Delete(const std::string& path) {
  if (DeleteFileA(path.c_str())) return true;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Asking an empty removable drive would otherwise bring up the system's
// "no disk" box; here the caller decides what an unreadable drive means.
bool Win32FileSystem::FolderOnDrive(const std::string& drive, std::string& folder) {
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  char full[MAX_PATH] = {};
  const DWORD length = GetFullPathNameA(drive.c_str(), MAX_PATH, full, nullptr);
  const DWORD attributes = length > 0 && length < MAX_PATH ? GetFileAttributesA(full) : INVALID_FILE_ATTRIBUTES;
  SetErrorMode(oldMode);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
  folder.assign(full, length);
  if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  CharUpperBuffA(folder.data(), 1);  // "C:\...", as the current folder is written
  return true;
}

}  // namespace vk::win32
