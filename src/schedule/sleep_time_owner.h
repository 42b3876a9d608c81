#pragma once
// The main form as its Set Sleep Time dialog sees it: the form that shows the
// dialog, runs the schedule timer and owns the tray icon. The main form
// implements it.
#include <string>

#include "platform/forms.h"
#include "platform/types.h"
#include "schedule/timer_control.h"

namespace vk::schedule {

class SleepTimeOwner : public TimerControl {
 public:
  // The loaded form whose face the dialog is.
  virtual platform::FormHost& Host() = 0;
  // Enables or disables the tray menu's Start Timer and Stop Timer together.
  virtual void EnableTimerMenus(VbBool enabled) = 0;
  // Stores a new tip in the tray icon's record; the tray sees it once the
  // record is sent.
  virtual void SetTrayTip(const std::string& tip) = 0;
  // Sends the tray icon's record as it stands.
  virtual void SendTrayIcon() = 0;
  // Whether PowerControl says this machine can hibernate (no when it cannot
  // be made or asked).
  virtual bool HibernateSupported() = 0;
  // Shows the Advanced Options dialog modally over this form, fresh, and
  // releases it when it returns.
  virtual void OpenAdvancedOptions() = 0;
};

}  // namespace vk::schedule
