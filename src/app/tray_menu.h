#pragma once
// Decoding of the tray icon's messages and the rule for the menu's default item.
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace vk::app {

inline constexpr std::int32_t kWmRButtonUp = 0x205;

// The tray message number carried in the X coordinate of the main form's
// mouse-move event: pixels as they are, twips divided by twips per pixel.
std::int32_t TrayMessageFromX(double x, int scaleMode, double twipsPerPixelX);

// The menu item shown as default for a MenuDefault value; empty for a value
// that names no item (then no menu is shown).
std::string DefaultItemName(std::int16_t menuDefault);

// MenuDefault after a use of the menu: Set Sleep Time until a schedule is
// confirmed, then Start Timer while disarmed and Stop Timer while armed.
std::int16_t NextMenuDefault(VbBool timeSet, VbBool timerRunning);

}  // namespace vk::app
