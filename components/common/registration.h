#pragma once
// Self-registration of an in-process server: the class key with its
// InprocServer32 (apartment-threaded), the ProgID, and the type library the
// DLL carries. What one DLL registers, the same identity unregisters, whichever
// DLL of that class registered it last.
#include <windows.h>

namespace vk::com {

struct ServerIdentity {
  const CLSID& class_id;
  const GUID& library_id;
  const wchar_t* description;  // default value of the class and ProgID keys
  const wchar_t* prog_id;      // e.g. L"Vesperkit.PowerControl"
  unsigned short library_major;
  unsigned short library_minor;
};

// Bodies of DllRegisterServer and DllUnregisterServer.
HRESULT RegisterServer(const ServerIdentity& server);
HRESULT UnregisterServer(const ServerIdentity& server);

}  // namespace vk::com
