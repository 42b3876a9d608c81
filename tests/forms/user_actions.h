#pragma once
// One table of what a person does to a form and what each action must cause:
// the events in order, where the focus ends and what the model holds. The
// native suite plays it on the test toolkit, the Win32 suite on real controls
// under Wine with real window messages; both must give the same answers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/form_model.h"
#include "platform/forms.h"
#include "schedule/validate_time.h"

namespace vk::formtest {

using Strings = std::vector<std::string>;
using platform::ControlKind;

// A form with a control of every kind that takes input. The check box has the
// focus when it is shown.
inline platform::FormDef ActionForm() {
  platform::FormDef d;
  d.name = "frmActions";
  d.clientWidth = 6000;
  d.clientHeight = 4500;
  d.initialFocus = "chkForce";
  auto add = [&d](platform::ControlDef c, const char* container = "") -> platform::ControlDef& {
    c.container = container;
    return d.controls.emplace_back(c);
  };
  using platform::Control;
  add(Control("Frame1", ControlKind::Frame, 120, 120, 2800, 1400, " Choose: "));
  add(Control("optA", ControlKind::OptionButton, 120, 240, 1200, 255, "&Alpha"), "Frame1");
  add(Control("optB", ControlKind::OptionButton, 120, 600, 1200, 255, "&Beta"), "Frame1");
  add(Control("txtNum", ControlKind::TextBox, 120, 960, 600, 285, "30"), "Frame1");
  platform::ControlDef& upDown = add(Control("udNum", ControlKind::UpDown, 721, 960, 240, 285), "Frame1");
  upDown.extra = "txtNum";
  upDown.minimum = 1;
  upDown.maximum = 32;
  add(Control("lblInfo", ControlKind::Label, 3000, 120, 2800, 255, "Info"));
  add(Control("chkForce", ControlKind::CheckBox, 3000, 480, 2000, 255, "&Force"));
  add(Control("cboMode", ControlKind::ComboBox, 3000, 840, 1800, 315));
  add(Control("lstApps", ControlKind::CheckedListBox, 3000, 1320, 2800, 1000));
  add(Control("mskTime", ControlKind::MaskedEdit, 120, 1680, 1200, 315, "__:__")).extra = "##:##";
  add(Control("dtpDay", ControlKind::DatePicker, 1440, 1680, 1500, 315));
  add(Control("txtOther", ControlKind::TextBox, 120, 2160, 1200, 285));
  add(Control("Drive1", ControlKind::DriveList, 120, 2640, 1500, 315));
  add(Control("Dir1", ControlKind::FolderList, 120, 3060, 1500, 800));
  add(Control("File1", ControlKind::FileList, 1740, 3060, 1500, 800)).extra = "*.exe";
  add(Control("CmdOK", ControlKind::Button, 3000, 3960, 1200, 375, "&OK")).isDefault = true;
  add(Control("CmdCancel", ControlKind::Button, 4320, 3960, 1200, 375, "&Cancel")).isCancel = true;
  platform::ControlDef& timer = add(Control("Timer1", ControlKind::Timer, 0, 0, 0, 0));
  timer.enabled = false;
  timer.interval = 1000;
  return d;
}

// Notes every event as "control:Event" ("lstApps:ItemCheck 1"). The time box
// cannot be left holding an invalid time; the form can be told to refuse its
// frame's Close.
class ActionRecorder : public platform::FormHandlers {
 public:
  explicit ActionRecorder(const platform::FormModel& model) : model_(model) {}
  void OnEvent(const std::string& control, platform::FormEvent event, platform::EventArgs& args) override {
    static const char* const kNames[] = {"Load",      "QueryUnload", "Unload",    "Click",
                                         "DblClick",  "Change",      "Validate",  "ItemCheck",
                                         "Timer",     "MouseMove",   "TaskbarCreated", "EndSession"};
    const bool item = event == platform::FormEvent::ItemCheck;
    events.push_back(control + ":" + kNames[static_cast<int>(event)] + (item ? " " + std::to_string(args.index) : ""));
    if (event == platform::FormEvent::Validate && control == "mskTime")
      args.cancel = !schedule::IsValidTimeOfDay(model_.Get(control).text);
    if (event == platform::FormEvent::QueryUnload) args.cancel = keepOnClose;
  }
  Strings events;
  bool keepOnClose = false;

