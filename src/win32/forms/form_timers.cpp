#include "win32/forms/form_timers.h"

namespace vk::win32 {

namespace {

constexpr UINT_PTR kFirstTimerId = 100;

}  // namespace

void FormTimers::Apply(HWND window, const std::string& timer, bool restart) {
  const platform::ControlState& state = model_.Get(timer);
  const bool wanted = state.enabled && state.interval > 0;
  UINT_PTR& id = ids_[timer];
  if (id == 0) {
    id = kFirstTimerId + ids_.size();
    names_[id] = timer;
  }
  bool& running = running_[timer];
  if (!wanted) {
    if (running) KillTimer(window, id);
    running = false;
  } else if (restart || !running) {
    running = SetTimer(window, id, static_cast<UINT>(state.interval), nullptr) != 0;
  }
}

const std::string* FormTimers::Due(UINT_PTR id) const {
  auto it = names_.find(id);
  return it != names_.end() && Running(it->second) ? &it->second : nullptr;
}

bool FormTimers::Running(const std::string& timer) const {
  auto it = running_.find(timer);
  return it != running_.end() && it->second;
}

void FormTimers::StopAll(HWND window) {
  for (const auto& [id, name] : names_) KillTimer(window, id);
  for (auto& [name, running] : running_) running = false;
}

}  // namespace vk::win32
