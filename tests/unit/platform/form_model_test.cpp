// The form model's own rules, and the input rules the table of user actions
// (forms/user_actions.h) does not reach: where the focus starts, what a
// refused focus move holds back, and that an action that does nothing says so.
#include "platform/form_model.h"

#include <gtest/gtest.h>

#include "forms/user_actions.h"
#include "platform/form_input.h"

namespace vk::platform {
namespace {

using Strings = std::vector<std::string>;

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
  add("Dir1", ControlKind::FolderList, "", 1800, 2600);
  return d;
}

// The dialog's model with loaded input rules, as a toolkit holds them.
struct Loaded {
  explicit Loaded(FormDef d, FormHandlers& handlers = quiet) : def(std::move(d)), input(def, model, handlers) {
    input.SetLoaded(true);
  }
  FormDef def;
  FormModel model{def};
  FormInput input;
};

TEST(FormModel, OptionButtonsAreOneGroupPerContainerAndEveryChangeIsTold) {
  FormModel m(Dialog());
  Strings changed;
  m.SetObserver([&](const std::string& c, ModelChange) { changed.push_back(c); });
  m.SetValue("optA", -1);
  EXPECT_EQ(m.Get("optA").value, 1);
  m.SetValue("optC", 1);
  m.SetValue("optB", 1);
  EXPECT_EQ(m.Get("optA").value, 0);
  EXPECT_EQ(m.Get("optB").value, 1);
  EXPECT_EQ(m.Get("optC").value, 1) << "another frame is another group";
  m.SetText("txtNum", "7");
  m.SetVisible("chkForce", false);
  EXPECT_EQ(changed, (Strings{"optA", "optC", "optB", "optA", "txtNum", "chkForce"}));
}

TEST(FormModel, ComboTextSelectsOnlyAnExactEntry) {
  Loaded f(Dialog());
  FormModel& m = f.model;
  m.AddItem("cboMode", "Shutdown");
  m.AddItem("cboMode", "Suspend");
  m.SetListIndex("cboMode", 1);
  EXPECT_EQ(m.Get("cboMode").text, "Suspend");
  m.SetText("cboMode", "Shutdown");
  EXPECT_EQ(m.Get("cboMode").listIndex, 0);
  m.SetText("cboMode", "Shut");
  EXPECT_EQ(m.Get("cboMode").listIndex, -1);
  EXPECT_FALSE(f.input.Choose("cboMode", 2));
  m.SetListIndex("cboMode", 7);
  EXPECT_EQ(m.Get("cboMode").listIndex, -1);
}

TEST(FormModel, UpDownStepsTheNumberInItsBuddyWithinItsRange) {
  // Steps from the buddy's number, or from the up-down's own position when it holds none.
  const struct {
    const char* before;
    int delta;
    const char* after;
    bool moved;
  } steps[] = {{"30", 1, "31", true}, {"32", 1, "32", false}, {"32", -1, "31", true}, {"abc", -1, "30", true},
               {"-400", 1, "2", true}};
  for (const auto& s : steps) {
    SCOPED_TRACE(s.before + std::string(s.delta > 0 ? " up" : " down"));
    Loaded f(Dialog());
    f.model.SetValue("udNum", 31);
    f.model.SetText("txtNum", s.before);
    EXPECT_EQ(f.input.Step("udNum", s.delta), s.moved);
    EXPECT_EQ(f.model.Get("txtNum").text, s.after);
    EXPECT_EQ(f.model.Get("udNum").value, std::stoi(s.after));
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

TEST(FormModel, ListsKeepTheirMarksAndAFolderListItsOpenLine) {
  Loaded f(Dialog());
  FormModel& m = f.model;
  m.AddItem("lstApps", "app.exe");
  m.AddItem("lstApps", "tool.exe");
  m.SetItemChecked("lstApps", 1, true);
  m.SetItemChecked("lstApps", -1, true);
  EXPECT_EQ(m.Get("lstApps").checks, (std::vector<bool>{false, true}));
  EXPECT_TRUE(f.input.CheckItem("lstApps", 1));
  EXPECT_FALSE(f.input.CheckItem("lstApps", 5));
  EXPECT_EQ(m.Get("lstApps").checks, (std::vector<bool>{false, false}));
  m.SetListIndex("lstApps", 1);
  m.SetHorizontalExtent("lstApps", 120);
  m.ClearItems("lstApps");
  EXPECT_TRUE(m.Get("lstApps").items.empty());
  EXPECT_EQ(std::pair(m.Get("lstApps").horizontalExtent, m.Get("lstApps").listIndex), std::pair(0, -1));
  m.SetFolderLines("Dir1", {{"c:\\", "c:\\"}, {"  tools", "c:\\tools"}}, 1);
  EXPECT_EQ(m.Get("Dir1").listIndex, 1);
}

TEST(FormInput, TheFocusStartsOnTheInitialControlElseTheFirstAndOfAGroupOnItsSelectedOption) {
  const struct {
    const char* name;
    const char* initial;
    const char* selected;
    const char* first;
  } rows[] = {{"the first option of a group gives way to the selected one", "", "optB", "optB"},
              {"the initial control, though its frame has a selected option", "txtNum", "optC", "txtNum"},
              {"a disabled initial control gives way to the first", "lstApps", "", "optA"}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    FormDef def = Dialog();
    def.initialFocus = r.initial;
    Loaded f(def);
    if (*r.selected) f.model.SetValue(r.selected, 1);
    f.model.SetEnabled("lstApps", false);
    EXPECT_EQ(f.input.FirstFocus(), r.first);
  }
}

TEST(FormInput, ARefusedFocusMoveHoldsEveryActionUntilTheFocusIsBackAndLeavingTheFormValidatesNothing) {
  FormDef def = formtest::ActionForm();
  FormModel model{def};
  formtest::ActionRecorder validating{model};
  FormInput input(def, model, validating);
  input.SetLoaded(true);
  EXPECT_TRUE(input.MoveFocus("mskTime"));
  EXPECT_TRUE(input.Type("mskTime", "25:00"));
  EXPECT_FALSE(input.MoveFocus("CmdOK"));
  EXPECT_FALSE(input.Click("CmdOK")) << "the binding's click after the refused move";
  input.FocusBack();
  input.FocusLeftForm();
  EXPECT_TRUE(input.PressEnter()) << "Enter, once the focus has come back from another window";
  EXPECT_EQ(validating.events, (Strings{"mskTime:Change", "mskTime:Validate", "CmdOK:Click"}));
}

TEST(FormInput, AnActionThatCannotActDoesNothingAndSaysSo) {
  const struct {
    const char* name;
    std::function<void(FormModel&)> before;
    std::function<bool(FormInput&)> act;
  } rows[] = {
      {"a disabled up-down", [](FormModel& m) { m.SetEnabled("udNum", false); },
       [](FormInput& i) { return i.Step("udNum", 1); }},
      {"a disabled date picker", [](FormModel& m) { m.SetEnabled("dtpDay", false); },
       [](FormInput& i) { return i.PickDate("dtpDay", {2027, 1, 2, 0, 0, 0}); }},
      {"a disabled list", [](FormModel& m) { m.SetEnabled("lstApps", false); },
       [](FormInput& i) { return i.DoubleClick("lstApps"); }},
      {"the option already selected", [](FormModel& m) { m.SetValue("optA", 1); },
       [](FormInput& i) { return i.Click("optA"); }},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    FormDef def = Dialog();
    FormModel model{def};
    formtest::ActionRecorder recorder{model};
    FormInput input(def, model, recorder);
    input.SetLoaded(true);
    r.before(model);
    EXPECT_FALSE(r.act(input));
    EXPECT_EQ(recorder.events, Strings{});
  }
}

}  // namespace
}  // namespace vk::platform
