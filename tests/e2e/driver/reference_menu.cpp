#include "reference_menu.h"

#include <windows.h>

#include <string>

#include "owned.h"
#include "report_file.h"

namespace vk::e2e {
namespace {

constexpr UINT_PTR kLookTimer = 1;

struct Item {
  const char* name;
  const char* caption;
};

// The tray menu's items, captions and access keys, in order.
constexpr Item kItems[] = {{"about", "&About"},
                           {"", "-"},
                           {"timeset", "&Set Sleep Time"},
                           {"", "-"},
                           {"start", "S&tart Timer"},
                           {"stop", "Sto&p Timer"},
                           {"", "-"},
                           {"exit", "&Exit"}};

// Where ReportWhenShown writes; a timer procedure has no other context.
std::string gShownFile;

struct MenuWindow {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindOwnMenu(HWND window, LPARAM context) {
  auto* wanted = reinterpret_cast<MenuWindow*>(context);
  char kind[16] = {};
  GetClassNameA(window, kind, sizeof kind);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == wanted->pid && lstrcmpA(kind, "#32768") == 0 && IsWindowVisible(window)) {
    wanted->found = window;
    return FALSE;
  }
  return TRUE;
}

// Writes the rectangle of this process's menu once it is visible.
void CALLBACK ReportWhenShown(HWND owner, UINT, UINT_PTR, DWORD) {
  MenuWindow menu{GetCurrentProcessId(), nullptr};
  EnumWindows(FindOwnMenu, reinterpret_cast<LPARAM>(&menu));
  if (menu.found == nullptr) return;
  RECT r{};
  GetWindowRect(menu.found, &r);
  KillTimer(owner, kLookTimer);
  WriteWholeFile(gShownFile, "menu\t" + std::to_string(r.left) + "\t" + std::to_string(r.top) + "\t" +
                                 std::to_string(r.right) + "\t" + std::to_string(r.bottom) + "\n");
}

bool Enabled(const MenuLook& look, const std::string& name) {
  if (name == "start") return look.startEnabled;
  if (name == "stop") return look.stopEnabled;
  return true;
}

}  // namespace

int ShowReferenceMenu(const MenuLook& look, int x, int y, const std::string& shownFile, const std::string& resultFile) {
  gShownFile = shownFile;
  const OwnedWindow owner(CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "reference menu owner", WS_POPUP, 0, 0, 0, 0,
                                          nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
  const OwnedMenu popup(CreatePopupMenu());
  if (!owner || !popup) return 1;
  UINT id = 0;
  for (const Item& item : kItems) {
    ++id;
    const std::string name = item.name;
    if (std::string(item.caption) == "-") {
      AppendMenuA(popup.get(), MF_SEPARATOR, 0, nullptr);
      continue;
    }
    AppendMenuA(popup.get(), MF_STRING | (Enabled(look, name) ? MF_ENABLED : MF_GRAYED), id, item.caption);
    if (name == look.defaultItem) SetMenuDefaultItem(popup.get(), id, FALSE);
  }
  SetTimer(owner.get(), kLookTimer, 50, ReportWhenShown);
  // As the program does before its own menu, so that the menu takes the keys.
  SetForegroundWindow(owner.get());
  const BOOL chosen =
      TrackPopupMenuEx(popup.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, owner.get(), nullptr);
  WriteWholeFile(resultFile, "chosen\t" + std::to_string(chosen) + "\n");
  return 0;
}

}  // namespace vk::e2e
