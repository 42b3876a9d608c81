// The countdown warning, opened as the schedule timer's due tick opens it and
// played second by second with the test's ticks.
#include <gtest/gtest.h>

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
    w.state.schedule.SleepTime = "0:15";
    // One listed program, so the closing of the listed programs shows.
    w.state.schedule.ForceAppClose = kTrue;
    w.state.AppEntries = {forceclose::MakeAppEntry("C:\\Tools\\app.exe")};
  }
  FakeFormHost& Main() { return static_cast<FakeFormHost&>(w.state.gFrmMain->Host()); }
  // Armed; the clock then reaches the target and the due tick opens the
  // countdown, which the test's onModal plays.
  void Arm() {
    Main().Click("mnuTimerStart");
    w.journal.entries.clear();
  }
  void ReachTarget() {
    w.clock.now = *w.state.PeriodTarget;
    ASSERT_TRUE(Main().Tick("Timer1"));
  }
  // The calls to the components whose names start so, without the prefix.
  Strings Calls(const std::string& prefix) const {
    Strings calls;
    for (const std::string& e : w.journal.entries)
      if (e.rfind(prefix, 0) == 0) calls.push_back(e.substr(prefix.size()));
    return calls;
  }
  static std::string Label(const std::string& seconds) { return "Time until shutdown: " + seconds + " secs"; }

  fakes::TestWorld w;
};

TEST_F(Countdown, IsModalTopMostBlinksAndAfterAShutdownStaysOpenDisabled) {
  w.state.schedule.CancelTime = 3;
  Arm();
  WindowHandle handle = 0;
  w.forms.onModal = [&](FakeFormHost& form) {
    handle = form.Handle();
    EXPECT_EQ(form.Owner(), Main().Handle()) << "modal over the main form";
    EXPECT_EQ(form.Model().Focus(), "CmdCancel");
    EXPECT_EQ(form.Model().Get("Timer1").interval, 1000);
    while (form.Tick("Timer1")) {
    }
    EXPECT_FALSE(form.Unloaded());
    for (const char* c : {"Timer1", "CmdOK", "CmdCancel"}) EXPECT_FALSE(form.Model().Get(c).enabled) << c;
    EXPECT_FALSE(form.UserClick("CmdCancel"));
  };
  ReachTarget();
  EXPECT_EQ(w.windows.flashed, std::vector<WindowHandle>(2, handle)) << "a blink for each second shown";
  ASSERT_EQ(w.windows.topMostCalls.size(), 1u) << "a shutdown is not called off";
  const auto& topMost = w.windows.topMostCalls[0];
  EXPECT_EQ(std::tuple(topMost.window, topMost.insertAfter, topMost.flags), std::tuple(handle, platform::kHwndTopMost, 3u));
  EXPECT_EQ(Calls(""), (Strings{"Load FrmCountdown", "SetWindowPos -1", "Show FrmCountdown", "Power.AltShutdownSupported",
                               "Power.PowerAction 2", "Power.ForceAction 0", "Process.Flags 4",
                               "Process.ProcessPath C:\\Tools\\app.exe", "Process.EndProcess", "Power.DoPowerAction"}));
}

