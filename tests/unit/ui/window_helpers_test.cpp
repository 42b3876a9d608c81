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
    std::vector<VbBool> calls;
    WindowHandle window;
    bool failSet;
    std::uint32_t id, state;
    Steps lastCallSteps;
  };
  const Case cases[] = {
      {{kFalse}, kWindow, false, platform::kClosedItemId, 0x83, all},
      {{kFalse, kFalse}, kWindow, false, platform::kClosedItemId, 0x83, notFound},
      {{kFalse, kTrue}, kWindow, false, platform::kScClose, 0x80, all},
      {{kTrue}, kWindow, false, platform::kScClose, 0x80, notFound},     // never disabled: nothing changes
      {{kFalse}, 0x999, false, platform::kScClose, 0x80, {"IsWindow"}},  // not a window
      // A failed renumbering stops before the state changes.
      {{kFalse}, kWindow, true, platform::kScClose, 0x80, {"IsWindow", "GetSystemMenu", "GetMenuItemInfo", "SetMenuItemInfo"}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    fakes::Journal journal;
    fakes::FakeWindowServices windows{journal};
    windows.AddWindow(kWindow);
    windows.SystemMenu(kWindow).back().state = 0x80;  // other state bits are kept
    windows.failSetMenuItemInfo = c.failSet;
    for (VbBool enable : c.calls) {
      journal.entries.clear();
      SetCloseItemState(windows, c.window, enable);
    }
    EXPECT_EQ(windows.SystemMenu(kWindow).back().id, c.id) << "case " << i;
    EXPECT_EQ(windows.SystemMenu(kWindow).back().state, c.state) << "case " << i;
    EXPECT_EQ(journal.entries, c.lastCallSteps) << "case " << i;
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
