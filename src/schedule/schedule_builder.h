#pragma once
// Building a schedule when the Set Sleep Time dialog is confirmed.
#include <optional>
#include <string>

#include "platform/clock.h"
#include "schedule/schedule_values.h"

namespace vk::schedule {

// What the user entered: the time box text, the day in the date picker (with
// the regional date separator) and the period box text.
struct ScheduleInput {
  std::string timeBoxText;
  platform::DateTime chosenDay;
  std::string dateSeparator;
  std::string periodText;
};

inline constexpr const char* kEmptyTimeBox = "__:__";

// Sets SleepTime, SleepDate and TimeSet from the input as DayTime says, and
// returns the new tray tip text; none when the tip stays as it is (a time
// and date schedule without a typed time).
std::optional<std::string> BuildSchedule(ScheduleValues& values, const ScheduleInput& input);

}  // namespace vk::schedule
