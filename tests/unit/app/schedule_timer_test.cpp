// The schedule timer on the main form: Start Timer, Stop Timer and the tick,
// driven with a fixed clock.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "fakes/test_world.h"
#include "resource_ids.h"

namespace vk::app {
namespace {

// A started program whose due ticks note the countdown they open in the
// journal ("Load FrmCountdown"), which closes again untouched.
struct Timer : fakes::TestWorld {
  Timer(const std::string& schedule, const platform::DateTime& start) {
    EXPECT_EQ(Startup(state), 0);
    const auto space = schedule.find(' ');
    state.schedule.DayTime = ToVbBool(space != std::string::npos);
    state.schedule.SleepTime = schedule.substr(0, space);
    state.schedule.SleepDate = space != std::string::npos ? schedule.substr(space + 1) : "";
    clock.now = start;
    journal.entries.clear();
  }
  // Armed, TimerRunning, the clock the tray shows, and the last tray call.
  std::string State() {
    EXPECT_EQ(tray.record, state.gTrayIcon.Pack()) << "the tray shows the record as it stands";
    const auto sent = journal.With("Tray ");
    return std::to_string(Main().Model().Get("Timer1").enabled) + " " + std::to_string(state.TimerRunning) +
           (state.gTrayIcon.hIcon == forms.LoadIconResource(IDI_CLOCK_GREEN) ? " green " : " red ") +
           (sent.empty() ? "none" : sent.back());
  }
};

TEST(ScheduleTimer, IsDueAtTheTargetInBothModes) {
  struct Step {
    platform::DateTime at;
    char what;  // 'n' a tick not due, 'd' a due tick, 's' Start Timer again
  };
  const struct {
    const char* name;
    const char* schedule;  // a period, or a time and a date
    platform::DateTime start;
    const char* target;    // TargetTime of a period; the time as Start Timer rewrites it for a time and date
    std::vector<Step> steps;
    const char* separator = "/";
  } cases[] = {
      {"a period", "1:30", {2026, 12, 6, 8, 35, 30}, "10:5", {{{2026, 12, 6, 10, 4, 59}, 'n'}, {{2026, 12, 6, 10, 5}, 'd'}}},
      {"past midnight the hour wraps to 0 and the day counts", "0:15", {2026, 12, 31, 23, 50}, "0:5",
       {{{2026, 12, 31, 23, 59, 58}, 'n'}, {{2027, 1, 1, 0, 4}, 'n'}, {{2027, 1, 1, 0, 5, 1}, 'd'}}},
      {"2100 is no leap year", "0:15", {2100, 2, 28, 23, 50}, "0:5", {{{2100, 3, 1, 0, 4}, 'n'}, {{2100, 3, 1, 0, 5}, 'd'}}},
      {"a target slept through is due though the clock shows an earlier time of day", "0:30", {2026, 12, 6, 11, 15},
       "11:45", {{{2026, 12, 7, 9, 0}, 'd'}}},
      {"starting again a minute later moves the target a minute", "0:15", {2026, 12, 6, 9, 0}, "9:16",
       {{{2026, 12, 6, 9, 1}, 's'}, {{2026, 12, 6, 9, 15}, 'n'}, {{2026, 12, 6, 9, 16}, 'd'}}},
      {"a time and date, not a minute early", "7:30 06/12/26", {2026, 12, 6, 7, 29}, "07:30",
       {{{2026, 12, 6, 7, 29}, 'n'}, {{2026, 12, 6, 7, 30}, 'd'}}},
      {"started after the time on the day", "07:30 06/12/26", {2026, 12, 6, 18, 0}, "07:30", {{{2026, 12, 6, 18, 0, 2}, 'd'}}},
      {"a date that has passed never comes again", "07:30 05/12/26", {2026, 12, 6, 7, 30}, "07:30",
       {{{2026, 12, 6, 23, 59}, 'n'}, {{2027, 1, 5, 7, 30}, 'n'}}},
      {"midnight of the next day", "00:00 07/12/26", {2026, 12, 6, 23, 59}, "00:00",
       {{{2026, 12, 6, 23, 59}, 'n'}, {{2026, 12, 7, 0, 0, 1}, 'd'}}},
      {"the clock's own date separator", "07:30 06.12.26", {2026, 12, 6, 7, 30}, "07:30", {{{2026, 12, 6, 7, 30}, 'd'}}, "."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Timer t(c.schedule, c.start);
    t.clock.separator = c.separator;
    t.Main().Click("mnuTimerStart");
    EXPECT_EQ(t.State(), "1 -1 green Modify");
    for (const Step& step : c.steps) {
      t.clock.now = step.at;
      t.journal.entries.clear();
      if (step.what == 's') t.Main().Click("mnuTimerStart");
      else EXPECT_EQ(t.Main().Tick("Timer1") && !t.journal.With("Load FrmCountdown").empty(), step.what == 'd');
    }
    EXPECT_EQ(t.state.schedule.DayTime ? t.state.schedule.SleepTime : t.state.TargetTime, c.target);
    EXPECT_EQ(t.State(), c.steps.back().what == 'd' ? "0 -1 green none" : "1 -1 green none")
        << "a due tick disarms, and the countdown decides the rest";
  }
}

TEST(ScheduleTimer, StartRefusesAPeriodWithoutAColonAndStopShowsTheRedClockWhetherArmedOrNot) {
  const struct {
    const char *sleepTime, *clicks, *journal, *state, *target;
  } rows[] = {
      {"90", "mnuTimerStart", "MessageBox Vesperkit 0: Timer Initialisation Error\r\nRecheck Settings|", "0 0 red none", ""},
      {"1:00", "mnuTimerStop", "Tray Modify|", "0 0 red Modify", ""},
      {"1:00", "mnuTimerStart mnuTimerStop", "Tray Modify|Tray Modify|", "0 0 red Modify", "11:0"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.clicks);
    Timer t(row.sleepTime, {2026, 12, 6, 10, 0});
    for (const char* item : {"mnuTimerStart", "mnuTimerStop"})
      if (std::string(row.clicks).find(item) != std::string::npos) t.Main().Click(item);
    const std::string state = t.State();
    EXPECT_EQ(std::tuple(state, t.journal.Take(), t.state.TargetTime), std::tuple(row.state, row.journal, row.target));
  }
}

TEST(ScheduleTimer, ASwitchToPeriodWhileATimeScheduleRunsFindsNoPeriodTarget) {
  Timer t("0:15", {2026, 12, 6, 10, 0});
  t.Main().Click("mnuTimerStart");
  t.state.schedule = {kTrue, "20:00", "06/12/26"};
  t.Main().Click("mnuTimerStart");
  t.state.schedule.DayTime = kFalse;  // the dialog's option button, before OK
  t.clock.now.hour = 11;
  EXPECT_TRUE(t.Main().Tick("Timer1"));
  EXPECT_EQ(t.State(), "1 -1 green Modify");
}

TEST(ScheduleTimer, ATimerStartedAgainWhileTheWarningIsUpOpensNoSecondWarning) {
  Timer t("09:00 06/12/26", {2026, 12, 6, 9, 30});  // the target has passed today: every tick is due
  t.forms.onModal = [&](fakes::FakeFormHost& form) {
    t.Main().Click("mnuTimerStart");  // from the tray while the warning is up
    t.Main().Tick("Timer1");
    form.Click("CmdCancel");
  };
  t.Main().Click("mnuTimerStart");
  t.Main().Tick("Timer1");
  t.Main().Click("mnuTimerStart");
  t.Main().Tick("Timer1");  // once the warning has closed, the next due tick opens one again
  EXPECT_EQ(t.journal.With("Load ").size(), 2u);
  EXPECT_EQ(t.State(), "0 0 green Modify");
}

}  // namespace
}  // namespace vk::app
