#include "schedule/calendar.h"

namespace vk::schedule {

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

platform::DateTime AddDays(const platform::DateTime& moment, int days) {
  platform::DateTime later = CivilFromDays(DaysFromCivil(moment.year, moment.month, moment.day) + days);
  later.hour = moment.hour;
  later.minute = moment.minute;
  later.second = moment.second;
  return later;
}

// A day that does not exist comes back from the round trip as another one.
bool IsCalendarDay(int year, int month, int day) {
  const platform::DateTime back = CivilFromDays(DaysFromCivil(year, month, day));
  return back.year == year && back.month == month && back.day == day;
}

}  // namespace vk::schedule
