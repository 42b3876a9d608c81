// The form model's own rules, and the user-action effects the table of user
// actions (forms/user_actions.h) does not reach.
#include "platform/form_model.h"

#include <gtest/gtest.h>

#include "platform/form_input.h"

namespace vk::platform {
namespace {

struct NoHandlers : FormHandlers {
  void OnEvent(const std::string&, FormEvent, EventArgs&) override {}
} quiet;

FormDef Dialog() {
  FormDef d;
  auto add = [&d](const char* name, ControlKind kind, const char* container, int left, int top) {
    d.controls.push_back(Control(name, kind, left, top, 1000, 255));
    d.controls.back().container = container;
    return &d.controls.back();  // valid until the next add
  };
  add("Frame1", ControlKind::Frame, "", 120, 120);
  add("optA", ControlKind::OptionButton, "Frame1", 120, 240);
  add("optB", ControlKind::OptionButton, "Frame1", 120, 600);
  add("Frame2", ControlKind::Frame, "", 120, 1200);
  add("optC", ControlKind::OptionButton, "Frame2", 120, 240);
  add("txtNum", ControlKind::TextBox, "Frame2", 120, 600)->caption = "30";
  ControlDef* upDown = add("udNum", ControlKind::UpDown, "Frame2", 720, 600);
  upDown->extra = "txtNum";
  upDown->minimum = 1;
  upDown->maximum = 32;
  add("cboMode", ControlKind::ComboBox, "", 120, 2200);
  add("chkForce", ControlKind::CheckBox, "", 120, 2600);
  add("lstApps", ControlKind::CheckedListBox, "", 1800, 2200);
  add("dtpDay", ControlKind::DatePicker, "", 1800, 2200);
  return d;
}

TEST(FormModel, OptionButtonsAreOneGroupPerContainer) {
  FormModel m(Dialog());
  std::vector<std::string> changed;
  m.SetObserver([&](const std::string& c, ModelChange) { changed.push_back(c); });
  m.SetValue("optA", -1);
  EXPECT_EQ(m.Get("optA").value, 1);
  m.SetValue("optC", 1);
  m.SetValue("optB", 1);
  EXPECT_EQ(m.Get("optA").value, 0);
  EXPECT_EQ(m.Get("optB").value, 1);
  EXPECT_EQ(m.Get("optC").value, 1) << "another frame is another group";
  EXPECT_EQ(changed, (std::vector<std::string>{"optA", "optC", "optB", "optA"}));
}

TEST(FormModel, ComboTextSelectsOnlyAnExactEntry) {
  const FormDef def = Dialog();
  FormModel m(def);
  FormInput input(def, m, quiet);
  input.SetLoaded(true);
  m.AddItem("cboMode", "Shutdown");
  m.AddItem("cboMode", "Suspend");
  m.SetListIndex("cboMode", 1);
  EXPECT_EQ(m.Get("cboMode").text, "Suspend");
  m.SetText("cboMode", "Shutdown");
  EXPECT_EQ(m.Get("cboMode").listIndex, 0);
  m.SetText("cboMode", "Shut");
  EXPECT_EQ(m.Get("cboMode").listIndex, -1);
  EXPECT_FALSE(input.Choose("cboMode", 2));
  m.SetListIndex("cboMode", 7);
  EXPECT_EQ(m.Get("cboMode").listIndex, -1);
}

TEST(FormModel, UpDownStepsTheNumberInItsBuddyWithinItsRange) {
  const FormDef def = Dialog();
  FormModel m(def);
  FormInput input(def, m, quiet);
  input.SetLoaded(true);
  // Steps from the buddy's number, or from the up-down's own position when it holds none.
  const struct {
    const char* before;
    int delta;
    const char* after;
    bool moved;
  } steps[] = {{"30", 1, "31", true},
               {"32", 1, "32", false},
               {"32", -1, "31", true},
               {"abc", -1, "30", true},
               {"-400", 1, "2", true}};
  for (const auto& s : steps) {
    m.SetText("txtNum", s.before);
    EXPECT_EQ(input.Step("udNum", s.delta), s.moved) << s.before;
    EXPECT_EQ(m.Get("txtNum").text, s.after) << s.before;
    EXPECT_EQ(m.Get("udNum").value, std::stoi(s.after)) << s.before;
  }
}

TEST(FormModel, TheChosenDayStaysInsideTheSelectableRange) {
  FormModel m(Dialog());
  m.SetDate("dtpDay", {2020, 1, 1, 0, 0, 0});
  m.SetMinDate("dtpDay", {2026, 12, 6, 10, 0, 0});
  EXPECT_EQ(m.Get("dtpDay").date.year, 2026);
  m.SetMaxDate("dtpDay", {2027, 12, 6, 10, 0, 0});
  m.SetDate("dtpDay", {2030, 5, 5, 0, 0, 0});
  EXPECT_EQ(m.Get("dtpDay").date.year, 2027);
  m.SetMaxDate("dtpDay", {2025, 1, 1, 0, 0, 0});  // below the lowest: the range shrinks to one day
  EXPECT_FALSE(DateBefore(*m.Get("dtpDay").maxDate, *m.Get("dtpDay").minDate));
}

TEST(FormModel, FramesCarryTheirControlsPositionVisibilityAndEnabling) {
  FormModel m(Dialog());
  EXPECT_EQ(m.FormLeft("optC"), 240);
  m.SetTop("Frame2", 2000);
  EXPECT_EQ(m.FormTop("udNum"), 2600);
  m.SetVisible("Frame2", false);
  EXPECT_FALSE(m.Shown("txtNum"));
  EXPECT_FALSE(m.Usable("txtNum"));
  m.SetVisible("Frame2", true);
  m.SetEnabled("Frame1", false);
  EXPECT_FALSE(m.Usable("optA"));
  EXPECT_TRUE(m.Usable("optC"));
}

TEST(FormModel, AnyNameOutsideItsTableIsAProgrammingError) {
  FormModel m(Dialog());
  EXPECT_THROW(m.SetText("txtMisspelt", "x"), UnknownControl);
  EXPECT_THROW(m.Usable("nothing"), UnknownControl);
  EXPECT_THROW(m.SetFocus("Form"), UnknownControl);
  EXPECT_FALSE(m.Has("txtMisspelt"));
  FormDef lost = Dialog();
  lost.controls.back().container = "Frame9";
  EXPECT_THROW(FormModel{lost}, UnknownControl);
  FormDef twice = Dialog();
  twice.controls.push_back(twice.controls.front());
  EXPECT_THROW(FormModel{twice}, UnknownControl);
}

TEST(FormModel, ListsKeepTheirMarks) {
  const FormDef def = Dialog();
  FormModel m(def);
  FormInput input(def, m, quiet);
  input.SetLoaded(true);
  m.AddItem("lstApps", "app.exe");
  m.AddItem("lstApps", "tool.exe");
  m.SetItemChecked("lstApps", 1, true);
  m.SetItemChecked("lstApps", -1, true);
  EXPECT_EQ(m.Get("lstApps").checks, (std::vector<bool>{false, true}));
  EXPECT_TRUE(input.CheckItem("lstApps", 1));
  EXPECT_FALSE(input.CheckItem("lstApps", 5));
  EXPECT_EQ(m.Get("lstApps").checks, (std::vector<bool>{false, false}));
  m.SetHorizontalExtent("lstApps", 120);
  m.ClearItems("lstApps");
  EXPECT_TRUE(m.Get("lstApps").items.empty());
  EXPECT_EQ(m.Get("lstApps").horizontalExtent, 0);
}

}  // namespace
}  // namespace vk::platform
