#include "schedule/schedule_timer.h"

#include <cstdint>

namespace vk::schedule {

namespace {

// Days since 1970-01-01 of a civil date (proleptic Gregorian calendar).
std::int64_t DaysFromCivil(int year, int month, int day) {
  const std::int64_t y = year - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yearOfEra = y - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

platform::DateTime CivilFromDays(std::int64_t days) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t mp = (5 * dayOfYear + 2) / 153;
  platform::DateTime date;
  date.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
  return date;
}

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
