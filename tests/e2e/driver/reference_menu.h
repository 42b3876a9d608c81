#pragma once
#include <string>

namespace vk::e2e {

// How the reference copy of the tray menu is drawn.
struct MenuLook {
  std::string defaultItem;  // "timeset", "start", "stop" or "none"
  bool startEnabled = false;
  bool stopEnabled = false;
};

// Opens, at the screen point `at`, a pop-up menu with the tray menu's items drawn
// as `look` says, the way the program opens its own. Writes "menu <left> <top>
// <right> <bottom>" to `shownFile` once the menu is on the screen, and after
// the menu has closed writes "chosen <n>" to `resultFile` (0 = none, else the
// 1-based item number). Returns 0 when the menu could be shown.
int ShowReferenceMenu(const MenuLook& look, int x, int y, const std::string& shownFile, const std::string& resultFile);

}  // namespace vk::e2e
