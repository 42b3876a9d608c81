#pragma once
// What the shell's notification area shows, read from outside: one entry per
// icon with its tip and its place on the screen. Under Wine the icons and
// their tips live in the explorer process that draws the tray; each icon has a
// tool-tip window of its own there, owned by the tray window: the taskbar
// ("Shell_TrayWnd") of a desktop started with /desktop=, or the stand-alone
// tray ("__winex11_standalone_tray") of the default desktop when no X tray
// manager runs.
#include <windows.h>

#include <string>
#include <vector>

namespace vk::traytest {

struct TrayIconView {
  std::string tip;  // as the shell holds it (ANSI)
  RECT screen{};    // where the icon is drawn, in screen coordinates; empty when not drawn
  bool Shown() const { return screen.right > screen.left && screen.bottom > screen.top; }
};

// The icons of the tray of this process's desktop; empty when there is no tray.
std::vector<TrayIconView> ReadTrayIcons();

}  // namespace vk::traytest
