#pragma once
// gLogErr's slot: the shared diagnostic log, created by the first report that
// needs it and kept for the rest of the run.
#include <memory>

#include "persistence/log_err.h"

namespace vk::persistence {

class SharedLog {
 public:
  explicit SharedLog(LogServices services) : services_(services) {}

  cLogErr& operator*() { return Get(); }
  cLogErr* operator->() { return &Get(); }
  bool Exists() const { return instance_ != nullptr; }

 private:
  cLogErr& Get() {
    if (!instance_) instance_ = std::make_unique<cLogErr>(services_);
    return *instance_;
  }

  LogServices services_;
  std::unique_ptr<cLogErr> instance_;
};

}  // namespace vk::persistence
