// The tray adapter with the program's own 88-byte record: the shell takes the
// icon, shows the tip the record carries, takes a new tip, and forgets the
// icon when told to; what the shell holds is read back from its tray.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/tray_icon_record.h"
#include "tray_view.h"
#include "win32/handles.h"
#include "win32/tray.h"

namespace vk::win32 {
namespace {

using platform::TrayMessage;

// Shell_NotifyIconA hands the record over synchronously, but the tray may lay
// its icons out a moment later; waiting with a deadline is enough.
template <class Condition>
bool Eventually(Condition condition) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (condition()) return true;
    Sleep(50);
  }
  return condition();
}

int IconsWithTip(const std::string& tip) {
  int count = 0;
  for (const traytest::TrayIconView& icon : traytest::ReadTrayIcons()) {
    if (icon.Shown() && icon.tip == tip) ++count;
  }
  return count;
}

class TrayAdapter : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "tray test owner", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
    record_.cbSize = app::kTrayRecordSize;
    record_.hWnd = FromHwnd(owner_);
    record_.uID = app::kTrayIconId;
    record_.uFlags = app::kTrayFlags;
    record_.uCallbackMessage = app::kTrayCallbackMessage;
    record_.hIcon = FromHicon(LoadIconA(nullptr, IDI_APPLICATION));
    // Unique to this run, so icons of other programs never count.
    tip_ = "Vesperkit tray test " + std::to_string(GetCurrentProcessId());
    record_.SetTip(tip_);
  }

  void TearDown() override {
    tray_.Notify(TrayMessage::Delete, record_.Pack());
    if (owner_ != nullptr) DestroyWindow(owner_);
  }

  Win32Tray tray_;
  HWND owner_ = nullptr;
  app::TrayIconRecord record_;
  std::string tip_;
};

TEST_F(TrayAdapter, AddsModifiesAndDeletesTheIcon) {
  ASSERT_TRUE(tray_.Notify(TrayMessage::Add, record_.Pack())) << "the shell refused the 88-byte record";
  EXPECT_TRUE(Eventually([&] { return IconsWithTip(tip_) == 1; })) << "one icon with the tip is shown";

  const std::string changed = tip_ + " changed";
  record_.SetTip(changed);
  EXPECT_TRUE(tray_.Notify(TrayMessage::Modify, record_.Pack()));
  EXPECT_TRUE(Eventually([&] { return IconsWithTip(changed) == 1 && IconsWithTip(tip_) == 0; }))
      << "the same icon now carries the new tip";

  EXPECT_TRUE(tray_.Notify(TrayMessage::Delete, record_.Pack()));
  EXPECT_TRUE(Eventually([&] { return IconsWithTip(changed) == 0; })) << "the icon is gone";
  EXPECT_FALSE(tray_.Notify(TrayMessage::Delete, record_.Pack())) << "the shell no longer knows the icon";
  EXPECT_FALSE(tray_.Notify(TrayMessage::Modify, record_.Pack()));
}

TEST_F(TrayAdapter, TipsUpToSixtyThreeCharactersShowWhole) {
  std::string tip = tip_;
  tip.resize(63, 'x');
  record_.SetTip(tip);
  ASSERT_TRUE(tray_.Notify(TrayMessage::Add, record_.Pack()));
  EXPECT_TRUE(Eventually([&] { return IconsWithTip(tip) == 1; }));
}

TEST_F(TrayAdapter, ALongerTipIsCutToSixtyFourCharactersWithoutStrayBytes) {
  // The record then carries no NUL; what the shell shows ends with the field.
  std::string tip = tip_;
  tip.resize(100, 'y');
  record_.SetTip(tip);
  ASSERT_TRUE(tray_.Notify(TrayMessage::Add, record_.Pack()));
  EXPECT_TRUE(Eventually([&] { return IconsWithTip(tip.substr(0, 64)) == 1; }));
}

TEST_F(TrayAdapter, TwoOwnersGetTwoIcons) {
  HWND second = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "second owner", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(second, nullptr);
  app::TrayIconRecord other = record_;
  other.hWnd = FromHwnd(second);

  ASSERT_TRUE(tray_.Notify(TrayMessage::Add, record_.Pack()));
  ASSERT_TRUE(tray_.Notify(TrayMessage::Add, other.Pack()));
  EXPECT_TRUE(Eventually([&] { return IconsWithTip(tip_) == 2; })) << "same uID, different windows: two icons";

  EXPECT_TRUE(tray_.Notify(TrayMessage::Delete, other.Pack()));
  EXPECT_TRUE(Eventually([&] { return IconsWithTip(tip_) == 1; })) << "deleting one leaves the other";
  DestroyWindow(second);
}

}  // namespace
}  // namespace vk::win32
