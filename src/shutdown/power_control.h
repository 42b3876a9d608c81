#pragma once
// The PowerControl component as the program calls it. The Windows adapter
// forwards each member to the dual interface's vtable slot named beside it.
#include <cstdint>
#include <memory>

#include "platform/types.h"

namespace vk::shutdown {

// Action codes for PowerAction.
inline constexpr std::int32_t kActionShutdown = 16;
inline constexpr std::int32_t kActionShutdownAlt = 2;
inline constexpr std::int32_t kActionSuspend = 64;
inline constexpr std::int32_t kActionHibernate = 32;

class PowerControl {
 public:
  virtual ~PowerControl() = default;
  virtual HResult SetPowerAction(std::int32_t& code) = 0;            // slot 8
  virtual HResult SetForceAction(std::int32_t& force) = 0;           // slot 10
  virtual HResult GetAltShutdownSupported(VbBool& supported) = 0;    // slot 11
  virtual HResult GetHibernateSupported(VbBool& supported) = 0;      // slot 12
  virtual HResult DoPowerAction(std::int32_t& result) = 0;           // slot 13
};

class PowerControlFactory {
 public:
  virtual ~PowerControlFactory() = default;
  // No object when the component cannot be created; error gets the reason.
  virtual std::unique_ptr<PowerControl> CreatePowerControl(HResult& error) = 0;
};

}  // namespace vk::shutdown
