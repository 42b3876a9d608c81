// The Set Sleep Time dialog on the main form's model, opened from the tray
// menu and played by a user, story by story.
#include <gtest/gtest.h>

#include <functional>

#include "app/frm_main.h"
#include "app/startup.h"
#include "fakes/test_world.h"

namespace vk::schedule {
namespace {

using fakes::FakeFormHost;
using User = std::function<void(FakeFormHost&)>;

constexpr const char* kSettingsPath = "Software\\Quillfield Systems Ltd\\Vesperkit\\Settings";

struct Program {
  Program() { EXPECT_EQ(app::Startup(w.state), 0); }
  FakeFormHost& Main() { return static_cast<FakeFormHost&>(w.state.gFrmMain->Host()); }
  const platform::ControlState& C(const char* control) { return Main().Model().Get(control); }
  // Set Sleep Time from the tray menu, the user's part played by `user`.
  void Open(const User& user) {
    w.forms.onModal = user;
    Main().Click("mnuTimeSet");
  }
  // A note in the journal of what the dialog shows.
  void Note(const std::string& what) { w.journal.Add(what); }
  // The schedule, the tip, the timer and its menus, what was saved, and
  // whether a change waits for the next OK; then the journal.
  std::string Outcome() {
    std::string saved;
    for (const char* name : {"DayTime", "CancelTime", "Mode"}) {
      const auto* value = w.registry.FindValue(kSettingsPath, name);
      saved += value == nullptr ? "-" : value->bytes.c_str();
      saved += name[0] == 'M' ? "" : " ";
    }
    const ScheduleValues& s = w.state.schedule;
    std::string outcome = std::to_string(s.TimeSet) + " [" + s.SleepTime + "] " +
                          w.state.gTrayIcon.szTip.substr(0, w.state.gTrayIcon.szTip.find('\0')) + " | menus " +
                          std::to_string(C("mnuTimerStart").enabled && C("mnuTimerStop").enabled) + " armed " +
                          std::to_string(C("Timer1").enabled) + " saved " + saved + " changed " +
                          std::to_string(w.state.gFrmMain->Dialog().Changed()) + "\n";
    for (const std::string& e : w.journal.entries) outcome += e + "|";
    return outcome;
  }
  fakes::TestWorld w;
};

const std::string kOpen = "SetWindowPos -1 3|Show FrmMain 0|";
const std::string kOk = "Tray Modify|Tray Modify|SetWindowPos -2 3|Hide FrmMain|";  // stopped, then the tip
const std::string kKept = "Tray Modify|SetWindowPos -2 3|Hide FrmMain|";
const std::string kClosed = "SetWindowPos -2 3|Hide FrmMain|";

TEST(SetSleepTime, ConfirmsWhatTheUserEntered) {
  struct Row {
    const char* name;
    bool running;  // a confirmed 15-minute schedule with the timer started
    User user;
    std::string outcome;
  };
  auto type = [](const char* control, const char* keys) { return [=](FakeFormHost& f) { f.UserType(control, keys); }; };
  const Row rows[] = {
      {"time and date without a time keeps the previous tip", false, [](FakeFormHost& f) { f.UserClick("optDayTime"); },
       "0 [__:__] Vesperkit | menus 0 armed 0 saved True 30 0 changed 0\n" + kOpen + "Tray Modify|" + kKept},
      {"time and date", false,
       [](FakeFormHost& f) {
         f.UserClick("optDayTime");
         f.UserType("mskOnTime", "0730");
         f.UserDate("dtpShutdown", {2027, 3, 5});
       },
       "-1 [07:30] Shutdown set for 07:30 on the 05/03/27 | menus 1 armed 0 saved True 30 0 changed 0\n" + kOpen + kOk},
      {"a typed period", false, type("cboPeriod", "2 hours"),
       "-1 [] Shutdown period set as: 2 hours. | menus 1 armed 0 saved False 30 0 changed 0\n" + kOpen + kOk},
      {"a chosen period", false, [](FakeFormHost& f) { f.UserChoose("cboPeriod", 4); },
       "-1 [1:30] Shutdown period set as: 90 Mins. | menus 1 armed 0 saved False 30 0 changed 0\n" + kOpen + kOk},
      {"nothing, while the timer runs", true, [](FakeFormHost&) {},
       "-1 [0:15] Shutdown period set as: 15 Mins. | menus 1 armed 1 saved False 30 0 changed 0\n" + kOpen + kKept},
      {"a mode chosen", true, [](FakeFormHost& f) { f.UserChoose("cboMode", 1); },
       "-1 [0:15] Shutdown period set as: 15 Mins. | menus 1 armed 1 saved False 30 1 changed 0\n" + kOpen + kKept},
      {"a mode typed", true, type("cboMode", "Suspend"),
       "-1 [0:15] Shutdown period set as: 15 Mins. | menus 1 armed 0 saved False 30 -1 changed 0\n" + kOpen + kOk},
      {"the cancel period typed", true, type("txtcancel", "45"),
       "-1 [0:15] Shutdown period set as: 15 Mins. | menus 1 armed 0 saved False 45 0 changed 0\n" + kOpen + kOk},
      {"the cancel period stepped", true, [](FakeFormHost& f) { f.UserStep("UpCancel", 1); },
       "-1 [0:15] Shutdown period set as: 15 Mins. | menus 1 armed 0 saved False 31 0 changed 0\n" + kOpen + kOk},
      {"a cancel period of 32767", false, type("txtcancel", "32767"),
       "-1 [0:15] Shutdown period set as: 15 Mins. | menus 1 armed 0 saved False 32767 0 changed 0\n" + kOpen + kOk},
      {"a cancel period rounded half to even", false, type("txtcancel", "3.5"),
       "-1 [0:15] Shutdown period set as: 15 Mins. | menus 1 armed 0 saved False 4 0 changed 0\n" + kOpen + kOk},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Program p;
    if (row.running) {
      p.Open([](FakeFormHost& f) { f.UserClick("CmdOK"); });
      p.Main().Click("mnuTimerStart");
    }
    p.w.journal.entries.clear();
    p.Open([&](FakeFormHost& f) {
      row.user(f);
      EXPECT_TRUE(f.UserClick("CmdOK"));
    });
    EXPECT_EQ(p.Outcome(), row.outcome);
  }
}

TEST(SetSleepTime, FirstOpeningWithAnEmptyStoreAndOkAtOnceSetsFifteenMinutes) {
  Program p;
  p.w.journal.entries.clear();
  p.Open([&](FakeFormHost& f) {
    const auto& day = p.C("dtpShutdown");  // the start day to a year later
    p.Note(std::to_string(p.C("optPeriod").value) + std::to_string(p.C("optDayTime").value) + " " +
           p.C("cboPeriod").text + " " + p.C("txtcancel").text + " " + p.C("cboMode").text + " " + p.C("mskOnTime").text +
           " " + std::to_string(day.minDate->year * 10000 + day.minDate->month * 100 + day.minDate->day) + "-" +
           std::to_string(day.maxDate->year * 10000 + day.maxDate->month * 100 + day.maxDate->day));
    EXPECT_TRUE(f.UserClick("CmdOK"));
  });
  EXPECT_EQ(p.Outcome(), "-1 [0:15] Shutdown period set as: 15 Mins. | menus 1 armed 0 saved False 30 0 changed 0\n" +
                             kOpen + "10 15 Mins 30 Shutdown __:__ 20261206-20271206|" + kOk);
  EXPECT_EQ(p.w.tray.record, p.w.state.gTrayIcon.Pack()) << "the tray shows the new tip";
}

TEST(SetSleepTime, CancelAfterSwitchingTheOptionReadsItBackAndKeepsTheChangeForTheNextOk) {
  Program p;
  p.w.journal.entries.clear();
  p.Open([&](FakeFormHost& f) {
    f.UserClick("optDayTime");
    p.Note("by date " + std::to_string(p.w.state.schedule.DayTime) + " " + std::to_string(p.Main().Model().FormHeight()));
    EXPECT_TRUE(f.UserClick("CmdCancel"));
  });
  p.Note("by period " + std::to_string(p.C("optPeriod").value) + std::to_string(p.C("Frame2").visible) +
         std::to_string(p.C("Frame3").visible) + " " + std::to_string(p.Main().Model().FormHeight()));
  EXPECT_EQ(p.Outcome(), "0 [] Vesperkit | menus 0 armed 0 saved - - - changed 1\n" + kOpen + "by date -1 5015|" +
                             kClosed + "by period 101 4655|");
}

TEST(SetSleepTime, AnInvalidTimeKeepsTheFocusInTheTimeBoxWithoutAMessage) {
  for (const auto& [shown, after] : {std::pair{"25:00", "25:00 mskOnTime 0"}, {"2_:7_", "20:70 mskOnTime 0"},
                                     {"__:__", "00:00 txtcancel 1"}, {"23:59", "23:59 txtcancel 1"}}) {
    SCOPED_TRACE(shown);
    Program p;
    p.w.journal.entries.clear();
    p.Open([&](FakeFormHost& f) {
      f.UserClick("optDayTime");
      f.MoveFocus("mskOnTime");
      f.Model().SetText("mskOnTime", shown);
      const bool moved = f.MoveFocus("txtcancel");
      p.Note(f.Model().Get("mskOnTime").text + " " + f.Model().Focus() + " " + std::to_string(moved));
      if (!moved) {
        EXPECT_FALSE(f.UserClick("CmdOK") || f.UserClick("CmdCancel"));
      }
    });
    EXPECT_EQ(p.Outcome(), "0 [] Vesperkit | menus 0 armed 0 saved - - - changed 1\n" + kOpen + after + "|");
  }
}

TEST(SetSleepTime, ACancelPeriodTheCountdownCannotUseIsRefusedAndTheFocusKept) {
  for (const char* typed : {"0", "32768", "abc", "0.5"}) {
    SCOPED_TRACE(typed);
    Program p;
    p.w.journal.entries.clear();
    p.Open([&](FakeFormHost& f) {
      f.UserType("txtcancel", typed);
      EXPECT_TRUE(f.UserClick("CmdOK"));
      p.Note(std::to_string(f.Visible()) + " " + f.Model().Focus());
    });
    EXPECT_EQ(p.Outcome(), "0 [] Vesperkit | menus 0 armed 0 saved - - - changed 1\n" + kOpen +
                               "MessageBox Vesperkit 48: The cancel period must be a whole number of seconds from 1 to "
                               "32767.|1 txtcancel|");
  }
}

TEST(SetSleepTime, ArrangeFramesStacksTheFrames105TwipsApart) {
  for (const auto& [arrangement, figures] : {std::pair{Arrangement::TimeAndDate, "10 1200 1200 2520 3360 4200 4200 4200 5015"},
                                             {Arrangement::Period, "01 1200 1200 2160 3000 3840 3840 3840 4655"}}) {
    Program p;
    p.w.state.gFrmMain->Dialog().ArrangeFrames(arrangement);
    std::string shown = std::to_string(p.C("Frame2").visible) + std::to_string(p.C("Frame3").visible);
    for (const char* c : {"Frame2", "Frame3", "Frame4", "Frame5", "CmdAdvanced", "CmdOK", "CmdCancel"})
      shown += " " + std::to_string(p.C(c).top);
    EXPECT_EQ(shown + " " + std::to_string(p.Main().Model().FormHeight()), figures);
  }
}

TEST(SetSleepTime, TheModeListOffersHibernateOnTheNewerGenerationOnlyAndAStrayModeSelectsNothing) {
  const struct {
    std::uint32_t major;
    VbBool hibernate;
    const char* stored;
    const char* shown;  // entries, the selected one and the text, whether PowerControl was asked
  } rows[] = {{4, kTrue, "0", "2 0 Shutdown 0"},  {6, kFalse, "2", "2 -1  1"},  {6, kTrue, "2", "3 2 Hibernate 1"},
              {6, kTrue, "7", "3 -1  1"},         {6, kTrue, "-1", "3 -1  1"}, {5, kTrue, "1", "3 1 Suspend 1"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.major) + " " + row.stored);
    fakes::TestWorld w;
    w.windows.majorVersion = row.major;
    w.components.hibernateSupported = row.hibernate;
    w.registry.Put(kSettingsPath, "Mode", row.stored + std::string(1, '\0'));
    ASSERT_EQ(app::Startup(w.state), 0);
    const platform::ControlState& mode = w.state.gFrmMain->Model().Get("cboMode");
    EXPECT_EQ(std::to_string(mode.items.size()) + " " + std::to_string(mode.listIndex) + " " + mode.text + " " +
                  std::to_string(!w.journal.With("Power.HibernateSupported").empty()),
              row.shown);
  }
}

TEST(SetSleepTime, CancelShowsTheConfirmedScheduleSoTheNextOkBuildsItAgain) {
  Program p;
  p.Open([](FakeFormHost& f) { f.UserChoose("cboPeriod", 4) && f.UserClick("CmdOK"); });
  p.Open([](FakeFormHost& f) { f.UserChoose("cboPeriod", 1) && f.UserClick("CmdCancel"); });
  EXPECT_EQ(std::tuple(p.C("cboPeriod").text, p.C("cboPeriod").listIndex), std::tuple("90 Mins", 4));
  p.Open([](FakeFormHost& f) {
    f.UserClick("optDayTime");
    f.UserType("mskOnTime", "0730");
    f.UserDate("dtpShutdown", {2027, 3, 5});
    f.UserClick("CmdOK");
  });
  p.Open([](FakeFormHost& f) {
    f.UserType("mskOnTime", "0815");
    f.UserDate("dtpShutdown", {2027, 1, 1});
    f.UserClick("CmdCancel");
  });
  const platform::DateTime day = p.C("dtpShutdown").date;  // read back from its two-digit year
  EXPECT_EQ(std::tuple(p.C("mskOnTime").text, day.year, day.month, day.day), std::tuple("07:30", 2027, 3, 5));
}

// Nothing opens twice, and closing the frame (Alt+F4) while it is shown does
// not end the program; hidden, closing the main form still ends it.
TEST(SetSleepTime, WhileItIsShownTheTrayBringsItToTheFrontAndItsFrameDoesNotClose) {
  Program p;
  p.w.journal.entries.clear();
  p.Open([](FakeFormHost& f) {
    f.Click("mnuTimeSet");
    f.Click("mnuAbout");
    f.CloseFrame();
    EXPECT_TRUE(!f.Unloaded() && f.UserClick("CmdCancel"));
  });
  p.Main().CloseFrame();
  EXPECT_EQ(p.Outcome(), "0 [] Vesperkit | menus 0 armed 0 saved - - - changed 0\n" + kOpen +
                             "BringToFront FrmMain|BringToFront FrmMain|" + kClosed +
                             "Tray Delete|Power.Released|Process.Released|EndProgram 0|");
}

TEST(SetSleepTime, AdvancedOpensTheAdvancedOptionsOverItWhoseOkSavesTheSwitchesAndMarksNothingHere) {
  Program p;
  p.w.journal.entries.clear();
  p.Open([&](FakeFormHost& f) {
    if (f.Def().name == "FrmAdvanced") {
      EXPECT_TRUE(f.UserClick("chkForce") && f.UserClick("CmdOK"));
      return;
    }
    EXPECT_TRUE(f.UserClick("CmdAdvanced"));
    EXPECT_EQ(p.w.forms.Find("FrmAdvanced"), nullptr) << "released when it returns";
    f.UserClick("CmdCancel");
  });
  EXPECT_EQ(std::pair(p.w.registry.FindValue(kSettingsPath, "Force")->bytes, p.w.state.schedule.ForceShutdown),
            std::pair(std::string("True\0", 5), kTrue));
  EXPECT_EQ(p.Outcome(), "0 [] Vesperkit | menus 0 armed 0 saved - - - changed 0\n" + kOpen +
                             "Load FrmAdvanced|SetWindowPos -1 3|Show FrmAdvanced 4096|MessageBox Vesperkit 4112: "
                             "Enabling this option will force the system to shutdown.\r\nThis will result in any "
                             "unsaved work being lost.\r\nUse with caution!|SetWindowPos -2 3|" + kClosed);
}

}  // namespace
}  // namespace vk::schedule
