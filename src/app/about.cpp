#include "app/about.h"

#include "app/app_state.h"

namespace vk::app {

void ShowAbout(AppState& state) {
  PlatformServices& p = state.platform;
  state.aboutBoxes.Open(
      {p.forms, p.registry, p.files, p.launcher, p.messages, p.shell, state.MenuDefault, state.LastMenuDefault});
}

}  // namespace vk::app
