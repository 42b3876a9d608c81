#pragma once
// The timers of a form: a Windows timer runs behind each one exactly while it
// is enabled with an interval, and nothing polls.
#include <windows.h>

#include <map>
#include <string>

#include "platform/form_model.h"

namespace vk::win32 {

class FormTimers {
 public:
  explicit FormTimers(const platform::FormModel& model) : model_(model) {}

  // After a change of the model: starts or stops the timer. Enabling a
  // running timer again leaves it running; a new interval starts it afresh.
  // A timer whose SetTimer failed is not running.
  void Apply(HWND window, const std::string& timer, bool restart);
  // The running timer behind a WM_TIMER, or null.
  const std::string* Due(UINT_PTR id) const;
  bool Running(const std::string& timer) const;
  void StopAll(HWND window);

 private:
  const platform::FormModel& model_;
  std::map<std::string, UINT_PTR> ids_;
  std::map<UINT_PTR, std::string> names_;
  std::map<std::string, bool> running_;
};

}  // namespace vk::win32
