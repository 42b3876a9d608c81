// The countdown warning, opened as the schedule timer's due tick opens it and
// played second by second with the test's ticks.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/startup.h"
#include "fakes/test_world.h"
#include "resource_ids.h"

namespace vk::shutdown {
namespace {

using fakes::FakeFormHost;

TEST(Countdown, EndsAsTheUserTheCountOrAFailureDecides) {
  const std::string ends = "Process.Flags 4|Process.ProcessPath C:\\Tools\\app.exe|Process.EndProcess|";
  const std::string own =
      "Process.Flags 4|Process.ProcessPath C:\\Program Files\\Vesperkit\\Vesperkit.exe|Process.EndProcess|";
  const std::string count = "3|Flash|2|Flash|1|", alt = "Power.AltShutdownSupported|", act = "Power.DoPowerAction|";
  const std::string shutdown = alt + "Power.PowerAction 2|Power.ForceAction 0|" + ends + act;
  const std::string off = "SetWindowPos -2 3|", box = "MessageBox Vesperkit 48: The ";
  const std::string failed =
      " failed with error 0x80004005.\r\nThe shutdown has been called off; start the timer again when ready.|";
  // How it ends: the warning open with its buttons dead, or closed; TimerRunning; the tray's clock.
  const std::string open = "open -1 green", closed = "closed 0 green", stopped = "closed 0 red";
  struct Case {
    const char* name;
    std::int32_t mode = 0;
    std::uint32_t major = 6;
    VbBool alt = kTrue, force = kFalse;
    std::int16_t cancelTime = 3;
    std::string failing = "";  // a member that fails, "missing" for no component
    std::string key = "";      // pressed after a second, if any: "CmdOK", "CmdCancel", "Escape" or "frame"
    std::string journal, end;
  };
  const Case cases[] = {
      {.name = "before the fifth generation, a plain shutdown",
       .major = 4,
       .journal = count + "Power.PowerAction 16|Power.ForceAction 0|" + ends + own + act,
       .end = open},
      {.name = "from the fifth on, the other shutdown", .major = 5, .journal = count + shutdown, .end = open},
      {.name = "forced, where the other shutdown is missing",
       .alt = kFalse,
       .force = kTrue,
       .journal = count + alt + "Power.PowerAction 16|Power.ForceAction -1|" + ends + act,
       .end = open},
      {.name = "suspend, with any force but zero",
       .mode = 1,
       .major = 4,
       .force = 1,
       .journal = count + "Power.PowerAction 64|Power.ForceAction -1|" + ends + own + act + "Tray Modify|",
       .end = stopped},
      {.name = "hibernation",
       .mode = 2,
       .journal = count + "Power.PowerAction 32|Power.ForceAction 0|" + ends + act + "Tray Modify|",
       .end = stopped},
      {.name = "a warning of one second acts at the first tick",
       .cancelTime = 1,
       .journal = "1|" + shutdown,
       .end = open},
      {.name = "and a negative one", .cancelTime = -5, .journal = "-5|" + shutdown, .end = open},
      {.name = "OK", .key = "CmdOK", .journal = "3|Flash|2|" + shutdown, .end = open},
      {.name = "Cancel", .key = "CmdCancel", .journal = "3|Flash|2|" + off, .end = closed},
      {.name = "Escape", .key = "Escape", .journal = "3|Flash|2|" + off, .end = closed},
      {.name = "the frame's Close", .key = "frame", .journal = "3|Flash|2|" + off, .end = closed},
      {.name = "mode 3 is reported",
       .mode = 3,
       .journal = count + box +
                  "shutdown could not start: the shutdown mode 3 "
                  "is not one of Shutdown, Suspend or Hibernate.\r\nThe shutdown has been called off; start the timer "
                  "again when "
                  "ready.|" +
                  off,
       .end = closed},
      {.name = "no PowerControl",
       .failing = "missing",
       .journal = count + "Create PowerControl|" + box +
                  "shutdown could "
                  "not start: the PowerControl component could not be created (error 0x80040154).\r\nThe shutdown has "
                  "been called "
                  "off; start the timer again when ready.|" +
                  off,
       .end = closed},
      {.name = "AltShutdownSupported fails",
       .failing = "AltShutdownSupported",
       .journal =
           count + alt + box + "shutdown could not be carried out: PowerControl.AltShutdownSupported" + failed + off,
       .end = closed},
      {.name = "ForceAction fails",
       .mode = 1,
       .failing = "ForceAction",
       .journal = count +
                  "Power.PowerAction 64|"
                  "Power.ForceAction 0|" +
                  box + "suspend could not be carried out: PowerControl.ForceAction" + failed + off,
       .end = closed},
      {.name = "DoPowerAction fails",
       .mode = 2,
       .failing = "DoPowerAction",
       .journal = count +
                  "Power.PowerAction 32|"
                  "Power.ForceAction 0|" +
                  ends + act + box + "hibernation could not be carried out: PowerControl.DoPowerAction" + failed + off,
       .end = closed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::TestWorld w;
    ASSERT_EQ(app::Startup(w.state), 0);
    app::AppState& s = w.state;
    s.schedule = {kFalse, "0:15", "", kFalse, c.cancelTime, c.mode, c.force, kTrue};
    s.AppEntries = {forceclose::MakeAppEntry("C:\\Tools\\app.exe")};
    w.windows.majorVersion = c.major;
    w.components.altShutdownSupported = c.alt;
    w.components.powerInstalled = c.failing != "missing";
    w.components.failing = {c.failing};
    if (c.failing == "missing") s.gPowerControl.reset();  // the countdown fills the empty slot
    FakeFormHost& main = w.Main();
    main.Click("mnuTimerStart");
    w.journal.entries.clear();
    std::string end;
    w.forms.onModal = [&](FakeFormHost& form) {
      std::string shown;  // notes the seconds each time they change
      auto note = [&] {
        const std::string& label = form.Model().Get("Label1").text;
        if (label != shown) w.journal.Add(label.substr(21, label.size() - 26));
        shown = label;
      };
      note();
      if (!c.key.empty() && form.Tick("Timer1")) note();
      if (c.key == "frame") form.CloseFrame();
      if (c.key == "Escape" || c.key.starts_with("Cmd")) {
        EXPECT_TRUE(c.key == "Escape" ? form.PressEscape() : form.UserClick(c.key));
      }
      while (form.Tick("Timer1")) note();
      const platform::FormModel& m = form.Model();
      const bool dead = !m.Get("Timer1").enabled && !m.Get("CmdOK").enabled && !form.UserClick("CmdCancel");
      end = form.Unloaded() ? "closed" : dead ? "open" : "open and alive";
    };
    w.clock.now = *s.PeriodTarget;
    EXPECT_TRUE(main.Tick("Timer1"));
    std::string journal;
    for (const std::string& e : w.journal.entries) journal += e + "|";
    const bool green = s.gTrayIcon.hIcon == w.forms.LoadIconResource(IDI_CLOCK_GREEN);
    EXPECT_EQ(journal, "Load FrmCountdown|SetWindowPos -1 3|Show FrmCountdown 4096|" + c.journal);
    EXPECT_EQ(end + " " + std::to_string(s.TimerRunning) + (green ? " green" : " red"), c.end);
    EXPECT_FALSE(main.Model().Get("Timer1").enabled) << "the schedule stays disarmed";
    EXPECT_EQ(w.forms.Find("FrmCountdown"), nullptr) << "released when it returns";
  }
}

TEST(Countdown, StaysWhileTheActionRunsEvenWhenItsFrameIsClosedThen) {
  fakes::TestWorld w;
  ASSERT_EQ(app::Startup(w.state), 0);
  w.state.schedule.SleepTime = "0:15";
  w.components.failing = {"DoPowerAction"};
  w.shell.onMessage = [&] {  // while the failure is reported
    w.forms.Find("FrmCountdown")->CloseFrame();
    w.journal.Add(w.forms.Find("FrmCountdown")->Unloaded() ? "closed" : "stays");
  };
  w.forms.onModal = [&](FakeFormHost& form) {
    EXPECT_EQ(form.Model().Focus(), "CmdCancel");
    EXPECT_TRUE(form.UserClick("CmdOK"));
    w.journal.Add(form.Unloaded() ? "called off once the report is read" : "open");
  };
  w.Main().Click("mnuTimerStart");
  w.clock.now = *w.state.PeriodTarget;
  w.journal.entries.clear();
  w.Main().Tick("Timer1");
  const std::string journal = w.journal.Take();
  EXPECT_EQ(journal.substr(journal.find("|stays|")), "|stays|SetWindowPos -2 3|called off once the report is read|");
}

}  // namespace
}  // namespace vk::shutdown
