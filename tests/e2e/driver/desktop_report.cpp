#include "desktop_report.h"

#include <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "report_file.h"
#include "tray_view.h"

namespace vk::e2e {
namespace {

std::map<DWORD, std::string> ProcessNames() {
  std::map<DWORD, std::string> names;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return names;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    names[entry.th32ProcessID] = entry.szExeFile;
  }
  CloseHandle(snapshot);
  return names;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
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

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, AddWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string RectText(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return std::to_string(r.left) + '\t' + std::to_string(r.top) + '\t' + std::to_string(r.right) + '\t' +
         std::to_string(r.bottom);
}

// The push buttons of a dialog, where a person would click them.
std::string DialogButtons(HWND dialog, const std::string& owner) {
  std::string lines;
  for (HWND child : ChildWindows(dialog)) {
    if (lstrcmpiA(ClassOf(child).c_str(), "Button") != 0 || !IsWindowVisible(child)) continue;
    lines += "button\t" + owner + '\t' + RectText(child) + '\t' + TextOf(child) + '\n';
  }
  return lines;
}

std::string DialogTexts(HWND dialog) {
  std::string texts;
  for (HWND child : ChildWindows(dialog)) {
    const std::string kind = ClassOf(child);
    if (lstrcmpiA(kind.c_str(), "Static") != 0 && lstrcmpiA(kind.c_str(), "Button") != 0) continue;
    const std::string text = TextOf(child);
    if (text.empty()) continue;
    if (!texts.empty()) texts += " | ";
    texts += text;
  }
  return texts;
}

// The controls of one of the program's forms, where a person would see them.
std::string FormControls(HWND form) {
  const std::string id = std::to_string(reinterpret_cast<std::uintptr_t>(form));
  std::string lines;
  for (HWND child : ChildWindows(form)) {
    if (!IsWindowVisible(child)) continue;
    lines += "control\t" + id + '\t' + RectText(child) + '\t' + ClassOf(child) + '\t' + TextOf(child) + '\n';
  }
  return lines;
}

}  // namespace

std::string DescribeDesktop() {
  std::ostringstream report;
  for (const traytest::TrayIconView& icon : traytest::ReadTrayIcons()) {
    if (!icon.Shown()) continue;  // the taskbar keeps the tips of deleted icons
    report << "tray\t" << icon.screen.left << '\t' << icon.screen.top << '\t' << icon.screen.right << '\t'
           << icon.screen.bottom << '\t' << OneLine(icon.tip) << '\n';
  }

  const std::map<DWORD, std::string> names = ProcessNames();
  auto exeOf = [&names](DWORD pid) {
    auto it = names.find(pid);
    return it == names.end() ? std::string("?") : it->second;
  };
  for (HWND window : TopLevelWindows()) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    const bool visible = IsWindowVisible(window) != FALSE;
    const std::string kind = ClassOf(window);
    const std::string title = TextOf(window);
    report << "window\t" << exeOf(pid) << '\t' << pid << '\t' << visible << '\t' << kind << '\t' << title << '\n';
    if (!visible) continue;
    const std::string owner = exeOf(pid) + '\t' + std::to_string(pid);
    if (kind == "#32768") {
      report << "menu\t" << owner << '\t' << RectText(window) << '\n';
    } else if (lstrcmpiA(kind.c_str(), TOOLTIPS_CLASSA) == 0) {
      report << "tooltip\t" << owner << '\t' << RectText(window) << '\n';
    } else if (kind == "#32770") {
      report << "dialog\t" << owner << '\t' << RectText(window) << '\t' << title << '\t' << DialogTexts(window) << '\n';
      report << DialogButtons(window, owner);
    } else if (kind == "VesperkitForm") {
      report << "form\t" << owner << '\t' << reinterpret_cast<std::uintptr_t>(window) << '\t' << RectText(window)
             << '\t' << title << '\n'
             << FormControls(window);
    }
  }

  return report.str();
}

}  // namespace vk::e2e
