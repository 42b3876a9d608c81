#pragma once
// Port: clock and calendar.
#include <string>

namespace vk::platform {

struct DateTime {
  int year = 0;   // four digits
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;   // 0..23
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() = 0;
  // The date separator of the user's regional settings ("/" by default).
  virtual std::string DateSeparator() = 0;
};

}  // namespace vk::platform
