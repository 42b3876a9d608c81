#include "schedule/schedule_timer.h"

#include <cstdint>

#include "schedule/calendar.h"

namespace vk::schedule {

namespace {

std::int64_t MinuteNumber(const platform::DateTime& t) {
  return (DaysFromCivil(t.year, t.month, t.day) * 24 + t.hour) * 60 + t.minute;
}

}  // namespace

std::string PeriodTargetTime(const std::string& startTime, const TimeParts& period) {
  TimeParts now;
  SplitTime(startTime, now);
  int minutes = period.minutes + now.minutes;
  int carry = 0;
  if (minutes >= 60) {
    minutes -= 60;
    carry = 1;
  }
  const int hours = now.hours + period.hours + carry;
  return NormaliseTime(std::to_string(hours) + ":" + std::to_string(minutes));
}

platform::DateTime PeriodTargetMoment(const platform::DateTime& start, const TimeParts& period) {
  const std::int64_t minute = MinuteNumber(start) + period.hours * 60 + period.minutes;
  const std::int64_t days = minute >= 0 ? minute / 1440 : (minute - 1439) / 1440;
  const std::int64_t minuteOfDay = minute - days * 1440;
  platform::DateTime target = CivilFromDays(days);
  target.hour = static_cast<int>(minuteOfDay / 60);
  target.minute = static_cast<int>(minuteOfDay % 60);
  return target;
}

bool TimeAndDateDue(const platform::DateTime& now, const std::string& dateSeparator, const std::string& sleepTime,
                    const std::string& sleepDate) {
  if (DateText(now, dateSeparator) != sleepDate) return false;
  TimeParts target;
  SplitTime(sleepTime, target);
  return target.hours < now.hour || (target.hours == now.hour && target.minutes <= now.minute);
}

bool PeriodDue(const platform::DateTime& now, const platform::DateTime& target) {
  return MinuteNumber(now) >= MinuteNumber(target);
}

}  // namespace vk::schedule
