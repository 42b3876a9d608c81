#include "tray_view.h"

#include <commctrl.h>

namespace vk::traytest {
namespace {

bool IsClass(HWND window, const char* wanted) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return lstrcmpiA(name, wanted) == 0;
}

BOOL CALLBACK CollectTipWindows(HWND window, LPARAM found) {
  HWND owner = GetWindow(window, GW_OWNER);
  if (IsClass(window, TOOLTIPS_CLASSA) && owner != nullptr &&
      (IsClass(owner, "Shell_TrayWnd") || IsClass(owner, "__winex11_standalone_tray")))
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
  return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

// A tool is either a rectangle of the tray window (the taskbar's icons) or a
// whole window of its own (the stand-alone tray's icons).
RECT PlaceOf(const TTTOOLINFOW& tool) {
  RECT place = tool.rect;
  if (tool.uFlags & TTF_IDISHWND) {
    HWND icon = reinterpret_cast<HWND>(tool.uId);
    SetRectEmpty(&place);
    if (IsWindowVisible(icon)) GetWindowRect(icon, &place);
  } else {
    MapWindowPoints(tool.hwnd, nullptr, reinterpret_cast<POINT*>(&place), 2);
  }
  return place;
}

}  // namespace

std::vector<TrayIconView> ReadTrayIcons() {
  std::vector<TrayIconView> icons;
  std::vector<HWND> tips;
  EnumWindows(CollectTipWindows, reinterpret_cast<LPARAM>(&tips));
  if (tips.empty()) return icons;
  DWORD explorer = 0;
  GetWindowThreadProcessId(tips.front(), &explorer);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, explorer);
  // The tool-tip control writes its answers into its own address space.
  constexpr std::size_t kChars = 1024;
  char* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(TTTOOLINFOW) + kChars * 2,
                                                   MEM_COMMIT, PAGE_READWRITE));
  if (remote == nullptr) {
    if (process != nullptr) CloseHandle(process);
    return icons;
  }
  auto* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(TTTOOLINFOW));
  for (HWND tip : tips) {
    DWORD_PTR count = 0;
    if (!Ask(tip, TTM_GETTOOLCOUNT, 0, 0, count)) continue;
    for (DWORD_PTR index = 0; index < count; ++index) {
      TTTOOLINFOW info{};
      info.cbSize = sizeof info;
      info.lpszText = remoteText;
      wchar_t text[kChars + 1] = {};
      DWORD_PTR found = 0;
      if (!WriteProcessMemory(process, remote, &info, sizeof info, nullptr) ||
          !WriteProcessMemory(process, remoteText, text, sizeof(wchar_t), nullptr) ||
          !Ask(tip, TTM_ENUMTOOLSW, index, reinterpret_cast<LPARAM>(remote), found) || found == 0 ||
          !ReadProcessMemory(process, remote, &info, sizeof info, nullptr) ||
          !ReadProcessMemory(process, remoteText, text, kChars * sizeof(wchar_t), nullptr))
        continue;
      char narrow[kChars * 2] = {};
      if (info.lpszText == remoteText) WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
      icons.push_back({narrow, PlaceOf(info)});
    }
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return icons;
}

}  // namespace vk::traytest
