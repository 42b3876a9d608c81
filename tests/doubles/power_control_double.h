#pragma once
// Stands in for PowerControl in tests: records every call, performs nothing.
#include "power_control_com.h"
#include "recorder.h"

namespace vk::doubles {

class PowerControlDoubleMembers {
 public:
  PowerControlDoubleMembers() { Record("PowerControl.Created"); }
  ~PowerControlDoubleMembers() { Record("PowerControl.Released"); }

  HRESULT get_PowerAction(LONG* code) { return RecordedGet(kComponent, "PowerAction", action_, code); }
  HRESULT put_PowerAction(LONG* code) { return RecordedPut(kComponent, "PowerAction", code, action_); }
  HRESULT get_ForceAction(LONG* force) { return RecordedGet(kComponent, "ForceAction", force_, force); }
  HRESULT put_ForceAction(LONG* force) { return RecordedPut(kComponent, "ForceAction", force, force_); }
  HRESULT get_AltShutdownSupported(VARIANT_BOOL* supported) {
    return RecordedGet(kComponent, "AltShutdownSupported", ConfiguredAnswer("VESPERKIT_DOUBLE_ALTSHUTDOWN"), supported);
  }
  HRESULT get_HibernateSupported(VARIANT_BOOL* supported) {
    return RecordedGet(kComponent, "HibernateSupported", ConfiguredAnswer("VESPERKIT_DOUBLE_HIBERNATE"), supported);
  }
  HRESULT DoPowerAction(LONG* result) { return RecordedGet(kComponent, "DoPowerAction", LONG{0}, result); }

 private:
  static constexpr const char* kComponent = "PowerControl";
  LONG action_ = 0;
  LONG force_ = 0;
};

using PowerControlDouble = com::PowerControlCom<PowerControlDoubleMembers>;

}  // namespace vk::doubles
