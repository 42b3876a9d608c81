// The schedule timer on the main form: Start Timer, Stop Timer and the tick,
// driven with a fixed clock.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/startup.h"
#include "fakes/test_world.h"
#include "resource_ids.h"
#include "schedule/time_conversions.h"

namespace vk::app {
namespace {

using platform::DateTime;
using platform::FormEvent;

// A started program whose due ticks count the countdowns they open; each
// closes again untouched.
struct Timer {
  Timer() {
    EXPECT_EQ(Startup(w.state), 0);
    w.forms.onModal = [this](fakes::FakeFormHost&) { ++countdowns; };
    w.tray.calls.clear();
  }
  fakes::FakeFormHost& Main() { return static_cast<fakes::FakeFormHost&>(w.state.gFrmMain->Host()); }
  bool Armed() { return Main().Model().Get("Timer1").enabled; }
  void Start() { Main().Click("mnuTimerStart"); }
  // One tick of the armed timer; true when it opened the countdown.
  bool Tick() {
    EXPECT_TRUE(Armed()) << "a disabled timer does not tick";
    const int before = countdowns;
    Main().Fire("Timer1", FormEvent::Timer);
    return countdowns > before;
  }
  void Set(bool dayTime, const std::string& sleepTime, const std::string& sleepDate = "") {
    w.state.schedule.DayTime = ToVbBool(dayTime);
    w.state.schedule.SleepTime = sleepTime;
    w.state.schedule.SleepDate = sleepDate;
  }
  // Armed, TimerRunning and the clock the tray shows, checking that the last
  // tray call was a Modify of the record as it stands.
  std::tuple<bool, VbBool, IconHandle> State() {
    EXPECT_EQ(w.tray.calls.back().message, platform::TrayMessage::Modify);
    EXPECT_EQ(w.tray.calls.back().record, w.state.gTrayIcon.Pack());
    return {Armed(), w.state.TimerRunning, w.state.gTrayIcon.hIcon};
  }
  IconHandle Clock(int icon) { return w.forms.LoadIconResource(icon); }

