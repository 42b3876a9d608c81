#pragma once
// Time and date texts of a schedule: period lengths, period targets past
// midnight, the clock's "hh:mm" and the day's date text.
#include <array>
#include <optional>
#include <string>

#include "platform/clock.h"

namespace vk::schedule {

// Hours and minutes of an "h:m" text.
struct TimeParts {
  int hours = 0;
  int minutes = 0;
};

// The period box's entries, in list order.
inline constexpr std::array<const char*, 8> kPeriodEntries = {"15 Mins",  "30 Mins",  "45 Mins",  "60 Mins",
                                                              "90 Mins",  "120 Mins", "150 Mins", "180 Mins"};

// The period entry whose length is this ("1:30" -> "90 Mins"); none for a
// length no entry has.
std::optional<std::string> PeriodEntryFor(const std::string& periodLength);

// "15 Mins" -> "0:15", "90 Mins" -> "1:30"; "" for a text that is no period entry.
std::string PeriodToTime(const std::string& periodText);

// A period target past midnight back onto the clock: "24:5" -> "0:5".
std::string NormaliseTime(const std::string& target);

// The number a text begins with (after blanks, with its sign); 0 when none.
int LeadingInteger(const std::string& text);

// The two parts of a text split at ":"; false when it holds no colon.
bool SplitTime(const std::string& text, TimeParts& parts);

// "hh:mm" on the 24-hour clock.
std::string ClockText(const platform::DateTime& moment);

// "DD/MM/YY" with the given date separator in place of "/".
std::string DateText(const platform::DateTime& day, const std::string& separator);

// The day a date text names: day, month and two-digit year (in the 2000s),
// in that order, between any separators; none when it names no day.
std::optional<platform::DateTime> ReadDateText(const std::string& text);

// A time of day "h:m" written as "hh:mm" ("9:05" -> "09:05"); any other text
// comes back unchanged.
std::string TwoDigitTime(const std::string& text);

}  // namespace vk::schedule
