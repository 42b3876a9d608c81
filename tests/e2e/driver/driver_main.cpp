// The end-to-end tests' hands and eyes inside a Wine desktop. Started there
// with `wine explorer /desktop=NAME,WxH vesperkit_e2e_driver.exe COMMAND ...`,
// it answers through files:
//   look FILE                        what the desktop shows (see desktop_report.h)
//   launch FILE PROGRAM [ARGS...]    starts PROGRAM; FILE gets "pid N", and once
//                                    PROGRAM has ended also "exit CODE"
//   hold FILE                        stays until FILE exists (at most ten minutes),
//                                    so the desktop outlives the programs under test
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "desktop_report.h"
#include "owners.h"
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
  const vk::win32::UniqueHandle thread(process.hThread);
  const vk::win32::UniqueHandle child(process.hProcess);
  const std::string started = "pid\t" + std::to_string(process.dwProcessId) + "\n";
  vk::e2e::WriteWholeFile(statusFile, started);
  WaitForSingleObject(child.Get(), INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(child.Get(), &code);
  vk::e2e::WriteWholeFile(statusFile, started + "exit\t" + std::to_string(static_cast<long>(code)) + "\n");
  return 0;
}

// Wine closes a desktop once no process uses it any more; a test that wants
// to see the tray after the last copy of the program has ended keeps one.
int Hold(const std::string& releaseFile) {
  GetDesktopWindow();  // joins the desktop
  for (DWORD waited = 0; waited < 10 * 60 * 1000; waited += 100) {
    if (GetFileAttributesA(releaseFile.c_str()) != INVALID_FILE_ATTRIBUTES) return 0;
    Sleep(100);
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "look") return vk::e2e::WriteWholeFile(args[1], vk::e2e::DescribeDesktop()) ? 0 : 1;
  if (args.size() >= 3 && args[0] == "launch") return Launch(args[1], {args.begin() + 2, args.end()});
  if (args.size() == 2 && args[0] == "hold") return Hold(args[1]);
  std::fputs("usage: look FILE | launch FILE PROGRAM [ARGS...] | hold FILE\n", stderr);
  return 2;
}
