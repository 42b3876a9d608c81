#include "schedule/schedule_settings.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "schedule/setting_text.h"

namespace vk::schedule {

namespace {

struct Reader {
  persistence::CRegSettings& store;
  persistence::SharedLog& log;

  // A stored text that does not convert must not stop the program or leave
  // the value undefined: it counts as the default and the log is told.
  template <typename Parse>
  auto Read(const char* name, const char* defaultText, Parse parse) {
    const std::string text = store.GetSetting(kSettingsSection, name, defaultText);
    auto value = parse(text);
    if (!value) {
      log->LogIt(persistence::kSettingsReportType, {"Error converting setting:", kSettingsSection, name, text});
      value = parse(defaultText);
    }
    return *value;
  }

  VbBool Boolean(const char* name) { return Read(name, "False", ParseBoolean); }

  template <typename Int>
  Int Integer(const char* name, const char* defaultText) {
    auto parse = [](const std::string& text) {
      return ParseInteger(text, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max());
    };
    return static_cast<Int>(Read(name, defaultText, parse));
  }
};

}  // namespace

void ReadSavedSettings(persistence::CRegSettings& store, persistence::SharedLog& log, ScheduleValues& values) {
  Reader read{store, log};
  values.DayTime = read.Boolean("DayTime");
  values.CancelTime = read.Integer<std::int16_t>("CancelTime", "30");
  values.ForceShutdown = read.Boolean("Force");
  values.ForceAppClose = read.Boolean("ForceList");
  values.Mode = read.Integer<std::int32_t>("Mode", "0");
}

void ReadBackSettings(persistence::CRegSettings& store, persistence::SharedLog& log, ScheduleValues& values) {
  Reader read{store, log};
  values.DayTime = read.Boolean("DayTime");
  values.CancelTime = read.Integer<std::int16_t>("CancelTime", "30");
  values.Mode = read.Integer<std::int32_t>("Mode", "0");
}

void SaveSettings(persistence::CRegSettings& store, const ScheduleValues& values) {
  store.SaveSetting(kSettingsSection, "DayTime", BooleanText(values.DayTime));
  store.SaveSetting(kSettingsSection, "CancelTime", std::to_string(values.CancelTime));
  store.SaveSetting(kSettingsSection, "Mode", std::to_string(values.Mode));
}

void SaveForceSettings(persistence::CRegSettings& store, const ScheduleValues& values) {
  store.SaveSetting(kSettingsSection, "Force", BooleanText(values.ForceShutdown));
  store.SaveSetting(kSettingsSection, "ForceList", BooleanText(values.ForceAppClose));
}

}  // namespace vk::schedule
