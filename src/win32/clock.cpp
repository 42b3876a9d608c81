#include "win32/clock.h"

#include <windows.h>

namespace vk::win32 {

platform::DateTime Win32Clock::Now() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

std::string Win32Clock::DateSeparator() {
  char separator[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, separator, sizeof separator) <= 1) return "/";
  return separator;
}

}  // namespace vk::win32
