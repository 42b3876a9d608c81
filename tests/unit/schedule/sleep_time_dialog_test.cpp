// The Set Sleep Time dialog on the main form's model, opened from the tray
// menu and played by a user, story by story.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/startup.h"
#include "fakes/test_world.h"

namespace vk::schedule {
namespace {

using fakes::FakeFormHost;
using User = std::function<void(FakeFormHost&)>;

struct Program : fakes::TestWorld {
  Program() { EXPECT_EQ(app::Startup(state), 0); }
  const platform::ControlState& C(const char* control) { return Main().Model().Get(control); }
  // Set Sleep Time from the tray menu, the user's part played by `user`.
  void Open(const User& user) {
    forms.onModal = user;
    Main().Click("mnuTimeSet");
  }
  // The schedule, the tip, the timer and its menus, what was saved, whether a
  // change waits for the next OK, what the boxes show, where the focus stays
  // when the dialog does; then the journal.
  std::string Outcome() {
    std::string saved;
    for (const char* name : {"DayTime", "CancelTime", "Mode", "Force"}) {
      const auto* value = registry.FindValue(fakes::kSettingsPath, name);
      saved += std::string(value == nullptr ? "-" : value->bytes.c_str()) + (name[0] == 'F' ? "" : " ");
    }
    const platform::DateTime& day = C("dtpShutdown").date;
    return std::to_string(state.schedule.TimeSet) + " [" + state.schedule.SleepTime + "] " +
           state.gTrayIcon.szTip.substr(0, state.gTrayIcon.szTip.find('\0')) + " | menus " +
           std::to_string(C("mnuTimerStart").enabled && C("mnuTimerStop").enabled) + " armed " +
           std::to_string(C("Timer1").enabled) + " saved " + saved + " changed " +
           std::to_string(state.gFrmMain->Dialog().Changed()) + " | " + C("cboPeriod").text + " " +
           C("mskOnTime").text + " " + std::to_string(day.year) + "-" + std::to_string(day.month) + "-" +
           std::to_string(day.day) + (Main().Visible() ? " kept " + Main().Model().Focus() : "") + "\n" +
           journal.Take();
  }
};

User Then(User first, const char* button) {
  return [=](FakeFormHost& f) {
    first(f);
    if (f.Visible()) f.UserClick(button);
  };
}
User Type(const char* control, const char* keys) {
  return Then([=](FakeFormHost& f) { f.UserType(control, keys); }, "CmdOK");
}

// Each row opens the dialog once per script, starting the timer after every
// opening but the last, whose outcome it compares.
TEST(SetSleepTime, PlaysTheUsersStories) {
  const std::string open = "SetWindowPos -1 3|Show FrmMain 0|";
  const std::string ok = "Tray Modify|Tray Modify|SetWindowPos -2 3|Hide FrmMain|";  // stopped, then the tip
  const std::string kept = "Tray Modify|SetWindowPos -2 3|Hide FrmMain|", closed = "SetWindowPos -2 3|Hide FrmMain|";
  const std::string none = "0 [] Vesperkit | menus 0 armed 0 saved - - - - changed ";
  const std::string set15 = "-1 [0:15] Shutdown period set as: 15 Mins. | menus 1 armed ";
  const std::string set90 = "-1 [1:30] Shutdown period set as: 90 Mins. | menus 1 armed ";
  const std::string at730 = "-1 [07:30] Shutdown set for 07:30 on the 05/03/27 | menus 1 armed ";
  const std::string today = " 2026-12-6\n" + open, box = "15 Mins __:__" + today;
  const std::string refused = none + "1 | 15 Mins __:__ 2026-12-6 kept txtcancel\n" + open +
                              "MessageBox Vesperkit 48: The cancel period must be a whole number of seconds from 1 to "
                              "32767.|";
  const std::string advanced = "Load FrmAdvanced|SetWindowPos -1 3|Show FrmAdvanced 4096|" +
                               std::string(fakes::kForceWarning) + "SetWindowPos -2 3|";
  const User byDate = Then(
      [](FakeFormHost& f) {
        f.UserClick("optDayTime");
        f.UserType("mskOnTime", "0730");
        f.UserDate("dtpShutdown", {2027, 3, 5});
      },
      "CmdOK");
  auto timeShown = [](const char* time) {
    return Then(
        [=](FakeFormHost& f) {
          f.UserClick("optDayTime");
          f.MoveFocus("mskOnTime");
          f.Model().SetText("mskOnTime", time);
          f.MoveFocus("txtcancel");
        },
        "CmdOK");
  };
  auto clicked = [](const char* control, const char* button) {
    return Then([=](FakeFormHost& f) { f.UserClick(control); }, button);
  };
  auto chosen = [](const char* control, int index, const char* button) {
    return Then([=](FakeFormHost& f) { f.UserChoose(control, index); }, button);
  };
  const User okAtOnce = Type("mskOnTime", "");
  const struct {
    const char* name;
    std::vector<User> openings;
    std::string outcome;
  } rows[] = {
      {"first opening with an empty store and OK at once",
       {okAtOnce},
       set15 + "0 saved False 30 0 - changed 0 | " + box + ok},
      {"time and date without a time keeps the previous tip",
       {clicked("optDayTime", "CmdOK")},
       "0 [__:__] Vesperkit | menus 0 armed 0 saved True 30 0 - changed 0 | " + box + "Tray Modify|" + kept},
      {"time and date", {byDate}, at730 + "0 saved True 30 0 - changed 0 | 15 Mins 07:30 2027-3-5\n" + open + ok},
      {"a typed period",
       {Type("cboPeriod", "2 hours")},
       "-1 [] Shutdown period set as: 2 hours. | menus 1 armed 0 saved False 30 0 - changed 0 | 2 hours __:__" + today +
           ok},
      {"a chosen period",
       {chosen("cboPeriod", 4, "CmdOK")},
       set90 + "0 saved False 30 0 - changed 0 | 90 Mins __:__" + today + ok},
      {"nothing, while the timer runs", {okAtOnce, okAtOnce}, set15 + "1 saved False 30 0 - changed 0 | " + box + kept},
      {"a mode chosen",
       {okAtOnce, chosen("cboMode", 1, "CmdOK")},
       set15 + "1 saved False 30 1 - changed 0 | " + box + kept},
      {"a mode typed", {okAtOnce, Type("cboMode", "Suspend")}, set15 + "0 saved False 30 -1 - changed 0 | " + box + ok},
      {"only the cancel period typed",
       {okAtOnce, Type("txtcancel", "45")},
       set15 + "0 saved False 45 0 - changed 0 | " + box + ok},
      {"the cancel period stepped",
       {okAtOnce, Then([](FakeFormHost& f) { f.UserStep("UpCancel", 1); }, "CmdOK")},
       set15 + "0 saved False 31 0 - changed 0 | " + box + ok},
      {"a cancel period of 32767",
       {Type("txtcancel", "32767")},
       set15 + "0 saved False 32767 0 - changed 0 | " + box + ok},
      {"a cancel period of 0 is refused", {Type("txtcancel", "0")}, refused},
      {"and one of 32768", {Type("txtcancel", "32768")}, refused},
      {"Cancel after switching the option reads it back and keeps the change for the next OK",
       {clicked("optDayTime", "CmdCancel")},
       none + "1 | " + box + closed},
      {"a time of 25:00 keeps the focus without a message",
       {timeShown("25:00")},
       none + "1 | 15 Mins 25:00 2026-12-6 kept mskOnTime\n" + open},
      {"and one of 2_:7_", {timeShown("2_:7_")}, none + "1 | 15 Mins 20:70 2026-12-6 kept mskOnTime\n" + open},
      {"__:__ is midnight",
       {timeShown("__:__")},
       "-1 [00:00] Shutdown set for 00:00 on the 06/12/26 | menus 1 armed 0 saved True 30 0 - changed 0 | 15 Mins "
       "00:00" +
           today + ok},
      {"Cancel by period shows the entry of the confirmed schedule",
       {chosen("cboPeriod", 4, "CmdOK"), chosen("cboPeriod", 1, "CmdCancel")},
       set90 + "1 saved False 30 0 - changed 1 | 90 Mins __:__" + today + closed},
      {"Cancel by date shows the confirmed time and day",
       {byDate, Then(
                    [](FakeFormHost& f) {
                      f.UserType("mskOnTime", "0815");
                      f.UserDate("dtpShutdown", {2027, 1, 1});
                    },
                    "CmdCancel")},
       at730 + "1 saved True 30 0 - changed 1 | 15 Mins 07:30 2027-3-5\n" + open + closed},
      {"while it is shown the tray brings it to the front and its frame does not close",
       {Then(
           [](FakeFormHost& f) {
             f.Click("mnuTimeSet");
             f.Click("mnuAbout");
             f.CloseFrame();
           },
           "CmdCancel")},
       none + "0 | " + box + "BringToFront FrmMain|BringToFront FrmMain|" + closed},
      {"Advanced opens the Advanced Options over it, whose OK saves the switches and marks nothing here",
       {[](FakeFormHost& f) {
         const bool isAdvanced = f.Def().name == "FrmAdvanced";
         f.UserClick(isAdvanced ? "chkForce" : "CmdAdvanced");
         f.UserClick(isAdvanced ? "CmdOK" : "CmdCancel");
       }},
       "0 [] Vesperkit | menus 0 armed 0 saved - - - True changed 0 | " + box + advanced + closed},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Program p;
    for (const User& opening : row.openings) {
      if (&opening != &row.openings.front()) p.Main().Click("mnuTimerStart");
      p.journal.entries.clear();
      p.Open(opening);
    }
    EXPECT_EQ(p.Outcome(), row.outcome);
  }
}

TEST(SetSleepTime, ArrangeFramesStacksTheFrames105TwipsApart) {
  for (const auto& [arrangement, figures] :
       {std::pair{Arrangement::TimeAndDate, "10 1200 1200 2520 3360 4200 4200 4200 5015"},
        {Arrangement::Period, "01 1200 1200 2160 3000 3840 3840 3840 4655"}}) {
    Program p;
    p.state.gFrmMain->Dialog().ArrangeFrames(arrangement);
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
  } rows[] = {{4, kTrue, "0", "2 0 Shutdown 0"}, {6, kFalse, "2", "2 -1  1"}, {6, kTrue, "2", "3 2 Hibernate 1"},
              {6, kTrue, "7", "3 -1  1"},        {6, kTrue, "-1", "3 -1  1"}, {5, kTrue, "1", "3 1 Suspend 1"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.major) + " " + row.stored);
    fakes::TestWorld w;
    w.windows.majorVersion = row.major;
    w.components.hibernateSupported = row.hibernate;
    w.registry.Put(fakes::kSettingsPath, "Mode", row.stored + std::string(1, '\0'));
    ASSERT_EQ(app::Startup(w.state), 0);
    const platform::ControlState& mode = w.state.gFrmMain->Model().Get("cboMode");
    EXPECT_EQ(std::to_string(mode.items.size()) + " " + std::to_string(mode.listIndex) + " " + mode.text + " " +
                  std::to_string(!w.journal.With("Power.HibernateSupported").empty()),
              row.shown);
  }
}

}  // namespace
}  // namespace vk::schedule
