#pragma once
// The COM face of PowerControl, shared by the component and its recording
// double: every member of IPowerControl runs the member of the same name of
// Members behind the COM guard, so no exception leaves through a vtable slot
// or through IDispatch::Invoke.
#include "boundary_guard.h"
#include "dispatch_object.h"
#include "power_control_idl.h"

namespace vk::com {

template <class Members>
class PowerControlCom final : public DispatchObject<PowerControlCom<Members>, IPowerControl> {
  using Base = DispatchObject<PowerControlCom<Members>, IPowerControl>;

 public:
  PowerControlCom() : Base(IID_IPowerControl) {}

  HRESULT STDMETHODCALLTYPE get_PowerAction(LONG* code) override {
    return win32::GuardedCom("IPowerControl::get_PowerAction", [&] { return members_.get_PowerAction(code); });
  }
  HRESULT STDMETHODCALLTYPE put_PowerAction(LONG* code) override {
    return win32::GuardedCom("IPowerControl::put_PowerAction", [&] { return members_.put_PowerAction(code); });
  }
  HRESULT STDMETHODCALLTYPE get_ForceAction(LONG* force) override {
    return win32::GuardedCom("IPowerControl::get_ForceAction", [&] { return members_.get_ForceAction(force); });
  }
  HRESULT STDMETHODCALLTYPE put_ForceAction(LONG* force) override {
    return win32::GuardedCom("IPowerControl::put_ForceAction", [&] { return members_.put_ForceAction(force); });
  }
  HRESULT STDMETHODCALLTYPE get_AltShutdownSupported(VARIANT_BOOL* supported) override {
    return win32::GuardedCom("IPowerControl::get_AltShutdownSupported",
                             [&] { return members_.get_AltShutdownSupported(supported); });
  }
  HRESULT STDMETHODCALLTYPE get_HibernateSupported(VARIANT_BOOL* supported) override {
    return win32::GuardedCom("IPowerControl::get_HibernateSupported",
                             [&] { return members_.get_HibernateSupported(supported); });
  }
  HRESULT STDMETHODCALLTYPE DoPowerAction(LONG* result) override {
    return win32::GuardedCom("IPowerControl::DoPowerAction", [&] { return members_.DoPowerAction(result); });
  }

 private:
  friend Base;
  ~PowerControlCom() = default;

  Members members_;
};

}  // namespace vk::com
