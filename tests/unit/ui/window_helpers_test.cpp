#include "ui/window_helpers.h"

#include <gtest/gtest.h>

#include "fakes/fake_window_services.h"

namespace vk::ui {
namespace {

using platform::kClosedItemId;
using platform::kScClose;

class CloseItem : public ::testing::Test {
 protected:
  void SetUp() override { windows.AddWindow(kWindow); }
  fakes::FakeWindowServices::MenuItem& Close() { return windows.SystemMenu(kWindow).back(); }
  static constexpr WindowHandle kWindow = 0x100;
  fakes::Journal journal;
  fakes::FakeWindowServices windows{journal};
};

TEST_F(CloseItem, DisableGraysTheItemAndRenumbersIt) {
  Close().state = 0x80;  // other state bits are kept
  SetCloseItemState(windows, kWindow, kFalse);
  EXPECT_EQ(Close().id, kClosedItemId);
  EXPECT_EQ(Close().state, 0x83u);
  EXPECT_EQ(journal.entries.back(), "SendNcActivate");
}

TEST_F(CloseItem, DisablingTwiceFindsNothingTheSecondTime) {
  SetCloseItemState(windows, kWindow, kFalse);
  journal.entries.clear();
  SetCloseItemState(windows, kWindow, kFalse);
  EXPECT_EQ(journal.entries, (std::vector<std::string>{"IsWindow", "GetSystemMenu", "GetMenuItemInfo"}));
  EXPECT_EQ(Close().id, kClosedItemId);
}

TEST_F(CloseItem, EnableAfterDisableRestoresIdAndClearsTheLowBits) {
  Close().state = 0x80;
  SetCloseItemState(windows, kWindow, kFalse);
  SetCloseItemState(windows, kWindow, kTrue);
  EXPECT_EQ(Close().id, kScClose);
  EXPECT_EQ(Close().state, 0x80u);
}

TEST_F(CloseItem, EnablingANeverDisabledItemChangesNothing) {
  SetCloseItemState(windows, kWindow, kTrue);
  EXPECT_EQ(Close().id, kScClose);
  EXPECT_FALSE(journal.Contains("SetMenuItemInfo"));
}

TEST_F(CloseItem, ANonWindowStopsAfterIsWindow) {
  SetCloseItemState(windows, 0x999, kFalse);
  EXPECT_EQ(journal.entries, std::vector<std::string>{"IsWindow"});
}

TEST_F(CloseItem, AFailedRenumberingStopsBeforeTheStateChange) {
  windows.failSetMenuItemInfo = true;
  SetCloseItemState(windows, kWindow, kFalse);
  EXPECT_EQ(Close().id, kScClose);
  EXPECT_EQ(Close().state, 0u);
  EXPECT_FALSE(journal.Contains("SendNcActivate"));
}

TEST(TopMost, AnyNonZeroFlagMeansTopMostAndPositionAndSizeStay) {
  fakes::Journal journal;
  fakes::FakeWindowServices windows{journal};
  SetTopMost(windows, 5, 1);
  SetTopMost(windows, 5, kTrue);
  SetTopMost(windows, 5, kFalse);
  ASSERT_EQ(windows.topMostCalls.size(), 3u);
  EXPECT_EQ(windows.topMostCalls[0].insertAfter, -1);
  EXPECT_EQ(windows.topMostCalls[1].insertAfter, -1);
  EXPECT_EQ(windows.topMostCalls[2].insertAfter, -2);
  EXPECT_EQ(windows.topMostCalls[2].flags, 3u);
}

}  // namespace
}  // namespace vk::ui
