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
  fakes::TestWorld w;
};

TEST(Countdown, StaysWhileTheActionRunsEvenWhenItsFrameIsClosedThen) {
  Program p;
  p.w.components.failing = {"DoPowerAction"};
  FakeFormHost* warning = nullptr;
  p.w.shell.onMessage = [&] {  // the failure is being reported
    warning->CloseFrame();
    EXPECT_FALSE(warning->Unloaded());
  };
  p.Countdown([&](FakeFormHost& form) {
    warning = &form;
    EXPECT_EQ(form.Model().Focus(), "CmdCancel");
    EXPECT_TRUE(form.UserClick("CmdOK") && form.Unloaded()) << "called off once the report is read";
  });
}

TEST(Countdown, EndsAsTheUserTheCountOrAFailureDecides) {
  const std::string start = "Load FrmCountdown|SetWindowPos -1 3|Show FrmCountdown 4096|";
  const std::string ends = "Process.Flags 4|Process.ProcessPath C:\\Tools\\app.exe|Process.EndProcess|";
  const std::string own = "Process.Flags 4|Process.ProcessPath C:\\Program Files\\Vesperkit\\Vesperkit.exe|Process.EndProcess|";
  const std::string count = "3|Flash|2|Flash|1|";
  const std::string shutdown = "Power.AltShutdownSupported|Power.PowerAction 2|Power.ForceAction 0|" + ends + "Power.DoPowerAction|";
  const std::string off = "SetWindowPos -2 3|";
  const std::string box = "MessageBox Vesperkit 48: ";
  const std::string error = " failed with error 0x80004005.\r\nThe shutdown has been called off; start the timer again when ready.|";
  // How it ends: the warning open (and its buttons dead) or closed, TimerRunning, the tray's clock.
  const std::string open = "open -1 green", closed = "closed 0 green", stopped = "closed 0 red";
  struct Case {
    const char* name;
    std::int32_t mode = 0;
    std::uint32_t major = 6;
    VbBool alt = kTrue, force = kFalse;
    std::int16_t cancelTime = 3;
    std::string failing = "";  // a member that fails, "missing" for no component
    int ticks = 0;             // seconds that pass before the key; then the rest pass
    std::string key = "";      // "CmdOK", "CmdCancel", "Escape" or "frame"
    std::string journal, end;
  };
  const Case cases[] = {
      {.name = "before the fifth generation, a plain shutdown", .major = 4,
       .journal = count + "Power.PowerAction 16|Power.ForceAction 0|" + ends + own + "Power.DoPowerAction|", .end = open},
      {.name = "from the fifth on, the other shutdown", .major = 5, .journal = count + shutdown, .end = open},
      {.name = "forced, where the other shutdown is missing", .alt = kFalse, .force = kTrue,
       .journal = count + "Power.AltShutdownSupported|Power.PowerAction 16|Power.ForceAction -1|" + ends +
                  "Power.DoPowerAction|", .end = open},
      {.name = "suspend, with any force but zero", .mode = 1, .major = 4, .force = 1,
       .journal = count + "Power.PowerAction 64|Power.ForceAction -1|" + ends + own + "Power.DoPowerAction|Tray Modify|",
       .end = stopped},
      {.name = "hibernation", .mode = 2,
       .journal = count + "Power.PowerAction 32|Power.ForceAction 0|" + ends + "Power.DoPowerAction|Tray Modify|",
       .end = stopped},
      {.name = "a warning of one second acts at the first tick", .cancelTime = 1, .journal = "1|" + shutdown, .end = open},
      {.name = "and a negative one", .cancelTime = -5, .journal = "-5|" + shutdown, .end = open},
      {.name = "OK at once acts without touching the label", .key = "CmdOK", .journal = "3|" + shutdown, .end = open},
      {.name = "OK later", .ticks = 1, .key = "CmdOK", .journal = "3|Flash|2|" + shutdown, .end = open},
      {.name = "Cancel", .ticks = 1, .key = "CmdCancel", .journal = "3|Flash|2|" + off, .end = closed},
      {.name = "Escape", .key = "Escape", .journal = "3|" + off, .end = closed},
      {.name = "the frame's Close", .key = "frame", .journal = "3|" + off, .end = closed},
      {.name = "mode 3 is reported", .mode = 3,
       .journal = count + box + "The shutdown could not start: the shutdown mode 3 is not one of Shutdown, Suspend or "
                  "Hibernate.\r\nThe shutdown has been called off; start the timer again when ready.|" + off,
       .end = closed},
      {.name = "no PowerControl", .failing = "missing",
       .journal = count + "Create PowerControl|" + box + "The shutdown could not start: the PowerControl component "
                  "could not be created (error 0x80040154).\r\nThe shutdown has been called off; start the timer "
                  "again when ready.|" + off,
       .end = closed},
      {.name = "AltShutdownSupported fails", .failing = "AltShutdownSupported",
       .journal = count + "Power.AltShutdownSupported|" + box +
                  "The shutdown could not be carried out: PowerControl.AltShutdownSupported" + error + off,
       .end = closed},
      {.name = "ForceAction fails", .mode = 1, .failing = "ForceAction",
       .journal = count + "Power.PowerAction 64|Power.ForceAction 0|" + box +
                  "The suspend could not be carried out: PowerControl.ForceAction" + error + off,
       .end = closed},
      {.name = "DoPowerAction fails", .mode = 2, .failing = "DoPowerAction",
       .journal = count + "Power.PowerAction 32|Power.ForceAction 0|" + ends + "Power.DoPowerAction|" + box +
                  "The hibernation could not be carried out: PowerControl.DoPowerAction" + error + off,
       .end = closed},
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
    if (c.failing == "missing") w.state.gPowerControl.reset();  // the countdown fills the empty slot
    std::string end;
    p.Countdown([&](FakeFormHost& form) {
      std::string shown;  // notes the seconds each time they change
      auto note = [&] {
        const std::string& label = form.Model().Get("Label1").text;
        if (label != shown) w.journal.Add(label.substr(21, label.size() - 26));
        shown = label;
      };
      note();
      for (int t = 0; t < c.ticks && form.Tick("Timer1"); ++t) note();
      if (c.key == "frame") form.CloseFrame();
      if (c.key == "Escape" || c.key.starts_with("Cmd")) {
        EXPECT_TRUE(c.key == "Escape" ? form.PressEscape() : form.UserClick(c.key));
      }
      while (form.Tick("Timer1")) note();
      const platform::FormModel& m = form.Model();
      const bool dead = !m.Get("Timer1").enabled && !m.Get("CmdOK").enabled && !form.UserClick("CmdCancel");
      end = form.Unloaded() ? "closed" : dead ? "open" : "open and alive";
    });
    std::string journal;
    for (const std::string& e : w.journal.entries) journal += e + "|";
    const bool green = w.state.gTrayIcon.hIcon == w.forms.LoadIconResource(IDI_CLOCK_GREEN);
    EXPECT_EQ(journal, start + c.journal);
    EXPECT_EQ(end + " " + std::to_string(w.state.TimerRunning) + (green ? " green" : " red"), c.end);
    EXPECT_FALSE(p.Main().Model().Get("Timer1").enabled) << "the schedule stays disarmed";
  }
}

}  // namespace
}  // namespace vk::shutdown
