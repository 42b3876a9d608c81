#pragma once
// One table of what a person does to a form and what each action must cause:
// the events in order, where the focus ends and what the model holds, played
// by the Win32 suite on real controls under Wine with real window messages.
// The real binding and the test toolkit call the same input rules
// (platform/form_input.h), so the native stories stand on what it pins; the
// native suite uses its form for the model's own rules.
#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "platform/form_model.h"
#include "platform/forms.h"
#include "schedule/validate_time.h"

namespace vk::formtest {

using Strings = std::vector<std::string>;

// A form with a control of every kind that takes input but the drive list
// (the Application List plays it on a real drive). The check box has the
// focus when it is shown.
inline platform::FormDef ActionForm() {
  using K = platform::ControlKind;
  platform::FormDef d{"frmActions", "", 6000, 4300, false, 0, false, "chkForce", {}};
  auto add = [&d](auto... a) -> platform::ControlDef& { return d.controls.emplace_back(platform::Control(a...)); };
  add("Frame1", K::Frame, 120, 120, 2800, 1400, " Choose: ");
  add("optA", K::OptionButton, 120, 240, 1200, 255, "&Alpha");
  add("optB", K::OptionButton, 120, 600, 1200, 255, "&Beta");
  add("txtNum", K::TextBox, 120, 960, 600, 285, "30");
  platform::ControlDef& upDown = add("udNum", K::UpDown, 721, 960, 240, 285);
  std::tie(upDown.extra, upDown.minimum, upDown.maximum) = std::tuple("txtNum", 1, 32);
  for (size_t i = 1; i < d.controls.size(); ++i) d.controls[i].container = "Frame1";
  add("lblInfo", K::Label, 3000, 120, 2800, 255, "Info");
  add("chkForce", K::CheckBox, 3000, 480, 2000, 255, "&Force");
  add("cboMode", K::ComboBox, 3000, 840, 1800, 315);
  add("lstApps", K::CheckedListBox, 3000, 1320, 2800, 1000);
  add("mskTime", K::MaskedEdit, 120, 1680, 1200, 315, "__:__").extra = "##:##";
  add("dtpDay", K::DatePicker, 1440, 1680, 1500, 315);
  add("txtOther", K::TextBox, 120, 2160, 1200, 285);
  add("Dir1", K::FolderList, 120, 2640, 1500, 800);
  add("File1", K::FileList, 1740, 2640, 1500, 800).extra = "*.exe";
  add("CmdOK", K::Button, 3000, 3600, 1200, 375, "&OK").isDefault = true;
  add("CmdCancel", K::Button, 4320, 3600, 1200, 375, "&Cancel").isCancel = true;
  return d;
}

// Notes every event as "control:Event" ("lstApps:ItemCheck 1"). The time box
// cannot be left holding an invalid time.
class ActionRecorder : public platform::FormHandlers {
 public:
  explicit ActionRecorder(const platform::FormModel& m) : model(m) {}
  void OnEvent(const std::string& control, platform::FormEvent event, platform::EventArgs& args) override {
    static const char* const kNames[] = {"Load", "QueryUnload", "Unload", "Click", "DblClick", "Change", "Validate",
                                         "ItemCheck", "Timer", "MouseMove", "TaskbarCreated", "EndSession"};
    const bool item = event == platform::FormEvent::ItemCheck;
    events.push_back(control + ":" + kNames[static_cast<int>(event)] + (item ? " " + std::to_string(args.index) : ""));
    if (event == platform::FormEvent::Validate && control == "mskTime")
      args.cancel = !schedule::IsValidTimeOfDay(model.Get(control).text);
  }
  const platform::FormModel& model;
  Strings events;
};

// One thing the user does: "click C" (with the mouse), "type C keys" (over
// the box's whole text; '\b' is Backspace), "choose C i", "dblclick C i",
// "check C i" (the space bar on the item), "step C 1" (the up arrow),
// "date C 2027-1-2" (a day picked), "focus C", "enter", "escape", "close"
// (the frame's Close). The setup before it acts on the model: "value C n",
// "text C t", "disable C".
struct Act {
  Act(const std::string& line) { std::istringstream(line) >> verb >> control >> arg; }  // NOLINT: from the table
  std::string verb, control, arg;
};

struct UserActionCase {
  std::string name;
  Strings setup, acts, events;
  std::string focus;
  std::vector<std::pair<std::string, std::string>> model;  // "control.property" and its value
};

// Fills the lists and plays the case's setup on the model.
inline void Prepare(const UserActionCase& c, platform::FormModel& m) {
  m.SetItems("cboMode", {"Off", "On"});
  m.SetItems("lstApps", {"app.exe", "tool.exe"});
  m.SetItems("File1", {"a.exe", "b.exe"});
  m.SetFolderLines("Dir1", {{"c:\\", "c:\\"}, {"  tools", "c:\\tools"}}, 0);
  for (const Act a : c.setup) {
    if (a.verb == "value") m.SetValue(a.control, std::stoi(a.arg));
    if (a.verb == "text") m.SetText(a.control, a.arg);
    if (a.verb == "disable") m.SetEnabled(a.control, false);
  }
}

inline const std::vector<UserActionCase>& UserActionCases() {
  static const std::vector<UserActionCase> cases = {
      {"AClickTurnsAGrayedCheckBoxOffAndEnterClicksTheDefaultButtonLeavingItUnvalidated", {"value chkForce 2"},
       {"click chkForce", "enter"}, {"chkForce:Click", "CmdOK:Click"}, "chkForce", {{"chkForce.value", "0"}}},
      {"AnOptionFocusedOrClickedIsSelectedOnceAndClearsItsGroup", {}, {"focus optB", "click optA", "click optA"},
       {"optB:Click", "optA:Click"}, "optA", {{"optA.value", "1"}, {"optB.value", "0"}}},
      {"DisabledControlsAndControlsOfADisabledFrameDoNothing", {"disable CmdOK", "disable Frame1", "disable lstApps"},
       {"click CmdOK", "click optA", "enter", "check lstApps 1"}, {}, "chkForce",
       {{"optA.value", "0"}, {"lstApps.checks", "00"}}},
      {"TypingChangesATextBoxKeyByKey", {}, {"type txtOther abc\b"}, Strings(4, "txtOther:Change"), "txtOther",
       {{"txtOther.text", "ab"}}},
      {"AChosenEntryIsClickedButTypedTextSelectsNoneEvenWhenItSpellsOne", {}, {"choose cboMode 1", "type cboMode Off"},
       {"cboMode:Click", "cboMode:Change", "cboMode:Change", "cboMode:Change"}, "cboMode",
       {{"cboMode.text", "Off"}, {"cboMode.listIndex", "-1"}}},
      {"TheSpaceBarChecksAListItem", {}, {"check lstApps 1"}, {"lstApps:ItemCheck 1"}, "lstApps",
       {{"lstApps.checks", "01"}}},
      {"AnUpDownStepsTheNumberInItsBuddy", {}, {"step udNum 1"}, {"txtNum:Change", "udNum:Change"}, "txtNum",
       {{"txtNum.text", "31"}, {"udNum.value", "31"}}},
      {"TheTimeBoxTakesOnlyDigitsAndAnInvalidTimeKeepsTheFocus", {}, {"type mskTime 2x57\b", "focus txtOther"},
       {"mskTime:Change", "mskTime:Change", "mskTime:Change", "mskTime:Change", "mskTime:Validate"}, "mskTime",
       {{"mskTime.text", "25:__"}}},
      {"AnInvalidTimeLetsNoButtonBeClickedByMouseOrKey", {"text mskTime 25:00"},
       {"focus mskTime", "click CmdOK", "click CmdCancel", "enter", "escape"}, Strings(4, "mskTime:Validate"),
       "mskTime", {}},
      {"AValidTimeLetsEnterAndEscClickAndKeepsTheFocus", {"text mskTime 12:00"}, {"focus mskTime", "enter", "escape"},
       {"mskTime:Validate", "CmdOK:Click", "mskTime:Validate", "CmdCancel:Click"}, "mskTime", {}},
      {"OnlyBoxesLeftForAnotherControlValidateAndALabelClickLeavesNone", {},
       {"focus txtOther", "click lblInfo", "choose cboMode 1", "date dtpDay 2027-1-2", "focus lstApps", "focus CmdOK"},
       {"lblInfo:Click", "txtOther:Validate", "cboMode:Click", "cboMode:Validate", "dtpDay:Change", "dtpDay:Validate"},
       "CmdOK", {{"dtpDay.date", "20270102"}}},
      {"DoubleClickingAFileTakesIt", {}, {"dblclick File1 1"}, {"File1:Click", "File1:DblClick"}, "File1",
       {{"File1.text", "b.exe"}}},
      {"DoubleClickingAFolderOpensIt", {}, {"dblclick Dir1 1"}, {"Dir1:Click", "Dir1:Change"}, "Dir1",
       {{"Dir1.path", "c:\\tools"}}},
      {"TheFrameCloseAsksThenUnloadsAndNothingActsAfter", {}, {"close", "click chkForce"},
       {"Form:QueryUnload", "Form:Unload"}, "chkForce", {{"chkForce.value", "0"}}},
  };
  return cases;
}

inline std::string CaseName(const ::testing::TestParamInfo<UserActionCase>& info) { return info.param.name; }

inline void ExpectOutcome(const UserActionCase& c, const platform::FormModel& model, const ActionRecorder& recorder) {
  EXPECT_EQ(recorder.events, c.events);
  EXPECT_EQ(model.Focus(), c.focus);
  for (const auto& [key, value] : c.model) {
    const platform::ControlState& s = model.Get(key.substr(0, key.find('.')));
    std::string shown = key.ends_with(".text") ? s.text : key.ends_with(".path") ? s.path : "";
    for (bool checked : key.ends_with(".checks") ? s.checks : std::vector<bool>{}) shown += checked ? '1' : '0';
    if (key.ends_with(".value") || key.ends_with(".listIndex"))
      shown = std::to_string(key.ends_with(".value") ? s.value : s.listIndex);
    if (key.ends_with(".date")) shown = std::to_string(s.date.year * 10000 + s.date.month * 100 + s.date.day);
    EXPECT_EQ(shown, value) << key;
  }
}

}  // namespace vk::formtest
