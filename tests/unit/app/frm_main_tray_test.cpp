// The tray icon's messages, the pop-up menu and the ways out of the program.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/startup.h"
#include "fakes/test_world.h"

namespace vk::app {
namespace {

using platform::EventArgs;
using platform::FormEvent;

class FrmMainTray : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Startup(w.state), 0); }

  fakes::FakeFormHost& Main() { return static_cast<fakes::FakeFormHost&>(w.state.gFrmMain->Host()); }

  // The shell's message as it reaches the form: X carries the message number.
  void TrayMessage(int message) {
    EventArgs a;
    a.x = message * Main().twipsPerPixelX;
    Main().Fire("Form", FormEvent::MouseMove, a);
  }

  fakes::TestWorld w;
};

TEST_F(FrmMainTray, RightButtonReleaseOpensTheMenuWithSetSleepTimeAsDefault) {
  const std::string before = w.journal.entries.back();
  TrayMessage(0x205);
  ASSERT_EQ(w.forms.menusShown.size(), 1u);
  EXPECT_EQ(w.forms.menusShown[0].menu, "mnuMain");
  EXPECT_EQ(w.forms.menusShown[0].defaultItem, "mnuTimeSet");
  EXPECT_LT(w.journal.IndexOf("SetForegroundWindow " + std::to_string(Main().Handle())),
            w.journal.IndexOf("PopupMenu mnuTimeSet"));
  EXPECT_EQ(w.state.MenuDefault, kDefaultTimeSet);

  const auto& m = Main().Model();
  EXPECT_TRUE(m.Get("mnuAbout").enabled);
  EXPECT_TRUE(m.Get("mnuTimeSet").enabled);
  EXPECT_FALSE(m.Get("mnuTimerStart").enabled);
  EXPECT_FALSE(m.Get("mnuTimerStop").enabled);
  EXPECT_EQ(m.Get("mnuTimerStart").text, "S&tart Timer");
  EXPECT_EQ(m.Get("mnuTimerStop").text, "Sto&p Timer");
}

TEST_F(FrmMainTray, OtherMouseMessagesDoNothing) {
  for (int message : {0x200, 0x201, 0x202, 0x203, 0x204, 0x206}) TrayMessage(message);
  EXPECT_TRUE(w.forms.menusShown.empty());
  EXPECT_FALSE(w.journal.Contains("SetForegroundWindow " + std::to_string(Main().Handle())));
}

TEST_F(FrmMainTray, TwipsAtFifteenPerPixelDecodeTheRightButtonRelease) {
  EventArgs a;
  a.x = 7755;
  Main().Fire("Form", FormEvent::MouseMove, a);
  EXPECT_EQ(w.forms.menusShown.size(), 1u);
}

TEST_F(FrmMainTray, DefaultMovesOnlyAfterAUseOfTheMenu) {
  w.state.schedule.TimeSet = kTrue;
  TrayMessage(0x205);  // opens with the old default, then learns Start Timer
  w.state.TimerRunning = kTrue;
  TrayMessage(0x205);
  TrayMessage(0x205);
  ASSERT_EQ(w.forms.menusShown.size(), 3u);
  EXPECT_EQ(w.forms.menusShown[0].defaultItem, "mnuTimeSet");
  EXPECT_EQ(w.forms.menusShown[1].defaultItem, "mnuTimerStart");
  EXPECT_EQ(w.forms.menusShown[2].defaultItem, "mnuTimerStop");
  EXPECT_EQ(w.state.LastMenuDefault, kDefaultTimerStop);
}

TEST_F(FrmMainTray, AnUnknownDefaultShowsNoMenu) {
  w.state.MenuDefault = 7;
  TrayMessage(0x205);
  EXPECT_TRUE(w.forms.menusShown.empty());
  EXPECT_EQ(w.state.LastMenuDefault, 7);
  EXPECT_EQ(w.state.MenuDefault, 7);
}

TEST_F(FrmMainTray, EnableTimerMenusSwitchesStartAndStopTogether) {
  w.state.gFrmMain->EnableTimerMenus(kTrue);
  EXPECT_TRUE(Main().Model().Get("mnuTimerStart").enabled);
  EXPECT_TRUE(Main().Model().Get("mnuTimerStop").enabled);
  w.state.gFrmMain->EnableTimerMenus(kFalse);
  EXPECT_FALSE(Main().Model().Get("mnuTimerStart").enabled);
  EXPECT_FALSE(Main().Model().Get("mnuTimerStop").enabled);
}

TEST_F(FrmMainTray, ExitRemovesTheIconReleasesTheComponentsAndEnds) {
  w.state.TimerRunning = kTrue;  // an armed schedule simply ends with the program
  w.forms.onMenu = [](fakes::FakeFormHost& form, const std::string&) { form.Click("mnuExit"); };
  w.journal.entries.clear();
  TrayMessage(0x205);

  const std::vector<std::string> expected = {"SetForegroundWindow " + std::to_string(Main().Handle()),
                                             "PopupMenu mnuTimeSet", "Tray Delete", "Power.Released",
                                             "Process.Released", "EndProgram 0"};
  EXPECT_EQ(w.journal.entries, expected);
  EXPECT_EQ(w.tray.calls.back().record, w.state.gTrayIcon.Pack());
  EXPECT_EQ(w.forms.endedWith, 0);
}

TEST_F(FrmMainTray, EndOfSessionLeavesAtOnceWithoutAnIcon) {
  w.journal.entries.clear();
  Main().Fire("Form", FormEvent::EndSession);
  EXPECT_EQ(w.journal.entries.front(), "Tray Delete");
  EXPECT_EQ(w.forms.endedWith, 0);
}

TEST_F(FrmMainTray, ARestartedTaskbarGetsTheIconBackAsItStands) {
  w.state.gTrayIcon.hIcon = 0x777;
  w.state.gTrayIcon.SetTip("Shutdown period set as: 90 Mins.");
  Main().Fire("Form", FormEvent::TaskbarCreated);
  ASSERT_EQ(w.tray.calls.size(), 2u);
  EXPECT_EQ(w.tray.calls[1].message, platform::TrayMessage::Add);
  EXPECT_EQ(w.tray.calls[1].record, w.state.gTrayIcon.Pack());
}

TEST_F(FrmMainTray, SetSleepTimeAndAboutBringAnOpenModalDialogToTheFront) {
  fakes::FakeFormHost other(w.forms, FrmMain::Definition(), Main().Model(), *w.state.gFrmMain, 0x4242);
  w.forms.modalStack.push_back(&other);
  Main().Click("mnuTimeSet");
  Main().Click("mnuAbout");
  EXPECT_EQ(w.forms.broughtToFront, (std::vector<WindowHandle>{0x4242, 0x4242}));
  EXPECT_EQ(w.forms.hosts.size(), 1u);  // nothing new was loaded
}

}  // namespace
}  // namespace vk::app
