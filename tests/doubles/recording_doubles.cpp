// PowerControlDouble.dll and ProcessControlDouble.dll: the components' classes
// served by doubles that record every call and perform nothing (README.md).
// Built once per DLL; VESPERKIT_SERVES_POWER says which class it serves.
#include <windows.h>
#include <oleauto.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include "class_factory.h"
#include "dll_entries.h"
#include "module_state.h"
#include "power_control_com.h"
#include "power_control_identity.h"
#include "process_control_com.h"
#include "process_control_identity.h"

namespace vk::doubles {
namespace {

// Empty when the variable is unset. Read afresh on each call, so a test may
// change it between calls of one object.
std::string Environment(const char* name) {
  char buffer[1024];
  const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
  return length < sizeof buffer ? std::string(buffer, length) : std::string();
}

// The wide text in the ANSI code page the program started from.
std::string Ansi(const wchar_t* text, size_t length) {
  std::string ansi(length * 4, '\0');
  ansi.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), ansi.data(),
                                                      static_cast<int>(ansi.size()), nullptr, nullptr)));
  return ansi;
}

// Appends "<line>\n" to VESPERKIT_RECORD_FILE, else to calls.log beside the
// DLL; opened and closed for each line, so a test can read it at any moment.
void Record(const std::string& line) {
  std::string path = Environment("VESPERKIT_RECORD_FILE");
  const std::wstring dll = com::ModulePath();
  if (path.empty()) path = Ansi(dll.c_str(), dll.find_last_of(L"\\/") + 1) + "calls.log";
  std::ofstream(path, std::ios::app | std::ios::binary) << line << '\n';
}

// Whether the variable's comma-separated names hold the member, alone or
// qualified with its component ("PowerControl.DoPowerAction").
bool Names(const char* variable, const std::string& component, const std::string& member) {
  const std::string names = "," + Environment(variable) + ",";
  return names.find("," + member + ",") != std::string::npos ||
         names.find("," + component + "." + member + ",") != std::string::npos;
}

// Records "<component>.<member>" (with "=<value>" when given); the member then
// throws when VESPERKIT_DOUBLE_THROW names it, fails with E_FAIL when
// VESPERKIT_DOUBLE_FAIL does, else succeeds.
HRESULT RecordCall(const char* component, const char* member, const char* value = nullptr) {
  Record(std::string(component) + "." + member + (value ? "=" + std::string(value) : ""));
  if (Names("VESPERKIT_DOUBLE_THROW", component, member)) throw std::runtime_error(std::string(member) + " threw");
  return Names("VESPERKIT_DOUBLE_FAIL", component, member) ? E_FAIL : S_OK;
}

// A get gives what was stored, or 0 when it fails.
template <class T>
HRESULT Get(const char* component, const char* member, T stored, T* out) {
  const HRESULT hr = RecordCall(component, member);
  if (out == nullptr) return E_POINTER;
  *out = SUCCEEDED(hr) ? stored : T{};
  return hr;
}

// A put keeps its value only when it succeeds; a null one records "=(null)".
HRESULT Put(const char* component, const char* member, const LONG* value, LONG& store) {
  const HRESULT hr = RecordCall(component, member, value ? std::to_string(*value).c_str() : "(null)");
  if (value != nullptr && SUCCEEDED(hr)) store = *value;
  return value == nullptr ? E_POINTER : hr;
}

// -1 unless the variable holds "0".
VARIANT_BOOL Answer(const char* variable) { return Environment(variable) == "0" ? VARIANT_FALSE : VARIANT_TRUE; }

constexpr const char* kPower = "PowerControl";
constexpr const char* kProcess = "ProcessControl";

class PowerMembers {
 public:
  PowerMembers() { Record("PowerControl.Created"); }
  ~PowerMembers() { Record("PowerControl.Released"); }
  HRESULT get_PowerAction(LONG* code) { return Get(kPower, "PowerAction", action_, code); }
  HRESULT put_PowerAction(LONG* code) { return Put(kPower, "PowerAction", code, action_); }
  HRESULT get_ForceAction(LONG* force) { return Get(kPower, "ForceAction", force_, force); }
  HRESULT put_ForceAction(LONG* force) { return Put(kPower, "ForceAction", force, force_); }
  HRESULT get_AltShutdownSupported(VARIANT_BOOL* answer) {
    return Get(kPower, "AltShutdownSupported", Answer("VESPERKIT_DOUBLE_ALTSHUTDOWN"), answer);
  }
  HRESULT get_HibernateSupported(VARIANT_BOOL* answer) {
    return Get(kPower, "HibernateSupported", Answer("VESPERKIT_DOUBLE_HIBERNATE"), answer);
  }
  HRESULT DoPowerAction(LONG* result) { return Get(kPower, "DoPowerAction", LONG{0}, result); }

 private:
  LONG action_ = 0, force_ = 0;
};

class ProcessMembers {
 public:
  ProcessMembers() { Record("ProcessControl.Created"); }
  ~ProcessMembers() { Record("ProcessControl.Released"); }
  HRESULT get_Flags(LONG* flags) { return Get(kProcess, "Flags", flags_, flags); }
  HRESULT put_Flags(LONG* flags) { return Put(kProcess, "Flags", flags, flags_); }
  HRESULT put_ProcessPath(BSTR* path) {
    const HRESULT hr = RecordCall(kProcess, "ProcessPath", path ? Ansi(*path, SysStringLen(*path)).c_str() : "(null)");
    if (path != nullptr && SUCCEEDED(hr)) path_.assign(*path, SysStringLen(*path));
    return path == nullptr ? E_POINTER : hr;
  }
  HRESULT get_ProcessPath(BSTR* path) {
    const HRESULT hr = RecordCall(kProcess, "ProcessPath");
    if (path == nullptr) return E_POINTER;
    *path = SUCCEEDED(hr) ? SysAllocStringLen(path_.data(), static_cast<UINT>(path_.size())) : nullptr;
    return SUCCEEDED(hr) && *path == nullptr ? E_OUTOFMEMORY : hr;
  }
  HRESULT get_ProcessesFound(LONG* count) { return Get(kProcess, "ProcessesFound", LONG{0}, count); }
  HRESULT get_GraceMilliseconds(LONG* grace) { return Get(kProcess, "GraceMilliseconds", grace_, grace); }
  HRESULT put_GraceMilliseconds(LONG grace) { return Put(kProcess, "GraceMilliseconds", &grace, grace_); }
  HRESULT get_LastError(LONG* code) { return Get(kProcess, "LastError", LONG{0}, code); }
  HRESULT EndProcess(LONG* result) { return Get(kProcess, "EndProcess", LONG{0}, result); }

 private:
  LONG flags_ = 0, grace_ = 5000;
  std::wstring path_;
};

}  // namespace
}  // namespace vk::doubles

vk::com::ServedClass vk::com::Served() {
  if constexpr (VESPERKIT_SERVES_POWER)
    return {kPowerControlServer, &NewClassFactory<PowerControlCom<doubles::PowerMembers>>};
  return {kProcessControlServer, &NewClassFactory<ProcessControlCom<doubles::ProcessMembers>>};
}
