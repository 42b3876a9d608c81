#pragma once
// ValidateTime: the check of the time box ("##:##", placeholder "_") when it
// is about to lose the focus.
#include <string>

#include "platform/form_model.h"
#include "platform/shell.h"
#include "platform/types.h"

namespace vk::schedule {

// Every placeholder "_" becomes "0": "1_:3_" -> "10:30".
std::string FillTimePlaceholders(std::string text);

// "hh:mm" with an hour 00..23 and a minute 00..59, nothing more.
bool IsValidTimeOfDay(const std::string& text);

// Fills the placeholders in the box, writes the text back and tells whether
// the box now holds a valid time. A box that is not there is reported in a
// message box titled `title`, and gives False.
VbBool ValidateTime(platform::FormModel& form, const std::string& timeBox, platform::MessageBoxes& messages,
                    const std::string& title);

}  // namespace vk::schedule
