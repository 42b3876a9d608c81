// The DLL's entry points: ProcessControl.dll serves the one ProcessControl class.
#include "class_factory.h"
#include "module_state.h"
#include "process_control_identity.h"
#include "process_control_object.h"

STDAPI DllGetClassObject(REFCLSID class_id, REFIID iid, void** out) {
  return vk::com::GetClassObject<vk::process::ProcessControlObject>(CLSID_ProcessControl, class_id, iid, out);
}

STDAPI DllCanUnloadNow() { return vk::com::CanUnloadModule(); }
STDAPI DllRegisterServer() { return vk::com::RegisterServer(vk::com::kProcessControlServer); }
STDAPI DllUnregisterServer() { return vk::com::UnregisterServer(vk::com::kProcessControlServer); }
