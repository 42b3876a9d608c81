#pragma once
// The schedule timer's arithmetic: the period target fixed by Start Timer and
// the due test of every tick.
#include <string>

#include "platform/clock.h"
#include "schedule/time_conversions.h"

namespace vk::schedule {

// The period target as a time of day, "h:m" without leading zeros, from the
// start "hh:mm" and the period: 08:50 + 1:30 -> "10:20", 23:50 + 0:15 -> "0:5".
std::string PeriodTargetTime(const std::string& startTime, const TimeParts& period);

// The same target with its date: the start minute plus the period.
platform::DateTime PeriodTargetMoment(const platform::DateTime& start, const TimeParts& period);

// Time and date: due on the day whose date text is sleepDate, once the clock
// has reached sleepTime. A day that has passed never comes again.
bool TimeAndDateDue(const platform::DateTime& now, const std::string& dateSeparator, const std::string& sleepTime,
                    const std::string& sleepDate);

// Period: due once the clock has reached the target's date and minute, so a
// machine that slept through the target finds it due on waking.
bool PeriodDue(const platform::DateTime& now, const platform::DateTime& target);

}  // namespace vk::schedule
