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

// A started program with one listed program to close, armed for 15 minutes.
struct Program {
  Program() {
    EXPECT_EQ(app::Startup(w.state), 0);
    w.state.schedule.SleepTime = "0:15";
    w.state.schedule.ForceAppClose = kTrue;
    w.state.AppEntries = {forceclose::MakeAppEntry("C:\\Tools\\app.exe")};
  }
  FakeFormHost& Main() { return static_cast<FakeFormHost&>(w.state.gFrmMain->Host()); }
  // Arms the timer, then the clock reaches the target and the due tick opens
  // the countdown, which `user` plays.
  void Countdown(std::function<void(FakeFormHost&)> user) {
    Main().Click("mnuTimerStart");
    w.journal.entries.clear();
    w.forms.onModal = std::move(user);
    w.clock.now = *w.state.PeriodTarget;
    EXPECT_TRUE(Main().Tick("Timer1"));
  }
  // The journal's entries that start so, without the prefix.
  Strings Calls(const std::string& prefix) const {
    Strings calls;
    for (const std::string& e : w.journal.entries)
      if (e.rfind(prefix, 0) == 0) calls.push_back(e.substr(prefix.size()));
    return calls;
  }
  fakes::TestWorld w;
};

TEST(Countdown, IsModalTopMostStartsOnCancelAndAfterAShutdownStaysOpenDisabled) {
  Program p;
  p.w.state.schedule.CancelTime = 2;
  p.Countdown([&](FakeFormHost& form) {
    EXPECT_EQ(form.Owner(), p.Main().Handle()) << "modal over the main form";
    EXPECT_EQ(form.Model().Focus(), "CmdCancel");
    EXPECT_EQ(form.Model().Get("Timer1").interval, 1000);
    while (form.Tick("Timer1")) {
    }
    EXPECT_FALSE(form.Unloaded());
    for (const char* c : {"Timer1", "CmdOK", "CmdCancel"}) EXPECT_FALSE(form.Model().Get(c).enabled) << c;
    EXPECT_FALSE(form.UserClick("CmdCancel"));
  });
  const auto& topMost = p.w.windows.topMostCalls;
  ASSERT_EQ(topMost.size(), 1u) << "a shutdown is not called off";
  EXPECT_EQ(std::tuple(topMost[0].insertAfter, topMost[0].flags), std::tuple(platform::kHwndTopMost, 3u));
  EXPECT_EQ(p.Calls(""), (Strings{"Load FrmCountdown", "SetWindowPos -1", "Show FrmCountdown",
                                  "Power.AltShutdownSupported", "Power.PowerAction 2", "Power.ForceAction 0",
                                  "Process.Flags 4", "Process.ProcessPath C:\\Tools\\app.exe", "Process.EndProcess",
                                  "Power.DoPowerAction"}));
}

TEST(Countdown, StaysWhileTheActionRunsEvenWhenItsFrameIsClosedThen) {
  Program p;
  p.w.components.failing = {"DoPowerAction"};
  FakeFormHost* warning = nullptr;
  p.w.messages.onShow = [&] {  // the failure is being reported
    warning->CloseFrame();
    EXPECT_FALSE(warning->Unloaded());
  };
  p.Countdown([&](FakeFormHost& form) {
    warning = &form;
    EXPECT_TRUE(form.UserClick("CmdOK"));
    EXPECT_TRUE(form.Unloaded()) << "called off once the report is read";
  });
  EXPECT_EQ(p.w.messages.shown.size(), 1u);
}

