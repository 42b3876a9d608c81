#include "registration.h"

#include <oleauto.h>
#include <olectl.h>

#include <string>
#include <utility>

#include "owners.h"
#include "module_state.h"

namespace vk::com {
namespace {

using win32::UniqueRegKey;

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

bool SetText(HKEY key, const wchar_t* name, const std::wstring& value) {
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
}

// Creates (or opens) parent\path and sets its default value.
bool WriteKey(HKEY parent, const std::wstring& path, const std::wstring& value, UniqueRegKey& key) {
  if (RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.Put(),
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  return SetText(key.Get(), nullptr, value);
}

// Removes parent\name with everything below it; a missing key is no error.
bool DeleteTree(HKEY parent, const std::wstring& name) {
  {
    UniqueRegKey key;
    const LONG opened = RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | KEY_WRITE, key.Put());
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    wchar_t child[256];
    for (;;) {
      DWORD length = 256;
      if (RegEnumKeyExW(key.Get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      if (!DeleteTree(key.Get(), child)) return false;
    }
  }
  return RegDeleteKeyW(parent, name.c_str()) == ERROR_SUCCESS;
}

bool WriteClassKeys(const ServerIdentity& server, const std::wstring& module_path) {
  const std::wstring class_path = L"CLSID\\" + GuidText(server.class_id);
  UniqueRegKey class_key;
  if (!WriteKey(HKEY_CLASSES_ROOT, class_path, server.description, class_key)) return false;
  UniqueRegKey inproc;
  if (!WriteKey(class_key.Get(), L"InprocServer32", module_path, inproc)) return false;
  if (!SetText(inproc.Get(), L"ThreadingModel", L"Apartment")) return false;
  UniqueRegKey prog_id;
  if (!WriteKey(class_key.Get(), L"ProgID", server.prog_id, prog_id)) return false;
  UniqueRegKey type_lib;
  return WriteKey(class_key.Get(), L"TypeLib", GuidText(server.library_id), type_lib);
}

bool WriteProgIdKeys(const ServerIdentity& server) {
  UniqueRegKey prog_id;
  if (!WriteKey(HKEY_CLASSES_ROOT, server.prog_id, server.description, prog_id)) return false;
  UniqueRegKey class_id;
  return WriteKey(prog_id.Get(), L"CLSID", GuidText(server.class_id), class_id);
}

}  // namespace

HRESULT RegisterServer(const ServerIdentity& server) {
  const std::wstring path = ModulePath();
  if (path.empty()) return E_UNEXPECTED;
  if (!WriteClassKeys(server, path) || !WriteProgIdKeys(server)) return SELFREG_E_CLASS;
  ComPtr<ITypeLib> library;
  if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, library.Put()))) return SELFREG_E_TYPELIB;
  return S_OK;
}

HRESULT UnregisterServer(const ServerIdentity& server) {
  // The type library may already be gone (another DLL of the same class
  // unregistered it); that is the state wanted, so its result is not kept.
  UnRegisterTypeLib(server.library_id, server.library_major, server.library_minor, LOCALE_NEUTRAL, SYS_WIN32);
  const bool class_gone = DeleteTree(HKEY_CLASSES_ROOT, L"CLSID\\" + GuidText(server.class_id));
  const bool prog_id_gone = DeleteTree(HKEY_CLASSES_ROOT, server.prog_id);
  return class_gone && prog_id_gone ? S_OK : SELFREG_E_CLASS;
}

}  // namespace vk::com
