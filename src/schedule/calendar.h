#pragma once
// Days of the civil (proleptic Gregorian) calendar as numbers, for the
// schedule's date arithmetic.
#include <cstdint>

#include "platform/clock.h"

namespace vk::schedule {

// Days since 1970-01-01.
std::int64_t DaysFromCivil(int year, int month, int day);
// The date of a day number; the time of day is 0:00:00.
platform::DateTime CivilFromDays(std::int64_t days);

// The same time of day, `days` days later (earlier when negative).
platform::DateTime AddDays(const platform::DateTime& moment, int days);

// Whether the day exists: 31/04 or 29/02 of a common year does not.
bool IsCalendarDay(int year, int month, int day);

}  // namespace vk::schedule
