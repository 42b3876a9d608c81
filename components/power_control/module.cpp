// The DLL's entry points: PowerControl.dll serves the one PowerControl class.
#include "class_factory.h"
#include "module_state.h"
#include "power_control_identity.h"
#include "power_control_object.h"

STDAPI DllGetClassObject(REFCLSID class_id, REFIID iid, void** out) {
  return vk::com::GetClassObject<vk::power::PowerControlObject>(CLSID_PowerControl, class_id, iid, out);
}

STDAPI DllCanUnloadNow() { return vk::com::CanUnloadModule(); }
STDAPI DllRegisterServer() { return vk::com::RegisterServer(vk::com::kPowerControlServer); }
STDAPI DllUnregisterServer() { return vk::com::UnregisterServer(vk::com::kPowerControlServer); }
