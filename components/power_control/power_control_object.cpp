#include "power_control_object.h"

#include "power_action.h"
#include "power_plan.h"
#include "power_support.h"

namespace vk::power {
namespace {

VARIANT_BOOL ToVariantBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

}  // namespace

HRESULT PowerControlMembers::get_PowerAction(LONG* code) {
  if (code == nullptr) return E_POINTER;
  *code = action_;
  return S_OK;
}

HRESULT PowerControlMembers::put_PowerAction(LONG* code) {
  if (code == nullptr) return E_POINTER;
  action_ = *code;
  return S_OK;
}

HRESULT PowerControlMembers::get_ForceAction(LONG* force) {
  if (force == nullptr) return E_POINTER;
  *force = force_;
  return S_OK;
}

HRESULT PowerControlMembers::put_ForceAction(LONG* force) {
  if (force == nullptr) return E_POINTER;
  force_ = *force;
  return S_OK;
}

HRESULT PowerControlMembers::get_AltShutdownSupported(VARIANT_BOOL* supported) {
  if (supported == nullptr) return E_POINTER;
  *supported = ToVariantBool(AltShutdownAvailable());
  return S_OK;
}

HRESULT PowerControlMembers::get_HibernateSupported(VARIANT_BOOL* supported) {
  if (supported == nullptr) return E_POINTER;
  *supported = ToVariantBool(HibernateAllowed());
  return S_OK;
}

// Nothing happens unless both stored values are ones the contract knows; the
// shutdown privilege must be granted before any action is tried.
HRESULT PowerControlMembers::DoPowerAction(LONG* result) {
  if (result != nullptr) *result = 0;
  const PowerPlan plan = PlanPowerAction(action_, force_);
  if (plan.call == PowerCall::None) return E_INVALIDARG;
  const HRESULT privilege = EnableShutdownPrivilege();
  if (FAILED(privilege)) return privilege;
  DWORD error = ERROR_SUCCESS;
  const HRESULT done = CarryOut(plan, error);
  if (result != nullptr) *result = static_cast<LONG>(error);
  return done;
}

}  // namespace vk::power
