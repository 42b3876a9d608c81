// Reports through its exit code the major version OSMajorVersion() gives in a
// fresh process: Wine fixes the version it imitates when a process starts.
#include "ui/window_helpers.h"
#include "win32/window_services.h"

int main() {
  vk::win32::Win32WindowServices windows;
  return static_cast<int>(vk::ui::OSMajorVersion(windows));
}
