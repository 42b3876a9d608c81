#pragma once
// Carrying out a planned power action on the running system.
#include <windows.h>

#include "power_plan.h"

namespace vk::power {

// Enables the shutdown privilege in the process's token and checks that it
// was granted: S_OK, or the system's refusal as an HRESULT (a token without
// the privilege gives HRESULT_FROM_WIN32(ERROR_PRIVILEGE_NOT_HELD)). Systems
// without process tokens need no privilege: S_OK.
HRESULT EnableShutdownPrivilege();

// Makes the plan's call. A shutdown returns once the system has accepted it;
// a suspend or hibernation returns after the machine has woken again. The
// system's refusal comes back as an HRESULT; error receives its Win32 code
// (0 on success).
HRESULT CarryOut(const PowerPlan& plan, DWORD& error);

}  // namespace vk::power