TEST_F(Countdown, EndsAsTheUserTheCountOrAFailureDecides) {
  enum End { kStaysOpen, kStopsAndCloses, kCalledOff };
  const Strings shutdown = {"AltShutdownSupported", "PowerAction 2", "ForceAction 0", "DoPowerAction"};
  const std::string error = " failed with error 0x80004005";
  struct Case {
    std::int32_t mode = 0;
    std::uint32_t major = 6;
    VbBool alt = kTrue, force = kFalse;
    std::int16_t cancelTime = 3;
    std::string failing = "";  // a member that fails, "missing" for no component
    int ticks = 0;             // seconds that pass before the key; then the rest pass
    std::string key = "";      // "CmdOK", "CmdCancel", "Escape" or "frame"
    Strings seconds = {"3", "2", "1", "1"};  // shown on opening and after each tick and key
    Strings power = {};
    End end = kStaysOpen;
    std::string says = "";  // the message, if any
  };
  const Case cases[] = {
      // The power calls follow the mode, the generation and the flags.
      {.major = 4, .power = {"PowerAction 16", "ForceAction 0", "DoPowerAction"}},
      {.major = 0, .power = {"PowerAction 16", "ForceAction 0", "DoPowerAction"}},
      {.major = 5, .power = shutdown},
      {.alt = kFalse, .force = kTrue, .power = {"AltShutdownSupported", "PowerAction 16", "ForceAction -1", "DoPowerAction"}},
      {.mode = 1, .major = 4, .power = {"PowerAction 64", "ForceAction 0", "DoPowerAction"}, .end = kStopsAndCloses},
      {.mode = 1, .force = 1, .power = {"PowerAction 64", "ForceAction -1", "DoPowerAction"}, .end = kStopsAndCloses},
      {.mode = 2, .major = 4, .force = kTrue, .power = {"PowerAction 32", "ForceAction -1", "DoPowerAction"},
       .end = kStopsAndCloses},
      {.mode = 2, .power = {"PowerAction 32", "ForceAction 0", "DoPowerAction"}, .end = kStopsAndCloses},
      // A warning time of one or below acts at the first tick.
      {.cancelTime = 1, .seconds = {"1", "1"}, .power = shutdown},
      {.cancelTime = 0, .seconds = {"0", "0"}, .power = shutdown},
      {.cancelTime = -5, .seconds = {"-5", "-5"}, .power = shutdown},
      {.cancelTime = -32768, .seconds = {"-32768", "-32768"}, .power = shutdown},
      // OK at any point acts at once without touching the label.
      {.key = "CmdOK", .seconds = {"3", "3"}, .power = shutdown},
      {.ticks = 1, .key = "CmdOK", .seconds = {"3", "2", "2"}, .power = shutdown},
      // Cancel, Escape and the frame's Close call it off.
      {.ticks = 1, .key = "CmdCancel", .seconds = {"3", "2", "2"}, .end = kCalledOff},
      {.key = "Escape", .seconds = {"3", "3"}, .end = kCalledOff},
      {.key = "frame", .seconds = {"3", "3"}, .end = kCalledOff},
      // What keeps the action from starting is reported, then called off.
      {.mode = 3, .end = kCalledOff, .says = "mode 3"},
      {.mode = -1, .end = kCalledOff, .says = "mode -1"},
      {.mode = 70000, .end = kCalledOff, .says = "mode 70000"},
      {.failing = "missing", .end = kCalledOff, .says = "0x80040154"},
      {.failing = "AltShutdownSupported", .power = {"AltShutdownSupported"}, .end = kCalledOff,
       .says = "PowerControl.AltShutdownSupported" + error},
      {.failing = "PowerAction", .power = {"AltShutdownSupported", "PowerAction 2"}, .end = kCalledOff,
       .says = "PowerControl.PowerAction" + error},
      {.mode = 1, .failing = "ForceAction", .power = {"PowerAction 64", "ForceAction 0"}, .end = kCalledOff,
       .says = "PowerControl.ForceAction" + error},
      {.failing = "DoPowerAction", .power = shutdown, .end = kCalledOff, .says = "PowerControl.DoPowerAction" + error},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    w.state.schedule.Mode = c.mode;
    w.windows.majorVersion = c.major;
    w.components.altShutdownSupported = c.alt;
    w.state.schedule.ForceShutdown = c.force;
    w.state.schedule.CancelTime = c.cancelTime;
    w.components.powerInstalled = c.failing != "missing";
    w.components.failing = {c.failing};
    w.state.gPowerControl.reset();
    w.messages.shown.clear();
    w.windows.flashed.clear();
    w.windows.topMostCalls.clear();
    Arm();
    const std::size_t trayCalls = w.tray.calls.size();
    Strings labels;
    bool unloaded = false;
    w.forms.onModal = [&](FakeFormHost& form) {
      auto note = [&] { labels.push_back(form.Model().Get("Label1").text); };
      note();
      for (int t = 0; t < c.ticks && form.Tick("Timer1"); ++t) note();
      if (c.key == "frame") form.CloseFrame();
      if (c.key == "Escape" || c.key.rfind("Cmd", 0) == 0) {
        EXPECT_TRUE(c.key == "Escape" ? form.PressEscape() : form.UserClick(c.key)) << "case " << i;
      }
      if (!c.key.empty()) note();
      while (form.Tick("Timer1")) note();
      unloaded = form.Unloaded();
    };
    ReachTarget();

    Strings expected;
    std::size_t blinks = 0;
    for (const std::string& s : c.seconds) {
      blinks += !expected.empty() && Label(s) != expected.back();
      expected.push_back(Label(s));
    }
    EXPECT_EQ(labels, expected) << "case " << i;
    EXPECT_EQ(w.windows.flashed.size(), blinks) << "case " << i;
    EXPECT_EQ(Calls("Power."), c.power) << "case " << i;
    if (!c.power.empty()) {
      EXPECT_LT(w.journal.IndexOf("Create PowerControl"), w.journal.IndexOf("Power." + c.power[0])) << "case " << i;
    }
    const bool acts = !c.power.empty() && c.power.back() == "DoPowerAction";
    // The listed programs (and on the older generation the program itself) close just before the action.
    EXPECT_EQ(Calls("Process.").size(), acts ? (c.major <= 4 ? 6u : 3u) : 0u) << "case " << i;
    if (acts) {
      EXPECT_EQ(w.journal.entries[w.journal.IndexOf("Power.DoPowerAction") - 1], "Process.EndProcess") << "case " << i;
    }
    if (c.says.empty()) {
      EXPECT_TRUE(w.messages.shown.empty()) << "case " << i;
    } else {
      ASSERT_EQ(w.messages.shown.size(), 1u) << "case " << i;
      EXPECT_NE(w.messages.shown[0].text.find(c.says), std::string::npos) << w.messages.shown[0].text;
      EXPECT_EQ(w.messages.shown[0].title, "Vesperkit");
    }
    EXPECT_EQ(unloaded, c.end != kStaysOpen) << "case " << i;
    EXPECT_EQ(w.state.TimerRunning, c.end == kStaysOpen ? kTrue : kFalse) << "case " << i;
    EXPECT_EQ(w.windows.topMostCalls.back().insertAfter,
              c.end == kCalledOff ? platform::kHwndNoTopMost : platform::kHwndTopMost) << "case " << i;
    if (c.end == kStopsAndCloses) {
      // The timer is stopped once the action has returned.
      EXPECT_LT(w.journal.IndexOf("Power.DoPowerAction"), w.journal.IndexOf("Tray Modify")) << "case " << i;
      EXPECT_EQ(w.state.gTrayIcon.hIcon, w.forms.LoadIconResource(IDI_CLOCK_RED)) << "case " << i;
    } else {
      EXPECT_EQ(w.tray.calls.size(), trayCalls) << "case " << i << ": the tray stays on the armed clock";
    }
    EXPECT_FALSE(Main().Model().Get("Timer1").enabled) << "case " << i << ": the schedule stays disarmed";
  }
}

}  // namespace
}  // namespace vk::shutdown
