#include "component_test_support.h"

#include <fstream>

namespace vk::comtest {
namespace {

std::string Environment(const char* name) {
  char buffer[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return {};
  return std::string(buffer, length);
}

std::string ExecutableFolder() {
  char path[MAX_PATH * 2];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

HRESULT CallServerEntry(const std::string& dll_name, const char* entry) {
  HMODULE dll = LoadLibraryA((ComponentFolder() + dll_name).c_str());
  if (dll == nullptr) return HRESULT_FROM_WIN32(GetLastError());
  using Entry = HRESULT(STDAPICALLTYPE*)();
  auto function = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(dll, entry)));
  const HRESULT hr = function != nullptr ? function() : HRESULT_FROM_WIN32(GetLastError());
  FreeLibrary(dll);
  return hr;
}

}  // namespace

std::string ComponentFolder() {
  std::string bin = Environment("VESPERKIT_BIN");
  if (bin.empty()) return ExecutableFolder();
  if (bin.front() == '/') bin = "Z:" + bin;
  for (char& c : bin) {
    if (c == '/') c = '\\';
  }
  if (bin.back() != '\\') bin += '\\';
  return bin + "bin\\";
}

HRESULT RegisterDll(const std::string& dll_name) { return CallServerEntry(dll_name, "DllRegisterServer"); }
HRESULT UnregisterDll(const std::string& dll_name) { return CallServerEntry(dll_name, "DllUnregisterServer"); }

long RunRegsvr32(const std::string& arguments) {
  std::string command = "regsvr32.exe " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return -1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<long>(code);
}

std::string ClassesRootText(const std::string& path, const char* value_name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
  char text[1024] = {};
  DWORD size = sizeof text - 1;
  DWORD type = 0;
  const LONG status = RegQueryValueExA(key, value_name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_SZ ? std::string(text) : std::string();
}

bool ClassesRootKeyExists(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream file(path, std::ios::binary);
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

std::string TemporaryFileName() {
  char folder[MAX_PATH];
  char name[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "vkc", 0, name);
  DeleteFileA(name);
  return name;
}

}  // namespace vk::comtest
