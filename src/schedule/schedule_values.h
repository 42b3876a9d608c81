#pragma once
// The schedule values: what the user set in this run, and the options read
// from the registry at start-up.
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace vk::schedule {

inline constexpr std::int32_t kModeShutdown = 0;
inline constexpr std::int32_t kModeSuspend = 1;
inline constexpr std::int32_t kModeHibernate = 2;

struct ScheduleValues {
  VbBool DayTime = kFalse;      // True: a time on a chosen day; False: a period
  std::string SleepTime;        // target time of day, or the period length "h:mm"
  std::string SleepDate;        // the chosen day as date text
  VbBool TimeSet = kFalse;      // a schedule was confirmed in this run
  std::int16_t CancelTime = 0;  // seconds of countdown warning
  std::int32_t Mode = 0;        // 0 Shutdown, 1 Suspend, 2 Hibernate, -1 none
  VbBool ForceShutdown = kFalse;
  VbBool ForceAppClose = kFalse;
};

}  // namespace vk::schedule
