#include "app/frm_main.h"

#include <functional>
#include <map>
#include <utility>

#include "app/about.h"
#include "app/app_state.h"
#include "app/tray_menu.h"
#include "forceclose/force_list.h"
#include "forceclose/frm_advanced.h"
#include "forceclose/kill_proc.h"
#include "resource_ids.h"
#include "schedule/schedule_settings.h"
#include "schedule/schedule_timer.h"
#include "schedule/time_conversions.h"
#include "shutdown/frm_countdown.h"
#include "ui/window_helpers.h"

namespace vk::app {

using platform::EventArgs;
using platform::FormEvent;

FrmMain::FrmMain(AppState& state)
    : state_(state),
      model_(Definition()),
      dialog_({model_, *this, state.schedule, state.gRegSettings, state.gLogErr, state.platform.windows,
               state.platform.messages, state.platform.shell, state.platform.clock}) {}

FrmMain::~FrmMain() = default;

void FrmMain::Load() { state_.platform.forms.Load(Definition(), model_, *this, host_); }

// The Set Sleep Time dialog's controls are the dialog's; the rest is the
// tray's and the timer's.
void FrmMain::OnEvent(const std::string& control, FormEvent event, EventArgs& args) {
  if (dialog_.OnEvent(control, event, args)) return;
  using Handler = std::function<void(FrmMain&, EventArgs&)>;
  static const std::map<std::pair<std::string, FormEvent>, Handler> handlers = {
      {{"Form", FormEvent::Load}, [](FrmMain& f, EventArgs&) { f.Form_Load(); }},
      {{"Form", FormEvent::Unload}, [](FrmMain& f, EventArgs&) { f.Form_Unload(); }},
      {{"Form", FormEvent::MouseMove},
       [](FrmMain& f, EventArgs& a) { f.Form_MouseMove(a.button, a.shift, a.x, a.y); }},
      {{"Form", FormEvent::TaskbarCreated}, [](FrmMain& f, EventArgs&) { f.Form_TaskbarCreated(); }},
      {{"Form", FormEvent::EndSession}, [](FrmMain& f, EventArgs&) { f.Form_EndSession(); }},
      {{"mnuAbout", FormEvent::Click}, [](FrmMain& f, EventArgs&) { f.mnuAbout_Click(); }},
      {{"mnuTimeSet", FormEvent::Click}, [](FrmMain& f, EventArgs&) { f.mnuTimeSet_Click(); }},
      {{"mnuTimerStart", FormEvent::Click}, [](FrmMain& f, EventArgs&) { f.mnuTimerStart_Click(); }},
      {{"mnuTimerStop", FormEvent::Click}, [](FrmMain& f, EventArgs&) { f.mnuTimerStop_Click(); }},
      {{"mnuExit", FormEvent::Click}, [](FrmMain& f, EventArgs&) { f.mnuExit_Click(); }},
      {{"Timer1", FormEvent::Timer}, [](FrmMain& f, EventArgs&) { f.Timer1_Timer(); }},
  };
  auto it = handlers.find({control, event});
  if (it != handlers.end()) it->second(*this, args);
}

void FrmMain::Form_Load() {
  ui::SetCloseItemState(state_.platform.windows, host_->Handle(), kFalse);
  dialog_.LoadSettings();
  // The force list is read last.
  forceclose::LoadAppList(state_.platform.files, state_.AppEntries);
}

void FrmMain::Form_Unload() { RemoveIconAndEnd(); }

// Windows is ending the session (possibly a shutdown we started): leave at
// once, without a trace in the tray and without vetoing anything.
void FrmMain::Form_EndSession() { RemoveIconAndEnd(); }

void FrmMain::RemoveIconAndEnd() {
  state_.platform.tray.Notify(platform::TrayMessage::Delete, state_.gTrayIcon.Pack());
  state_.gPowerControl.reset();
  state_.gProcessControl.reset();
  // gFrmMain is released with the process: this handler runs on it.
  state_.platform.forms.EndProgram(0);
}

// A restarted shell has forgotten our icon; add it again as it stands now.
void FrmMain::Form_TaskbarCreated() {
  state_.platform.tray.Notify(platform::TrayMessage::Add, state_.gTrayIcon.Pack());
}

void FrmMain::Form_MouseMove(int /*button*/, int /*shift*/, double x, double /*y*/) {
  if (TrayMessageFromX(x, host_->ScaleMode(), host_->TwipsPerPixelX()) != kWmRButtonUp) return;
  state_.platform.windows.SetForegroundWindow(host_->Handle());
  state_.LastMenuDefault = state_.MenuDefault;
  const std::string defaultItem = DefaultItemName(state_.MenuDefault);
  if (defaultItem.empty()) return;
  host_->PopupMenu("mnuMain", defaultItem);
  state_.MenuDefault = NextMenuDefault(state_.schedule.TimeSet, state_.TimerRunning);
}

bool FrmMain::FocusOpenModalDialog() {
  platform::FormHost* modal = state_.platform.forms.TopModal();
  if (modal == nullptr) return false;
  modal->BringToFront();
  return true;
}

void FrmMain::mnuAbout_Click() {
  if (FocusOpenModalDialog()) return;
  ShowAbout(state_);
}

// While the dialog is shown it is the open modal dialog: it comes to the
// front and is not shown twice.
void FrmMain::mnuTimeSet_Click() {
  if (FocusOpenModalDialog()) return;
  dialog_.Open();
}

// Starting again while armed simply fixes a new target.
void FrmMain::mnuTimerStart_Click() {
  schedule::ScheduleValues& s = state_.schedule;
  if (s.DayTime != kFalse) {
    s.SleepTime = schedule::TwoDigitTime(s.SleepTime);
    state_.PeriodTarget.reset();
  } else if (!StartPeriod()) {
    return;
  }
  model_.SetEnabled("Timer1", true);
  ShowClock(IDI_CLOCK_GREEN);
  state_.TimerRunning = kTrue;
}

bool FrmMain::StartPeriod() {
  const platform::DateTime now = state_.platform.clock.Now();
  state_.StartTime = schedule::ClockText(now);
  schedule::TimeParts period;
  if (!schedule::SplitTime(state_.schedule.SleepTime, period)) {
    state_.platform.messages.Show("Timer Initialisation Error\r\nRecheck Settings", state_.platform.shell.Title(),
                                  platform::kMbOk);
    return false;
  }
  state_.TargetTime = schedule::PeriodTargetTime(state_.StartTime, period);
  state_.PeriodTarget = schedule::PeriodTargetMoment(now, period);
  return true;
}

void FrmMain::mnuTimerStop_Click() { StopTimer(); }

// The same whether or not the timer was armed.
void FrmMain::StopTimer() {
  state_.TimerRunning = kFalse;
  model_.SetEnabled("Timer1", false);
  state_.PeriodTarget.reset();
  ShowClock(IDI_CLOCK_RED);
}

void FrmMain::ShowClock(int iconResource) {
  state_.gTrayIcon.hIcon = state_.platform.forms.LoadIconResource(iconResource);
  SendTrayIcon();
}

void FrmMain::SetTrayTip(const std::string& tip) { state_.gTrayIcon.SetTip(tip); }

// The component is made first when it is still missing; one that cannot be
// made or asked says no.
bool FrmMain::HibernateSupported() {
  if (!state_.gPowerControl) {
    HResult error = kS_OK;
    state_.gPowerControl = state_.platform.components.CreatePowerControl(error);
    if (!state_.gPowerControl) return false;
  }
  VbBool supported = kFalse;
  return !Failed(state_.gPowerControl->GetHibernateSupported(supported)) && supported != kFalse;
}

void FrmMain::OpenAdvancedOptions() {
  PlatformServices& p = state_.platform;
  schedule::ScheduleValues& s = state_.schedule;
  forceclose::ShowAdvancedOptions({{p.forms, p.windows, p.messages, p.shell, p.files, state_.AppEntries},
                                   s.ForceShutdown,
                                   s.ForceAppClose,
                                   [this] {
                                     if (state_.gRegSettings)
                                       schedule::SaveForceSettings(*state_.gRegSettings, state_.schedule);
                                   }},
                                  host_->Handle());
}

void FrmMain::SendTrayIcon() { state_.platform.tray.Notify(platform::TrayMessage::Modify, state_.gTrayIcon.Pack()); }

namespace {

// A fresh countdown over the main form; the main form stops the schedule
// after a suspend or hibernation.
void OpenCountdown(AppState& state, schedule::TimerControl& timer, WindowHandle owner) {
  PlatformServices& p = state.platform;
  const schedule::ScheduleValues& s = state.schedule;
  const forceclose::KillProcContext listedApps{s.ForceAppClose, state.AppEntries, state.gProcessControl,
                                               p.components, p.windows, p.files};
  shutdown::RunCountdown({p.forms, p.windows, p.messages, p.shell, s.CancelTime, s.Mode, s.ForceShutdown,
                          state.TimerRunning, state.gPowerControl, p.components, listedApps, timer},
                         owner);
}

}  // namespace

// A due tick disarms before the countdown opens, so no tick arrives while
// the countdown runs; TimerRunning stays True until the countdown decides.
// One warning at a time: the tray menu stays usable while the warning is up,
// and a schedule started again from it must not stack a second warning over
// the first. Such a due tick only disarms.
void FrmMain::Timer1_Timer() {
  if (!ScheduleDue()) {
    model_.SetEnabled("Timer1", true);
    return;
  }
  model_.SetEnabled("Timer1", false);
  if (state_.CountdownShown) return;
  state_.CountdownShown = true;
  OpenCountdown(state_, *this, host_->Handle());
  state_.CountdownShown = false;
}

bool FrmMain::ScheduleDue() {
  platform::Clock& clock = state_.platform.clock;
  const platform::DateTime now = clock.Now();
  const schedule::ScheduleValues& s = state_.schedule;
  if (s.DayTime != kFalse) return schedule::TimeAndDateDue(now, clock.DateSeparator(), s.SleepTime, s.SleepDate);
  // Only a period start fixes a period target; without one nothing is due.
  return state_.PeriodTarget && schedule::PeriodDue(now, *state_.PeriodTarget);
}

void FrmMain::EnableTimerMenus(VbBool enabled) {
  model_.SetEnabled("mnuTimerStart", enabled != kFalse);
  model_.SetEnabled("mnuTimerStop", enabled != kFalse);
}

void FrmMain::mnuExit_Click() { host_->Unload(); }

}  // namespace vk::app
