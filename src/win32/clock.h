#pragma once
#include "platform/clock.h"

namespace vk::win32 {

// Local time and the user's regional date separator.
class Win32Clock : public platform::Clock {
 public:
  platform::DateTime Now() override;
  std::string DateSeparator() override;
};

}  // namespace vk::win32
