#include "tray_view.h"

#include <commctrl.h>

#include <cstddef>

namespace vk::traytest {
namespace {

constexpr UINT kReplyTimeoutMs = 5000;

// Memory in the explorer process: the tool-tip control writes its answers
// into its own address space, so the record and the text buffer live there.
class RemoteBlock {
 public:
  RemoteBlock(HANDLE process, std::size_t size)
      : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
  ~RemoteBlock() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  char* Address() const { return static_cast<char*>(address_); }

 private:
  HANDLE process_;
  void* address_;
};

struct ProcessHandle {
  HANDLE handle;
  ~ProcessHandle() {
    if (handle != nullptr) CloseHandle(handle);
  }
};

bool IsClass(HWND window, const char* wanted) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return lstrcmpiA(name, wanted) == 0;
}

bool IsTray(HWND window) {
  return window != nullptr && (IsClass(window, "Shell_TrayWnd") || IsClass(window, "__winex11_standalone_tray"));
}

BOOL CALLBACK CollectTipWindows(HWND window, LPARAM found) {
  if (IsClass(window, TOOLTIPS_CLASSA) && IsTray(GetWindow(window, GW_OWNER))) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  }
  return TRUE;
}

bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
  return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kReplyTimeoutMs, &result) != 0;
}

std::string Narrow(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, result.data(), size, nullptr, nullptr);
  result.resize(static_cast<std::size_t>(size - 1));
  return result;
}

// A tool is either a rectangle of the tray window (the taskbar's icons) or a
// whole window of its own (the stand-alone tray's icons).
RECT PlaceOf(const TTTOOLINFOW& tool) {
  RECT place{};
  if (tool.uFlags & TTF_IDISHWND) {
    HWND icon = reinterpret_cast<HWND>(tool.uId);
    if (IsWindowVisible(icon)) GetWindowRect(icon, &place);
    return place;
  }
  place = tool.rect;
  MapWindowPoints(tool.hwnd, nullptr, reinterpret_cast<POINT*>(&place), 2);
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
  ProcessHandle process{OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, explorer)};
  if (process.handle == nullptr) return icons;

  constexpr std::size_t kTextChars = 1024;  // the control copies at most this many
  RemoteBlock block(process.handle, sizeof(TTTOOLINFOW) + kTextChars * sizeof(wchar_t));
  if (block.Address() == nullptr) return icons;
  char* remoteInfo = block.Address();
  auto* remoteText = reinterpret_cast<wchar_t*>(block.Address() + sizeof(TTTOOLINFOW));

  for (HWND tip : tips) {
    DWORD_PTR count = 0;
    if (!Ask(tip, TTM_GETTOOLCOUNT, 0, 0, count)) continue;
    for (DWORD_PTR index = 0; index < count; ++index) {
      TTTOOLINFOW info{};
      info.cbSize = sizeof info;
      info.lpszText = remoteText;
      const wchar_t empty = 0;
      DWORD_PTR found = 0;
      if (!WriteProcessMemory(process.handle, remoteInfo, &info, sizeof info, nullptr) ||
          !WriteProcessMemory(process.handle, remoteText, &empty, sizeof empty, nullptr) ||
          !Ask(tip, TTM_ENUMTOOLSW, index, reinterpret_cast<LPARAM>(remoteInfo), found) || found == 0) {
        continue;
      }
      wchar_t text[kTextChars + 1] = {};
      if (!ReadProcessMemory(process.handle, remoteInfo, &info, sizeof info, nullptr) ||
          !ReadProcessMemory(process.handle, remoteText, text, kTextChars * sizeof(wchar_t), nullptr)) {
        continue;
      }
      TrayIconView icon;
      icon.tip = info.lpszText == remoteText ? Narrow(text) : std::string();
      icon.screen = PlaceOf(info);
      icons.push_back(icon);
    }
  }
  return icons;
}

}  // namespace vk::traytest
