// ProcessControlDouble.dll: serves the ProcessControl class with the recording double.
#include "class_factory.h"
#include "module_state.h"
#include "process_control_double.h"
#include "process_control_identity.h"

STDAPI DllGetClassObject(REFCLSID class_id, REFIID iid, void** out) {
  return vk::com::GetClassObject<vk::doubles::ProcessControlDouble>(CLSID_ProcessControl, class_id, iid, out);
}

STDAPI DllCanUnloadNow() { return vk::com::CanUnloadModule(); }
STDAPI DllRegisterServer() { return vk::com::RegisterServer(vk::com::kProcessControlServer); }
STDAPI DllUnregisterServer() { return vk::com::UnregisterServer(vk::com::kProcessControlServer); }
