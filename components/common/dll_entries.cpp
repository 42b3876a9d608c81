// The exports every component DLL has, each behind the COM guard.
#include "dll_entries.h"

#include "boundary_guard.h"
#include "module_state.h"

using vk::win32::GuardedCom;

STDAPI DllGetClassObject(REFCLSID class_id, REFIID iid, void** out) {
  return GuardedCom("DllGetClassObject", [&] {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    const vk::com::ServedClass served = vk::com::Served();
    if (!IsEqualCLSID(served.identity.class_id, class_id)) return CLASS_E_CLASSNOTAVAILABLE;
    return served.new_class_factory(iid, out);
  });
}

STDAPI DllCanUnloadNow() {
  return GuardedCom("DllCanUnloadNow", [] { return vk::com::CanUnloadModule(); });
}

STDAPI DllRegisterServer() {
  return GuardedCom("DllRegisterServer", [] { return vk::com::RegisterServer(vk::com::Served().identity); });
}

STDAPI DllUnregisterServer() {
  return GuardedCom("DllUnregisterServer", [] { return vk::com::UnregisterServer(vk::com::Served().identity); });
}
