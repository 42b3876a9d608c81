#include "power_support.h"

#include <windows.h>
#include <powrprof.h>

namespace vk::power {

bool HibernateAllowed() { return IsPwrHibernateAllowed() != FALSE; }

bool AltShutdownAvailable() {
  // Looked up rather than linked, so the DLL still loads where it is missing.
  HMODULE advapi = GetModuleHandleW(L"advapi32.dll");
  return advapi != nullptr && GetProcAddress(advapi, "InitiateShutdownA") != nullptr;
}

}  // namespace vk::power
