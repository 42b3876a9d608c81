#pragma once
// The ProcessControl component as the program calls it. Texts are ANSI here;
// the Windows adapter converts the path to a BSTR at the COM boundary.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/types.h"

namespace vk::forceclose {

class ProcessControl {
 public:
  virtual ~ProcessControl() = default;
  virtual HResult SetFlags(std::int32_t& flags) = 0;            // slot 8
  virtual HResult SetProcessPath(std::string& path) = 0;       // slot 10
  virtual HResult EndProcess(std::int32_t& result) = 0;        // slot 15
};

class ProcessControlFactory {
 public:
  virtual ~ProcessControlFactory() = default;
  // No object when the component cannot be created; error gets the reason.
  virtual std::unique_ptr<ProcessControl> CreateProcessControl(HResult& error) = 0;
};

}  // namespace vk::forceclose
