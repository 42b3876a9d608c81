#include "schedule/setting_text.h"

#include <algorithm>
#include <cctype>

#include "platform/text.h"

namespace vk::schedule {

namespace {

using platform::TrimBlanks;

// A decimal number as its digits: [sign] digits [. digits], at least one digit.
struct Decimal {
  bool negative = false;
  std::string whole;
  std::string fraction;
};

bool AllDigits(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

std::optional<Decimal> ParseDecimal(const std::string& raw) {
  std::string text = TrimBlanks(raw);
  Decimal number;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    number.negative = text[0] == '-';
    text.erase(0, 1);
  }
  const auto point = text.find('.');
  number.whole = text.substr(0, point);
  if (point != std::string::npos) number.fraction = text.substr(point + 1);
  if (number.whole.empty() && number.fraction.empty()) return std::nullopt;
  if (!AllDigits(number.whole) || !AllDigits(number.fraction)) return std::nullopt;
  return number;
}

bool IsZero(const Decimal& number) {
  auto zero = [](const std::string& digits) { return digits.find_first_not_of('0') == std::string::npos; };
  return zero(number.whole) && zero(number.fraction);
}

// The whole part rounded by the fraction, an exact half to the even neighbour.
std::optional<std::int64_t> RoundHalfEven(const Decimal& number) {
  const std::string whole = number.whole.substr(std::min(number.whole.find_first_not_of('0'), number.whole.size()));
  if (whole.size() > 15) return std::nullopt;
  std::int64_t value = whole.empty() ? 0 : std::stoll(whole);
  if (!number.fraction.empty()) {
    const char first = number.fraction[0];
    const bool restZero = number.fraction.find_first_not_of('0', 1) == std::string::npos;
    const bool up = first > '5' || (first == '5' && (!restZero || value % 2 == 1));
    if (up) ++value;
  }
  return number.negative ? -value : value;
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string BooleanText(VbBool value) { return value != kFalse ? "True" : "False"; }

std::optional<VbBool> ParseBoolean(const std::string& text) {
  const std::string trimmed = TrimBlanks(text);
  if (EqualsIgnoringCase(trimmed, "True")) return kTrue;
  if (EqualsIgnoringCase(trimmed, "False")) return kFalse;
  const auto number = ParseDecimal(trimmed);
  if (!number) return std::nullopt;
  return ToVbBool(!IsZero(*number));
}

std::optional<std::int64_t> ParseInteger(const std::string& text, std::int64_t minimum, std::int64_t maximum) {
  const auto number = ParseDecimal(text);
  if (!number) return std::nullopt;
  const auto value = RoundHalfEven(*number);
  if (!value || *value < minimum || *value > maximum) return std::nullopt;
  return value;
}

}  // namespace vk::schedule
