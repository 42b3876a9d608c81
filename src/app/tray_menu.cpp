#include "app/tray_menu.h"

#include <cmath>

#include "app/app_state.h"
#include "platform/forms.h"

namespace vk::app {

std::int32_t TrayMessageFromX(double x, int scaleMode, double twipsPerPixelX) {
  const double pixels = (scaleMode == platform::kScalePixels || twipsPerPixelX <= 0) ? x : x / twipsPerPixelX;
  // Whole-number conversion rounds to nearest, halves to even.
  return static_cast<std::int32_t>(std::nearbyint(pixels));
}

std::string DefaultItemName(std::int16_t menuDefault) {
  switch (menuDefault) {
    case kDefaultTimeSet: return "mnuTimeSet";
    case kDefaultTimerStart: return "mnuTimerStart";
    case kDefaultTimerStop: return "mnuTimerStop";
    default: return "";
  }
}

std::int16_t NextMenuDefault(VbBool timeSet, VbBool timerRunning) {
  if (timeSet == kFalse) return kDefaultTimeSet;
  return timerRunning != kFalse ? kDefaultTimerStop : kDefaultTimerStart;
}

}  // namespace vk::app