  fakes::TestWorld w;
  int countdowns = 0;
};

TEST(ScheduleTimer, IsDueAtTheTargetInBothModes) {
  enum What { kNotDue, kDue, kStartAgain };
  struct Step {
    DateTime at;
    What what;
  };
  struct Case {
    const char* name;
    const char* schedule;  // a period, or a time and a date
    DateTime start;
    const char* target;  // TargetTime of a period; the time as Start Timer rewrites it for a time and date
    std::vector<Step> steps;
    const char* separator = "/";
  };
  const Case cases[] = {
      {"a period", "1:30", {2026, 12, 6, 8, 35, 30}, "10:5",
       {{{2026, 12, 6, 10, 4, 59}, kNotDue}, {{2026, 12, 6, 10, 5}, kDue}}},
      {"past midnight the hour wraps to 0 and the day counts", "0:15", {2026, 12, 31, 23, 50}, "0:5",
       {{{2026, 12, 31, 23, 59, 58}, kNotDue}, {{2027, 1, 1, 0, 4}, kNotDue}, {{2027, 1, 1, 0, 5, 1}, kDue}}},
      {"into a leap day", "0:15", {2028, 2, 28, 23, 45}, "0:0",
       {{{2028, 2, 28, 23, 59, 59}, kNotDue}, {{2028, 2, 29, 0, 0}, kDue}}},
      {"2100 is no leap year for the target", "0:15", {2100, 2, 28, 23, 50}, "0:5",
       {{{2100, 3, 1, 0, 4}, kNotDue}, {{2100, 3, 1, 0, 5}, kDue}}},
      {"nor for the clock", "0:15", {2100, 3, 1, 10, 0}, "10:15",
       {{{2100, 3, 1, 10, 14}, kNotDue}, {{2100, 3, 1, 10, 15}, kDue}}},
      {"a target slept through is due at the first tick after", "0:30", {2026, 12, 6, 10, 0}, "10:30",
       {{{2026, 12, 6, 11, 15}, kDue}}},
      {"even when the clock then shows an earlier time of day", "0:30", {2026, 12, 6, 11, 15}, "11:45",
       {{{2026, 12, 7, 9, 0}, kDue}}},
      {"starting again a minute later moves the target a minute", "0:15", {2026, 12, 6, 9, 0}, "9:16",
       {{{2026, 12, 6, 9, 1}, kStartAgain}, {{2026, 12, 6, 9, 15}, kNotDue}, {{2026, 12, 6, 9, 16}, kDue}}},
      {"a time and date", "9:05 06/12/26", {2026, 12, 6, 8, 0}, "09:05", {{{2026, 12, 6, 9, 5}, kDue}}},
      {"not a minute early", "07:30 06/12/26", {2026, 12, 6, 7, 29}, "07:30",
       {{{2026, 12, 6, 7, 29}, kNotDue}, {{2026, 12, 6, 7, 30}, kDue}}},
      {"late the same day", "07:30 06/12/26", {2026, 12, 6, 7, 29}, "07:30", {{{2026, 12, 6, 8, 10}, kDue}}},
      {"started after the time on the day", "07:30 06/12/26", {2026, 12, 6, 18, 0}, "07:30",
       {{{2026, 12, 6, 18, 0, 2}, kDue}}},
      {"a date that has passed never comes again", "07:30 05/12/26", {2026, 12, 6, 7, 30}, "07:30",
       {{{2026, 12, 6, 7, 59}, kNotDue}, {{2026, 12, 6, 23, 59}, kNotDue}, {{2027, 1, 5, 7, 30}, kNotDue}}},
      {"midnight of the next day", "00:00 07/12/26", {2026, 12, 6, 23, 59}, "00:00",
       {{{2026, 12, 6, 23, 59}, kNotDue}, {{2026, 12, 7, 0, 0, 1}, kDue}}},
      {"the clock's own date separator", "07:30 06.12.26", {2026, 12, 6, 7, 30}, "07:30",
       {{{2026, 12, 6, 7, 30}, kDue}}, "."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string schedule = c.schedule;
    const bool dayTime = schedule.find(' ') != std::string::npos;
    Timer t;
    t.w.clock.separator = c.separator;
    t.w.clock.now = c.start;
    t.Set(dayTime, schedule.substr(0, schedule.find(' ')), dayTime ? schedule.substr(schedule.find(' ') + 1) : "");
    t.Start();
    EXPECT_EQ(t.State(), std::tuple(true, kTrue, t.Clock(IDI_CLOCK_GREEN)));
    EXPECT_EQ(t.w.state.StartTime, dayTime ? "" : schedule::ClockText(c.start));
    for (const Step& step : c.steps) {
      t.w.clock.now = step.at;
      if (step.what == kStartAgain) {
        t.Start();
      } else {
        EXPECT_EQ(t.Tick(), step.what == kDue) << "at " << step.at.hour << ":" << step.at.minute;
      }
    }
    EXPECT_EQ(dayTime ? t.w.state.schedule.SleepTime : t.w.state.TargetTime, c.target);
    const bool due = c.steps.back().what == kDue;
    EXPECT_EQ(t.countdowns, due ? 1 : 0);
    EXPECT_EQ(t.State(), std::tuple(!due, kTrue, t.Clock(IDI_CLOCK_GREEN)))
        << "a due tick disarms, and the countdown decides the rest";
  }
}

TEST(ScheduleTimer, APeriodWithoutAColonIsRefusedWithAMessage) {
  for (const char* sleepTime : {"", "90"}) {
    SCOPED_TRACE(sleepTime);
    Timer t;
    t.Set(false, sleepTime);
    t.Start();
    ASSERT_FALSE(t.w.messages.shown.empty());
    const auto& m = t.w.messages.shown.back();
    EXPECT_EQ(std::tuple(m.text, m.title, m.style),
              std::tuple("Timer Initialisation Error\r\nRecheck Settings", "Vesperkit", platform::kMbOk));
    EXPECT_EQ(std::tuple(t.Armed(), t.w.state.TimerRunning, t.w.tray.calls.size(), t.w.state.TargetTime),
              std::tuple(false, kFalse, 0u, ""));
  }
}

TEST(ScheduleTimer, StopShowsTheRedClockWhetherArmedOrNot) {
  for (bool armed : {false, true}) {
    SCOPED_TRACE(armed ? "armed" : "not armed");
    Timer t;
    t.Set(false, "1:00");
    if (armed) t.Start();
    t.Main().Click("mnuTimerStop");
    EXPECT_EQ(t.State(), std::tuple(false, kFalse, t.Clock(IDI_CLOCK_RED)));
    EXPECT_EQ(t.w.tray.calls.size(), armed ? 2u : 1u);
  }
}

TEST(ScheduleTimer, ASwitchToPeriodWhileATimeScheduleRunsFindsNoPeriodTarget) {
  Timer t;
  t.Set(false, "0:15");
  t.Start();
  t.Set(true, "20:00", "06/12/26");
  t.Start();
  t.w.state.schedule.DayTime = kFalse;  // the dialog's option button, before OK
  t.w.clock.now.hour = 11;
  EXPECT_FALSE(t.Tick());
}

TEST(ScheduleTimer, ATimerStartedAgainWhileTheWarningIsUpOpensNoSecondWarning) {
  Timer t;
  t.Set(true, "09:00", "06/12/26");
  t.w.clock.now = {2026, 12, 6, 9, 30, 0};  // the target has passed today: every tick is due
  t.w.forms.onModal = [&](fakes::FakeFormHost& form) {
    ++t.countdowns;
    // The user starts the schedule again from the tray while the warning is up.
    t.Start();
    EXPECT_FALSE(t.Tick());
    EXPECT_FALSE(t.Armed());
    form.Click("CmdCancel");
  };
  t.Start();
  EXPECT_TRUE(t.Tick());
  EXPECT_EQ(t.countdowns, 1);
  t.Start();
  EXPECT_TRUE(t.Tick()) << "once the warning has closed, the next due tick opens one again";
  EXPECT_FALSE(t.w.journal.Contains("Power.DoPowerAction"));
}

}  // namespace
}  // namespace vk::app
