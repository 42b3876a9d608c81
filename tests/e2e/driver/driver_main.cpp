// The end-to-end tests' hands and eyes inside a Wine desktop. Started there
// with `wine explorer /desktop=NAME,WxH vesperkit_e2e_driver.exe COMMAND ...`,
// it answers through files:
//   look FILE                        what the desktop shows (see desktop_report.h)
//   launch FILE PROGRAM [ARGS...]    starts PROGRAM; FILE gets "pid N", and once
//                                    PROGRAM has ended also "exit CODE"
//   hold FILE                        stays until FILE exists (at most ten minutes),
//                                    so the desktop outlives the programs under test
//   window SHOWN RELEASE             shows an ordinary window until RELEASE exists;
//                                    SHOWN is written once it is on the screen
//   menu SHOWN RESULT X Y DEFAULT START STOP
//                                    opens a reference copy of the tray menu at
//                                    X,Y (see reference_menu.h); START, STOP are 0/1
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "desktop_report.h"
#include "owned.h"
#include "reference_menu.h"
#include "report_file.h"

namespace {

std::string Quoted(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  return "\"" + argument + "\"";
}

int Launch(const std::string& statusFile, const std::vector<std::string>& command) {
  std::string line;
  for (const std::string& part : command) line += (line.empty() ? "" : " ") + Quoted(part);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    vk::e2e::WriteWholeFile(statusFile, "failed\t" + std::to_string(GetLastError()) + "\n");
    return 1;
  }
  CloseHandle(process.hThread);
  const vk::e2e::OwnedHandle child(process.hProcess);
  const std::string started = "pid\t" + std::to_string(process.dwProcessId) + "\n";
  vk::e2e::WriteWholeFile(statusFile, started);
  WaitForSingleObject(child.get(), INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(child.get(), &code);
  vk::e2e::WriteWholeFile(statusFile, started + "exit\t" + std::to_string(static_cast<long>(code)) + "\n");
  return 0;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Wine closes a desktop once no process uses it any more; a test that wants
// to see the tray after the last copy of the program has ended keeps one.
int Hold(const std::string& releaseFile) {
  constexpr DWORD kLongestHoldMs = 10 * 60 * 1000;
  constexpr DWORD kPollMs = 100;
  GetDesktopWindow();  // joins the desktop
  for (DWORD waited = 0; waited < kLongestHoldMs; waited += kPollMs) {
    if (Exists(releaseFile)) return 0;
    Sleep(kPollMs);
  }
  return 1;
}

// An ordinary top-level window, the kind that gets a taskbar entry: the tests
// show with it that they would see an entry of the program.
int ShowOrdinaryWindow(const std::string& shownFile, const std::string& releaseFile) {
  const vk::e2e::OwnedWindow window(CreateWindowExA(0, "STATIC", "Ordinary window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                                    100, 100, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr),
                                                    nullptr));
  if (!window) return 1;
  vk::e2e::WriteWholeFile(shownFile, "shown\n");
  constexpr UINT_PTR kPoll = 1;
  SetTimer(nullptr, kPoll, 100, nullptr);
  MSG message;
  while (!Exists(releaseFile) && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}

int Usage() {
  std::fputs(
      "usage: look FILE | launch FILE PROGRAM [ARGS...] | hold FILE | window SHOWN RELEASE\n"
      "       | menu SHOWN RESULT X Y DEFAULT START STOP\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "look")
    return vk::e2e::WriteWholeFile(args[1], vk::e2e::DescribeDesktop()) ? 0 : 1;
  if (args.size() >= 3 && args[0] == "launch") {
    return Launch(args[1], std::vector<std::string>(args.begin() + 2, args.end()));
  }
  if (args.size() == 2 && args[0] == "hold") return Hold(args[1]);
  if (args.size() == 3 && args[0] == "window") return ShowOrdinaryWindow(args[1], args[2]);
  if (args.size() == 8 && args[0] == "menu") {
    vk::e2e::MenuLook look{args[5], args[6] == "1", args[7] == "1"};
    return vk::e2e::ShowReferenceMenu(look, std::atoi(args[3].c_str()), std::atoi(args[4].c_str()), args[1], args[2]);
  }
  return Usage();
}
