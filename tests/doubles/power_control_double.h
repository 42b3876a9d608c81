#pragma once
// Stands in for PowerControl in tests: records every call, performs nothing.
#include "power_control_com.h"

namespace vk::doubles {

class PowerControlDoubleMembers {
 public:
  PowerControlDoubleMembers();
  ~PowerControlDoubleMembers();

  HRESULT get_PowerAction(LONG* code);
  HRESULT put_PowerAction(LONG* code);
  HRESULT get_ForceAction(LONG* force);
  HRESULT put_ForceAction(LONG* force);
  HRESULT get_AltShutdownSupported(VARIANT_BOOL* supported);
  HRESULT get_HibernateSupported(VARIANT_BOOL* supported);
  HRESULT DoPowerAction(LONG* result);

 private:
  LONG action_ = 0;
  LONG force_ = 0;
};

using PowerControlDouble = com::PowerControlCom<PowerControlDoubleMembers>;

}  // namespace vk::doubles
