#include "app/countdown.h"

#include "app/app_state.h"
#include "app/frm_main.h"
#include "app/kill_listed_apps.h"
#include "shutdown/frm_countdown.h"

namespace vk::app {

namespace {

class MainFormCalls final : public shutdown::CountdownCalls {
 public:
  explicit MainFormCalls(AppState& state) : state_(state) {}
  void KillListedApps() override { app::KillListedApps(state_); }
  void mnuTimerStop_Click() override {
    if (state_.gFrmMain) state_.gFrmMain->mnuTimerStop_Click();
  }

 private:
  AppState& state_;
};

void ShowCountdown(AppState& state) {
  MainFormCalls calls(state);
  PlatformServices& p = state.platform;
  const shutdown::CountdownContext context{p.forms,
                                           p.windows,
                                           p.messages,
                                           p.shell,
                                           state.schedule.CancelTime,
                                           state.schedule.Mode,
                                           state.schedule.ForceShutdown,
                                           state.TimerRunning,
                                           state.gPowerControl,
                                           p.components,
                                           calls};
  shutdown::RunCountdown(context, state.gFrmMain ? state.gFrmMain->Host().Handle() : 0);
}

}  // namespace

// One warning at a time: the tray menu stays usable while the warning is up,
// and a schedule started again from it must not stack a second warning over
// the first. Such a due tick only disarms.
void ConnectCountdown(AppState& state) {
  state.ShowCountdown = [&state] {
    if (state.CountdownShown) return;
    state.CountdownShown = true;
    ShowCountdown(state);
    state.CountdownShown = false;
  };
}

}  // namespace vk::app
