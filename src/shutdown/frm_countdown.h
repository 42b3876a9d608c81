#pragma once
// FrmCountdown: the warning shown once the schedule is due. It counts the
// warning seconds down once a second, blinking its window, lets the user skip
// the rest (OK) or call the shutdown off (Cancel), and at zero has the listed
// programs closed and the power action carried out through PowerControl.
#include <cstdint>
#include <memory>
#include <string>

#include "forceclose/kill_proc.h"
#include "platform/forms.h"
#include "platform/shell.h"
#include "platform/window_services.h"
#include "schedule/timer_control.h"
#include "shutdown/power_control.h"

namespace vk::shutdown {

// The application state the countdown reads and writes, and its services.
struct CountdownContext {
  platform::FormToolkit& forms;
  platform::WindowServices& windows;
  platform::MessageBoxes& messages;
  platform::AppShell& shell;
  const std::int16_t& CancelTime;
  const std::int32_t& Mode;
  const VbBool& ForceShutdown;
  VbBool& TimerRunning;
  std::unique_ptr<PowerControl>& gPowerControl;
  PowerControlFactory& factory;
  // Closing the listed programs just before the power action.
  forceclose::KillProcContext listedApps;
  // Stopped once a suspend or hibernation has returned.
  schedule::TimerControl& timer;
};

class FrmCountdown : public platform::FormHandlers {
 public:
  explicit FrmCountdown(const CountdownContext& context);
  ~FrmCountdown() override;

  static const platform::FormDef& Definition();

  // Creates the window and runs Form_Load; the caller shows it.
  void Load();
  platform::FormHost& Host() { return *host_; }
  platform::FormModel& Model() { return model_; }
  std::int16_t SecsLeft() const { return SecsLeft_; }

  void OnEvent(const std::string& control, platform::FormEvent event, platform::EventArgs& args) override;

  void Form_Load();
  void Form_QueryUnload(bool& cancel);
  void Timer1_Timer();
  void CmdOK_Click();
  void CmdCancel_Click();

 private:
  void ShowSecondsLeft(int seconds);
  void PowerSequence();
  // Each returns false after telling the user what failed.
  bool ShutdownCode(PowerControl& power, std::int32_t& code);
  bool PerformAction(PowerControl& power, std::int32_t code);
  bool Succeeded(const char* member, HResult result);
  PowerControl* EnsurePowerControl();
  void ReportFailure(const std::string& what);
  // Cancel's steps without the unload, shared with closing through the frame.
  void CallOff();

  CountdownContext context_;
  platform::FormModel model_;
  std::unique_ptr<platform::FormHost> host_;
  std::int16_t SecsLeft_ = 0;
  bool acting_ = false;  // the power sequence is running
};

// Loads a fresh countdown, shows it modally over the owner window and returns
// once it has closed; the form is released afterwards, so every due target
// gets a new one.
void RunCountdown(const CountdownContext& context, WindowHandle owner);

}  // namespace vk::shutdown
