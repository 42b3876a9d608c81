// PowerControlDouble.dll: serves the PowerControl class with the recording double.
#include "class_factory.h"
#include "module_state.h"
#include "power_control_double.h"
#include "power_control_identity.h"

STDAPI DllGetClassObject(REFCLSID class_id, REFIID iid, void** out) {
  return vk::com::GetClassObject<vk::doubles::PowerControlDouble>(CLSID_PowerControl, class_id, iid, out);
}

STDAPI DllCanUnloadNow() { return vk::com::CanUnloadModule(); }
STDAPI DllRegisterServer() { return vk::com::RegisterServer(vk::com::kPowerControlServer); }
STDAPI DllUnregisterServer() { return vk::com::UnregisterServer(vk::com::kPowerControlServer); }
