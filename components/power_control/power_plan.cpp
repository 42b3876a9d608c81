#include "power_plan.h"

namespace vk::power {

PowerPlan PlanPowerAction(LONG action, LONG force) {
  PowerPlan plan;
  if (force != -1 && force != 0) return plan;
  plan.forced = force == -1;
  switch (action) {
    case 16:
      plan.call = PowerCall::ExitWindows;
      plan.exitFlags = EWX_SHUTDOWN | EWX_POWEROFF | (plan.forced ? EWX_FORCE : 0u);
      break;
    case 2:
      plan.call = PowerCall::InitiateShutdown;
      plan.shutdownFlags = kShutdownPowerOff | (plan.forced ? kShutdownForceOthers : 0u);
      break;
    case 64: plan.call = PowerCall::Suspend; break;
    case 32: plan.call = PowerCall::Hibernate; break;
    default: break;
  }
  return plan;
}

}  // namespace vk::power
