// The tray adapter with the program's own 88-byte record: the shell takes the
// icon, shows the tip the record carries, takes a new tip, and forgets the
// icon when told to; what the shell holds is read back from its tray.
#include <gtest/gtest.h>

#include "app/tray_icon_record.h"
#include "tray_view.h"
#include "win32/handles.h"
#include "win32/tray.h"

namespace vk::win32 {
namespace {

using platform::TrayMessage;

int IconsWithTip(const std::string& tip) {
  int count = 0;
  for (const traytest::TrayIconView& icon : traytest::ReadTrayIcons()) count += icon.Shown() && icon.tip == tip;
  return count;
}

// The tray may lay its icons out a moment after the call returns.
bool EventuallyShown(const std::string& tip, int count) {
  for (int attempt = 0; attempt < 100; ++attempt, Sleep(50))
    if (IconsWithTip(tip) == count) return true;
  return false;
}

TEST(TrayAdapter, AddsModifiesAndDeletesTheIconAndALongTipIsCutWithoutStrayBytes) {
  HWND owner = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "tray test owner", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  Win32Tray tray;
  app::TrayIconRecord record;
  record.cbSize = app::kTrayLayout.size;
  record.hWnd = FromHwnd(owner);
  record.uID = app::kTrayIconId;
  record.uFlags = app::kTrayFlags;
  record.uCallbackMessage = app::kTrayCallbackMessage;
  record.hIcon = FromHicon(LoadIconA(nullptr, IDI_APPLICATION));
  const std::string tip = "Vesperkit tray test " + std::to_string(GetCurrentProcessId());  // no other icon has it
  record.SetTip(tip);
  ASSERT_TRUE(tray.Notify(TrayMessage::Add, record.Pack())) << "the shell refused the 88-byte record";
  EXPECT_TRUE(EventuallyShown(tip, 1));

  // Longer than the field: the record carries no NUL, and the shell shows the field.
  const std::string changed = (tip + " changed ").append(100, 'y');
  record.SetTip(changed);
  EXPECT_TRUE(tray.Notify(TrayMessage::Modify, record.Pack()));
  EXPECT_TRUE(EventuallyShown(changed.substr(0, 64), 1));
  EXPECT_EQ(IconsWithTip(tip), 0) << "the same icon carries the new tip";

  EXPECT_TRUE(tray.Notify(TrayMessage::Delete, record.Pack()));
  EXPECT_TRUE(EventuallyShown(changed.substr(0, 64), 0));
  EXPECT_FALSE(tray.Notify(TrayMessage::Delete, record.Pack())) << "the shell no longer knows the icon";
  EXPECT_FALSE(tray.Notify(TrayMessage::Modify, record.Pack()));
  DestroyWindow(owner);
}

}  // namespace
}  // namespace vk::win32
