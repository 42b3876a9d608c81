#include "process_matching.h"

#include <psapi.h>
#include <tlhelp32.h>

namespace vk::process {
namespace {

constexpr DWORD kAccess = PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;

bool IsAbsolute(const std::wstring& path) {
  const bool drive = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
  const bool share = path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
  return drive || share;
}

std::wstring FullPath(const std::wstring& path) {
  std::wstring full(MAX_PATH, L'\0');
  DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  full.resize(length < full.size() ? length : 0);
  return full;
}

// Short (8.3) names become long ones when the file is there to ask.
std::wstring LongPath(const std::wstring& path) {
  std::wstring longer(MAX_PATH, L'\0');
  DWORD length = GetLongPathNameW(path.c_str(), longer.data(), static_cast<DWORD>(longer.size()));
  if (length >= longer.size()) {
    longer.resize(length);
    length = GetLongPathNameW(path.c_str(), longer.data(), static_cast<DWORD>(longer.size()));
  }
  if (length == 0 || length >= longer.size()) return path;
  longer.resize(length);
  return longer;
}

std::wstring Upper(std::wstring text) {
  if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::wstring FileName(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// The newer call also reads the image of a 64-bit process from this 32-bit
// one; the older one serves where the newer is missing.
std::wstring ImagePath(HANDLE process) {
  using QueryImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);
  static const auto query = reinterpret_cast<QueryImageName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "QueryFullProcessImageNameW")));
  std::wstring path(32768, L'\0');
  DWORD length = static_cast<DWORD>(path.size());
  if (query == nullptr || !query(process, 0, path.data(), &length)) {
    length = GetModuleFileNameExW(process, nullptr, path.data(), static_cast<DWORD>(path.size()));
  }
  path.resize(length < path.size() ? length : 0);
  return path;
}

// Processes whose executable has the file name, by the system's own list.
std::vector<DWORD> ProcessesNamed(const std::wstring& upperFileName) {
  std::vector<DWORD> ids;
  OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return ids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
    if (entry.th32ProcessID != GetCurrentProcessId() && Upper(FileName(entry.szExeFile)) == upperFileName) {
      ids.push_back(entry.th32ProcessID);
    }
  }
  return ids;
}

}  // namespace

std::wstring ComparablePath(const std::wstring& path) {
  if (path.find(L'\0') != std::wstring::npos || !IsAbsolute(path)) return {};
  const std::wstring full = FullPath(path);
  return full.empty() ? full : Upper(LongPath(full));
}

std::vector<RunningProcess> FindProcesses(const std::wstring& path) {
  std::vector<RunningProcess> found;
  const std::wstring wanted = ComparablePath(path);
  if (wanted.empty()) return found;
  for (DWORD id : ProcessesNamed(FileName(wanted))) {
    OwnedHandle handle(OpenProcess(kAccess, FALSE, id));
    if (handle && ComparablePath(ImagePath(handle.Get())) == wanted) found.push_back({id, std::move(handle)});
  }
  return found;
}

}  // namespace vk::process
