#pragma once
// The PowerControl object: remembers the action and the force value, answers
// the two capability questions from the running system, and carries out the
// action on DoPowerAction (see components/README.md for what each code does).
#include "power_control_com.h"

namespace vk::power {

// The members of IPowerControl as the component carries them out; the COM
// face calls them.
class PowerControlMembers {
 public:
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

using PowerControlObject = com::PowerControlCom<PowerControlMembers>;

}  // namespace vk::power
