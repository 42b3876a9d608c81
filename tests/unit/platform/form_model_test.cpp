// The form model's own rules and input rules the dialogs' stories do not
// reach, on the form of the table of user actions (forms/user_actions.h).
#include "platform/form_model.h"

#include <gtest/gtest.h>

#include "forms/user_actions.h"
#include "platform/form_input.h"

namespace vk::platform {
namespace {

using Strings = std::vector<std::string>;

// The table's form, loaded with its recorder, as a toolkit holds it.
struct Loaded {
  explicit Loaded(FormDef d = formtest::ActionForm()) : def(std::move(d)) { input.SetLoaded(true); }
  FormDef def;
  FormModel model{def};
  formtest::ActionRecorder recorder{model};
  FormInput input{def, model, recorder};
};

TEST(FormModel, TellsEveryChangeAndKeepsItsRules) {
  FormModel m(formtest::ActionForm());
  std::string told;
  m.SetObserver([&](const std::string& c, ModelChange change) { told += c + std::to_string(int(change)) + " "; });
  m.SetValue("optA", -1);
  m.SetValue("chkForce", 1);
  m.SetValue("optB", 1);  // one group per container: optA goes
  m.AddItem("lstApps", "a.exe");
  m.SetItemChecked("lstApps", 0, true);
  m.SetItemChecked("lstApps", 1, true);  // no such item
  m.SetHorizontalExtent("lstApps", -5);
  m.SetDate("dtpDay", {2020, 1, 1});
  m.SetMinDate("dtpDay", {2026, 12, 6});
  EXPECT_EQ(m.Get("dtpDay").date.year, 2026) << "the day moves up to the lowest";
  m.SetMaxDate("dtpDay", {2025, 1, 1});  // below the lowest: the range shrinks to one day
  m.SetTop("Frame1", 500);
  m.SetItems("cboMode", {"Shutdown", "Suspend"});
  m.SetText("cboMode", "Suspend");
  EXPECT_EQ(told,
            "optA1 chkForce1 optB1 optA1 lstApps5 lstApps6 lstApps9 dtpDay10 dtpDay11 dtpDay10 dtpDay11 dtpDay10 "
            "Frame14 cboMode5 cboMode0 ");
  const ControlState& day = m.Get("dtpDay");
  EXPECT_EQ(
      std::tuple(m.Get("optA").value, m.Get("optB").value, m.Get("lstApps").checks, m.Get("lstApps").horizontalExtent,
                 day.date.year, day.minDate->year, m.FormLeft("udNum"), m.FormTop("udNum"), m.Get("cboMode").listIndex),
      std::tuple(0, 1, std::vector<bool>{true}, 0, 2025, 2025, 841, 1460, 1));
  m.SetText("cboMode", "Shut");
  EXPECT_EQ(m.Get("cboMode").listIndex, -1) << "only an exact entry is selected";
  m.SetListIndex("cboMode", 0);
  m.SetListIndex("cboMode", 2);
  EXPECT_EQ(std::pair(m.Get("cboMode").listIndex, m.Get("cboMode").text), std::pair(-1, std::string("Shutdown")));
  m.SetVisible("Frame1", false);
  EXPECT_EQ(std::tuple(m.Shown("txtNum"), m.Usable("txtNum"), m.Usable("chkForce")), std::tuple(false, false, true));
  m.SetVisible("Frame1", true);
  m.SetEnabled("Frame1", false);
  EXPECT_EQ(std::tuple(m.Shown("optA"), m.Usable("optA")), std::tuple(true, false));
  EXPECT_THROW(m.SetText("txtMisspelt", "x"), UnknownControl) << "a name outside the table is a programming error";
  m.ClearItems("lstApps");
  EXPECT_EQ(std::tuple(m.Get("lstApps").items.size(), m.Get("lstApps").checks.size()), std::tuple(0u, 0u));
}

TEST(FormInput, TheFirstFocusIsTheFormsOwnOrElseTheFirstUsableControlsOrItsGroupsChosenOption) {
  Loaded f;
  EXPECT_EQ(f.input.FirstFocus(), "chkForce");
  f.model.SetEnabled("chkForce", false);
  f.model.SetValue("optB", 1);
  EXPECT_EQ(f.input.FirstFocus(), "optB");
}

TEST(FormInput, UpDownStepsFromItsBuddysNumberWithinItsRange) {
  for (const auto& [before, delta, after] :
       {std::tuple{"32", 1, "32 0"}, {"32", -1, "31 1"}, {"12a", -1, "30 1"}, {"-400", 1, "2 1"}}) {
    SCOPED_TRACE(before);
    Loaded f;
    f.model.SetValue("udNum", 31);
    f.model.SetText("txtNum", before);
    const bool moved = f.input.Step("udNum", delta);
    EXPECT_EQ(f.model.Get("txtNum").text + " " + std::to_string(moved), after);
    EXPECT_EQ(f.model.Get("udNum").value, std::stoi(f.model.Get("txtNum").text));
  }
}

TEST(FormInput, AnActionThatCannotActDoesNothingAndSaysSo) {
  const std::function<bool(FormInput&)> acts[] = {[](FormInput& i) { return i.Step("udNum", 1); },
                                                  [](FormInput& i) { return i.PickDate("dtpDay", {2027, 1, 2}); },
                                                  [](FormInput& i) { return i.DoubleClick("Dir1"); },
                                                  [](FormInput& i) { return i.Choose("cboMode", 0); },
                                                  [](FormInput& i) { return i.Type("txtOther", "x"); },
                                                  [](FormInput& i) { return i.Click("optA"); },
                                                  [](FormInput& i) { return i.Choose("lstApps", 2); },
                                                  [](FormInput& i) { return i.CheckItem("lstApps", 2); }};
  for (const auto& act : acts) {  // disabled, already selected, or no such entry
    Loaded f;
    for (const char* c : {"udNum", "dtpDay", "Dir1", "cboMode", "txtOther"}) f.model.SetEnabled(c, false);
    f.model.SetValue("optA", 1);
    f.model.SetItems("lstApps", {"a.exe", "b.exe"});
    EXPECT_FALSE(act(f.input));
    EXPECT_EQ(f.recorder.events, Strings{});
  }
}

}  // namespace
}  // namespace vk::platform
