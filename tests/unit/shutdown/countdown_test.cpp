// The countdown warning, opened as the schedule timer's due tick opens it and
// played second by second with the test's ticks.
#include <gtest/gtest.h>

#include <functional>

#include "app/frm_main.h"
#include "app/startup.h"
#include "fakes/test_world.h"
#include "forceclose/app_entry.h"
#include "resource_ids.h"

namespace vk::shutdown {
namespace {

using fakes::FakeFormHost;
using Strings = std::vector<std::string>;

class Countdown : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(app::Startup(w.state), 0);
    w.state.schedule.CancelTime = 3;
    w.state.schedule.Mode = 0;
    // Armed, and disarmed by the due tick that opens the countdown.
    w.state.schedule.SleepTime = "0:15";
    Main().Click("mnuTimerStart");
    ASSERT_EQ(w.state.TimerRunning, kTrue);
    Main().Model().SetEnabled("Timer1", false);
    // One listed program, so the closing of the listed programs shows.
    w.state.schedule.ForceAppClose = kTrue;
    w.state.AppEntries = {forceclose::MakeAppEntry("C:\\Tools\\app.exe")};
    w.journal.entries.clear();
  }

  // Opens the countdown as the due tick does; `user` plays while it is shown.
  // The form is released once it has closed: what the tests look at later is
  // noted before.
  void Run(const std::function<void(FakeFormHost&)>& user) {
    w.forms.onModal = [&](FakeFormHost& form) {
      form_ = &form;
      labels_.push_back(Label());
      interval_ = form.Model().Get("Timer1").interval;
      user(form);
      unloaded_ = form.Unloaded();
      handle_ = form.Handle();
      form_ = nullptr;
    };
    w.state.ShowCountdown();
  }
  // Lets every second pass until the timer stops.
  void RunOut() {
    Run([&](FakeFormHost& form) {
      while (form.Tick("Timer1")) labels_.push_back(Label());
    });
  }
  std::string Label() { return form_->Model().Get("Label1").text; }
  Strings Journal(const std::string& prefix) const {
    Strings calls;
    for (const std::string& e : w.journal.entries)
      if (e.rfind(prefix, 0) == 0) calls.push_back(e);
    return calls;
  }
  Strings PowerCalls() const { return Journal("Power."); }
  FakeFormHost& Main() { return static_cast<FakeFormHost&>(w.state.gFrmMain->Host()); }
  bool TrayShows(int icon) { return w.state.gTrayIcon.hIcon == w.forms.LoadIconResource(icon); }
  void ExpectCalledOff() {
    EXPECT_TRUE(unloaded_);
    EXPECT_EQ(w.state.TimerRunning, kFalse);
    EXPECT_EQ(w.windows.topMostCalls.back().insertAfter, platform::kHwndNoTopMost);
    EXPECT_TRUE(TrayShows(IDI_CLOCK_GREEN)) << "calling off leaves the tray as it was";
  }

  fakes::TestWorld w;
  FakeFormHost* form_ = nullptr;  // while shown
  Strings labels_;
  int interval_ = 0;
  bool unloaded_ = false;
  WindowHandle handle_ = 0;
};

TEST_F(Countdown, TheDueTickOpensItModallyOverTheMainForm) {
  Main().Click("mnuTimerStart");  // armed at 10:00 for 10:15
  w.clock.now.minute = 15;
  w.forms.onModal = [&](FakeFormHost& form) {
    EXPECT_EQ(form.Def().name, "FrmCountdown");
    EXPECT_EQ(form.Owner(), Main().Handle());
    EXPECT_FALSE(Main().Model().Get("Timer1").enabled) << "no tick while the countdown runs";
    form.UserClick("CmdCancel");
  };
  EXPECT_TRUE(Main().Tick("Timer1"));
  EXPECT_TRUE(w.journal.Contains("Load FrmCountdown"));
  EXPECT_EQ(w.state.TimerRunning, kFalse);
}

TEST_F(Countdown, EverySecondFromNDownToOneThenTheWholeSequenceInOrder) {
  RunOut();
  EXPECT_EQ(labels_, (Strings{"Time until shutdown: 3 secs", "Time until shutdown: 2 secs",
                              "Time until shutdown: 1 secs", "Time until shutdown: 1 secs"}))
      << "the last tick does not touch the label";
  EXPECT_EQ(interval_, 1000);
  EXPECT_EQ(w.windows.flashed, std::vector<WindowHandle>(2, handle_)) << "a blink for each second shown";
  const Strings expected = {"Power.AltShutdownSupported", "Power.PowerAction 2", "Power.ForceAction 0",
                            "Process.Flags 4",            "Process.ProcessPath C:\\Tools\\app.exe",
                            "Process.EndProcess",         "Power.DoPowerAction"};
  Strings calls;
  for (const std::string& e : w.journal.entries)
    if (e.rfind("Power.", 0) == 0 || e.rfind("Process.", 0) == 0) calls.push_back(e);
  EXPECT_EQ(calls, expected);
}

