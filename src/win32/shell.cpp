#include "win32/shell.h"

#include <windows.h>

#include "owners.h"

namespace vk::win32 {

int Win32MessageBoxes::Show(const std::string& text, const std::string& title, std::uint32_t style) {
  // The program has no visible main window: the box must come to the front
  // by itself rather than hide behind the user's work.
  return MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), style | MB_SETFOREGROUND);
}

void Win32AppShell::SetMousePointer(int pointer) {
  SetCursor(LoadCursor(nullptr, pointer == platform::kPointerHourglass ? IDC_WAIT : IDC_ARROW));
}

bool Win32Launcher::Start(const std::string& path) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + path + "\"";
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  UniqueHandle thread(process.hThread);
  UniqueHandle child(process.hProcess);
  return true;
}

}  // namespace vk::win32
