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
using platform::FormEvent;

class ScheduleTimer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Startup(w.state), 0);
    w.state.ShowCountdown = [this] { ++countdowns; };
    w.tray.calls.clear();
  }

  fakes::FakeFormHost& Main() { return static_cast<fakes::FakeFormHost&>(w.state.gFrmMain->Host()); }
  bool Armed() { return Main().Model().Get("Timer1").enabled; }
  void At(DateTime now) { w.clock.now = now; }
  void Start() { Main().Click("mnuTimerStart"); }
  void Stop() { Main().Click("mnuTimerStop"); }
  // One tick of the armed timer; true when it opened the countdown.
  bool Tick() {
    EXPECT_TRUE(Armed()) << "a disabled timer does not tick";
    const int before = countdowns;
    Main().Fire("Timer1", FormEvent::Timer);
    return countdowns > before;
  }
  void Period(const std::string& sleepTime) {
    w.state.schedule.DayTime = kFalse;
    w.state.schedule.SleepTime = sleepTime;
  }
  void TimeAndDate(const std::string& sleepTime, const std::string& sleepDate) {
    w.state.schedule.DayTime = kTrue;
    w.state.schedule.SleepTime = sleepTime;
    w.state.schedule.SleepDate = sleepDate;
  }
  IconHandle LastTrayIcon() {
    EXPECT_FALSE(w.tray.calls.empty());
    EXPECT_EQ(w.tray.calls.back().message, platform::TrayMessage::Modify);
    EXPECT_EQ(w.tray.calls.back().record, w.state.gTrayIcon.Pack());
    return w.state.gTrayIcon.hIcon;
  }

  fakes::TestWorld w;
  int countdowns = 0;
};

TEST_F(ScheduleTimer, PeriodStartFixesTheTargetAndShowsTheGreenClock) {
  At({2026, 12, 6, 8, 50, 30});
  Period("1:30");
  Start();
  EXPECT_EQ(w.state.StartTime, "08:50");
  EXPECT_EQ(w.state.TargetTime, "10:20");
  EXPECT_TRUE(Armed());
  EXPECT_EQ(w.state.TimerRunning, kTrue);
  EXPECT_EQ(LastTrayIcon(), w.forms.LoadIconResource(IDI_CLOCK_GREEN));

  At({2026, 12, 6, 10, 19, 59});
  EXPECT_FALSE(Tick());
  EXPECT_TRUE(Armed());
  At({2026, 12, 6, 10, 20, 0});
  EXPECT_TRUE(Tick());
  EXPECT_FALSE(Armed());
  EXPECT_EQ(w.state.TimerRunning, kTrue);
  EXPECT_EQ(countdowns, 1);
}

TEST_F(ScheduleTimer, PeriodTargetWrapsPastMidnightToHourZero) {
  At({2026, 12, 31, 23, 50, 0});
  Period("0:15");
  Start();
  EXPECT_EQ(w.state.TargetTime, "0:5");
  At({2026, 12, 31, 23, 59, 58});
  EXPECT_FALSE(Tick());
  At({2027, 1, 1, 0, 4, 0});
  EXPECT_FALSE(Tick());
  At({2027, 1, 1, 0, 5, 1});
  EXPECT_TRUE(Tick());
}

TEST_F(ScheduleTimer, FifteenMinutesFromQuarterToMidnightFireAtMidnight) {
  At({2028, 2, 28, 23, 45, 0});
  Period("0:15");
  Start();
  EXPECT_EQ(w.state.TargetTime, "0:0");
  At({2028, 2, 28, 23, 59, 59});
  EXPECT_FALSE(Tick());
  At({2028, 2, 29, 0, 0, 0});  // a leap day
  EXPECT_TRUE(Tick());
}

TEST_F(ScheduleTimer, APeriodTargetSleptThroughIsDueAtTheFirstTickAfterResume) {
  At({2026, 12, 6, 10, 0, 0});
  Period("0:30");
  Start();
  At({2026, 12, 6, 11, 15, 0});  // woke up past the target hour
  EXPECT_TRUE(Tick());

  Start();  // target 11:45
  At({2026, 12, 7, 9, 0, 0});  // woke up the next morning, before 11:45
  EXPECT_TRUE(Tick());
}

TEST_F(ScheduleTimer, StartingTwiceMovesThePeriodTarget) {
  At({2026, 12, 6, 9, 0, 0});
  Period("0:15");
  Start();
  At({2026, 12, 6, 9, 1, 0});
  Start();
  EXPECT_EQ(w.state.TargetTime, "9:16");
  At({2026, 12, 6, 9, 15, 0});
  EXPECT_FALSE(Tick());
  At({2026, 12, 6, 9, 16, 0});
  EXPECT_TRUE(Tick());
}

TEST_F(ScheduleTimer, APeriodWithoutAColonIsRefusedWithAMessage) {
  for (const char* sleepTime : {"", "90"}) {
    Period(sleepTime);
    Start();
    ASSERT_FALSE(w.messages.shown.empty());
    EXPECT_EQ(w.messages.shown.back().text, "Timer Initialisation Error\r\nRecheck Settings");
    EXPECT_EQ(w.messages.shown.back().title, "Vesperkit");
    EXPECT_EQ(w.messages.shown.back().style, platform::kMbOk);
    EXPECT_FALSE(Armed());
    EXPECT_EQ(w.state.TimerRunning, kFalse);
    EXPECT_TRUE(w.tray.calls.empty());
    EXPECT_EQ(w.state.TargetTime, "");
  }
}

