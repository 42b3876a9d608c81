#pragma once
// Every fake port wired into one PlatformServices and a fresh AppState.
#include "app/app_state.h"
#include "app/frm_main.h"
#include "fakes/fake_components.h"
#include "fakes/fake_files.h"
#include "fakes/fake_forms.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"

namespace vk::fakes {

// Where the program keeps its settings, below HKEY_LOCAL_MACHINE.
constexpr const char* kSettingsPath = "Software\\Quillfield Systems Ltd\\Vesperkit\\Settings";
// The journal's note of the warning that checking a forcing switch gives.
constexpr const char* kForceWarning =
    "MessageBox Vesperkit 4112: Enabling this option will force the system to shutdown.\r\n"
    "This will result in any unsaved work being lost.\r\nUse with caution!|";

struct TestWorld {
  Journal journal;
  FakeRegistry registry;
  FakeFileSystem files;
  FakeClock clock;
  FakeTray tray{journal};
  FakeWindowServices windows{journal};
  FakeShell shell{journal};
  FakeFormToolkit forms{journal, windows};
  FakeComponentFactory components{journal};
  app::PlatformServices services{registry, files, clock, tray, windows, shell, shell, shell, forms, components};
  app::AppState state{services};
  // The main form of a started program.
  FakeFormHost& Main() { return static_cast<FakeFormHost&>(state.gFrmMain->Host()); }
};

}  // namespace vk::fakes
