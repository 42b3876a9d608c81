#pragma once
// What a person's action on a form does, decided once for every toolkit:
// whether the control can act at all, where the focus goes and which Validate
// runs, the change to the model, and the events raised, in order. The Win32
// binding reports what Windows saw; the test toolkit plays the user; both go
// through these rules, so a test on the model sees what the real dialog does.
//
// Every action returns false when nothing happened: the form is not loaded,
// the control is disabled or hidden (itself or through its frames), a
// Validate is running, or a refused focus move has not been undone yet.
#include <string>

#include "platform/clock.h"
#include "platform/form_model.h"
#include "platform/forms.h"

namespace vk::platform {

// Controls the focus can rest in.
bool TakesFocus(ControlKind kind);
// Controls whose Validate runs when the focus leaves them for another
// control of the same form: text, masked, combo and date boxes.
bool Validates(ControlKind kind);

class FormInput {
 public:
  FormInput(const FormDef& def, FormModel& model, FormHandlers& handlers);

  // Between a successful load and the unload; before and after, nothing acts.
  void SetLoaded(bool loaded) { loaded_ = loaded; }
  bool Loaded() const { return loaded_; }
  // Whether the user can act on the control now.
  bool CanAct(const std::string& control) const;

  // Where the focus goes when the form is shown: the table's initial control,
  // else the first one in table order that can take the focus; of a group of
  // option buttons, the one selected.
  std::string FirstFocus() const;

  // The focus went to another window (or the form was hidden). When it comes
  // back, nothing is validated: leaving the form validates nothing.
  void FocusLeftForm() { outside_ = true; }
  // The focus moves to the control: the user pressed the mouse on it, tabbed
  // to it, or the form was shown. Moving from a control that validates to
  // another control of the form runs that control's Validate first; when it
  // cancels, the focus stays where it was and nothing acts until the toolkit
  // has given it back (FocusBack). An option button that takes the focus is
  // selected, and raises Click.
  bool MoveFocus(const std::string& control);
  // The toolkit has put the focus back where a cancelled Validate kept it.
  void FocusBack() { held_ = false; }

  // The mouse button goes down on the control: the focus moves there when the
  // control can take it.
  bool Press(const std::string& control);
  // A click on the control: after the press that moved the focus there, or
  // from the keyboard (Enter, Esc, an access key), which leaves the focus
  // where it is and validates the control that has it first. A check box
  // toggles (grayed becomes unchecked), an option button is selected; a click
  // on the option already selected raises nothing.
  bool Click(const std::string& control);
  // Enter clicks the default button, Esc the cancel button.
  bool PressEnter();
  bool PressEscape();
  // The user's typing has made the box's text this (one call per change).
  // Typed combo text selects no entry, even when it spells one.
  bool Type(const std::string& control, const std::string& text);
  // An entry chosen from a list or a combo box's list; choosing the entry
  // already chosen, or none, does nothing. A drive list changes its path and
  // raises Change; a file list takes the file's name as its text; the others
  // raise Click.
  bool Choose(const std::string& control, int index);
  // A double click on the chosen entry: a folder list opens the folder and
  // raises Change, the others raise DblClick.
  bool DoubleClick(const std::string& control);
  // The check box of a list item toggled (the space bar, or a click on it).
  bool CheckItem(const std::string& control, int index);
  // An arrow of an up-down (delta +1 or -1): the focus goes to its buddy text
  // box, whose number is read afresh (no number there counts as the
  // up-down's own value), stepped within the range and written back; the
  // buddy's Change, then the up-down's. Nothing is raised when it did not move.
  bool Step(const std::string& upDown, int delta);
  // A day chosen in a date picker, kept inside its range.
  bool PickDate(const std::string& control, const DateTime& date);
  // The frame's Close: QueryUnload. True when the form is to be unloaded.
  bool Close();

 private:
  bool FocusOn(const std::string& control);
  bool ValidateFocusBefore(const std::string& control);
  bool RunValidate(const std::string& control);
  void SelectOnFocus(const std::string& control);
  bool ClickEffect(const std::string& control);
  bool StepEffect(const std::string& upDown, int delta);
  void Raise(const std::string& control, FormEvent event, int index = -1);
  std::string ButtonWith(bool ControlDef::*flag) const;

  const FormDef& def_;
  FormModel& model_;
  FormHandlers& handlers_;
  bool loaded_ = false;
  bool outside_ = true;     // the focus is in another window
  bool held_ = false;       // a cancelled Validate keeps the focus; the toolkit has yet to give it back
  bool validating_ = false;
};

}  // namespace vk::platform