TEST_F(ScheduleTimer, StopShowsTheRedClockWhetherArmedOrNot) {
  Stop();
  EXPECT_EQ(w.state.TimerRunning, kFalse);
  EXPECT_FALSE(Armed());
  EXPECT_EQ(LastTrayIcon(), w.forms.LoadIconResource(IDI_CLOCK_RED));

  Period("1:00");
  Start();
  Stop();
  EXPECT_EQ(w.state.TimerRunning, kFalse);
  EXPECT_FALSE(Armed());
  EXPECT_EQ(LastTrayIcon(), w.forms.LoadIconResource(IDI_CLOCK_RED));
  EXPECT_EQ(w.tray.calls.size(), 3u);
}

TEST_F(ScheduleTimer, TimeAndDateStartWritesTheTimeWithTwoDigits) {
  At({2026, 12, 6, 8, 0, 0});
  TimeAndDate("9:05", "06/12/26");
  Start();
  EXPECT_EQ(w.state.schedule.SleepTime, "09:05");
  EXPECT_EQ(w.state.StartTime, "");
  EXPECT_TRUE(Armed());
  EXPECT_EQ(LastTrayIcon(), w.forms.LoadIconResource(IDI_CLOCK_GREEN));
}

TEST_F(ScheduleTimer, TimeAndDateTodayIsDueOnceTheTimeIsReached) {
  At({2026, 12, 6, 7, 29, 0});
  TimeAndDate("07:30", "06/12/26");
  Start();
  EXPECT_FALSE(Tick());
  At({2026, 12, 6, 7, 30, 0});
  EXPECT_TRUE(Tick());

  Start();
  At({2026, 12, 6, 8, 10, 0});  // a later hour, fewer minutes
  EXPECT_TRUE(Tick());

  At({2026, 12, 6, 18, 0, 0});  // started when the time had already passed
  Start();
  EXPECT_TRUE(Tick());
}

TEST_F(ScheduleTimer, ADateThatHasPassedNeverComesAgain) {
  TimeAndDate("07:30", "05/12/26");
  At({2026, 12, 6, 7, 30, 0});
  Start();
  for (int hour : {7, 12, 23}) {
    At({2026, 12, 6, hour, 59, 0});
    EXPECT_FALSE(Tick());
  }
  At({2027, 1, 5, 7, 30, 0});
  EXPECT_FALSE(Tick());
  EXPECT_TRUE(Armed());
}

TEST_F(ScheduleTimer, MidnightTomorrowIsNotDueTodayButAtTheFirstTickAfterMidnight) {
  TimeAndDate("00:00", "07/12/26");
  At({2026, 12, 6, 23, 59, 0});
  Start();
  EXPECT_FALSE(Tick());
  At({2026, 12, 7, 0, 0, 1});
  EXPECT_TRUE(Tick());
}

TEST_F(ScheduleTimer, TheDateTextFollowsTheRegionalSeparatorOnBothSides) {
  w.clock.separator = ".";
  TimeAndDate("07:30", "06.12.26");
  At({2026, 12, 6, 7, 30, 0});
  Start();
  EXPECT_TRUE(Tick());
}

TEST_F(ScheduleTimer, ASwitchToPeriodWhileATimeScheduleRunsFindsNoPeriodTarget) {
  At({2026, 12, 6, 9, 0, 0});
  Period("0:15");
  Start();
  TimeAndDate("20:00", "06/12/26");
  Start();
  w.state.schedule.DayTime = kFalse;  // the dialog's option button, before OK
  At({2026, 12, 6, 10, 0, 0});
  EXPECT_FALSE(Tick());
}

TEST_F(ScheduleTimer, ADueTickWithoutACountdownOnlyDisarms) {
  w.state.ShowCountdown = nullptr;
  At({2026, 12, 6, 7, 30, 0});
  TimeAndDate("07:30", "06/12/26");
  Start();
  Main().Fire("Timer1", FormEvent::Timer);
  EXPECT_FALSE(Armed());
  EXPECT_EQ(w.state.TimerRunning, kTrue);
}

TEST(ScheduleTimerLoad, TheMainFormReadsTheSavedSettingsAndClosesEveryKey) {
  fakes::TestWorld w;
  const std::string path = "Software\\Quillfield Systems Ltd\\Vesperkit\\Settings";
  w.registry.Put(path, "DayTime", std::string("True\0", 5));
  w.registry.Put(path, "CancelTime", std::string("abc\0", 4));
  w.registry.Put(path, "Mode", std::string("1\0", 2));
  ASSERT_EQ(Startup(w.state), 0);
  const auto& s = w.state.schedule;
  EXPECT_EQ(s.DayTime, kTrue);
  EXPECT_EQ(s.CancelTime, 30);
  EXPECT_EQ(s.Mode, 1);
  EXPECT_EQ(s.ForceShutdown, kFalse);
  EXPECT_EQ(s.TimeSet, kFalse);
  EXPECT_EQ(s.SleepTime, "");
  EXPECT_EQ(w.registry.CallCount("OpenKey"), 5);
  EXPECT_EQ(w.registry.OpenKeyCount(), 0);
  EXPECT_FALSE(w.state.gFrmMain->Model().Get("Timer1").enabled);
}

}  // namespace
}  // namespace vk::app
