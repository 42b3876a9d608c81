#include "schedule/validate_time.h"

#include <algorithm>
#include <cctype>

namespace vk::schedule {

std::string FillTimePlaceholders(std::string text) {
  std::replace(text.begin(), text.end(), '_', '0');
  return text;
}

bool IsValidTimeOfDay(const std::string& text) {
  if (text.size() != 5 || text[2] != ':') return false;
  for (std::size_t i : {0u, 1u, 3u, 4u})
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  const int hours = (text[0] - '0') * 10 + (text[1] - '0');
  const int minutes = (text[3] - '0') * 10 + (text[4] - '0');
  return hours <= 23 && minutes <= 59;
}

VbBool ValidateTime(platform::FormModel& form, const std::string& timeBox, platform::MessageBoxes& messages,
                    const std::string& title) {
  if (!form.Has(timeBox)) {
    messages.Show("Error Validating Time", title, platform::kMbOk);
    return kFalse;
  }
  form.SetText(timeBox, FillTimePlaceholders(form.Get(timeBox).text));
  return ToVbBool(IsValidTimeOfDay(form.Get(timeBox).text));
}

}  // namespace vk::schedule
