#pragma once
// The countdown's one call for closing the listed programs before the power
// action.
namespace vk::app {

struct AppState;

void KillListedApps(AppState& state);

}  // namespace vk::app