TEST(Countdown, EndsAsTheUserTheCountOrAFailureDecides) {
  enum End { kStaysOpen, kStopsAndCloses, kCalledOff };
  const Strings shutdown = {"AltShutdownSupported", "PowerAction 2", "ForceAction 0", "DoPowerAction"};
  const Strings plain = {"PowerAction 16", "ForceAction 0", "DoPowerAction"};
  const std::string error = " failed with error 0x80004005";
  struct Case {
    const char* name;
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
      {.name = "before the fifth generation, a plain shutdown", .major = 4, .power = plain},
      {.name = "an unknown generation counts as an old one", .major = 0, .power = plain},
      {.name = "from the fifth on, the other shutdown", .major = 5, .power = shutdown},
      {.name = "forced, where the other shutdown is missing", .alt = kFalse, .force = kTrue,
       .power = {"AltShutdownSupported", "PowerAction 16", "ForceAction -1", "DoPowerAction"}},
      {.name = "suspend", .mode = 1, .major = 4, .power = {"PowerAction 64", "ForceAction 0", "DoPowerAction"},
       .end = kStopsAndCloses},
      {.name = "any force but zero forces", .mode = 1, .force = 1,
       .power = {"PowerAction 64", "ForceAction -1", "DoPowerAction"}, .end = kStopsAndCloses},
      {.name = "forced hibernation", .mode = 2, .major = 4, .force = kTrue,
       .power = {"PowerAction 32", "ForceAction -1", "DoPowerAction"}, .end = kStopsAndCloses},
      {.name = "hibernation", .mode = 2, .power = {"PowerAction 32", "ForceAction 0", "DoPowerAction"},
       .end = kStopsAndCloses},
      {.name = "a warning of one second acts at the first tick", .cancelTime = 1, .seconds = {"1", "1"},
       .power = shutdown},
      {.name = "so does one of none", .cancelTime = 0, .seconds = {"0", "0"}, .power = shutdown},
      {.name = "and a negative one", .cancelTime = -5, .seconds = {"-5", "-5"}, .power = shutdown},
      {.name = "and the lowest", .cancelTime = -32768, .seconds = {"-32768", "-32768"}, .power = shutdown},
      {.name = "OK at once acts without touching the label", .key = "CmdOK", .seconds = {"3", "3"}, .power = shutdown},
      {.name = "OK later", .ticks = 1, .key = "CmdOK", .seconds = {"3", "2", "2"}, .power = shutdown},
      {.name = "Cancel", .ticks = 1, .key = "CmdCancel", .seconds = {"3", "2", "2"}, .end = kCalledOff},
      {.name = "Escape", .key = "Escape", .seconds = {"3", "3"}, .end = kCalledOff},
      {.name = "the frame's Close", .key = "frame", .seconds = {"3", "3"}, .end = kCalledOff},
      {.name = "mode 3 is reported", .mode = 3, .end = kCalledOff, .says = "mode 3"},
      {.name = "mode -1 is reported", .mode = -1, .end = kCalledOff, .says = "mode -1"},
      {.name = "mode 70000 is reported", .mode = 70000, .end = kCalledOff, .says = "mode 70000"},
      {.name = "no PowerControl", .failing = "missing", .end = kCalledOff, .says = "0x80040154"},
      {.name = "AltShutdownSupported fails", .failing = "AltShutdownSupported", .power = {"AltShutdownSupported"},
       .end = kCalledOff, .says = "PowerControl.AltShutdownSupported" + error},
      {.name = "PowerAction fails", .failing = "PowerAction", .power = {"AltShutdownSupported", "PowerAction 2"},
       .end = kCalledOff, .says = "PowerControl.PowerAction" + error},
      {.name = "ForceAction fails", .mode = 1, .failing = "ForceAction", .power = {"PowerAction 64", "ForceAction 0"},
       .end = kCalledOff, .says = "PowerControl.ForceAction" + error},
      {.name = "DoPowerAction fails", .failing = "DoPowerAction", .power = shutdown, .end = kCalledOff,
       .says = "PowerControl.DoPowerAction" + error},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Program p;
    fakes::TestWorld& w = p.w;
    w.state.schedule.Mode = c.mode;
    w.windows.majorVersion = c.major;
    w.components.altShutdownSupported = c.alt;
    w.state.schedule.ForceShutdown = c.force;
    w.state.schedule.CancelTime = c.cancelTime;
    w.components.powerInstalled = c.failing != "missing";
    w.components.failing = {c.failing};
    w.state.gPowerControl.reset();  // the countdown fills the empty slot
    Strings labels;
    bool unloaded = false;
    std::size_t trayCalls = 0;
    p.Countdown([&](FakeFormHost& form) {
      trayCalls = w.tray.calls.size();
      auto note = [&] { labels.push_back(form.Model().Get("Label1").text); };
      note();
      for (int t = 0; t < c.ticks && form.Tick("Timer1"); ++t) note();
      if (c.key == "frame") form.CloseFrame();
      if (c.key == "Escape" || c.key.starts_with("Cmd")) {
        EXPECT_TRUE(c.key == "Escape" ? form.PressEscape() : form.UserClick(c.key));
      }
      if (!c.key.empty()) note();
      while (form.Tick("Timer1")) note();
      unloaded = form.Unloaded();
    });

    Strings expected;
    std::size_t blinks = 0;
    for (const std::string& s : c.seconds) {
      const std::string label = "Time until shutdown: " + s + " secs";
      blinks += !expected.empty() && label != expected.back();
      expected.push_back(label);
    }
    EXPECT_EQ(labels, expected);
    EXPECT_EQ(w.windows.flashed.size(), blinks) << "a blink for each second shown";
    EXPECT_EQ(p.Calls("Power."), c.power);
    if (!c.power.empty()) {
      EXPECT_LT(w.journal.IndexOf("Create PowerControl"), w.journal.IndexOf("Power." + c.power[0]));
    }
    // The listed programs (and on the older generation the program itself)
    // close just before the action.
    const bool acts = !c.power.empty() && c.power.back() == "DoPowerAction";
    EXPECT_EQ(p.Calls("Process.").size(), acts ? (c.major <= 4 ? 6u : 3u) : 0u);
    if (acts) {
      EXPECT_EQ(w.journal.entries[w.journal.IndexOf("Power.DoPowerAction") - 1], "Process.EndProcess");
    }
    EXPECT_EQ(w.messages.shown.size(), c.says.empty() ? 0u : 1u);
    if (!c.says.empty() && !w.messages.shown.empty()) {
      EXPECT_NE(w.messages.shown[0].text.find(c.says), std::string::npos) << w.messages.shown[0].text;
      EXPECT_EQ(w.messages.shown[0].title, "Vesperkit");
    }
    EXPECT_EQ(unloaded, c.end != kStaysOpen);
    EXPECT_EQ(w.state.TimerRunning, c.end == kStaysOpen ? kTrue : kFalse);
    EXPECT_EQ(w.windows.topMostCalls.back().insertAfter,
              c.end == kCalledOff ? platform::kHwndNoTopMost : platform::kHwndTopMost);
    if (c.end == kStopsAndCloses) {
      // The timer is stopped once the action has returned.
      EXPECT_LT(w.journal.IndexOf("Power.DoPowerAction"), w.journal.IndexOf("Tray Modify"));
      EXPECT_EQ(w.state.gTrayIcon.hIcon, w.forms.LoadIconResource(IDI_CLOCK_RED));
    } else {
      EXPECT_EQ(w.tray.calls.size(), trayCalls) << "the tray stays on the armed clock";
    }
    EXPECT_FALSE(p.Main().Model().Get("Timer1").enabled) << "the schedule stays disarmed";
  }
}

}  // namespace
}  // namespace vk::shutdown
