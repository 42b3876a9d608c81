#pragma once
// The PowerControl object: remembers the action and the force value, answers
// the two capability questions from the running system, and carries out the
// action on DoPowerAction (see components/README.md for what each code does).
#include "dispatch_object.h"
#include "power_control_idl.h"

namespace vk::power {

class PowerControlObject final : public com::DispatchObject<PowerControlObject, IPowerControl> {
 public:
  PowerControlObject() : DispatchObject(IID_IPowerControl) {}

  HRESULT STDMETHODCALLTYPE get_PowerAction(LONG* code) override;
  HRESULT STDMETHODCALLTYPE put_PowerAction(LONG* code) override;
  HRESULT STDMETHODCALLTYPE get_ForceAction(LONG* force) override;
  HRESULT STDMETHODCALLTYPE put_ForceAction(LONG* force) override;
  HRESULT STDMETHODCALLTYPE get_AltShutdownSupported(VARIANT_BOOL* supported) override;
  HRESULT STDMETHODCALLTYPE get_HibernateSupported(VARIANT_BOOL* supported) override;
  HRESULT STDMETHODCALLTYPE DoPowerAction(LONG* result) override;

 private:
  friend class com::DispatchObject<PowerControlObject, IPowerControl>;
  ~PowerControlObject() = default;

  LONG action_ = 0;
  LONG force_ = 0;
};

}  // namespace vk::power
