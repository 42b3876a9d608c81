#pragma once
// The schedule timer as the countdown sees it: after a suspend or hibernation
// the schedule is stopped, as Stop Timer in the tray menu stops it. The main
// form, which runs the timer, implements it.
namespace vk::schedule {

class TimerControl {
 public:
  virtual ~TimerControl() = default;
  // Disarms the timer and shows the stopped clock in the tray.
  virtual void StopTimer() = 0;
};

}  // namespace vk::schedule
