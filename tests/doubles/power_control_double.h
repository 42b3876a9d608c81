#pragma once
// Stands in for PowerControl in tests: records every call, performs nothing.
#include "dispatch_object.h"
#include "power_control_idl.h"

namespace vk::doubles {

class PowerControlDouble final : public com::DispatchObject<PowerControlDouble, IPowerControl> {
 public:
  PowerControlDouble();

  HRESULT STDMETHODCALLTYPE get_PowerAction(LONG* code) override;
  HRESULT STDMETHODCALLTYPE put_PowerAction(LONG* code) override;
  HRESULT STDMETHODCALLTYPE get_ForceAction(LONG* force) override;
  HRESULT STDMETHODCALLTYPE put_ForceAction(LONG* force) override;
  HRESULT STDMETHODCALLTYPE get_AltShutdownSupported(VARIANT_BOOL* supported) override;
  HRESULT STDMETHODCALLTYPE get_HibernateSupported(VARIANT_BOOL* supported) override;
  HRESULT STDMETHODCALLTYPE DoPowerAction(LONG* result) override;

 private:
  friend class com::DispatchObject<PowerControlDouble, IPowerControl>;
  ~PowerControlDouble();

  LONG action_ = 0;
  LONG force_ = 0;
};

}  // namespace vk::doubles
