#include "power_control_double.h"

#include "recorder.h"

namespace vk::doubles {
namespace {

constexpr const char* kComponent = "PowerControl";

}  // namespace

PowerControlDoubleMembers::PowerControlDoubleMembers() { Record("PowerControl.Created"); }
PowerControlDoubleMembers::~PowerControlDoubleMembers() { Record("PowerControl.Released"); }

HRESULT PowerControlDoubleMembers::get_PowerAction(LONG* code) {
  return RecordedGet(kComponent, "PowerAction", action_, code);
}

HRESULT PowerControlDoubleMembers::put_PowerAction(LONG* code) {
  return RecordedPut(kComponent, "PowerAction", code, action_);
}

HRESULT PowerControlDoubleMembers::get_ForceAction(LONG* force) {
  return RecordedGet(kComponent, "ForceAction", force_, force);
}

HRESULT PowerControlDoubleMembers::put_ForceAction(LONG* force) {
  return RecordedPut(kComponent, "ForceAction", force, force_);
}

HRESULT PowerControlDoubleMembers::get_AltShutdownSupported(VARIANT_BOOL* supported) {
  return RecordedGet(kComponent, "AltShutdownSupported", ConfiguredAnswer("VESPERKIT_DOUBLE_ALTSHUTDOWN"), supported);
}

HRESULT PowerControlDoubleMembers::get_HibernateSupported(VARIANT_BOOL* supported) {
  return RecordedGet(kComponent, "HibernateSupported", ConfiguredAnswer("VESPERKIT_DOUBLE_HIBERNATE"), supported);
}

HRESULT PowerControlDoubleMembers::DoPowerAction(LONG* result) {
  return RecordedGet(kComponent, "DoPowerAction", LONG{0}, result);
}

}  // namespace vk::doubles
