#include "recorder.h"

#include <oleauto.h>

#include <stdexcept>

#include "module_state.h"

namespace vk::doubles {
namespace {

// Empty when the variable is unset.
std::string Environment(const char* name) {
  char buffer[1024];
  const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return {};
  return std::string(buffer, length);
}

std::wstring RecordFile() {
  const std::string chosen = Environment("VESPERKIT_RECORD_FILE");
  if (!chosen.empty()) {
    const int size = static_cast<int>(chosen.size());
    std::wstring wide(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, chosen.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, chosen.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
  }
  std::wstring path = com::ModulePath();
  path.resize(path.find_last_of(L"\\/") + 1);
  return path + L"calls.log";
}

// The variable holds one member name, or several separated by commas; a name
// may be qualified with its component ("PowerControl.DoPowerAction").
bool Names(const char* variable, const std::string& component, const std::string& member) {
  const std::string names = Environment(variable);
  size_t start = 0;
  while (start <= names.size()) {
    size_t end = names.find(',', start);
    if (end == std::string::npos) end = names.size();
    const std::string name = names.substr(start, end - start);
    if (name == member || name == component + "." + member) return true;
    start = end + 1;
  }
  return false;
}

// How a recorded call is to end, as the environment asks.
HRESULT Outcome(const char* component, const char* member) {
  if (Names("VESPERKIT_DOUBLE_THROW", component, member)) throw std::runtime_error(std::string(member) + " threw");
  return Names("VESPERKIT_DOUBLE_FAIL", component, member) ? E_FAIL : S_OK;
}

}  // namespace

void Record(const std::string& line) {
  const std::wstring path = RecordFile();
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

HRESULT RecordCall(const char* component, const char* member) {
  Record(std::string(component) + "." + member);
  return Outcome(component, member);
}

HRESULT RecordCall(const char* component, const char* member, const std::string& value) {
  Record(std::string(component) + "." + member + "=" + value);
  return Outcome(component, member);
}

HRESULT RecordedPut(const char* component, const char* member, const LONG* value, LONG& store) {
  if (value == nullptr) {
    RecordCall(component, member, "(null)");
    return E_POINTER;
  }
  const HRESULT hr = RecordCall(component, member, std::to_string(*value));
  if (SUCCEEDED(hr)) store = *value;
  return hr;
}

VARIANT_BOOL ConfiguredAnswer(const char* variable) {
  return Environment(variable) == "0" ? VARIANT_FALSE : VARIANT_TRUE;
}

std::string ToAnsi(BSTR text) {
  const int length = static_cast<int>(SysStringLen(text));
  if (length == 0) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, ansi.data(), size, nullptr, nullptr);
  return ansi;
}

}  // namespace vk::doubles
