#pragma once
// The schedule values' persisted side: five string values in the section
// "Settings" of the settings store.
#include "persistence/reg_settings.h"
#include "persistence/shared_log.h"
#include "schedule/schedule_values.h"

namespace vk::schedule {

inline constexpr const char* kSettingsSection = "Settings";

// At start-up: "DayTime", "CancelTime", "Force", "ForceList", "Mode", in this
// order. A stored text that does not convert reads as its default and is
// reported to the log.
void ReadSavedSettings(persistence::CRegSettings& store, persistence::SharedLog& log, ScheduleValues& values);

// When the Set Sleep Time dialog is cancelled: "DayTime", "CancelTime", "Mode".
void ReadBackSettings(persistence::CRegSettings& store, persistence::SharedLog& log, ScheduleValues& values);

// On every OK of the Set Sleep Time dialog: "DayTime", "CancelTime", "Mode".
void SaveSettings(persistence::CRegSettings& store, const ScheduleValues& values);

// On OK of the Advanced Options dialog: "Force", then "ForceList".
void SaveForceSettings(persistence::CRegSettings& store, const ScheduleValues& values);

}  // namespace vk::schedule
