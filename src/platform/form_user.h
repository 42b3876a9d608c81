#pragma once
// What a person's action does to a form's model before the toolkit raises the
// action's event. The Win32 binding and the test toolkit both go through
// these, so a test that plays the user changes the model exactly as a real
// click or keystroke does.
#include <string>

#include "platform/clock.h"
#include "platform/form_model.h"

namespace vk::platform {

// A click on a check box toggles it (a grayed box becomes unchecked); a click
// on an option button selects it. False when the click raises no Click event:
// an option button that was selected already.
bool UserClickEffect(FormModel& model, const std::string& control);

// Typed text. In a combo box it leaves no entry selected, even when it spells
// one: only choosing from the list selects.
void UserTypeEffect(FormModel& model, const std::string& control, const std::string& text);

// An entry chosen from a list or a combo box's drop-down. False for an index
// outside the list.
bool UserChooseEffect(FormModel& model, const std::string& control, int index);

// An item's check box toggled. False for an index outside the list.
bool UserCheckEffect(FormModel& model, const std::string& control, int index);

// An arrow of an up-down pressed (delta +1 or -1): the number in its buddy
// text box is read afresh (the user may have typed it; no number there counts
// as the up-down's own value), stepped within the range and written back.
// False when it did not move.
bool UserStepEffect(FormModel& model, const std::string& upDown, int delta);

// A day chosen in a date picker, kept inside its range.
void UserDateEffect(FormModel& model, const std::string& control, const DateTime& date);

}  // namespace vk::platform
