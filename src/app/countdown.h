#pragma once
// The due tick's way to the countdown warning.
namespace vk::app {

struct AppState;

// Fills AppState::ShowCountdown: a fresh countdown over the main form, whose
// Stop Timer and KillListedApps are the main form's and the force list's.
void ConnectCountdown(AppState& state);

}  // namespace vk::app