 private:
  const platform::FormModel& model_;
};

// What the user does; each suite drives it its own way.
class UserDriver {
 public:
  virtual ~UserDriver() = default;
  virtual void Click(const std::string& control) = 0;  // with the mouse
  virtual void Enter() = 0;
  virtual void Escape() = 0;
  virtual void Focus(const std::string& control) = 0;
  // Selects the box's whole text and types the keys over it ('\b' is
  // Backspace).
  virtual void Type(const std::string& control, const std::string& keys) = 0;
  virtual void Choose(const std::string& control, int index) = 0;
  virtual void DoubleClick(const std::string& control, int index) = 0;
  virtual void CheckItem(const std::string& control, int index) = 0;  // the space bar on the item
  virtual void Step(const std::string& upDown, int delta) = 0;        // +1: the up arrow
  virtual void PickDate(const std::string& control, const platform::DateTime& day) = 0;
  virtual void Close() = 0;  // the frame's Close
};

struct UserActionCase {
  std::string name;
  std::function<void(platform::FormModel&, ActionRecorder&)> setup;  // before the user acts
  std::function<void(UserDriver&)> play;
  Strings events;
  std::string focus;
  std::vector<std::pair<std::string, std::string>> model;  // "control.property" and its value
};

inline void NoSetup(platform::FormModel&, ActionRecorder&) {}

inline void TwoEntries(platform::FormModel& m, ActionRecorder&) {
  m.SetItems("cboMode", {"Off", "On"});
  m.SetListIndex("cboMode", 0);
  m.SetItems("lstApps", {"app.exe", "tool.exe"});
  m.SetItems("File1", {"a.exe", "b.exe"});
  m.SetItems("Drive1", {"c:", "q:"});
  m.SetListIndex("Drive1", 0);
  m.SetFolderLines("Dir1", {{"c:\\", "c:\\"}, {"  tools", "c:\\tools"}}, 0);
}

inline const std::vector<UserActionCase>& UserActionCases() {
  using D = UserDriver&;
  const Strings fourKeys(4, "mskTime:Change");
  auto plus = [](Strings a, const Strings& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  static const std::vector<UserActionCase> cases = {
      {"AClickTurnsAGrayedCheckBoxOff", [](auto& m, auto&) { m.SetValue("chkForce", 2); },
       [](D u) { u.Click("chkForce"); }, {"chkForce:Click"}, "chkForce", {{"chkForce.value", "0"}}},
      {"AnOptionIsClickedOnceAndClearsItsGroup", [](auto& m, auto&) { m.SetValue("optA", 1); },
       [](D u) { u.Click("optB"); u.Click("optB"); }, {"optB:Click"}, "optB",
       {{"optA.value", "0"}, {"optB.value", "1"}}},
      {"AnOptionTakingTheFocusIsSelected", NoSetup, [](D u) { u.Focus("optB"); }, {"optB:Click"}, "optB",
       {{"optB.value", "1"}}},
      {"DisabledControlsAndControlsOfADisabledFrameDoNothing",
       [](auto& m, auto&) { m.SetEnabled("CmdOK", false); m.SetEnabled("Frame1", false); },
       [](D u) { u.Click("CmdOK"); u.Click("optA"); u.Enter(); }, {}, "chkForce", {{"optA.value", "0"}}},
      {"TypingChangesATextBoxKeyByKey", NoSetup, [](D u) { u.Type("txtOther", "abc\b"); },
       Strings(4, "txtOther:Change"), "txtOther", {{"txtOther.text", "ab"}}},
      {"TypedComboTextSelectsNoEntryEvenWhenItSpellsOne", TwoEntries, [](D u) { u.Type("cboMode", "On"); },
       {"cboMode:Change", "cboMode:Change"}, "cboMode", {{"cboMode.text", "On"}, {"cboMode.listIndex", "-1"}}},
      {"ChoosingAComboEntryClicksIt", TwoEntries, [](D u) { u.Choose("cboMode", 1); }, {"cboMode:Click"}, "cboMode",
       {{"cboMode.text", "On"}, {"cboMode.listIndex", "1"}}},
      {"TheSpaceBarChecksAListItem", TwoEntries, [](D u) { u.CheckItem("lstApps", 1); }, {"lstApps:ItemCheck 1"},
       "lstApps", {{"lstApps.checks", "01"}}},
      {"ADisabledListChecksNothing", [](auto& m, auto& r) { TwoEntries(m, r); m.SetEnabled("lstApps", false); },
       [](D u) { u.CheckItem("lstApps", 1); }, {}, "chkForce", {{"lstApps.checks", "00"}}},
      {"AnUpDownStepsTheNumberInItsBuddy", NoSetup, [](D u) { u.Step("udNum", 1); },
       {"txtNum:Change", "udNum:Change"}, "txtNum", {{"txtNum.text", "31"}, {"udNum.value", "31"}}},
      {"TheMaskedBoxTakesDigitsOverItsPlaceholders", NoSetup, [](D u) { u.Type("mskTime", "1x23\b"); },
       Strings(4, "mskTime:Change"), "mskTime", {{"mskTime.text", "12:__"}}},
      {"EnterClicksTheDefaultButtonAndLeavesACheckBoxUnvalidated", NoSetup, [](D u) { u.Enter(); },
       {"CmdOK:Click"}, "chkForce", {}},
      {"AnInvalidTimeKeepsTheFocus", NoSetup, [](D u) { u.Type("mskTime", "2500"); u.Focus("txtOther"); },
       plus(fourKeys, {"mskTime:Validate"}), "mskTime", {{"mskTime.text", "25:00"}}},
      {"AnInvalidTimeLetsNeitherOKNorCancelBeClicked", NoSetup,
       [](D u) { u.Type("mskTime", "2500"); u.Click("CmdOK"); u.Click("CmdCancel"); },
       plus(fourKeys, {"mskTime:Validate", "mskTime:Validate"}), "mskTime", {}},
      {"AnInvalidTimeLetsNeitherEnterNorEscClick", NoSetup,
       [](D u) { u.Type("mskTime", "2500"); u.Enter(); u.Escape(); },
       plus(fourKeys, {"mskTime:Validate", "mskTime:Validate"}), "mskTime", {}},
      {"AValidTimeLetsEnterAndEscClickAndKeepsTheFocus", NoSetup,
       [](D u) { u.Type("mskTime", "1200"); u.Enter(); u.Escape(); },
       plus(fourKeys, {"mskTime:Validate", "CmdOK:Click", "mskTime:Validate", "CmdCancel:Click"}), "mskTime",
       {{"mskTime.text", "12:00"}}},
      {"OnlyBoxesLeftForAnotherControlValidate", NoSetup,
       [](D u) {
         for (const char* c : {"txtOther", "cboMode", "dtpDay", "lstApps", "CmdOK"}) u.Focus(c);
       },
       {"txtOther:Validate", "cboMode:Validate", "dtpDay:Validate"}, "CmdOK", {}},
      {"ALabelClickNeitherMovesTheFocusNorValidates", NoSetup,
       [](D u) { u.Focus("txtOther"); u.Click("lblInfo"); }, {"lblInfo:Click"}, "txtOther", {}},
      {"PickingADayChangesThePicker", NoSetup, [](D u) { u.PickDate("dtpDay", {2027, 1, 2, 0, 0, 0}); },
       {"dtpDay:Change"}, "dtpDay", {{"dtpDay.date", "2027-1-2"}}},
      {"DoubleClickingAFileTakesIt", TwoEntries, [](D u) { u.DoubleClick("File1", 1); },
       {"File1:Click", "File1:DblClick"}, "File1", {{"File1.text", "b.exe"}}},
      {"DoubleClickingAFolderOpensIt", TwoEntries, [](D u) { u.DoubleClick("Dir1", 1); },
       {"Dir1:Click", "Dir1:Change"}, "Dir1", {{"Dir1.path", "c:\\tools"}}},
      {"ChoosingADriveChangesThePath", TwoEntries, [](D u) { u.Choose("Drive1", 1); }, {"Drive1:Change"}, "Drive1",
       {{"Drive1.path", "q:"}}},
      {"TheFrameCloseAsksThenUnloadsAndNothingActsAfter", NoSetup, [](D u) { u.Close(); u.Click("chkForce"); },
       {"Form:QueryUnload", "Form:Unload"}, "chkForce", {{"chkForce.value", "0"}}},
      {"AFormThatRefusesToCloseStaysUsable", [](auto&, auto& r) { r.keepOnClose = true; },
       [](D u) { u.Close(); u.Click("chkForce"); }, {"Form:QueryUnload", "chkForce:Click"}, "chkForce", {}},
  };
  return cases;
}

// Test output names a case by its name, not by its bytes.
inline void PrintTo(const UserActionCase& c, std::ostream* out) { *out << c.name; }

inline std::string CaseName(const ::testing::TestParamInfo<UserActionCase>& info) { return info.param.name; }

inline std::string Property(const platform::FormModel& m, const std::string& key) {
  const size_t dot = key.find('.');
  const platform::ControlState& s = m.Get(key.substr(0, dot));
  const std::string what = key.substr(dot + 1);
  std::string checks;
  for (bool checked : s.checks) checks += checked ? '1' : '0';
  if (what == "text") return s.text;
  if (what == "value") return std::to_string(s.value);
  if (what == "listIndex") return std::to_string(s.listIndex);
  if (what == "path") return s.path;
  if (what == "checks") return checks;
  if (what == "date") return std::to_string(s.date.year) + "-" + std::to_string(s.date.month) + "-" +
                             std::to_string(s.date.day);
  return "no property " + what;
}

inline void ExpectOutcome(const UserActionCase& c, const platform::FormModel& model, const ActionRecorder& recorder) {
  EXPECT_EQ(recorder.events, c.events);
  EXPECT_EQ(model.Focus(), c.focus);
  for (const auto& [key, value] : c.model) EXPECT_EQ(Property(model, key), value) << key;
}

}  // namespace vk::formtest