TEST_F(Countdown, IsTopMostAndAShutdownLeavesItOpenWithEveryControlDisabled) {
  Run([&](FakeFormHost& form) {
    ASSERT_EQ(w.windows.topMostCalls.size(), 1u);
    EXPECT_EQ(w.windows.topMostCalls[0].window, form.Handle());
    EXPECT_EQ(w.windows.topMostCalls[0].insertAfter, platform::kHwndTopMost);
    EXPECT_EQ(w.windows.topMostCalls[0].flags, 3u);
    EXPECT_EQ(form.Model().Focus(), "CmdCancel");
    while (form.Tick("Timer1")) {
    }
    EXPECT_FALSE(form.Unloaded());
    for (const char* c : {"Timer1", "CmdOK", "CmdCancel"}) EXPECT_FALSE(form.Model().Get(c).enabled) << c;
    EXPECT_FALSE(form.UserClick("CmdCancel"));
  });
  EXPECT_EQ(w.windows.topMostCalls.size(), 1u);
  EXPECT_EQ(w.state.TimerRunning, kTrue) << "after a shutdown nothing follows";
}

TEST_F(Countdown, OkAtAnyPointActsAtOnceWithoutTouchingTheLabel) {
  for (int ticksFirst : {0, 1, 2}) {
    w.journal.entries.clear();
    Run([&](FakeFormHost& form) {
      for (int i = 0; i < ticksFirst; ++i) form.Tick("Timer1");
      const std::string before = Label();
      EXPECT_TRUE(form.UserClick("CmdOK"));
      EXPECT_EQ(Label(), before);
      EXPECT_FALSE(form.Tick("Timer1"));
    });
    EXPECT_EQ(PowerCalls().back(), "Power.DoPowerAction") << ticksFirst;
    EXPECT_EQ(w.windows.flashed.size(), static_cast<size_t>(ticksFirst * (ticksFirst + 1) / 2));
  }
}

TEST_F(Countdown, CancelCallsNothingAndLeavesTheScheduleDisarmedUnderTheArmedClock) {
  const size_t trayCalls = w.tray.calls.size();
  Run([&](FakeFormHost& form) {
    form.Tick("Timer1");
    EXPECT_TRUE(form.UserClick("CmdCancel"));
    EXPECT_FALSE(form.Tick("Timer1"));
  });
  EXPECT_TRUE(PowerCalls().empty());
  ExpectCalledOff();
  EXPECT_EQ(w.tray.calls.size(), trayCalls);
  EXPECT_FALSE(Main().Model().Get("Timer1").enabled);
}

TEST_F(Countdown, EscapeAndTheFrameCloseBehaveAsCancel) {
  for (bool frame : {false, true}) {
    w.state.TimerRunning = kTrue;
    Run([&](FakeFormHost& form) {
      if (frame) form.CloseFrame();
      else EXPECT_TRUE(form.PressEscape());
    });
    EXPECT_TRUE(PowerCalls().empty());
    ExpectCalledOff();
  }
}

TEST_F(Countdown, ShutdownCodeFollowsTheGenerationAndTheNewerPath) {
  struct Case {
    std::uint32_t major;
    VbBool alt;
    Strings expected;
  };
  for (const Case& c : {Case{4, kTrue, {"Power.PowerAction 16"}}, Case{0, kTrue, {"Power.PowerAction 16"}},
                        Case{5, kTrue, {"Power.AltShutdownSupported", "Power.PowerAction 2"}},
                        Case{6, kFalse, {"Power.AltShutdownSupported", "Power.PowerAction 16"}}}) {
    w.windows.majorVersion = c.major;
    w.components.altShutdownSupported = c.alt;
    w.state.gPowerControl.reset();
    w.journal.entries.clear();
    RunOut();
    Strings calls = PowerCalls();
    calls.resize(c.expected.size());
    EXPECT_EQ(calls, c.expected) << c.major;
  }
}

