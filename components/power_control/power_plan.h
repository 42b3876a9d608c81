#pragma once
// How an action code and a force value become one of the system's power
// calls. Nothing here acts: the plan is carried out by power_action.cpp.
#include <windows.h>

namespace vk::power {

enum class PowerCall {
  None,              // the code or the force value is not one the contract knows
  ExitWindows,       // ExitWindowsEx: shut down and power off (code 16)
  InitiateShutdown,  // InitiateShutdownA, the newer path: shut down and power off (code 2)
  Suspend,           // SetSuspendState without hibernation (code 64)
  Hibernate,         // SetSuspendState with hibernation (code 32)
};

// Flags of InitiateShutdownA, named here because older headers lack them.
inline constexpr DWORD kShutdownForceOthers = 0x00000001;
inline constexpr DWORD kShutdownPowerOff = 0x00000008;

struct PowerPlan {
  PowerCall call = PowerCall::None;
  bool forced = false;
  UINT exitFlags = 0;      // ExitWindowsEx
  DWORD shutdownFlags = 0;  // InitiateShutdownA
};

// action: 16, 2, 64 or 32; force: -1 forced or 0 not. Anything else plans no call.
PowerPlan PlanPowerAction(LONG action, LONG force);

// The reason the shutdown calls give the system: planned, "other".
inline constexpr DWORD kShutdownReason = SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER |
                                         SHTDN_REASON_FLAG_PLANNED;

}  // namespace vk::power
