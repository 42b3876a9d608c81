#pragma once
// Creates the two components by class identifier. Start-up creates both; the
// countdown and the closing of listed programs re-create one when they find
// its variable empty.
#include "forceclose/process_control.h"
#include "shutdown/power_control.h"

namespace vk::app {

class ComponentFactory : public shutdown::PowerControlFactory, public forceclose::ProcessControlFactory {};

}  // namespace vk::app
