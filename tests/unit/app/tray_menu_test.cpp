#include "app/tray_menu.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "platform/forms.h"

namespace vk::app {
namespace {

TEST(TrayMessageFromX, PixelsAsTheyAreTwipsDividedByTwipsPerPixel) {
  EXPECT_EQ(TrayMessageFromX(0x205, platform::kScalePixels, 15), 0x205);
  EXPECT_EQ(TrayMessageFromX(7755, platform::kScaleTwips, 15), 0x205);
  EXPECT_EQ(TrayMessageFromX(7755, platform::kScaleTwips, 12), 646);  // another DPI, another message
  EXPECT_EQ(TrayMessageFromX(7762, platform::kScaleTwips, 15), 0x205);  // 517.47 rounds to 517
  EXPECT_EQ(TrayMessageFromX(2.5, platform::kScalePixels, 15), 2);     // halves go to even
}

TEST(MenuDefaultRule, FollowsTimeSetAndTimerRunning) {
  EXPECT_EQ(NextMenuDefault(kFalse, kFalse), kDefaultTimeSet);
  EXPECT_EQ(NextMenuDefault(kFalse, kTrue), kDefaultTimeSet);
  EXPECT_EQ(NextMenuDefault(kTrue, kFalse), kDefaultTimerStart);
  EXPECT_EQ(NextMenuDefault(kTrue, kTrue), kDefaultTimerStop);
}

TEST(MenuDefaultRule, NamesTheDefaultItemOrNoneForOtherValues) {
  EXPECT_EQ(DefaultItemName(0), "mnuTimeSet");
  EXPECT_EQ(DefaultItemName(1), "mnuTimerStart");
  EXPECT_EQ(DefaultItemName(2), "mnuTimerStop");
  EXPECT_EQ(DefaultItemName(3), "");
  EXPECT_EQ(DefaultItemName(-1), "");
}

}  // namespace
}  // namespace vk::app
