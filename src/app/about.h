#pragma once
// The tray menu's way to the About box.
namespace vk::app {

struct AppState;

// Opens one more About box, modeless; it lives until it is closed.
void ShowAbout(AppState& state);

}  // namespace vk::app
