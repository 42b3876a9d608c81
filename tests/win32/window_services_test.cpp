// The window helpers on real windows: the Close item of a real system menu,
// the top-most style, and the major version as Wine reports it for the
// Windows version it imitates. SetCloseItemState's steps are the native
// suite's; here the real menu shows their result.
#include <gtest/gtest.h>

#include "support.h"
#include "ui/window_helpers.h"
#include "win32/handles.h"
#include "win32/window_services.h"

namespace vk::wintest {
namespace {

// A top-level window with a title bar and a system menu.
HWND NewWindow() {
  return CreateWindowExA(0, "STATIC", "helper test", WS_OVERLAPPEDWINDOW, 40, 50, 300, 200, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// "<position>:<state>" of the system menu item with that identifier, or "none".
std::string Item(HWND window, UINT id) {
  HMENU menu = GetSystemMenu(window, FALSE);
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STATE;
    if (GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info) && info.wID == id)
      return std::to_string(position) + ":" + std::to_string(info.fState);
  }
  return "none";
}

TEST(CloseItemState, DisablingRenumbersAndGraysTheItemInPlaceAndEnablingRestoresIt) {
  win32::Win32WindowServices services;
  HWND window = NewWindow();
  ASSERT_NE(window, nullptr);
  CheckMenuItem(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_CHECKED);  // a state bit that stays
  const std::string enabled = Item(window, SC_CLOSE);
  const std::string position = enabled.substr(0, enabled.find(':') + 1);
  const UINT state = static_cast<UINT>(std::stoul(enabled.substr(position.size())));
  ASSERT_EQ(state & (MFS_CHECKED | 3u), static_cast<UINT>(MFS_CHECKED));
  ui::SetCloseItemState(services, win32::FromHwnd(window), kFalse);
  EXPECT_EQ(Item(window, SC_CLOSE), "none");
  EXPECT_EQ(Item(window, 0xFFFFFFF6u), position + std::to_string(state | 3u)) << "the closed item's identifier, -10";
  ui::SetCloseItemState(services, win32::FromHwnd(window), kTrue);
  EXPECT_EQ(Item(window, SC_CLOSE), enabled);
  DestroyWindow(window);
}

TEST(TopMost, SetsAndClearsTheStyleWithoutMovingTheWindow) {
  win32::Win32WindowServices services;
  HWND window = NewWindow();
  ShowWindow(window, SW_SHOWNOACTIVATE);
  RECT placed{}, now{};
  GetWindowRect(window, &placed);
  for (VbBool flag : {kTrue, kFalse}) {
    ui::SetTopMost(services, win32::FromHwnd(window), flag);
    EXPECT_EQ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, flag != 0) << flag;
    GetWindowRect(window, &now);
    EXPECT_TRUE(EqualRect(&now, &placed)) << flag;
  }
  DestroyWindow(window);
}

// Wine decides the version a process sees when the process starts, so the
// answer comes from a fresh process: the probe's exit code is its OSMajorVersion().
TEST(OSMajorVersion, FollowsTheWindowsVersionWineImitates) {
  const std::optional<std::string> old = ReadValue(HKEY_CURRENT_USER, "Software\\Wine", "Version");
  for (const auto& [version, major] : {std::pair{"nt40", 4L}, std::pair{"win7", 6L}}) {
    WriteValue(HKEY_CURRENT_USER, "Software\\Wine", "Version", std::string(version) + '\0');
    EXPECT_EQ(RunAndWait("\"" + OwnFolder() + "vesperkit_os_major_probe.exe\""), major) << version;
  }
  WriteValue(HKEY_CURRENT_USER, "Software\\Wine", "Version", old);
}

}  // namespace
}  // namespace vk::wintest
