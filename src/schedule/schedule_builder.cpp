#include "schedule/schedule_builder.h"

#include "schedule/time_conversions.h"

namespace vk::schedule {

std::optional<std::string> BuildSchedule(ScheduleValues& values, const ScheduleInput& input) {
  if (values.DayTime != kFalse) {
    values.SleepTime = input.timeBoxText;
    if (values.SleepTime == kEmptyTimeBox) {
      values.TimeSet = kFalse;
      return std::nullopt;
    }
    values.SleepDate = DateText(input.chosenDay, input.dateSeparator);
    values.TimeSet = kTrue;
    return "Shutdown set for " + values.SleepTime + " on the " + values.SleepDate;
  }
  // An unrecognised period still counts as set; starting the timer says what is wrong.
  values.SleepTime = PeriodToTime(input.periodText);
  values.TimeSet = kTrue;
  return "Shutdown period set as: " + input.periodText + ".";
}

}  // namespace vk::schedule
