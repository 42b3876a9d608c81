#pragma once
// The text form of the stored settings: how Booleans and integers are written
// and which texts read back as a value.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/types.h"

namespace vk::schedule {

// Exactly "True" or "False", whatever the user's language.
std::string BooleanText(VbBool value);

// "True"/"False" in any letter case, or a decimal number (zero is False);
// nothing for any other text.
std::optional<VbBool> ParseBoolean(const std::string& text);

// A decimal number with blanks around it, rounded half to even; nothing when
// the text is no number or the result is outside [minimum, maximum].
std::optional<std::int64_t> ParseInteger(const std::string& text, std::int64_t minimum, std::int64_t maximum);

}  // namespace vk::schedule
