#pragma once
// The one application state: every process-wide value of the program. The
// program makes exactly one; each test makes its own.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/platform_services.h"
#include "app/tray_icon_record.h"
#include "forceclose/app_entry.h"
#include "forceclose/process_control.h"
#include "persistence/reg_settings.h"
#include "persistence/shared_log.h"
#include "platform/clock.h"
#include "schedule/schedule_values.h"
#include "shutdown/power_control.h"
#include "ui/frm_about.h"

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

  // The diagnostic log, created by the first report that needs it.
  persistence::SharedLog gLogErr{{platform.files, platform.clock, platform.messages, platform.shell}};

  TrayIconRecord gTrayIcon;
  std::unique_ptr<FrmMain> gFrmMain;
  std::unique_ptr<persistence::CRegSettings> gRegSettings;
  std::unique_ptr<shutdown::PowerControl> gPowerControl;
  std::unique_ptr<forceclose::ProcessControl> gProcessControl;

  schedule::ScheduleValues schedule;
  forceclose::AppEntryList AppEntries;

  std::string StartTime;   // "hh:mm" when a period timer was last started
  std::string TargetTime;  // period target, "h:m" without leading zeros
  // The period target with its date (to the minute), so that a machine that
  // slept through the target finds it due on waking, not a day later. Only a
  // period start sets it; any other start or a stop clears it.
  std::optional<platform::DateTime> PeriodTarget;
  VbBool TimerRunning = kFalse;
  std::int16_t MenuDefault = kDefaultTimeSet;
  std::int16_t LastMenuDefault = kDefaultTimeSet;

  // True while the countdown warning is shown.
  bool CountdownShown = false;

  // The About boxes open at the moment; each lives until it is closed.
  ui::AboutBoxes aboutBoxes;
};

}  // namespace vk::app
