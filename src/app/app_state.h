#pragma once
// The one application state: every process-wide value of the program. The
// program makes exactly one; each test makes its own.
#include <cstdint>
#include <memory>
#include <string>

#include "app/platform_services.h"
#include "app/tray_icon_record.h"
#include "forceclose/app_entry.h"
#include "forceclose/process_control.h"
#include "persistence/reg_settings.h"
#include "schedule/schedule_values.h"
#include "shutdown/power_control.h"

namespace vk::app {

class FrmMain;

// MenuDefault values: the tray menu's default item.
inline constexpr std::int16_t kDefaultTimeSet = 0;
inline constexpr std::int16_t kDefaultTimerStart = 1;
inline constexpr std::int16_t kDefaultTimerStop = 2;

struct AppState {
  explicit AppState(PlatformServices& services);
  ~AppState();
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;

  PlatformServices& platform;

  TrayIconRecord gTrayIcon;
  std::unique_ptr<FrmMain> gFrmMain;
  std::unique_ptr<persistence::CRegSettings> gRegSettings;
  std::unique_ptr<shutdown::PowerControl> gPowerControl;
  std::unique_ptr<forceclose::ProcessControl> gProcessControl;

  schedule::ScheduleValues schedule;
  forceclose::AppEntryList AppEntries;

  std::string StartTime;   // "hh:mm" when a period timer was last started
  std::string TargetTime;  // period target, "h:m" without leading zeros
  VbBool TimerRunning = kFalse;
  std::int16_t MenuDefault = kDefaultTimeSet;
  std::int16_t LastMenuDefault = kDefaultTimeSet;
};

}  // namespace vk::app
