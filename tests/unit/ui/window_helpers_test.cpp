// SetCloseItemState's exact menu-item steps.
#include "ui/window_helpers.h"

#include <gtest/gtest.h>

#include "fakes/fake_window_services.h"

namespace vk::ui {
namespace {

TEST(CloseItem, DisablingAndEnablingRenumberTheItemAndSwitchItsLowStateBits) {
  const std::string all = "IsWindow GetSystemMenu GetMenuItemInfo SetMenuItemInfo SetMenuItemInfo SendNcActivate ";
  const std::string notFound = "IsWindow GetSystemMenu GetMenuItemInfo ";
  constexpr WindowHandle kWindow = 0x100;
  const struct {
    const char* name;
    std::vector<VbBool> calls;
    WindowHandle window;
    bool failSet;
    std::uint32_t id, state;
    std::string lastCallSteps;
  } cases[] = {
      {"disabling", {kFalse}, kWindow, false, platform::kClosedItemId, 0x83, all},
      {"disabling twice", {kFalse, kFalse}, kWindow, false, platform::kClosedItemId, 0x83, notFound},
      {"enabling again", {kFalse, 1}, kWindow, false, platform::kScClose, 0x80, all},
      {"enabling what was never disabled", {kTrue}, kWindow, false, platform::kScClose, 0x80, notFound},
      {"not a window", {kFalse}, 0x999, false, platform::kScClose, 0x80, "IsWindow "},
      {"a failed renumbering stops before the state changes", {kFalse}, kWindow, true, platform::kScClose, 0x80,
       "IsWindow GetSystemMenu GetMenuItemInfo SetMenuItemInfo "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::Journal journal;
    fakes::FakeWindowServices windows{journal};
    windows.closeItems[kWindow].state = 0x80;  // other state bits are kept
    windows.failSetMenuItemInfo = c.failSet;
    std::string steps;
    for (VbBool enable : c.calls) {
      journal.entries.clear();
      SetCloseItemState(windows, c.window, enable);
    }
    for (const std::string& e : journal.entries) steps += e + " ";
    EXPECT_EQ(std::tuple(windows.closeItems[kWindow].id, windows.closeItems[kWindow].state, steps),
              std::tuple(c.id, c.state, c.lastCallSteps));
  }
}

}  // namespace
}  // namespace vk::ui
