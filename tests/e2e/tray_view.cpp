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
  HWND icon = reinterpret_cast<HWND>(tool.uId);
  if (!(tool.uFlags & TTF_IDISHWND)) MapWindowPoints(tool.hwnd, nullptr, reinterpret_cast<POINT*>(&place), 2);
  if (tool.uFlags & TTF_IDISHWND && !(IsWindowVisible(icon) && GetWindowRect(icon, &place))) SetRectEmpty(&place);
  return place;
}

}  // namespace

std::vector<TrayIconView> ReadTrayIcons() {
  std::vector<TrayIconView> icons;
  std::vector<HWND> tips;
  EnumWindows(CollectTipWindows, reinterpret_cast<LPARAM>(&tips));
  DWORD explorer = 0;
  if (tips.empty() || GetWindowThreadProcessId(tips.front(), &explorer) == 0) return icons;
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
      icons.push_back({narrow, PlaceOf(info)});
    }
  }
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (process != nullptr) CloseHandle(process);
  return icons;
}

}  // namespace vk::traytest
