// Start-up, the tray record it sends (88 bytes in the 32-bit program, 104 in
// the 64-bit build), the tray icon's messages and menu, and the ways out.
#include "app/startup.h"

#include <gtest/gtest.h>

#include "app/tray_icon_record.h"
#include "app/tray_menu.h"
#include "fakes/test_world.h"
#include "forceclose/force_list_file.h"

namespace vk::app {
namespace {

using platform::FormEvent;

TEST(Startup, RunsItsStepsInOrderReadsTheSettingsAndTheListAndLeavesTheProgramHidden) {
  fakes::TestWorld w;
  w.registry.Put("Software\\Quillfield Systems Ltd\\Vesperkit\\Settings", "Mode", std::string("1\0", 2));
  w.files.files["C:\\Program Files\\Vesperkit\\Files.dat"].bytes =
      forceclose::EncodeAppList({forceclose::MakeAppEntry("C:\\a.exe"), forceclose::MakeAppEntry("C:\\b.exe")});
  ASSERT_EQ(Startup(w.state), 0);
  EXPECT_EQ(w.journal.Take(),
            "Pointer 11|Title Vesperkit|Create PowerControl|Create ProcessControl|Load FrmMain|IsWindow|GetSystemMenu|"
            "GetMenuItemInfo|SetMenuItemInfo|SetMenuItemInfo|SendNcActivate|Power.HibernateSupported|Tray Add|"
            "Hide FrmMain|Pointer 0|");
  const WindowHandle main = w.Main().Handle();
  EXPECT_EQ(std::tuple(w.windows.closeItems[main].id, w.state.schedule.Mode, w.state.AppEntries.size(),
                       w.Main().Visible(), w.Main().Model().Get("Timer1").enabled),
            std::tuple(platform::kClosedItemId, 1, 2u, false, false));
  const TrayIconRecord& r = w.state.gTrayIcon;
  EXPECT_EQ(std::tuple(r.cbSize, r.hWnd, r.uID, r.uFlags, r.uCallbackMessage, r.hIcon, r.szTip.substr(0, 10), w.tray.record),
            std::tuple(kTrayLayout.size, main, 1u, 7u, 0x200u, w.forms.LoadIconResource(1),
                       std::string("Vesperkit") + '\0', r.Pack()));
  EXPECT_EQ(w.registry.OpenKeys(), 0);
}

TEST(Startup, AMissingComponentEndsBeforeTheIconWithAMessageNamingIt) {
  for (bool powerMissing : {true, false}) {
    fakes::TestWorld w;
    (powerMissing ? w.components.powerInstalled : w.components.processInstalled) = false;
    EXPECT_EQ(Startup(w.state), kExitMissingComponent);
    EXPECT_FALSE(w.state.gFrmMain || w.state.gPowerControl);
    EXPECT_EQ(w.journal.Take(), "Pointer 11|Title Vesperkit|Create PowerControl|" +
                                    std::string(powerMissing ? "" : "Create ProcessControl|") + "Pointer 0|" +
                                    "MessageBox Vesperkit 16: The " + (powerMissing ? "Power" : "Process") +
                                    "Control component of Vesperkit could not be created (error 0x80040154).\r\n"
                                    "Reinstalling Vesperkit registers it again.|" + (powerMissing ? "" : "Power.Released|"));
  }
}

TEST(TrayIconRecord, PacksTheFieldsLittleEndianAtTheOffsetsOfEachPointerWidthAndCutsTheTipAt64) {
  const struct {
    const TrayLayout& layout;
    std::uint64_t hWnd, hIcon;
    std::string head;  // the bytes before the tip
  } rows[] = {
      {kTrayLayout32, 0x00123456, 0xCAFEBABE,
       std::string("\x58\0\0\0\x56\x34\x12\0\x01\0\0\0\x07\0\0\0\0\x02\0\0\xBE\xBA\xFE\xCA", 24)},
      {kTrayLayout64, 0x0000123456789ABC, 0xFEDCBA9876543210,
       std::string("\x68\0\0\0\0\0\0\0"                      // cbSize 104, padding
                   "\xBC\x9A\x78\x56\x34\x12\0\0"             // hWnd
                   "\x01\0\0\0\x07\0\0\0\0\x02\0\0\0\0\0\0"   // uID, uFlags, uCallbackMessage, padding
                   "\x10\x32\x54\x76\x98\xBA\xDC\xFE",        // hIcon
                   40)},
  };
  for (const auto& row : rows) {
    for (std::size_t length : {9u, 63u, 64u, 100u}) {
      TrayIconRecord r{row.layout.size, static_cast<WindowHandle>(row.hWnd), 1, 7, 0x200, static_cast<IconHandle>(row.hIcon)};
      r.SetTip(std::string(length, 'x'));
      const std::string tip =
          length < 64 ? std::string(length, 'x') + '\0' + std::string(63 - length, ' ') : std::string(64, 'x');
      const platform::TrayRecordBytes bytes = r.Pack(row.layout);
      EXPECT_EQ(std::string(bytes.begin(), bytes.end()), row.head + tip) << row.layout.size << " " << length;
    }
  }
  EXPECT_EQ(&kTrayLayout, sizeof(void*) == 8 ? &kTrayLayout64 : &kTrayLayout32) << "the program sends its own width";
}

TEST(TrayMenu, OnlyTheRightButtonReleaseOpensTheMenuWhoseDefaultMovesAfterEachUse) {
  EXPECT_EQ(TrayMessageFromX(7762, platform::kScaleTwips, 15), 0x205);  // 517.47 rounds to 517
  EXPECT_EQ(TrayMessageFromX(7755, platform::kScaleTwips, 12), 646);    // another DPI, another message
  EXPECT_EQ(TrayMessageFromX(2.5, platform::kScalePixels, 15), 2);      // halves go to even
  fakes::TestWorld w;
  ASSERT_EQ(Startup(w.state), 0);
  w.journal.entries.clear();
  auto message = [&](int number) {  // X carries the message number, in twips
    platform::EventArgs a;
    a.x = number * 15;
    w.Main().Fire("Form", FormEvent::MouseMove, a);
  };
  for (int number : {0x200, 0x201, 0x202, 0x203, 0x204, 0x206}) message(number);
  const platform::FormModel& m = w.Main().Model();
  EXPECT_EQ(std::tuple(w.journal.Take(), m.Get("mnuAbout").enabled, m.Get("mnuTimeSet").enabled, m.Get("mnuExit").enabled,
                       m.Get("mnuTimerStart").enabled, m.Get("mnuTimerStop").enabled),
            std::tuple("", true, true, true, false, false));
  const std::string menu = "SetForegroundWindow 4096|PopupMenu mnuMain ";
  message(0x205);
  w.state.schedule.TimeSet = kTrue;
  message(0x205);  // opens with the old default, then learns Start Timer
  w.state.TimerRunning = kTrue;
  message(0x205);
  message(0x205);
  w.state.MenuDefault = 7;
  message(0x205);  // an unknown default shows no menu
  EXPECT_EQ(std::tuple(w.journal.Take(), w.state.LastMenuDefault, w.state.MenuDefault),
            std::tuple(menu + "mnuTimeSet|" + menu + "mnuTimeSet|" + menu + "mnuTimerStart|" + menu + "mnuTimerStop|" +
                           "SetForegroundWindow 4096|", 7, 7));
  w.state.gTrayIcon.SetTip("Shutdown period set as: 90 Mins.");
  w.Main().Fire("Form", FormEvent::TaskbarCreated);  // a restarted taskbar gets the icon back as it stands
  EXPECT_EQ(std::pair(w.journal.Take(), w.tray.record == w.state.gTrayIcon.Pack()), std::pair(std::string("Tray Add|"), true));
  w.forms.onMenu = [](fakes::FakeFormHost& form) { form.Click("mnuExit"); };
  w.state.MenuDefault = kDefaultTimerStop;  // an armed schedule simply ends with the program
  message(0x205);
  EXPECT_EQ(w.journal.Take(), menu + "mnuTimerStop|Tray Delete|Power.Released|Process.Released|EndProgram 0|");
  w.Main().Fire("Form", FormEvent::EndSession);  // the same way out, without a menu
  EXPECT_EQ(w.journal.Take(), "Tray Delete|EndProgram 0|");
}

}  // namespace
}  // namespace vk::app
