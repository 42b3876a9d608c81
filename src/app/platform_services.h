#pragma once
// Every port the program uses, gathered once by the entry (Windows adapters)
// or by a test (fakes).
#include "app/component_factory.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/tray.h"
#include "platform/window_services.h"

namespace vk::app {

struct PlatformServices {
  platform::Registry& registry;
  platform::FileSystem& files;
  platform::Clock& clock;
  platform::Tray& tray;
  platform::WindowServices& windows;
  platform::MessageBoxes& messages;
  platform::AppShell& shell;
  platform::ProgramLauncher& launcher;
  platform::FormToolkit& forms;
  ComponentFactory& components;
};

}  // namespace vk::app
