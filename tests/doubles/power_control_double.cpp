#include "power_control_double.h"

#include "recorder.h"

namespace vk::doubles {
namespace {

constexpr const char* kComponent = "PowerControl";

}  // namespace

PowerControlDouble::PowerControlDouble() : DispatchObject(IID_IPowerControl) { Record("PowerControl.Created"); }
PowerControlDouble::~PowerControlDouble() { Record("PowerControl.Released"); }

HRESULT PowerControlDouble::get_PowerAction(LONG* code) {
  return RecordedGet(kComponent, "PowerAction", action_, code);
}

HRESULT PowerControlDouble::put_PowerAction(LONG* code) {
  return RecordedPut(kComponent, "PowerAction", code, action_);
}

HRESULT PowerControlDouble::get_ForceAction(LONG* force) {
  return RecordedGet(kComponent, "ForceAction", force_, force);
}

HRESULT PowerControlDouble::put_ForceAction(LONG* force) {
  return RecordedPut(kComponent, "ForceAction", force, force_);
}

HRESULT PowerControlDouble::get_AltShutdownSupported(VARIANT_BOOL* supported) {
  return RecordedGet(kComponent, "AltShutdownSupported", ConfiguredAnswer("VESPERKIT_DOUBLE_ALTSHUTDOWN"), supported);
}

HRESULT PowerControlDouble::get_HibernateSupported(VARIANT_BOOL* supported) {
  return RecordedGet(kComponent, "HibernateSupported", ConfiguredAnswer("VESPERKIT_DOUBLE_HIBERNATE"), supported);
}

HRESULT PowerControlDouble::DoPowerAction(LONG* result) {
  return RecordedGet(kComponent, "DoPowerAction", LONG{0}, result);
}

}  // namespace vk::doubles
