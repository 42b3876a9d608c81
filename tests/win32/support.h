#pragma once
// Helpers shared by the Win32 tests: the test program's folder, fresh names,
// child processes and the message queue.
#include <windows.h>

#include <string>

#include "owners.h"
#include "win32/handles.h"
#include "win32/forms/form_toolkit.h"

namespace vk::wintest {

// Folder of the running test program, with the built DLLs and programs; ends in '\'.
inline std::string OwnFolder() {
  char path[MAX_PATH * 2];
  const std::string file(path, GetModuleFileNameA(nullptr, path, sizeof path));
  return file.substr(0, file.find_last_of('\\') + 1);
}

// A fresh name in the temporary folder; nothing is made there.
inline std::string TemporaryName() {
  static int made = 0;
  char folder[MAX_PATH];
  return std::string(folder, GetTempPathA(MAX_PATH, folder)) + "vesperkit-test-" +
         std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made);
}

// Runs the command line and waits up to a minute; the exit code, or -1.
inline long RunAndWait(std::string command) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  const win32::UniqueHandle thread(process.hThread), started(process.hProcess);
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
  return static_cast<long>(code);
}

// Dispatches every message waiting for this thread, dialog keys included.
inline void PumpMessages(win32::Win32FormToolkit& toolkit) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (toolkit.PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace vk::wintest
