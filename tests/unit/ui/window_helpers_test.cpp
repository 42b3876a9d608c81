// SetCloseItemState's exact menu-item steps, and SetTopMost.
#include "ui/window_helpers.h"

#include <gtest/gtest.h>

#include "fakes/fake_window_services.h"

namespace vk::ui {
namespace {

using Steps = std::vector<std::string>;

TEST(CloseItem, DisablingAndEnablingRenumberTheItemAndSwitchItsLowStateBits) {
  const Steps all = {"IsWindow",        "GetSystemMenu",   "GetMenuItemInfo",
                     "SetMenuItemInfo", "SetMenuItemInfo", "SendNcActivate"};
  const Steps notFound = {"IsWindow", "GetSystemMenu", "GetMenuItemInfo"};
  constexpr WindowHandle kWindow = 0x100;
  struct Case {
    const char* name;
    std::vector<VbBool> calls;
    WindowHandle window;
    bool failSet;
    std::uint32_t id, state;
    Steps lastCallSteps;
  };
  const Case cases[] = {
      {"disabling", {kFalse}, kWindow, false, platform::kClosedItemId, 0x83, all},
      {"disabling twice", {kFalse, kFalse}, kWindow, false, platform::kClosedItemId, 0x83, notFound},
      {"enabling again", {kFalse, kTrue}, kWindow, false, platform::kScClose, 0x80, all},
      {"enabling what was never disabled", {kTrue}, kWindow, false, platform::kScClose, 0x80, notFound},
      {"not a window", {kFalse}, 0x999, false, platform::kScClose, 0x80, {"IsWindow"}},
      {"a failed renumbering stops before the state changes", {kFalse}, kWindow, true, platform::kScClose, 0x80,
       {"IsWindow", "GetSystemMenu", "GetMenuItemInfo", "SetMenuItemInfo"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::Journal journal;
    fakes::FakeWindowServices windows{journal};
    windows.AddWindow(kWindow);
    windows.SystemMenu(kWindow).back().state = 0x80;  // other state bits are kept
    windows.failSetMenuItemInfo = c.failSet;
    for (VbBool enable : c.calls) {
      journal.entries.clear();
      SetCloseItemState(windows, c.window, enable);
    }
    EXPECT_EQ(windows.SystemMenu(kWindow).back().id, c.id);
    EXPECT_EQ(windows.SystemMenu(kWindow).back().state, c.state);
    EXPECT_EQ(journal.entries, c.lastCallSteps);
  }
}

TEST(TopMost, AnyNonZeroFlagMeansTopMostAndPositionAndSizeStay) {
  fakes::Journal journal;
  fakes::FakeWindowServices windows{journal};
  for (auto [flag, insertAfter] : {std::pair{VbBool{1}, -1}, std::pair{kTrue, -1}, std::pair{kFalse, -2}}) {
    SetTopMost(windows, 5, flag);
    EXPECT_EQ(windows.topMostCalls.back().insertAfter, insertAfter) << flag;
    EXPECT_EQ(windows.topMostCalls.back().flags, 3u) << flag;
  }
}

}  // namespace
}  // namespace vk::ui
