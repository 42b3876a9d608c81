// The end-to-end tests' hands and eyes inside a Wine desktop. Started there
// with `wine explorer /desktop=NAME,WxH vesperkit_e2e_driver.exe COMMAND ...`,
// it answers through files:
//   look FILE                        what the desktop shows (see DescribeDesktop)
//   launch FILE PROGRAM [ARGS...]    starts PROGRAM; FILE gets "pid N", and once
//                                    PROGRAM has ended also "exit CODE"
//   hold FILE                        stays until FILE exists (at most ten minutes),
//                                    so the desktop outlives the programs under test
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "owners.h"

namespace {

// Tabs and line breaks would break the report's lines; they become blanks.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + '\t' + std::to_string(r.top) + '\t' + std::to_string(r.right) + '\t' +
         std::to_string(r.bottom);
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool IsClass(HWND window, const char* wanted) { return lstrcmpiA(ClassOf(window).c_str(), wanted) == 0; }

// The shell's notification area is read from outside. Under Wine the icons and
// their tips live in the explorer process that draws the tray; each icon has a
// tool-tip window of its own there, owned by the taskbar ("Shell_TrayWnd") of
// the desktop started with /desktop=, its tool the icon's rectangle.
BOOL CALLBACK CollectTipWindows(HWND window, LPARAM found) {
  HWND owner = GetWindow(window, GW_OWNER);
  if (IsClass(window, TOOLTIPS_CLASSA) && owner != nullptr && IsClass(owner, "Shell_TrayWnd"))
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
  return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

// A "tray" line for each icon drawn in the tray of this process's desktop
// (the taskbar keeps the tips of deleted icons, undrawn).
void DescribeTray(std::ostringstream& report) {
  std::vector<HWND> tips;
  EnumWindows(CollectTipWindows, reinterpret_cast<LPARAM>(&tips));
  DWORD explorer = 0;
  if (tips.empty() || GetWindowThreadProcessId(tips.front(), &explorer) == 0) return;
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, explorer);
  // The tool-tip control writes its answers into its own address space.
  constexpr std::size_t kChars = 1024;
  char* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, sizeof(TTTOOLINFOW) + kChars * 2, MEM_COMMIT, PAGE_READWRITE));
  auto* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(TTTOOLINFOW));
  DWORD_PTR count = 0, found = 0;
  for (HWND tip : tips) {
    if (remote == nullptr || !Ask(tip, TTM_GETTOOLCOUNT, 0, 0, count)) continue;
    for (DWORD_PTR index = 0; index < count; ++index) {
      TTTOOLINFOW info{};
      info.cbSize = sizeof info;
      info.lpszText = remoteText;
      wchar_t text[kChars + 1] = {};
      char narrow[kChars * 2] = {};
      if (!WriteProcessMemory(process, remote, &info, sizeof info, nullptr) ||
          !WriteProcessMemory(process, remoteText, text, sizeof(wchar_t), nullptr) ||
          !Ask(tip, TTM_ENUMTOOLSW, index, reinterpret_cast<LPARAM>(remote), found) || found == 0 ||
          !ReadProcessMemory(process, remote, &info, sizeof info, nullptr) ||
          !ReadProcessMemory(process, remoteText, text, kChars * sizeof(wchar_t), nullptr))
        continue;
      if (info.lpszText == remoteText)
        WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
      RECT place = info.rect;
      MapWindowPoints(info.hwnd, nullptr, reinterpret_cast<POINT*>(&place), 2);
      if (!IsRectEmpty(&place)) report << "tray\t" << RectText(place) << '\t' << OneLine(narrow) << '\n';
    }
  }
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (process != nullptr) CloseHandle(process);
}

// WM_GETTEXT reaches windows of other processes: Wine carries its buffer over.
std::string TextOf(HWND window) {
  char text[2048] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &length);
  return OneLine(text);
}

BOOL CALLBACK AddWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// The top-level windows, or the child windows of a parent at any depth.
std::vector<HWND> WindowsOf(HWND parent) {
  std::vector<HWND> windows;
  if (parent == nullptr) {
    EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&windows));
  } else {
    EnumChildWindows(parent, AddWindow, reinterpret_cast<LPARAM>(&windows));
  }
  return windows;
}

std::string RectText(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return RectText(r);
}

// What a person would see on this Wine desktop, one fact a line,
// fields separated by tabs:
//   tray     left top right bottom tip
//              one line per icon shown in the tray
//   window   pid visible handle class left top right bottom title
//              every top-level window: pop-up menus are of class "#32768",
//              tool tips "tooltips_class32", message boxes "#32770", the
//              program's forms "VesperkitForm"
//   control  window left top right bottom class text
//              the visible controls, at any depth, of visible message boxes
//              and forms, in the order Windows lists them
// Coordinates are screen pixels of the desktop.
std::string DescribeDesktop() {
  std::ostringstream report;
  DescribeTray(report);
  for (HWND window : WindowsOf(nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    const bool visible = IsWindowVisible(window) != FALSE;
    const std::string kind = ClassOf(window);
    const auto handle = reinterpret_cast<std::uintptr_t>(window);
    report << "window\t" << pid << '\t' << visible << '\t'
           << handle << '\t' << kind << '\t' << RectText(window) << '\t' << TextOf(window) << '\n';
    if (!visible || (kind != "#32770" && kind != "VesperkitForm")) continue;
    for (HWND child : WindowsOf(window)) {
      if (!IsWindowVisible(child)) continue;
      report << "control\t" << handle << '\t' << RectText(child) << '\t' << ClassOf(child) << '\t' << TextOf(child)
             << '\n';
    }
  }
  return report.str();
}

// The answers reach the script through files on drive Z: (a program started in
// a Wine desktop has no standard output of its own), written under another
// name and renamed into place so that a script polling for one never reads
// half of it.
bool WriteWholeFile(const std::string& path, const std::string& text) {
  const std::string partial = path + ".part";
  std::FILE* file = std::fopen(partial.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written && MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

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
    WriteWholeFile(statusFile, "failed\t" + std::to_string(GetLastError()) + "\n");
    return 1;
  }
  const vk::win32::UniqueHandle thread(process.hThread);
  const vk::win32::UniqueHandle child(process.hProcess);
  const std::string started = "pid\t" + std::to_string(process.dwProcessId) + "\n";
  WriteWholeFile(statusFile, started);
  WaitForSingleObject(child.Get(), INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(child.Get(), &code);
  WriteWholeFile(statusFile, started + "exit\t" + std::to_string(static_cast<long>(code)) + "\n");
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
  if (args.size() == 2 && args[0] == "look") return WriteWholeFile(args[1], DescribeDesktop()) ? 0 : 1;
  if (args.size() >= 3 && args[0] == "launch") return Launch(args[1], {args.begin() + 2, args.end()});
  if (args.size() == 2 && args[0] == "hold") return Hold(args[1]);
  std::fputs("usage: look FILE | launch FILE PROGRAM [ARGS...] | hold FILE\n", stderr);
  return 2;
}
