#include "shutdown/frm_countdown.h"

#include <cstdio>

#include "schedule/schedule_values.h"
#include "ui/window_helpers.h"

namespace vk::shutdown {

using platform::EventArgs;
using platform::FormEvent;
using schedule::kModeHibernate;
using schedule::kModeShutdown;
using schedule::kModeSuspend;

namespace {

std::string HexCode(HResult code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
  return text;
}

const char* ActionName(std::int32_t mode) {
  switch (mode) {
    case kModeSuspend: return "suspend";
    case kModeHibernate: return "hibernation";
    default: return "shutdown";
  }
}

}  // namespace

FrmCountdown::FrmCountdown(const CountdownContext& context) : context_(context), model_(Definition()) {}

FrmCountdown::~FrmCountdown() = default;

void FrmCountdown::Load() { context_.forms.Load(Definition(), model_, *this, host_); }

void FrmCountdown::OnEvent(const std::string& control, FormEvent event, EventArgs& args) {
  if (control == "Form" && event == FormEvent::Load) Form_Load();
  if (control == "Form" && event == FormEvent::QueryUnload) Form_QueryUnload(args.cancel);
  if (control == "Timer1" && event == FormEvent::Timer) Timer1_Timer();
  if (control == "CmdOK" && event == FormEvent::Click) CmdOK_Click();
  if (control == "CmdCancel" && event == FormEvent::Click) CmdCancel_Click();
}

void FrmCountdown::Form_Load() {
  ui::SetTopMost(context_.windows, host_->Handle(), kTrue);
  ShowSecondsLeft(context_.CancelTime);
  SecsLeft_ = context_.CancelTime;
  model_.SetEnabled("Timer1", true);
}

void FrmCountdown::ShowSecondsLeft(int seconds) {
  model_.SetText("Label1", "Time until shutdown: " + std::to_string(seconds) + " secs");
}

// Counting in a wide integer: a warning time below 1 starts the action at the
// first tick instead of counting past zero for ever.
void FrmCountdown::Timer1_Timer() {
  if (acting_) return;
  const int left = SecsLeft_ - 1;
  if (left > 0) {
    SecsLeft_ = static_cast<std::int16_t>(left);
    ShowSecondsLeft(left);
    model_.SetEnabled("Timer1", true);
    context_.windows.FlashWindow(host_->Handle(), true);
    return;
  }
  SecsLeft_ = 0;
  PowerSequence();
}

void FrmCountdown::CmdOK_Click() {
  if (acting_) return;
  SecsLeft_ = 1;
  Timer1_Timer();
}

void FrmCountdown::CmdCancel_Click() {
  CallOff();
  host_->Unload();
}

// Closing through the frame is Cancel; while the power sequence runs the
// form stays.
void FrmCountdown::Form_QueryUnload(bool& cancel) {
  if (acting_) {
    cancel = true;
    return;
  }
  CallOff();
}

void FrmCountdown::CallOff() {
  model_.SetEnabled("Timer1", false);
  ui::SetTopMost(context_.windows, host_->Handle(), kFalse);
  context_.TimerRunning = kFalse;
}

// After a shutdown the form stays, its controls disabled, until the session
// ends; after a suspend or hibernation the schedule is stopped and the form
// goes. Anything that keeps the action from starting is reported and then
// handled as Cancel, so the user can set things right and start again.
void FrmCountdown::PowerSequence() {
  acting_ = true;
  model_.SetEnabled("Timer1", false);
  model_.SetEnabled("CmdOK", false);
  model_.SetEnabled("CmdCancel", false);
  const std::int32_t mode = context_.Mode;
  bool done = false;
  if (mode != kModeShutdown && mode != kModeSuspend && mode != kModeHibernate) {
    ReportFailure("The shutdown could not start: the shutdown mode " + std::to_string(mode) +
                  " is not one of Shutdown, Suspend or Hibernate.");
  } else if (PowerControl* power = EnsurePowerControl()) {
    std::int32_t code = mode == kModeSuspend ? kActionSuspend : kActionHibernate;
    done = (mode != kModeShutdown || ShutdownCode(*power, code)) && PerformAction(*power, code);
  }
  acting_ = false;
  if (!done) {
    CmdCancel_Click();
    return;
  }
  if (mode == kModeShutdown) return;
  context_.timer.StopTimer();
  host_->Unload();
}

PowerControl* FrmCountdown::EnsurePowerControl() {
  if (!context_.gPowerControl) {
    HResult error = kS_OK;
    context_.gPowerControl = context_.factory.CreatePowerControl(error);
    if (!context_.gPowerControl) {
      ReportFailure("The shutdown could not start: the PowerControl component could not be created (error " +
                    HexCode(error) + ").");
      return nullptr;
    }
  }
  return context_.gPowerControl.get();
}

bool FrmCountdown::ShutdownCode(PowerControl& power, std::int32_t& code) {
  code = kActionShutdown;
  if (ui::OSMajorVersion(context_.windows) <= 4) return true;
  VbBool alternative = kFalse;
  if (!Succeeded("AltShutdownSupported", power.GetAltShutdownSupported(alternative))) return false;
  if (alternative != 0) code = kActionShutdownAlt;
  return true;
}

bool FrmCountdown::PerformAction(PowerControl& power, std::int32_t code) {
  if (!Succeeded("PowerAction", power.SetPowerAction(code))) return false;
  std::int32_t force = context_.ForceShutdown != 0 ? -1 : 0;
  if (!Succeeded("ForceAction", power.SetForceAction(force))) return false;
  forceclose::KillListedApps(context_.listedApps);
  std::int32_t result = 0;
  return Succeeded("DoPowerAction", power.DoPowerAction(result));
}

bool FrmCountdown::Succeeded(const char* member, HResult result) {
  if (!Failed(result)) return true;
  ReportFailure(std::string("The ") + ActionName(context_.Mode) + " could not be carried out: PowerControl." +
                member + " failed with error " + HexCode(result) + ".");
  return false;
}

void FrmCountdown::ReportFailure(const std::string& what) {
  context_.messages.Show(what + "\r\nThe shutdown has been called off; start the timer again when ready.",
                         context_.shell.Title(), platform::kMbOk | platform::kMbIconExclamation);
}

void RunCountdown(const CountdownContext& context, WindowHandle owner) {
  FrmCountdown form(context);
  form.Load();
  form.Host().Show(platform::ShowMode::Modal, owner);
}

}  // namespace vk::shutdown
