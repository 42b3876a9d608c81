// The program's entry: wires the Windows adapters into the application state,
// runs the start-up and then the message loop until the program ends.
#include <windows.h>
#include <commctrl.h>

#include "app/app_state.h"
#include "app/startup.h"
#include "owners.h"
#include "win32/clock.h"
#include "win32/com_components.h"
#include "win32/files.h"
#include "win32/forms/form_toolkit.h"
#include "win32/registry.h"
#include "win32/shell.h"
#include "win32/start_checks.h"
#include "win32/tray.h"
#include "win32/window_services.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // COM stays initialised for the life of the message loop.
  vk::com::ComApartment apartment;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_DATE_CLASSES | ICC_UPDOWN_CLASS |
                                                     ICC_LINK_CLASS | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  vk::win32::Win32MessageBoxes messages;
  vk::win32::Win32FormToolkit forms(instance);
  if (const int cannot = vk::win32::CheckCanStart(apartment, forms, messages)) return cannot;

  vk::win32::Win32Registry registry;
  vk::win32::Win32FileSystem files;
  vk::win32::Win32Clock clock;
  vk::win32::Win32Tray tray;
  vk::win32::Win32WindowServices windows;
  vk::win32::Win32AppShell shell;
  vk::win32::Win32Launcher launcher;
  vk::win32::ComComponentFactory components;

  vk::app::PlatformServices services{registry, files, clock, tray, windows, messages, shell, launcher, forms,
                                     components};
  vk::app::AppState state(services);
  const int startup = vk::app::Startup(state);
  if (startup != 0) return startup;
  return forms.RunMessageLoop();
}
