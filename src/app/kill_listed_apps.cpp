#include "app/kill_listed_apps.h"

#include "app/app_state.h"
#include "forceclose/kill_proc.h"

namespace vk::app {

void KillListedApps(AppState& state) {
  forceclose::KillListedApps({state.schedule.ForceAppClose, state.AppEntries, state.gProcessControl,
                              state.platform.components, state.platform.windows, state.platform.files});
}

}  // namespace vk::app
