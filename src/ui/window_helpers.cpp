#include "ui/window_helpers.h"

namespace vk::ui {

using platform::kClosedItemId;
using platform::kMiimId;
using platform::kMiimState;
using platform::kScClose;

void SetTopMost(platform::WindowServices& windows, WindowHandle window, VbBool topMost) {
  const std::int32_t insertAfter = topMost != 0 ? platform::kHwndTopMost : platform::kHwndNoTopMost;
  windows.SetWindowPos(window, insertAfter, platform::kSwpNoSize | platform::kSwpNoMove);
}

void SetCloseItemState(platform::WindowServices& windows, WindowHandle window, const VbBool& enable) {
  if (!windows.IsWindow(window)) return;
  const MenuHandle menu = windows.GetSystemMenu(window, false);

  platform::MenuItemInfo info;
  info.fMask = kMiimState;
  info.wID = enable != 0 ? kClosedItemId : kScClose;
  if (!windows.ReadMenuItem(menu, info.wID, false, info)) return;

  const std::uint32_t oldId = info.wID;
  info.wID = enable != 0 ? kScClose : kClosedItemId;
  info.fMask = kMiimId;
  if (!windows.WriteMenuItem(menu, oldId, false, info)) return;

  info.fState = enable != 0 ? (info.fState | 3u) - 3u : (info.fState | 3u);
  info.fMask = kMiimState;
  if (!windows.WriteMenuItem(menu, info.wID, false, info)) return;

  windows.SendNcActivate(window);
}

std::uint32_t OSMajorVersion(platform::WindowServices& windows) { return windows.VersionExMajor(); }

}  // namespace vk::ui