TEST_F(Countdown, SuspendAndHibernateInBothGenerationsThenStopTheTimerAndClose) {
  for (std::uint32_t major : {4u, 6u}) {
    for (auto [mode, code] : {std::pair{1, "64"}, std::pair{2, "32"}}) {
      w.journal.entries.clear();
      w.windows.majorVersion = major;
      w.state.schedule.Mode = mode;
      w.state.TimerRunning = kTrue;
      RunOut();
      const Strings calls = PowerCalls();
      ASSERT_EQ(calls.size(), 3u);
      EXPECT_EQ(calls[0], std::string("Power.PowerAction ") + code);
      EXPECT_EQ(calls[1], "Power.ForceAction 0");
      EXPECT_EQ(calls[2], "Power.DoPowerAction");
      EXPECT_LT(w.journal.IndexOf("Process.EndProcess"), w.journal.IndexOf("Power.DoPowerAction"));
      EXPECT_LT(w.journal.IndexOf("Power.DoPowerAction"), w.journal.IndexOf("Tray Modify"));
      EXPECT_TRUE(TrayShows(IDI_CLOCK_RED));
      EXPECT_EQ(w.state.TimerRunning, kFalse);
      EXPECT_TRUE(unloaded_);
    }
  }
}

TEST_F(Countdown, ForcedWhenForceShutdownIsOn) {
  for (auto [force, expected] : {std::pair{kTrue, "-1"}, std::pair{VbBool{1}, "-1"}, std::pair{kFalse, "0"}}) {
    w.journal.entries.clear();
    w.state.schedule.ForceShutdown = force;
    w.state.schedule.Mode = 1;
    RunOut();
    EXPECT_EQ(PowerCalls()[1], std::string("Power.ForceAction ") + expected);
  }
}

TEST_F(Countdown, AWarningTimeBelowOneActsAtTheFirstTick) {
  for (std::int16_t cancelTime : {std::int16_t{1}, std::int16_t{0}, std::int16_t{-5}, std::int16_t{-32768}}) {
    w.journal.entries.clear();
    labels_.clear();
    w.state.schedule.CancelTime = cancelTime;
    RunOut();
    EXPECT_EQ(labels_.size(), 2u) << "one tick: " << cancelTime;
    EXPECT_EQ(labels_[0], "Time until shutdown: " + std::to_string(cancelTime) + " secs");
    EXPECT_EQ(PowerCalls().back(), "Power.DoPowerAction") << cancelTime;
  }
}

TEST_F(Countdown, AnUnknownModeIsReportedAndCalledOff) {
  for (std::int32_t mode : {3, -1, 70000}) {
    w.journal.entries.clear();
    w.messages.shown.clear();
    w.state.TimerRunning = kTrue;
    w.state.schedule.Mode = mode;
    RunOut();
    EXPECT_TRUE(PowerCalls().empty());
    EXPECT_TRUE(Journal("Process.").empty());
    ASSERT_EQ(w.messages.shown.size(), 1u);
    EXPECT_EQ(w.messages.shown[0].title, "Vesperkit");
    EXPECT_NE(w.messages.shown[0].text.find("mode " + std::to_string(mode)), std::string::npos);
    ExpectCalledOff();
  }
}

TEST_F(Countdown, AFailingMemberIsReportedWithItsCodeStopsTheSequenceAndIsCalledOff) {
  const Strings order = {"AltShutdownSupported", "PowerAction", "ForceAction", "DoPowerAction"};
  for (size_t failing = 0; failing < order.size(); ++failing) {
    w.messages.shown.clear();
    w.state.TimerRunning = kTrue;
    w.components.failing = {order[failing]};
    w.state.gPowerControl.reset();
    w.journal.entries.clear();
    RunOut();
    Strings expected;
    for (size_t i = 0; i <= failing; ++i) expected.push_back("Power." + order[i]);
    Strings calls = PowerCalls();
    for (std::string& c : calls) c = c.substr(0, c.find(' '));
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(w.journal.Contains("Process.EndProcess"), order[failing] == "DoPowerAction");
    ASSERT_EQ(w.messages.shown.size(), 1u);
    const std::string& text = w.messages.shown[0].text;
    EXPECT_NE(text.find("PowerControl." + order[failing]), std::string::npos) << text;
    EXPECT_NE(text.find("0x80004005"), std::string::npos) << text;
    EXPECT_EQ(w.messages.shown[0].title, "Vesperkit");
    ExpectCalledOff();
  }
}

TEST_F(Countdown, AMissingComponentIsCreatedBeforeTheFirstCallOrReported) {
  w.state.gPowerControl.reset();
  RunOut();
  EXPECT_LT(w.journal.IndexOf("Create PowerControl"), w.journal.IndexOf("Power.AltShutdownSupported"));

  w.state.TimerRunning = kTrue;
  w.state.gPowerControl.reset();
  w.components.powerInstalled = false;
  w.journal.entries.clear();
  RunOut();
  EXPECT_TRUE(PowerCalls().empty());
  ASSERT_EQ(w.messages.shown.size(), 1u);
  EXPECT_NE(w.messages.shown[0].text.find("0x80040154"), std::string::npos);
  ExpectCalledOff();
}

}  // namespace
}  // namespace vk::shutdown
