// The form model's own rules, the effects of user actions on it, and the test
// toolkit's way of playing the user (focus, validation, timers, the frame).
#include <gtest/gtest.h>

#include "fakes/test_world.h"
#include "platform/form_model.h"
#include "platform/form_user.h"

namespace vk::platform {
namespace {

FormDef Dialog() {
  FormDef d;
  d.name = "frmTest";
  d.caption = "Test";
  d.clientHeight = 3000;
  auto add = [&d](ControlDef c, const char* container = "") {
    c.container = container;
    d.controls.push_back(c);
  };
  add(Control("Frame1", ControlKind::Frame, 120, 120, 3000, 900));
  add(Control("optA", ControlKind::OptionButton, 120, 240, 1000, 255), "Frame1");
  add(Control("optB", ControlKind::OptionButton, 120, 600, 1000, 255), "Frame1");
  add(Control("Frame2", ControlKind::Frame, 120, 1200, 3000, 900));
  add(Control("optC", ControlKind::OptionButton, 120, 240, 1000, 255), "Frame2");
  add(Control("txtNum", ControlKind::TextBox, 120, 600, 600, 285, "30"), "Frame2");
  ControlDef upDown = Control("udNum", ControlKind::UpDown, 720, 600, 240, 285);
  upDown.extra = "txtNum";
  upDown.minimum = 1;
  upDown.maximum = 32;
  add(upDown, "Frame2");
  add(Control("cboMode", ControlKind::ComboBox, 120, 2200, 1500, 315));
  add(Control("chkForce", ControlKind::CheckBox, 120, 2600, 1500, 255));
  add(Control("lstApps", ControlKind::CheckedListBox, 1800, 2200, 1500, 800));
  add(Control("dtpDay", ControlKind::DatePicker, 1800, 2200, 1500, 315));
  add(Control("mskTime", ControlKind::MaskedEdit, 1800, 2600, 1500, 315, "__:__"));
  add(Control("CmdOK", ControlKind::Button, 120, 2800, 900, 315, "&OK"));
  d.controls.back().isDefault = true;
  ControlDef timer = Control("Timer1", ControlKind::Timer, 0, 0, 0, 0);
  timer.enabled = false;
  timer.interval = 1000;
  add(timer);
  return d;
}

TEST(FormModel, OptionButtonsAreOneGroupPerContainer) {
  FormModel m(Dialog());
  std::vector<std::string> changed;
  m.SetObserver([&](const std::string& c, ModelChange) { changed.push_back(c); });
  m.SetValue("optA", -1);
  m.SetValue("optC", 1);
  EXPECT_EQ(m.Get("optA").value, 1);
  m.SetValue("optB", 1);
  EXPECT_EQ(m.Get("optA").value, 0);
  EXPECT_EQ(m.Get("optB").value, 1);
  EXPECT_EQ(m.Get("optC").value, 1) << "another frame is another group";
  EXPECT_EQ(changed, (std::vector<std::string>{"optA", "optC", "optB", "optA"}));
  EXPECT_TRUE(UserClickEffect(m, "optA"));
  EXPECT_FALSE(UserClickEffect(m, "optA")) << "a selected button raises no second click";
  EXPECT_EQ(m.Get("optB").value, 0);
}

TEST(FormModel, ComboTextSelectsOnlyAnExactEntryAndTypingSelectsNone) {
  FormModel m(Dialog());
  for (const char* e : {"Shutdown", "Suspend"}) m.AddItem("cboMode", e);
  m.SetListIndex("cboMode", 1);
  EXPECT_EQ(m.Get("cboMode").text, "Suspend");
  m.SetText("cboMode", "Shutdown");
  EXPECT_EQ(m.Get("cboMode").listIndex, 0);
  m.SetText("cboMode", "Shut");
  EXPECT_EQ(m.Get("cboMode").listIndex, -1);
  EXPECT_TRUE(UserChooseEffect(m, "cboMode", 1));
  UserTypeEffect(m, "cboMode", "Suspend");
  EXPECT_EQ(m.Get("cboMode").text, "Suspend");
  EXPECT_EQ(m.Get("cboMode").listIndex, -1);
  EXPECT_FALSE(UserChooseEffect(m, "cboMode", 2));
  m.SetListIndex("cboMode", 7);
  EXPECT_EQ(m.Get("cboMode").listIndex, -1);
}

TEST(FormModel, UpDownStepsTheNumberInItsBuddyWithinItsRange) {
  FormModel m(Dialog());
  EXPECT_TRUE(UserStepEffect(m, "udNum", 1));
  EXPECT_EQ(m.Get("txtNum").text, "31");
  EXPECT_EQ(m.Get("udNum").value, 31);
  m.SetText("txtNum", "32");
  EXPECT_FALSE(UserStepEffect(m, "udNum", 1));
  EXPECT_TRUE(UserStepEffect(m, "udNum", -1));
  EXPECT_EQ(m.Get("txtNum").text, "31");
  m.SetText("txtNum", "abc");  // no number: the up-down's own position
  EXPECT_TRUE(UserStepEffect(m, "udNum", -1));
  EXPECT_EQ(m.Get("txtNum").text, "30");
  m.SetText("txtNum", "-400");
  EXPECT_TRUE(UserStepEffect(m, "udNum", 1));
  EXPECT_EQ(m.Get("txtNum").text, "2");
}

TEST(FormModel, TheChosenDayStaysInsideTheSelectableRange) {
  FormModel m(Dialog());
  const DateTime today{2026, 12, 6, 10, 0, 0};
  m.SetDate("dtpDay", {2020, 1, 1, 0, 0, 0});
  m.SetMinDate("dtpDay", today);
  EXPECT_EQ(m.Get("dtpDay").date.year, 2026);
  m.SetMaxDate("dtpDay", {2027, 12, 6, 10, 0, 0});
  UserDateEffect(m, "dtpDay", {2030, 5, 5, 0, 0, 0});
  EXPECT_EQ(m.Get("dtpDay").date.year, 2027);
  m.SetMaxDate("dtpDay", {2025, 1, 1, 0, 0, 0});  // below the lowest: the range shrinks to one day
  EXPECT_FALSE(DateBefore(*m.Get("dtpDay").maxDate, *m.Get("dtpDay").minDate));
}

TEST(FormModel, FramesCarryTheirControlsPositionVisibilityAndEnabling) {
  FormModel m(Dialog());
  EXPECT_EQ(m.FormLeft("optC"), 240);
  EXPECT_EQ(m.FormTop("optC"), 1440);
  m.SetTop("Frame2", 2000);
  EXPECT_EQ(m.FormTop("udNum"), 2600);
  m.SetVisible("Frame2", false);
  EXPECT_TRUE(m.Get("txtNum").visible);
  EXPECT_FALSE(m.Shown("txtNum"));
  EXPECT_FALSE(m.Usable("txtNum"));
  m.SetVisible("Frame2", true);
  m.SetEnabled("Frame1", false);
  EXPECT_FALSE(m.Usable("optA"));
  EXPECT_TRUE(m.Usable("optC"));
  EXPECT_FALSE(m.Usable("nothing"));
}

TEST(FormModel, CheckedListKeepsItsMarksAndIgnoresIndicesOutsideIt) {
  FormModel m(Dialog());
  m.AddItem("lstApps", "app.exe");
  m.AddItem("lstApps", "tool.exe");
  m.SetItemChecked("lstApps", 1, true);
  m.SetItemChecked("lstApps", 2, true);
  m.SetItemChecked("lstApps", -1, true);
  EXPECT_EQ(m.Get("lstApps").checks, (std::vector<bool>{false, true}));
  EXPECT_TRUE(UserCheckEffect(m, "lstApps", 1));
  EXPECT_FALSE(UserCheckEffect(m, "lstApps", 5));
  EXPECT_EQ(m.Get("lstApps").checks, (std::vector<bool>{false, false}));
  m.SetHorizontalExtent("lstApps", 120);
  m.ClearItems("lstApps");
  EXPECT_TRUE(m.Get("lstApps").items.empty());
  EXPECT_EQ(m.Get("lstApps").horizontalExtent, 0);
  EXPECT_TRUE(UserClickEffect(m, "chkForce"));
  EXPECT_EQ(m.Get("chkForce").value, 1);
  m.SetValue("chkForce", 2);
  UserClickEffect(m, "chkForce");
  EXPECT_EQ(m.Get("chkForce").value, 0) << "a grayed box becomes unchecked";
}

// Records the events the test toolkit raises; Validate keeps the focus while
// the time box does not hold "12:00".
struct Recorder : FormHandlers {
  explicit Recorder(FormModel& m) : model(m) {}
  void OnEvent(const std::string& control, FormEvent event, EventArgs& args) override {
    events.push_back(control + "." + std::to_string(static_cast<int>(event)));
    if (event == FormEvent::Validate && control == "mskTime") args.cancel = model.Get("mskTime").text != "12:00";
    if (event == FormEvent::QueryUnload) args.cancel = keep;
  }
  FormModel& model;
  std::vector<std::string> events;
  bool keep = false;
};

TEST(FakeToolkit, ValidateKeepsTheFocusAndStopsTheOtherControl) {
  fakes::TestWorld w;
  const FormDef def = Dialog();
  FormModel m(def);
  Recorder r(m);
  std::unique_ptr<FormHost> host;
  w.forms.Load(def, m, r, host);
  auto& form = static_cast<fakes::FakeFormHost&>(*host);
  EXPECT_TRUE(form.UserType("mskTime", "25:00"));
  EXPECT_FALSE(form.UserClick("CmdOK"));
  EXPECT_FALSE(form.PressEnter());
  EXPECT_EQ(m.Focus(), "mskTime");
  m.SetText("mskTime", "12:00");
  EXPECT_TRUE(form.PressEnter());
  EXPECT_EQ(m.Focus(), "CmdOK");
  EXPECT_EQ(r.events.back(), "CmdOK." + std::to_string(static_cast<int>(FormEvent::Click)));
  m.SetEnabled("CmdOK", false);
  EXPECT_FALSE(form.UserClick("CmdOK"));
}

TEST(FakeToolkit, TimersTickOnlyWhileEnabledAndTheFrameCloseCanBeRefused) {
  fakes::TestWorld w;
  const FormDef def = Dialog();
  FormModel m(def);
  Recorder r(m);
  std::unique_ptr<FormHost> host;
  w.forms.Load(def, m, r, host);
  auto& form = static_cast<fakes::FakeFormHost&>(*host);
  EXPECT_FALSE(form.Tick("Timer1"));
  m.SetEnabled("Timer1", true);
  EXPECT_TRUE(form.Tick("Timer1"));
  r.keep = true;
  form.CloseFrame();
  EXPECT_FALSE(form.Unloaded());
  r.keep = false;
  form.CloseFrame();
  EXPECT_TRUE(form.Unloaded());
  EXPECT_FALSE(form.Tick("Timer1"));
}

}  // namespace
}  // namespace vk::platform
