#pragma once
// The Set Sleep Time dialog: the visible face of the hidden main form. Its
// controls are rows of the main form's table (AddSleepTimeControls) and its
// handlers run on the main form's model; where it must reach the timer or
// the tray it calls the main form through SleepTimeOwner.
#include <cstdint>
#include <memory>
#include <string>

#include "persistence/reg_settings.h"
#include "persistence/shared_log.h"
#include "platform/clock.h"
#include "platform/form_def.h"
#include "platform/form_model.h"
#include "platform/forms.h"
#include "platform/shell.h"
#include "platform/window_services.h"
#include "schedule/schedule_values.h"
#include "schedule/sleep_time_owner.h"

namespace vk::schedule {

// What the dialog reads and writes, and its services.
struct SleepTimeContext {
  platform::FormModel& form;
  SleepTimeOwner& owner;
  ScheduleValues& values;
  std::unique_ptr<persistence::CRegSettings>& settings;
  persistence::SharedLog& log;
  platform::WindowServices& windows;
  platform::MessageBoxes& messages;
  platform::AppShell& shell;
  platform::Clock& clock;
};

// The dialog's rows, appended to the main form's table.
void AddSleepTimeControls(platform::FormDef& form);

// The frames' arrangement: by time and date, or by period.
enum class Arrangement { TimeAndDate, Period };

class SleepTimeDialog {
 public:
  explicit SleepTimeDialog(const SleepTimeContext& context) : context_(context) {}

  // The dialog's events; false for events that are not the dialog's.
  bool OnEvent(const std::string& control, platform::FormEvent event, platform::EventArgs& args);

  // The main form's load: the lists, the date range and the saved settings.
  void LoadSettings();
  // The tray menu's Set Sleep Time: shows the dialog modally and returns once
  // OK or Cancel has hidden it.
  void Open();

  void optDayTime_Click();
  void optPeriod_Click();
  void mskOnTime_Validate(bool& cancel);
  void CmdOK_Click();
  void CmdCancel_Click();
  void CmdAdvanced_Click();
  void Form_QueryUnload(bool& cancel);

  void ArrangeFrames(Arrangement arrangement);
  bool Changed() const { return bChanged != kFalse; }

 private:
  void MarkChanged();
  void RestoreSettings();
  void FillModeList();
  bool HibernateOffered();
  // Selects the mode's entry; a mode that is no entry selects none.
  void SelectMode(std::int32_t mode);
  void ShowSavedOption();
  void RestorePeriod();
  void RestoreTimeAndDate();
  // The cancel period in the box, when it is a number the countdown can use.
  bool ReadCancelPeriod(std::int16_t& seconds);
  WindowHandle Window();

  SleepTimeContext context_;
  VbBool bChanged = kFalse;
  VbBool bFilling = kFalse;
  std::string sSavedTime;
  std::string sSavedDate;
  VbBool bSavedTimeSet = kFalse;
};

}  // namespace vk::schedule
