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
  void Start() { ASSERT_EQ(app::Startup(w.state), 0); }
  FakeFormHost& Main() { return static_cast<FakeFormHost&>(w.state.gFrmMain->Host()); }
  const platform::ControlState& C(const char* control) { return Main().Model().Get(control); }
  // Set Sleep Time from the tray menu, the user's part played by `user`.
  void Open(const User& user) {
    w.forms.onModal = [user](FakeFormHost& form) { user(form); };
    Main().Click("mnuTimeSet");
  }
  void Store(const char* name, const std::string& text) { w.registry.Put(kSettingsPath, name, text + '\0'); }
  // "DayTime CancelTime Mode" as stored, or empty when nothing was.
  std::string Saved() {
    std::string saved;
    for (const char* name : {"DayTime", "CancelTime", "Mode"}) {
      const auto* value = w.registry.FindValue(kSettingsPath, name);
      if (value != nullptr) saved += (saved.empty() ? "" : " ") + value->bytes.substr(0, value->bytes.find('\0'));
    }
    return saved;
  }
  std::string Tip() { return w.state.gTrayIcon.szTip.substr(0, w.state.gTrayIcon.szTip.find('\0')); }
  bool TimerMenus() { return C("mnuTimerStart").enabled && C("mnuTimerStop").enabled; }
  bool Armed() { return C("Timer1").enabled; }
  // A confirmed 15-minute schedule with the timer started.
  void Running() {
    Start();
    Open([](FakeFormHost& f) { f.UserClick("CmdOK"); });
    Main().Click("mnuTimerStart");
    w.journal.entries.clear();
  }

  fakes::TestWorld w;
};

const User kOk = [](FakeFormHost& f) { EXPECT_TRUE(f.UserClick("CmdOK")); };

TEST(SetSleepTime, FirstOpeningWithAnEmptyStoreAndOkAtOnceSetsFifteenMinutes) {
  Program p;
  p.Start();
  p.w.journal.entries.clear();
  p.Open([&](FakeFormHost& f) {
    EXPECT_EQ(std::tuple(p.C("optPeriod").value, p.C("optDayTime").value, p.C("cboPeriod").text,
                         p.C("txtcancel").text, p.C("cboMode").text, p.C("mskOnTime").text),
              std::tuple(1, 0, "15 Mins", "30", "Shutdown", "__:__"));
    EXPECT_EQ(f.Owner(), 0u);
    const auto& day = p.C("dtpShutdown");  // the start day to a year later
    EXPECT_EQ(std::tuple(day.minDate->year, day.minDate->month, day.minDate->day, day.maxDate->year,
                         day.maxDate->month, day.maxDate->day),
              std::tuple(2026, 12, 6, 2027, 12, 6));
    kOk(f);
  });
  const ScheduleValues& s = p.w.state.schedule;
  EXPECT_EQ(std::tuple(s.TimeSet, s.SleepTime, p.Tip(), p.TimerMenus(), p.Saved()),
            std::tuple(kTrue, "0:15", "Shutdown period set as: 15 Mins.", true, "False 30 0"));
  EXPECT_EQ(p.w.tray.calls.back().record, p.w.state.gTrayIcon.Pack()) << "the tray shows the new tip";
  const std::vector<std::string> order = {"SetWindowPos -1", "Show FrmMain", "Tray Modify", "Tray Modify",
                                          "SetWindowPos -2", "Hide FrmMain"};
  std::vector<std::string> seen;
  for (const std::string& e : p.w.journal.entries)
    if (std::find(order.begin(), order.end(), e) != order.end()) seen.push_back(e);
  EXPECT_EQ(seen, order) << "top-most while shown; the timer stopped, then the tip";
}

