// The countdown warning, opened as the schedule timer's due tick opens it and
// played second by second with the test's ticks, and the programs that
// KillListedApps ends for it before the power action.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

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
  const std::string asked = alt + "Power.PowerAction 2|Power.ForceAction 0|", shutdown = asked + ends + act;
  const std::string create = "Create ProcessControl|";
  const std::string off = "SetWindowPos -2 3|", box = "MessageBox Vesperkit 48: The ";
  const std::string cannot = box + "shutdown could not start: ";
  const std::string calledOff = "\r\nThe shutdown has been called off; start the timer again when ready.|" + off;
  const std::string failed = " failed with error 0x80004005." + calledOff;
  // How it ends: the warning open with its buttons dead, or closed; TimerRunning; the tray's clock.
  const std::string open = "open -1 green", closed = "closed 0 green", stopped = "closed 0 red";
  const struct {
    const char* setup;  // what differs from a shutdown on the sixth generation after 3 seconds
    std::string journal;
    std::string end;
  } cases[] = {
      {"major=4", count + "Power.PowerAction 16|Power.ForceAction 0|" + ends + own + act, open},
      {"major=5", count + shutdown, open},
      {"alt=0 force=-1", count + alt + "Power.PowerAction 16|Power.ForceAction -1|" + ends + act, open},
      {"mode=1 major=4 force=1",
       count + "Power.PowerAction 64|Power.ForceAction -1|" + ends + own + act + "Tray Modify|",
       stopped},  // suspend, and any force but zero forces
      {"mode=2", count + "Power.PowerAction 32|Power.ForceAction 0|" + ends + act + "Tray Modify|", stopped},
      // Of the list (the program with blanks before its path, an unchecked entry
      // and one checked with 1) only the program is ended, its path trimmed, and
      // only when forced application close is on; on an unknown generation the
      // program's own executable always, also from a drive root.
      {"forceapp=0", count + asked + act, open},
      {"major=0 forceapp=0", count + "Power.PowerAction 16|Power.ForceAction 0|" + own + act, open},
      {"major=4 folder=D:\\", count + "Power.PowerAction 16|Power.ForceAction 0|" + ends +
           "Process.Flags 4|Process.ProcessPath D:\\Vesperkit.exe|Process.EndProcess|" + act, open},
      // A ProcessControl not yet made is made once; a missing one is asked for
      // before every call, and its failures stop nothing.
      {"process=empty", count + asked + create + ends + act, open},
      {"process=missing", count + asked + create + create + create + act, open},
      {"failing=EndProcess", count + shutdown, open},
      {"cancel=1", "1|" + shutdown, open},  // acts at the first tick
      {"cancel=-5", "-5|" + shutdown, open},
      {"key=CmdOK", "3|Flash|2|" + shutdown, open},
      {"key=CmdCancel", "3|Flash|2|" + off, closed},
      {"key=Escape", "3|Flash|2|" + off, closed},
      {"key=frame", "3|Flash|2|" + off, closed},
      {"mode=3", count + cannot + "the shutdown mode 3 is not one of Shutdown, Suspend or Hibernate." + calledOff,
       closed},
      {"failing=missing",
       count + "Create PowerControl|" + cannot + "the PowerControl component could not be created (error 0x80040154)." +
           calledOff,
       closed},
      {"failing=AltShutdownSupported",
       count + alt + box + "shutdown could not be carried out: PowerControl.AltShutdownSupported" + failed, closed},
      {"mode=1 failing=ForceAction",
       count + "Power.PowerAction 64|Power.ForceAction 0|" + box +
           "suspend could not be carried out: PowerControl.ForceAction" + failed,
       closed},
      {"mode=2 failing=DoPowerAction",
       count + "Power.PowerAction 32|Power.ForceAction 0|" + ends + act + box +
           "hibernation could not be carried out: PowerControl.DoPowerAction" + failed,
       closed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.setup);
    std::map<std::string, std::string> set = {{"mode", "0"},   {"major", "6"},  {"alt", "-1"}, {"force", "0"},
                                              {"cancel", "3"}, {"failing", ""}, {"key", ""},  {"forceapp", "-1"},
                                              {"process", ""}, {"folder", "C:\\Program Files\\Vesperkit"}};
    std::istringstream in(c.setup);
    for (std::string pair; in >> pair;) set[pair.substr(0, pair.find('='))] = pair.substr(pair.find('=') + 1);
    fakes::TestWorld w;
    ASSERT_EQ(app::Startup(w.state), 0);
    app::AppState& s = w.state;
    s.schedule = {kFalse,
                  "0:15",
                  "",
                  kFalse,
                  static_cast<std::int16_t>(std::stoi(set["cancel"])),
                  std::stoi(set["mode"]),
                  static_cast<VbBool>(std::stoi(set["force"])),
                  static_cast<VbBool>(std::stoi(set["forceapp"]))};
    s.AppEntries = {forceclose::MakeAppEntry("  C:\\Tools\\app.exe"), forceclose::MakeAppEntry("C:\\off.exe"),
                    forceclose::MakeAppEntry("C:\\one.exe")};
    s.AppEntries[1].Checked = kFalse;
    s.AppEntries[2].Checked = 1;
    w.files.programFolder = set["folder"];
    w.components.processInstalled = set["process"] != "missing";
    if (!set["process"].empty()) s.gProcessControl.reset();
    w.windows.majorVersion = static_cast<std::uint32_t>(std::stoi(set["major"]));
    w.components.altShutdownSupported = static_cast<VbBool>(std::stoi(set["alt"]));
    w.components.powerInstalled = set["failing"] != "missing";
    w.components.failing = {set["failing"]};
    if (set["failing"] == "missing") s.gPowerControl.reset();  // the countdown fills the empty slot
    const std::string key = set["key"];
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
      if (!key.empty() && form.Tick("Timer1")) note();
      if (key == "frame") form.CloseFrame();
      if (key == "Escape" || key.starts_with("Cmd")) {
        EXPECT_TRUE(key == "Escape" ? form.PressEscape() : form.UserClick(key));
      }
      while (form.Tick("Timer1")) note();
      const platform::FormModel& m = form.Model();
      const bool dead = !m.Get("Timer1").enabled && !m.Get("CmdOK").enabled && !form.UserClick("CmdCancel");
      end = form.Unloaded() ? "closed" : dead ? "open" : "open and alive";
    };
    w.clock.now = *s.PeriodTarget;
    EXPECT_TRUE(main.Tick("Timer1"));
    const std::string journal = w.journal.Take();
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
