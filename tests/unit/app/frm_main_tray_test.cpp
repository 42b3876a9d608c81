// The tray icon's messages, the pop-up menu and its default, and the ways out
// of the program.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/startup.h"
#include "app/tray_menu.h"
#include "fakes/test_world.h"

namespace vk::app {
namespace {

using platform::FormEvent;

TEST(TrayMenuRules, TheMessageIsXInPixelsRoundedHalfToEvenAndNoScheduleMeansSetSleepTime) {
  EXPECT_EQ(TrayMessageFromX(0x205, platform::kScalePixels, 15), 0x205);
  EXPECT_EQ(TrayMessageFromX(7762, platform::kScaleTwips, 15), 0x205);  // 517.47 rounds to 517
  EXPECT_EQ(TrayMessageFromX(7755, platform::kScaleTwips, 12), 646);    // another DPI, another message
  EXPECT_EQ(TrayMessageFromX(2.5, platform::kScalePixels, 15), 2);      // halves go to even
  EXPECT_EQ(NextMenuDefault(kFalse, kTrue), kDefaultTimeSet);
}

class FrmMainTray : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Startup(w.state), 0);
    w.journal.entries.clear();
  }
  fakes::FakeFormHost& Main() { return static_cast<fakes::FakeFormHost&>(w.state.gFrmMain->Host()); }
  // The shell's message as it reaches the form: X carries the message number in twips.
  void TrayMessage(int message) {
    platform::EventArgs a;
    a.x = message * 15;
    Main().Fire("Form", FormEvent::MouseMove, a);
  }
  std::string Journal() {
    std::string all;
    for (const std::string& e : w.journal.entries) all += e + "|";
    w.journal.entries.clear();
    return all;
  }
  fakes::TestWorld w;
};

TEST_F(FrmMainTray, OnlyTheRightButtonReleaseOpensTheMenuWhoseDefaultMovesAfterEachUse) {
  for (int message : {0x200, 0x201, 0x202, 0x203, 0x204, 0x206}) TrayMessage(message);
  EXPECT_EQ(Journal(), "");
  const std::string foreground = "SetForegroundWindow " + std::to_string(Main().Handle()) + "|";
  const platform::FormModel& m = Main().Model();
  EXPECT_EQ(std::tuple(m.Get("mnuAbout").enabled, m.Get("mnuTimeSet").enabled, m.Get("mnuExit").enabled,
                       m.Get("mnuTimerStart").enabled, m.Get("mnuTimerStop").enabled),
            std::tuple(true, true, true, false, false))
      << "no schedule is confirmed";
  TrayMessage(0x205);
  w.state.schedule.TimeSet = kTrue;
  TrayMessage(0x205);  // opens with the old default, then learns Start Timer
  w.state.TimerRunning = kTrue;
  TrayMessage(0x205);
  TrayMessage(0x205);
  EXPECT_EQ(Journal(), foreground + "PopupMenu mnuMain mnuTimeSet|" + foreground + "PopupMenu mnuMain mnuTimeSet|" +
                           foreground + "PopupMenu mnuMain mnuTimerStart|" + foreground +
                           "PopupMenu mnuMain mnuTimerStop|");
  w.state.MenuDefault = 7;
  TrayMessage(0x205);
  EXPECT_EQ(std::tuple(Journal(), w.state.LastMenuDefault, w.state.MenuDefault), std::tuple(foreground, 7, 7));
}

TEST_F(FrmMainTray, ExitOrTheEndOfTheSessionRemovesTheIconReleasesTheComponentsAndEnds) {
  w.state.TimerRunning = kTrue;  // an armed schedule simply ends with the program
  w.forms.onMenu = [](fakes::FakeFormHost& form) { form.Click("mnuExit"); };
  TrayMessage(0x205);
  const std::string end = "Tray Delete|Power.Released|Process.Released|EndProgram 0|";
  EXPECT_EQ(Journal(), "SetForegroundWindow " + std::to_string(Main().Handle()) + "|PopupMenu mnuMain mnuTimeSet|" + end);
  EXPECT_EQ(w.tray.record, w.state.gTrayIcon.Pack());
  Main().Fire("Form", FormEvent::EndSession);  // the same way out, without a menu
  EXPECT_EQ(Journal(), "Tray Delete|EndProgram 0|");
}

TEST_F(FrmMainTray, ARestartedTaskbarGetsTheIconBackAsItStands) {
  w.state.gTrayIcon.SetTip("Shutdown period set as: 90 Mins.");
  Main().Fire("Form", FormEvent::TaskbarCreated);
  EXPECT_EQ(std::pair(Journal(), w.tray.record == w.state.gTrayIcon.Pack()), std::pair(std::string("Tray Add|"), true));
}

}  // namespace
}  // namespace vk::app
