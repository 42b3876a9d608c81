// The schedule timer on the main form: Start Timer, Stop Timer and the tick,
// driven with a fixed clock.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/startup.h"
#include "fakes/test_world.h"
#include "resource_ids.h"

namespace vk::app {
namespace {

using platform::DateTime;

// A started program whose due ticks count the countdowns they open; each
// closes again untouched.
struct Timer {
  Timer() {
    EXPECT_EQ(Startup(w.state), 0);
    w.forms.onModal = [this](fakes::FakeFormHost&) { ++countdowns; };
  }
  fakes::FakeFormHost& Main() { return static_cast<fakes::FakeFormHost&>(w.state.gFrmMain->Host()); }
  // One tick of the armed timer; true when it opened the countdown.
  bool Tick() {
    const int before = countdowns;
    EXPECT_TRUE(Main().Tick("Timer1")) << "a disabled timer does not tick";
    return countdowns > before;
  }
  // Armed, TimerRunning, the clock the tray shows, and the last tray call.
  std::string State() {
    EXPECT_EQ(w.tray.record, w.state.gTrayIcon.Pack()) << "the tray shows the record as it stands";
    const auto tray = w.journal.With("Tray ");
    return std::to_string(Main().Model().Get("Timer1").enabled) + " " + std::to_string(w.state.TimerRunning) + " " +
           (w.state.gTrayIcon.hIcon == w.forms.LoadIconResource(IDI_CLOCK_GREEN) ? "green " : "red ") +
           (tray.empty() ? "none" : tray.back());
  }

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
      {"2100 is no leap year", "0:15", {2100, 2, 28, 23, 50}, "0:5",
       {{{2100, 3, 1, 0, 4}, kNotDue}, {{2100, 3, 1, 0, 5}, kDue}}},
      {"a target slept through is due even when the clock then shows an earlier time of day", "0:30",
       {2026, 12, 6, 11, 15}, "11:45", {{{2026, 12, 7, 9, 0}, kDue}}},
      {"starting again a minute later moves the target a minute", "0:15", {2026, 12, 6, 9, 0}, "9:16",
       {{{2026, 12, 6, 9, 1}, kStartAgain}, {{2026, 12, 6, 9, 15}, kNotDue}, {{2026, 12, 6, 9, 16}, kDue}}},
      {"a time and date, not a minute early", "7:30 06/12/26", {2026, 12, 6, 7, 29}, "07:30",
       {{{2026, 12, 6, 7, 29}, kNotDue}, {{2026, 12, 6, 7, 30}, kDue}}},
      {"started after the time on the day", "07:30 06/12/26", {2026, 12, 6, 18, 0}, "07:30",
       {{{2026, 12, 6, 18, 0, 2}, kDue}}},
      {"a date that has passed never comes again", "07:30 05/12/26", {2026, 12, 6, 7, 30}, "07:30",
       {{{2026, 12, 6, 23, 59}, kNotDue}, {{2027, 1, 5, 7, 30}, kNotDue}}},
      {"midnight of the next day", "00:00 07/12/26", {2026, 12, 6, 23, 59}, "00:00",
       {{{2026, 12, 6, 23, 59}, kNotDue}, {{2026, 12, 7, 0, 0, 1}, kDue}}},
      {"the clock's own date separator", "07:30 06.12.26", {2026, 12, 6, 7, 30}, "07:30",
       {{{2026, 12, 6, 7, 30}, kDue}}, "."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string schedule = c.schedule;
    const auto space = schedule.find(' ');
    Timer t;
    t.w.clock.separator = c.separator;
    t.w.clock.now = c.start;
    t.w.state.schedule.DayTime = ToVbBool(space != std::string::npos);
    t.w.state.schedule.SleepTime = schedule.substr(0, space);
    t.w.state.schedule.SleepDate = space != std::string::npos ? schedule.substr(space + 1) : "";
    t.Main().Click("mnuTimerStart");
    EXPECT_EQ(t.State(), "1 -1 green Modify");
    for (const Step& step : c.steps) {
      t.w.clock.now = step.at;
      if (step.what == kStartAgain) t.Main().Click("mnuTimerStart");
      else EXPECT_EQ(t.Tick(), step.what == kDue) << "at " << step.at.hour << ":" << step.at.minute;
    }
    EXPECT_EQ(space != std::string::npos ? t.w.state.schedule.SleepTime : t.w.state.TargetTime, c.target);
    const bool due = c.steps.back().what == kDue;
    EXPECT_EQ(t.countdowns, due ? 1 : 0);
    EXPECT_EQ(t.State(), due ? "0 -1 green Modify" : "1 -1 green Modify")
        << "a due tick disarms, and the countdown decides the rest";
  }
}

TEST(ScheduleTimer, StartRefusesAPeriodWithoutAColonAndStopShowsTheRedClockWhetherArmedOrNot) {
  const struct {
    const char* sleepTime;
    const char* clicks;
    std::string journal;  // after start-up
    const char *state, *target;
  } rows[] = {
      {"90", "mnuTimerStart", "MessageBox Vesperkit 0: Timer Initialisation Error\r\nRecheck Settings|", "0 0 red none", ""},
      {"1:00", "mnuTimerStop", "Tray Modify|", "0 0 red Modify", ""},
      {"1:00", "mnuTimerStart mnuTimerStop", "Tray Modify|Tray Modify|", "0 0 red Modify", "11:0"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.clicks);
    Timer t;
    t.w.state.schedule.SleepTime = row.sleepTime;
    t.w.journal.entries.clear();
    for (const char* item : {"mnuTimerStart", "mnuTimerStop"})
      if (std::string(row.clicks).find(item) != std::string::npos) t.Main().Click(item);
    std::string journal;
    for (const std::string& e : t.w.journal.entries) journal += e + "|";
    EXPECT_EQ(std::tuple(journal, t.State(), t.w.state.TargetTime), std::tuple(row.journal, row.state, row.target));
  }
}

TEST(ScheduleTimer, ASwitchToPeriodWhileATimeScheduleRunsFindsNoPeriodTarget) {
  Timer t;
  t.w.state.schedule.SleepTime = "0:15";
  t.Main().Click("mnuTimerStart");
  t.w.state.schedule.DayTime = kTrue;
  t.w.state.schedule.SleepTime = "20:00";
  t.w.state.schedule.SleepDate = "06/12/26";
  t.Main().Click("mnuTimerStart");
  t.w.state.schedule.DayTime = kFalse;  // the dialog's option button, before OK
  t.w.clock.now.hour = 11;
  EXPECT_FALSE(t.Tick());
}

TEST(ScheduleTimer, ATimerStartedAgainWhileTheWarningIsUpOpensNoSecondWarning) {
  Timer t;
  t.w.state.schedule.DayTime = kTrue;
  t.w.state.schedule.SleepTime = "09:00";
  t.w.state.schedule.SleepDate = "06/12/26";
  t.w.clock.now = {2026, 12, 6, 9, 30, 0};  // the target has passed today: every tick is due
  t.w.forms.onModal = [&](fakes::FakeFormHost& form) {
    ++t.countdowns;
    t.Main().Click("mnuTimerStart");  // from the tray while the warning is up
    EXPECT_FALSE(t.Tick());
    EXPECT_FALSE(t.Main().Model().Get("Timer1").enabled);
    form.Click("CmdCancel");
  };
  t.Main().Click("mnuTimerStart");
  EXPECT_TRUE(t.Tick());
  t.Main().Click("mnuTimerStart");
  EXPECT_TRUE(t.Tick()) << "once the warning has closed, the next due tick opens one again";
  EXPECT_EQ(std::pair(t.countdowns, t.w.journal.With("Power.DoPowerAction").size()), std::pair(2, size_t{0}));
}

}  // namespace
}  // namespace vk::app
