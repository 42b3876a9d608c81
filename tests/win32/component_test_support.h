#pragma once
// Helpers for the component tests: finding and (un)registering the component
// DLLs, raw vtable calls, and reading the doubles' record file.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace vk::comtest {

// Folder of the component DLLs: $VESPERKIT_BIN\bin when set (a Unix path is
// reached through drive Z:), else the test program's own folder. Ends in '\'.
std::string ComponentFolder();

// Calls DllRegisterServer or DllUnregisterServer of the DLL in ComponentFolder().
HRESULT RegisterDll(const std::string& dll_name);
HRESULT UnregisterDll(const std::string& dll_name);

// Runs regsvr32 with the arguments and waits; the exit code, or -1.
long RunRegsvr32(const std::string& arguments);

// Default value of HKEY_CLASSES_ROOT\<path> (or the named value); empty when missing.
std::string ClassesRootText(const std::string& path, const char* value_name = nullptr);
bool ClassesRootKeyExists(const std::string& path);

// Vtable member `slot` of a COM object, cast to the signature F.
template <class F>
F Slot(void* object, int slot) {
  void** vtable = *static_cast<void***>(object);
  return reinterpret_cast<F>(vtable[slot]);
}

// All lines of a text file; empty when it does not exist.
std::vector<std::string> ReadLines(const std::string& path);

// A fresh temporary file name (the file is not left behind).
std::string TemporaryFileName();

}  // namespace vk::comtest
