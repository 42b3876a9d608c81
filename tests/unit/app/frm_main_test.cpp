// The main form: start-up, the tray record it sends (88 bytes in the 32-bit
// program, 104 in the 64-bit build), the tray icon's messages and menu, the
// ways out, and the schedule timer (Start Timer, Stop Timer and the tick)
// driven with a fixed clock.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "app/startup.h"
#include "app/tray_icon_record.h"
#include "app/tray_menu.h"
#include "fakes/test_world.h"
#include "forceclose/force_list_file.h"
#include "resource_ids.h"

namespace vk::app {
namespace {

using platform::FormEvent;

TEST(Startup, RunsItsStepsInOrderReadsTheSettingsAndTheListAndLeavesTheProgramHidden) {
  fakes::TestWorld w;
  w.registry.Put(fakes::kSettingsPath, "Mode", std::string("1\0", 2));
  w.files.files["C:\\Program Files\\Vesperkit\\Files.dat"].bytes =
      forceclose::EncodeAppList({forceclose::MakeAppEntry("C:\\a.exe"), forceclose::MakeAppEntry("C:\\b.exe")});
  ASSERT_EQ(Startup(w.state), 0);
  EXPECT_EQ(w.journal.Take(),
            "Pointer 11|Title Vesperkit|Create PowerControl|Create ProcessControl|Load FrmMain|IsWindow|GetSystemMenu|"
            "GetMenuItemInfo|SetMenuItemInfo|SetMenuItemInfo|SendNcActivate|Power.HibernateSupported|Tray Add|"
            "Hide FrmMain|Pointer 0|");
  const WindowHandle main = w.Main().Handle();
  const fakes::FakeWindowServices::MenuItem& close = w.windows.closeItems[main];  // renumbered, grayed, disabled
  EXPECT_EQ(std::tuple(close.id, close.state, w.state.schedule.Mode, w.state.AppEntries.size(), w.Main().Visible(),
                       w.Main().Model().Get("Timer1").enabled),
            std::tuple(platform::kClosedItemId, 3u, 1, 2u, false, false));
  const TrayIconRecord& r = w.state.gTrayIcon;
  EXPECT_EQ(
      std::tuple(r.cbSize, r.hWnd, r.uID, r.uFlags, r.uCallbackMessage, r.hIcon, r.szTip.substr(0, 10), w.tray.record),
      std::tuple(kTrayLayout.size, main, 1u, 7u, 0x200u, w.forms.LoadIconResource(1), std::string("Vesperkit") + '\0',
                 r.Pack()));
  EXPECT_EQ(w.registry.OpenKeys(), 0);
}

TEST(Startup, AMissingComponentEndsBeforeTheIconWithAMessageNamingIt) {
  for (bool powerMissing : {true, false}) {
    fakes::TestWorld w;
    (powerMissing ? w.components.powerInstalled : w.components.processInstalled) = false;
    EXPECT_EQ(Startup(w.state), kExitMissingComponent);
    EXPECT_FALSE(w.state.gFrmMain || w.state.gPowerControl);
    EXPECT_EQ(w.journal.Take(), "Pointer 11|Title Vesperkit|Create PowerControl|" +
                                    std::string(powerMissing ? "" : "Create ProcessControl|") + "Pointer 0|" +
                                    "MessageBox Vesperkit 16: The " + (powerMissing ? "Power" : "Process") +
                                    "Control component of Vesperkit could not be created (error 0x80040154).\r\n"
                                    "Reinstalling Vesperkit registers it again.|" +
                                    (powerMissing ? "" : "Power.Released|"));
  }
}

TEST(TrayIconRecord, PacksTheFieldsLittleEndianAtTheOffsetsOfEachPointerWidthAndCutsTheTipAt64) {
  const struct {
    const TrayLayout& layout;
    std::uint64_t hWnd, hIcon;
    std::string head;  // the bytes before the tip
  } rows[] = {
      {kTrayLayout32, 0x00123456, 0xCAFEBABE,
       std::string("\x58\0\0\0\x56\x34\x12\0\x01\0\0\0\x07\0\0\0\0\x02\0\0\xBE\xBA\xFE\xCA", 24)},
      {kTrayLayout64, 0x0000123456789ABC, 0xFEDCBA9876543210,
       std::string("\x68\0\0\0\0\0\0\0"                      // cbSize 104, padding
                   "\xBC\x9A\x78\x56\x34\x12\0\0"            // hWnd
                   "\x01\0\0\0\x07\0\0\0\0\x02\0\0\0\0\0\0"  // uID, uFlags, uCallbackMessage, padding
                   "\x10\x32\x54\x76\x98\xBA\xDC\xFE",       // hIcon
                   40)},
  };
  for (const auto& row : rows) {
    for (std::size_t length : {9u, 63u, 64u, 100u}) {
      TrayIconRecord r{row.layout.size, static_cast<WindowHandle>(row.hWnd), 1, 7,
                       0x200,           static_cast<IconHandle>(row.hIcon)};
      r.SetTip(std::string(length, 'x'));
      const std::string tip =
          length < 64 ? std::string(length, 'x') + '\0' + std::string(63 - length, ' ') : std::string(64, 'x');
      const platform::TrayRecordBytes bytes = r.Pack(row.layout);
      EXPECT_EQ(std::string(bytes.begin(), bytes.end()), row.head + tip) << row.layout.size << " " << length;
    }
  }
  EXPECT_EQ(&kTrayLayout, sizeof(void*) == 8 ? &kTrayLayout64 : &kTrayLayout32) << "the program sends its own width";
}

TEST(TrayMenu, OnlyTheRightButtonReleaseOpensTheMenuWhoseDefaultMovesAfterEachUse) {
  EXPECT_EQ(TrayMessageFromX(7762, platform::kScaleTwips, 15), 0x205);  // 517.47 rounds to 517
  EXPECT_EQ(TrayMessageFromX(7755, platform::kScaleTwips, 12), 646);    // another DPI, another message
  EXPECT_EQ(TrayMessageFromX(2.5, platform::kScalePixels, 15), 2);      // halves go to even
  fakes::TestWorld w;
  ASSERT_EQ(Startup(w.state), 0);
  w.journal.entries.clear();
  auto message = [&](int number) {  // X carries the message number, in twips
    platform::EventArgs a;
    a.x = number * 15;
    w.Main().Fire("Form", FormEvent::MouseMove, a);
  };
  for (int number : {0x200, 0x201, 0x202, 0x203, 0x204, 0x206}) message(number);
  const platform::FormModel& m = w.Main().Model();
  EXPECT_EQ(std::tuple(w.journal.Take(), m.Get("mnuAbout").enabled, m.Get("mnuTimeSet").enabled,
                       m.Get("mnuExit").enabled, m.Get("mnuTimerStart").enabled, m.Get("mnuTimerStop").enabled),
            std::tuple("", true, true, true, false, false));
  const std::string menu = "SetForegroundWindow 4096|PopupMenu mnuMain ";
  message(0x205);
  w.state.schedule.TimeSet = kTrue;
  message(0x205);  // opens with the old default, then learns Start Timer
  w.state.TimerRunning = kTrue;
  message(0x205);
  message(0x205);
  w.state.MenuDefault = 7;
  message(0x205);  // an unknown default shows no menu
  EXPECT_EQ(std::tuple(w.journal.Take(), w.state.LastMenuDefault, w.state.MenuDefault),
            std::tuple(menu + "mnuTimeSet|" + menu + "mnuTimeSet|" + menu + "mnuTimerStart|" + menu + "mnuTimerStop|" +
                           "SetForegroundWindow 4096|",
                       7, 7));
  w.state.gTrayIcon.SetTip("Shutdown period set as: 90 Mins.");
  w.Main().Fire("Form", FormEvent::TaskbarCreated);  // a restarted taskbar gets the icon back as it stands
  EXPECT_EQ(std::pair(w.journal.Take(), w.tray.record == w.state.gTrayIcon.Pack()),
            std::pair(std::string("Tray Add|"), true));
  w.forms.onMenu = [](fakes::FakeFormHost& form) { form.Click("mnuExit"); };
  w.state.MenuDefault = kDefaultTimerStop;  // an armed schedule simply ends with the program
  message(0x205);
  EXPECT_EQ(w.journal.Take(), menu + "mnuTimerStop|Tray Delete|Power.Released|Process.Released|EndProgram 0|");
  w.Main().Fire("Form", FormEvent::EndSession);  // the same way out, without a menu
  EXPECT_EQ(w.journal.Take(), "Tray Delete|EndProgram 0|");
}

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

// Each row: the schedule (a period, or a time and a date), then moments
// "yy-mm-dd hh:mm[:ss]" each with what happens there: s Start Timer, n a tick
// that is not due, d a due tick; then TargetTime of a period, or the time as
// Start Timer rewrote it for a time and date.
TEST(ScheduleTimer, IsDueAtTheTargetInBothModes) {
  const struct {
    const char *schedule, *steps, *target;
  } cases[] = {
      {"1:30", "26-12-06 08:35:30 s  26-12-06 10:04:59 n  26-12-06 10:05 d", "10:5"},
      // Past midnight the hour wraps to 0 and the day counts; 2100 is no leap year.
      {"0:15", "26-12-31 23:50 s  26-12-31 23:59:58 n  27-01-01 00:04 n  27-01-01 00:05:01 d", "0:5"},
      {"0:15", "100-02-28 23:50 s  100-03-01 00:04 n  100-03-01 00:05 d", "0:5"},
      // A target slept through is due though the clock shows an earlier time of day.
      {"0:30", "26-12-06 11:15 s  26-12-07 09:00 d", "11:45"},
      // Starting again a minute later moves the target a minute.
      {"0:15", "26-12-06 09:00 s  26-12-06 09:01 s  26-12-06 09:15 n  26-12-06 09:16 d", "9:16"},
      {"7:30 06/12/26", "26-12-06 07:29 s  26-12-06 07:29 n  26-12-06 07:30 d", "07:30"},  // not a minute early
      {"07:30 06/12/26", "26-12-06 18:00 s  26-12-06 18:00:02 d", "07:30"},  // started after the time on the day
      {"07:30 05/12/26", "26-12-06 07:30 s  26-12-06 23:59 n  27-01-05 07:30 n", "07:30"},  // a date gone by
      {"00:00 07/12/26", "26-12-06 23:59 s  26-12-06 23:59 n  26-12-07 00:00:01 d", "00:00"},
      {"07:30 06.12.26", "26-12-06 07:30 s  26-12-06 07:30 d", "07:30"},  // the clock's own date separator
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.schedule) + ": " + c.steps);
    Timer t(c.schedule, {});
    t.clock.separator = std::string(c.schedule).find('.') != std::string::npos ? "." : "/";
    std::istringstream in(c.steps);
    char what = 's';
    for (std::string day, time; in >> day >> time >> what;) {
      platform::DateTime& now = t.clock.now;
      now.second = 0;
      std::sscanf((day + " " + time).c_str(), "%d-%d-%d %d:%d:%d", &now.year, &now.month, &now.day, &now.hour,
                  &now.minute, &now.second);
      now.year += 2000;
      t.journal.entries.clear();
      if (what == 's') {
        t.Main().Click("mnuTimerStart");
        EXPECT_EQ(t.State(), "1 -1 green Modify");
      } else {
        EXPECT_EQ(t.Main().Tick("Timer1") && !t.journal.With("Load FrmCountdown").empty(), what == 'd') << time;
      }
    }
    EXPECT_EQ(t.state.schedule.DayTime ? t.state.schedule.SleepTime : t.state.TargetTime, c.target);
    EXPECT_EQ(t.State(), what == 'd' ? "0 -1 green none" : "1 -1 green none")
        << "a due tick disarms, and the countdown decides the rest";
  }
}

TEST(ScheduleTimer, StartRefusesAPeriodWithoutAColonAndStopDisarmsShowingTheRedClock) {
  Timer t("90", {2026, 12, 6, 10, 0});
  t.Main().Click("mnuTimerStart");
  std::string state = t.State();
  EXPECT_EQ(state + " " + t.journal.Take(),
            "0 0 red none MessageBox Vesperkit 0: Timer Initialisation Error\r\nRecheck Settings|");
  t.state.schedule.SleepTime = "1:00";
  t.Main().Click("mnuTimerStart");
  t.Main().Click("mnuTimerStop");
  state = t.State();
  EXPECT_EQ(state + " " + t.journal.Take(), "0 0 red Modify Tray Modify|Tray Modify|");
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
