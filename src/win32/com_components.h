#pragma once
// Creates PowerControl and ProcessControl by class identifier (in-process
// servers only) and hands them out behind the program's own interfaces. The
// adapters convert and call the dual interfaces' vtable members; they decide
// nothing. The thread must have entered a COM apartment first.
#include <memory>

#include "app/component_factory.h"

namespace vk::win32 {

class ComComponentFactory : public app::ComponentFactory {
 public:
  std::unique_ptr<shutdown::PowerControl> CreatePowerControl(HResult& error) override;
  std::unique_ptr<forceclose::ProcessControl> CreateProcessControl(HResult& error) override;
};

}  // namespace vk::win32
