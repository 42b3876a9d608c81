#include "schedule/time_conversions.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

#include "schedule/calendar.h"

namespace vk::schedule {

namespace {

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

bool IsNumber(const std::string& text) {
  return !text.empty() && text.size() <= 2 &&
         std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

}  // namespace

std::string PeriodToTime(const std::string& periodText) {
  const std::string first = periodText.substr(0, periodText.find(' '));
  if (first == "15" || first == "30" || first == "45") return "0:" + first;
  if (first == "60") return "1:00";
  if (first == "90") return "1:30";
  if (first == "120") return "2:00";
  if (first == "150") return "2:30";
  if (first == "180") return "3:00";
  return "";
}

std::optional<std::string> PeriodEntryFor(const std::string& periodLength) {
  for (const char* entry : kPeriodEntries)
    if (PeriodToTime(entry) == periodLength) return entry;
  return std::nullopt;
}

std::string NormaliseTime(const std::string& target) {
  TimeParts parts;
  SplitTime(target, parts);
  if (parts.hours < 24) return target;
  return std::to_string(parts.hours - 24) + ":" + std::to_string(parts.minutes);
}

// Stored and built texts are digits by construction; anything else must
// still not stop the timer, so it reads as far as it is a number.
int LeadingInteger(const std::string& text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return 0;
  const bool negative = text[i] == '-';
  if (text[i] == '-' || text[i] == '+') ++i;
  int value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
    value = std::min(value * 10 + (text[i] - '0'), 99999);
  return negative ? -value : value;
}

bool SplitTime(const std::string& text, TimeParts& parts) {
  const auto colon = text.find(':');
  parts.hours = LeadingInteger(text.substr(0, colon));
  parts.minutes = 0;
  if (colon == std::string::npos) return false;
  const auto next = text.find(':', colon + 1);
  parts.minutes = LeadingInteger(text.substr(colon + 1, next == std::string::npos ? next : next - colon - 1));
  return true;
}

std::string ClockText(const platform::DateTime& moment) {
  return TwoDigits(moment.hour) + ":" + TwoDigits(moment.minute);
}

std::string DateText(const platform::DateTime& day, const std::string& separator) {
  return TwoDigits(day.day) + separator + TwoDigits(day.month) + separator + TwoDigits(day.year % 100);
}

std::optional<platform::DateTime> ReadDateText(const std::string& text) {
  std::vector<std::string> numbers(1);
  for (char c : text) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      numbers.back() += c;
    } else if (!numbers.back().empty()) {
      numbers.emplace_back();
    }
  }
  if (numbers.size() != 3 || !IsNumber(numbers[0]) || !IsNumber(numbers[1]) || !IsNumber(numbers[2]))
    return std::nullopt;
  platform::DateTime day;
  day.day = std::stoi(numbers[0]);
  day.month = std::stoi(numbers[1]);
  day.year = 2000 + std::stoi(numbers[2]);
  if (!IsCalendarDay(day.year, day.month, day.day)) return std::nullopt;
  return day;
}

std::string TwoDigitTime(const std::string& text) {
  const auto colon = text.find(':');
  if (colon == std::string::npos) return text;
  const std::string h = text.substr(0, colon);
  const std::string m = text.substr(colon + 1);
  if (!IsNumber(h) || !IsNumber(m)) return text;
  const int hours = std::stoi(h);
  const int minutes = std::stoi(m);
  if (hours > 23 || minutes > 59) return text;
  return TwoDigits(hours) + ":" + TwoDigits(minutes);
}

}  // namespace vk::schedule
