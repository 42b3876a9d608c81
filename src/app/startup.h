#pragma once
// The program's start-up: creates the shared objects, loads the hidden main
// form and puts the icon into the tray.
#include "app/app_state.h"

namespace vk::app {

inline constexpr int kExitMissingComponent = 2;

// Returns 0 when the program is resident, or the exit code to end with.
int Startup(AppState& state);

}  // namespace vk::app