TEST(SetSleepTime, ConfirmsWhatTheUserEntered) {
  struct Row {
    const char* name;
    User user;
    VbBool timeSet;
    const char* sleepTime;
    const char* tip;
  };
  const Row rows[] = {
      {"time and date without a time",
       [](FakeFormHost& f) { f.UserClick("optDayTime"); }, kFalse, "__:__", "Vesperkit"},
      {"time and date",
       [](FakeFormHost& f) {
         f.UserClick("optDayTime");
         f.UserType("mskOnTime", "0730");
         f.UserDate("dtpShutdown", {2027, 3, 5});
       },
       kTrue, "07:30", "Shutdown set for 07:30 on the 05/03/27"},
      {"a typed period", [](FakeFormHost& f) { f.UserType("cboPeriod", "2 hours"); }, kTrue, "",
       "Shutdown period set as: 2 hours."},
      {"a chosen period", [](FakeFormHost& f) { f.UserChoose("cboPeriod", 4); }, kTrue, "1:30",
       "Shutdown period set as: 90 Mins."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Program p;
    p.Start();
    p.Open([&](FakeFormHost& f) {
      row.user(f);
      kOk(f);
    });
    const ScheduleValues& s = p.w.state.schedule;
    EXPECT_EQ(std::tuple(s.TimeSet, s.SleepTime, p.Tip(), p.TimerMenus()),
              std::tuple(row.timeSet, row.sleepTime, row.tip, row.timeSet == kTrue));
  }
}

// Only a change stops a running timer and builds the schedule again; the
// cancel period and the mode are taken and saved on every OK.
TEST(SetSleepTime, WhileTheTimerRunsOnlyAChangeStopsIt) {
  struct Row {
    const char* name;
    User user;
    bool armed;
    const char* saved;
  };
  const Row rows[] = {
      {"nothing", [](FakeFormHost&) {}, true, "False 30 0"},
      {"a mode chosen", [](FakeFormHost& f) { f.UserChoose("cboMode", 1); }, true, "False 30 1"},
      {"a mode typed", [](FakeFormHost& f) { f.UserType("cboMode", "Suspend"); }, false, "False 30 -1"},
      {"the cancel period typed", [](FakeFormHost& f) { f.UserType("txtcancel", "45"); }, false, "False 45 0"},
      {"the cancel period stepped", [](FakeFormHost& f) { f.UserStep("UpCancel", 1); }, false, "False 31 0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Program p;
    p.Running();
    p.Open([&](FakeFormHost& f) {
      row.user(f);
      kOk(f);
    });
    EXPECT_EQ(std::tuple(p.Armed(), p.Saved(), p.w.state.schedule.SleepTime), std::tuple(row.armed, row.saved, "0:15"));
    EXPECT_EQ(p.w.journal.Contains("Tray Modify"), true) << "the tray gets the record on every OK";
  }
}

TEST(SetSleepTime, CancelReadsTheOptionBackAndKeepsTheChangeForTheNextOk) {
  Program p;
  p.Start();
  p.w.journal.entries.clear();
  p.Open([&](FakeFormHost& f) {
    f.UserClick("optDayTime");
    EXPECT_EQ(std::tuple(p.w.state.schedule.DayTime, p.C("Frame2").visible, p.Main().Model().FormHeight()),
              std::tuple(kTrue, true, 5015));
    EXPECT_TRUE(f.UserClick("CmdCancel"));
  });
  EXPECT_EQ(std::tuple(p.w.state.schedule.DayTime, p.C("optPeriod").value, p.C("Frame2").visible,
                       p.C("Frame3").visible, p.Main().Model().FormHeight()),
            std::tuple(kFalse, 1, false, true, 4655));
  EXPECT_EQ(std::tuple(p.Saved(), p.w.tray.calls.size(), p.Main().Visible()), std::tuple("", 1u, false));
  EXPECT_LT(p.w.journal.IndexOf("SetWindowPos -2"), p.w.journal.IndexOf("Hide FrmMain"));
  EXPECT_TRUE(p.w.state.gFrmMain->Dialog().Changed());
}

TEST(SetSleepTime, AnInvalidTimeKeepsTheFocusInTheTimeBox) {
  struct Row {
    const char* shown;
    const char* after;
    bool valid;
  };
  for (const Row& row : {Row{"25:00", "25:00", false}, Row{"2_:7_", "20:70", false}, Row{"__:__", "00:00", true},
                         Row{"23:59", "23:59", true}}) {
    SCOPED_TRACE(row.shown);
    Program p;
    p.Start();
    p.Open([&](FakeFormHost& f) {
      f.UserClick("optDayTime");
      f.MoveFocus("mskOnTime");
      f.Model().SetText("mskOnTime", row.shown);
      EXPECT_EQ(f.MoveFocus("txtcancel"), row.valid);
      EXPECT_EQ(f.Model().Focus(), row.valid ? "txtcancel" : "mskOnTime");
      EXPECT_EQ(f.Model().Get("mskOnTime").text, row.after);
      if (row.valid) return;
      EXPECT_FALSE(f.UserClick("CmdOK") || f.UserClick("CmdCancel"));
    });
    EXPECT_TRUE(p.w.messages.shown.empty());
    EXPECT_EQ(p.w.state.schedule.TimeSet, kFalse);
  }
}

TEST(SetSleepTime, ArrangeFramesStacksTheFrames105TwipsApart) {
  struct Row {
    Arrangement arrangement;
    bool byDate;
    int frame4, frame5, buttons, height;
  };
  for (const Row& row : {Row{Arrangement::TimeAndDate, true, 2520, 3360, 4200, 5015},
                         Row{Arrangement::Period, false, 2160, 3000, 3840, 4655}}) {
    Program p;
    p.Start();
    p.w.state.gFrmMain->Dialog().ArrangeFrames(row.arrangement);
    EXPECT_EQ(std::tuple(p.C("Frame2").visible, p.C("Frame3").visible, p.C("Frame2").top, p.C("Frame3").top),
              std::tuple(row.byDate, !row.byDate, 1200, 1200));
    EXPECT_EQ(std::tuple(p.C("Frame4").top, p.C("Frame5").top, p.C("CmdAdvanced").top, p.C("CmdOK").top,
                         p.C("CmdCancel").top, p.Main().Model().FormHeight()),
              std::tuple(row.frame4, row.frame5, row.buttons, row.buttons, row.buttons, row.height));
  }
}

// A cancel period the countdown cannot use is refused before anything else.
TEST(SetSleepTime, TheCancelPeriodIsAWholeNumberFrom1To32767) {
  struct Row {
    const char* typed;
    int taken;  // 0: refused
  };
  for (const Row& row : {Row{"0", 0}, Row{"32768", 0}, Row{"abc", 0}, Row{"x\b", 0}, Row{"0.5", 0}, Row{" 45 ", 45},
                         Row{"2.5", 2}, Row{"3.5", 4}, Row{"32767", 32767}}) {
    SCOPED_TRACE(row.typed);
    Program p;
    p.Start();
    p.Open([&](FakeFormHost& f) {
      f.UserType("txtcancel", row.typed);
      EXPECT_TRUE(f.UserClick("CmdOK"));
      EXPECT_EQ(std::tuple(f.Visible(), f.Model().Focus() == "txtcancel"), std::tuple(row.taken == 0, row.taken == 0));
    });
    if (row.taken != 0) {
      EXPECT_EQ(p.w.state.schedule.CancelTime, row.taken);
      EXPECT_TRUE(p.w.messages.shown.empty());
      continue;
    }
    ASSERT_EQ(p.w.messages.shown.size(), 1u);
    EXPECT_EQ(p.w.messages.shown[0].title, "Vesperkit");
    EXPECT_EQ(std::tuple(p.Saved(), p.w.state.schedule.TimeSet, p.w.state.schedule.CancelTime, p.w.tray.calls.size()),
              std::tuple("", kFalse, 30, 1u))
        << "nothing saved, built or sent";
  }
}

TEST(SetSleepTime, TheModeListOffersHibernateOnTheNewerGenerationOnlyAndAStrayModeSelectsNothing) {
  struct Row {
    std::uint32_t major;
    VbBool hibernate;
    const char* stored;
    size_t entries;
    int selected;
  };
  const Row rows[] = {{4, kTrue, "0", 2, 0},  {6, kFalse, "2", 2, -1}, {6, kTrue, "2", 3, 2},   {6, kTrue, "7", 3, -1},
                      {6, kTrue, "-1", 3, -1}, {6, kTrue, "65536", 3, -1}, {5, kTrue, "1", 3, 1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.major) + " " + row.stored);
    Program p;
    p.w.windows.majorVersion = row.major;
    p.w.components.hibernateSupported = row.hibernate;
    p.Store("Mode", row.stored);
    p.Start();
    const platform::ControlState& mode = p.C("cboMode");
    EXPECT_EQ(std::tuple(mode.items.size(), mode.listIndex, mode.text.empty()),
              std::tuple(row.entries, row.selected, row.selected < 0));
    EXPECT_EQ(p.w.journal.Contains("Power.HibernateSupported"), row.major > 4);
  }
}

TEST(SetSleepTime, CancelShowsTheConfirmedScheduleSoTheNextOkBuildsItAgain) {
  Program p;
  p.Start();
  p.Open([](FakeFormHost& f) {
    f.UserChoose("cboPeriod", 4);
    kOk(f);
  });
  p.Open([](FakeFormHost& f) {
    f.UserChoose("cboPeriod", 1);
    f.UserClick("CmdCancel");
  });
  EXPECT_EQ(std::tuple(p.C("cboPeriod").text, p.C("cboPeriod").listIndex), std::tuple("90 Mins", 4));
  p.Open(kOk);
  EXPECT_EQ(p.w.state.schedule.SleepTime, "1:30");

  // The day read back from its two-digit year is in the 2000s.
  p.Open([](FakeFormHost& f) {
    f.UserClick("optDayTime");
    f.UserType("mskOnTime", "0730");
    f.UserDate("dtpShutdown", {2027, 3, 5});
    kOk(f);
  });
  p.Open([](FakeFormHost& f) {
    f.UserType("mskOnTime", "0815");
    f.UserDate("dtpShutdown", {2027, 1, 1});
    f.UserClick("CmdCancel");
  });
  const platform::DateTime day = p.C("dtpShutdown").date;
  EXPECT_EQ(std::tuple(p.C("mskOnTime").text, day.year, day.month, day.day), std::tuple("07:30", 2027, 3, 5));
}

// Nothing opens twice, and closing the frame (Alt+F4) while it is shown does
// not end the program; hidden, closing the main form still ends it.
TEST(SetSleepTime, WhileItIsShownTheTrayBringsItToTheFrontAndItsFrameDoesNotClose) {
  Program p;
  p.Start();
  p.Open([](FakeFormHost& f) {
    f.Click("mnuTimeSet");
    f.Click("mnuAbout");
    f.CloseFrame();
    EXPECT_FALSE(f.Unloaded());
    f.UserClick("CmdCancel");
  });
  EXPECT_EQ(p.w.forms.endedWith, -1);
  p.Main().CloseFrame();
  EXPECT_EQ(p.w.forms.endedWith, 0);
  EXPECT_EQ(p.w.forms.broughtToFront, (std::vector<WindowHandle>{p.Main().Handle(), p.Main().Handle()}));
  EXPECT_EQ(std::count(p.w.journal.entries.begin(), p.w.journal.entries.end(), "Show FrmMain"), 1);
  EXPECT_EQ(p.w.state.aboutBoxes.OpenCount(), 0);
}

TEST(SetSleepTime, AdvancedOpensTheAdvancedOptionsOverItWhoseOkSavesTheSwitchesAndMarksNothingHere) {
  Program p;
  p.Start();
  p.Open([&](FakeFormHost& f) {
    if (f.Def().name == "FrmAdvanced") {
      EXPECT_EQ(f.Owner(), p.Main().Handle());
      EXPECT_TRUE(f.UserClick("chkForce"));
      EXPECT_TRUE(f.UserClick("CmdOK"));
      return;
    }
    EXPECT_TRUE(f.UserClick("CmdAdvanced"));
    EXPECT_EQ(p.w.forms.Find("FrmAdvanced"), nullptr) << "released when it returns";
    EXPECT_FALSE(p.w.state.gFrmMain->Dialog().Changed());
    f.UserClick("CmdCancel");
  });
  const auto* force = p.w.registry.FindValue(kSettingsPath, "Force");
  ASSERT_NE(force, nullptr);
  EXPECT_EQ(std::tuple(force->bytes, p.w.state.schedule.ForceShutdown), std::tuple(std::string("True\0", 5), kTrue));
  EXPECT_EQ(p.Saved(), "") << "Cancel here neither saves nor undoes the Advanced Options";
}

}  // namespace
}  // namespace vk::schedule
