#include "app/app_state.h"

#include "app/frm_main.h"

namespace vk::app {

AppState::AppState(PlatformServices& services) : platform(services) {}

AppState::~AppState() = default;

}  // namespace vk::app
