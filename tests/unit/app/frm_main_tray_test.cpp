// The tray icon's messages, the pop-up menu and its default, and the ways out
// of the program.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/startup.h"
#include "app/tray_menu.h"
#include "fakes/test_world.h"

namespace vk::app {
namespace {

using platform::EventArgs;
using platform::FormEvent;
using Strings = std::vector<std::string>;

// The rules behind the menu that the tray tests below do not reach.
TEST(TrayMenuRules, TheMessageIsXInPixelsRoundedHalfToEvenAndNoScheduleMeansSetSleepTime) {
  EXPECT_EQ(TrayMessageFromX(0x205, platform::kScalePixels, 15), 0x205);
  EXPECT_EQ(TrayMessageFromX(7762, platform::kScaleTwips, 15), 0x205);  // 517.47 rounds to 517
  EXPECT_EQ(TrayMessageFromX(7755, platform::kScaleTwips, 12), 646);    // another DPI, another message
  EXPECT_EQ(TrayMessageFromX(2.5, platform::kScalePixels, 15), 2);      // halves go to even
  EXPECT_EQ(NextMenuDefault(kFalse, kTrue), kDefaultTimeSet);
}

class FrmMainTray : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Startup(w.state), 0); }

  fakes::FakeFormHost& Main() { return static_cast<fakes::FakeFormHost&>(w.state.gFrmMain->Host()); }
  // The shell's message as it reaches the form: X carries the message number,
  // in twips (0x205 is 7755 at 15 twips per pixel).
  void TrayMessage(int message) {
    EventArgs a;
    a.x = message * Main().twipsPerPixelX;
    Main().Fire("Form", FormEvent::MouseMove, a);
  }
  std::string Foreground() { return "SetForegroundWindow " + std::to_string(Main().Handle()); }

  fakes::TestWorld w;
};

TEST_F(FrmMainTray, OnlyTheRightButtonReleaseOpensTheMenuWithSetSleepTimeAsDefaultAndTheTimerItemsGrey) {
  for (int message : {0x200, 0x201, 0x202, 0x203, 0x204, 0x206}) TrayMessage(message);
  EXPECT_TRUE(w.forms.menusShown.empty());
  EXPECT_FALSE(w.journal.Contains(Foreground()));

  TrayMessage(0x205);
  ASSERT_EQ(w.forms.menusShown.size(), 1u);
  EXPECT_EQ(w.forms.menusShown[0].menu, "mnuMain");
  EXPECT_EQ(w.forms.menusShown[0].defaultItem, "mnuTimeSet");
  EXPECT_LT(w.journal.IndexOf(Foreground()), w.journal.IndexOf("PopupMenu mnuTimeSet"));
  EXPECT_EQ(w.state.MenuDefault, kDefaultTimeSet) << "no schedule is confirmed";
  const auto& m = Main().Model();
  EXPECT_TRUE(m.Get("mnuAbout").enabled && m.Get("mnuTimeSet").enabled && m.Get("mnuExit").enabled);
  EXPECT_FALSE(m.Get("mnuTimerStart").enabled || m.Get("mnuTimerStop").enabled);
}

TEST_F(FrmMainTray, TheDefaultMovesOnlyAfterAUseOfTheMenuAndAnUnknownOneShowsNoMenu) {
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

  w.state.MenuDefault = 7;
  TrayMessage(0x205);
  EXPECT_EQ(w.forms.menusShown.size(), 3u);
  EXPECT_EQ(w.state.LastMenuDefault, 7);
  EXPECT_EQ(w.state.MenuDefault, 7);
}

TEST_F(FrmMainTray, ExitRemovesTheIconReleasesTheComponentsAndEnds) {
  w.state.TimerRunning = kTrue;  // an armed schedule simply ends with the program
  w.forms.onMenu = [](fakes::FakeFormHost& form, const std::string&) { EXPECT_TRUE(form.ChooseMenuItem("mnuExit")); };
  w.journal.entries.clear();
  TrayMessage(0x205);
  EXPECT_EQ(w.journal.entries, (Strings{Foreground(), "PopupMenu mnuTimeSet", "Tray Delete", "Power.Released",
                                        "Process.Released", "EndProgram 0"}));
  EXPECT_EQ(w.tray.calls.back().record, w.state.gTrayIcon.Pack());

  w.journal.entries.clear();  // the end of the session leaves the same way, without a menu
  Main().Fire("Form", FormEvent::EndSession);
  EXPECT_EQ(w.journal.entries.front(), "Tray Delete");
  EXPECT_EQ(w.journal.entries.back(), "EndProgram 0");
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
  EXPECT_EQ(w.forms.hosts.size(), 1u) << "nothing new was loaded";
}

}  // namespace
}  // namespace vk::app
