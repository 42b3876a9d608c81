#pragma once
// Closing the listed programs just before the power action.
#include <memory>

#include "forceclose/app_entry.h"
#include "forceclose/process_control.h"
#include "platform/files.h"
#include "platform/types.h"
#include "platform/window_services.h"

namespace vk::forceclose {

// What KillListedApps reads, and the component slot it fills when empty.
struct KillProcContext {
  const VbBool& ForceAppClose;
  const AppEntryList& AppEntries;
  std::unique_ptr<ProcessControl>& gProcessControl;
  ProcessControlFactory& factory;
  platform::WindowServices& windows;
  platform::FileSystem& files;
};

// Hands every checked program of the list to ProcessControl when forced
// application close is on, and on the older system generation the program's
// own executable as well. Ignores every failure and always returns, so the
// power action that follows happens in any case.
void KillListedApps(const KillProcContext& context);

}  // namespace vk::forceclose
