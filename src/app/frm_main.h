#pragma once
// FrmMain: the hidden main form. It owns the tray icon and its menu and the
// schedule timer; its dialog face is the Set Sleep Time dialog.
#include <memory>
#include <string>

#include "platform/forms.h"
#include "platform/types.h"
#include "schedule/sleep_time_dialog.h"
#include "schedule/sleep_time_owner.h"

namespace vk::app {

struct AppState;

class FrmMain : public platform::FormHandlers, public schedule::SleepTimeOwner {
 public:
  explicit FrmMain(AppState& state);
  ~FrmMain() override;

  static const platform::FormDef& Definition();

  // Creates the windows and runs Form_Load; the form stays hidden.
  void Load();
  platform::FormHost& Host() override { return *host_; }
  platform::FormModel& Model() { return model_; }
  schedule::SleepTimeDialog& Dialog() { return dialog_; }

  void OnEvent(const std::string& control, platform::FormEvent event, platform::EventArgs& args) override;

  void Form_Load();
  void Form_Unload();
  void Form_MouseMove(int button, int shift, double x, double y);
  void Form_TaskbarCreated();
  void Form_EndSession();

  void mnuAbout_Click();
  void mnuTimeSet_Click();
  void mnuTimerStart_Click();
  void mnuTimerStop_Click();
  void mnuExit_Click();
  void Timer1_Timer();

  void EnableTimerMenus(VbBool enabled) override;

  // Stop Timer, for the countdown after a suspend or hibernation and the
  // Set Sleep Time dialog's OK.
  void StopTimer() override;
  void SetTrayTip(const std::string& tip) override;
  void SendTrayIcon() override;
  bool HibernateSupported() override;
  void OpenAdvancedOptions() override;

 private:
  // True when a modal dialog of the program is open: it is brought to the
  // front instead of opening a second dialog over it.
  bool FocusOpenModalDialog();
  void RemoveIconAndEnd();
  // Fixes StartTime and the period target; false (after telling the user)
  // when the period has no colon.
  bool StartPeriod();
  bool ScheduleDue();
  // Shows one of the two clock icons in the tray.
  void ShowClock(int iconResource);

  AppState& state_;
  platform::FormModel model_;
  std::unique_ptr<platform::FormHost> host_;
  schedule::SleepTimeDialog dialog_;
};

}  // namespace vk::app
