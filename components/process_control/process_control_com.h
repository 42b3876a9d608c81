#pragma once
// The COM face of ProcessControl, shared by the component and its recording
// double: every member of IProcessControl runs the member of the same name of
// Members behind the COM guard, so no exception leaves through a vtable slot
// or through IDispatch::Invoke.
#include "boundary_guard.h"
#include "dispatch_object.h"
#include "process_control_idl.h"

namespace vk::com {

template <class Members>
class ProcessControlCom final : public DispatchObject<ProcessControlCom<Members>, IProcessControl> {
  using Base = DispatchObject<ProcessControlCom<Members>, IProcessControl>;

 public:
  ProcessControlCom() : Base(IID_IProcessControl) {}

  HRESULT STDMETHODCALLTYPE get_Flags(LONG* flags) override {
    return win32::GuardedCom("IProcessControl::get_Flags", [&] { return members_.get_Flags(flags); });
  }
  HRESULT STDMETHODCALLTYPE put_Flags(LONG* flags) override {
    return win32::GuardedCom("IProcessControl::put_Flags", [&] { return members_.put_Flags(flags); });
  }
  HRESULT STDMETHODCALLTYPE get_ProcessPath(BSTR* path) override {
    return win32::GuardedCom("IProcessControl::get_ProcessPath", [&] { return members_.get_ProcessPath(path); });
  }
  HRESULT STDMETHODCALLTYPE put_ProcessPath(BSTR* path) override {
    return win32::GuardedCom("IProcessControl::put_ProcessPath", [&] { return members_.put_ProcessPath(path); });
  }
  HRESULT STDMETHODCALLTYPE get_ProcessesFound(LONG* count) override {
    return win32::GuardedCom("IProcessControl::get_ProcessesFound", [&] { return members_.get_ProcessesFound(count); });
  }
  HRESULT STDMETHODCALLTYPE get_GraceMilliseconds(LONG* milliseconds) override {
    return win32::GuardedCom("IProcessControl::get_GraceMilliseconds",
                             [&] { return members_.get_GraceMilliseconds(milliseconds); });
  }
  HRESULT STDMETHODCALLTYPE put_GraceMilliseconds(LONG milliseconds) override {
    return win32::GuardedCom("IProcessControl::put_GraceMilliseconds",
                             [&] { return members_.put_GraceMilliseconds(milliseconds); });
  }
  HRESULT STDMETHODCALLTYPE get_LastError(LONG* code) override {
    return win32::GuardedCom("IProcessControl::get_LastError", [&] { return members_.get_LastError(code); });
  }
  HRESULT STDMETHODCALLTYPE EndProcess(LONG* result) override {
    return win32::GuardedCom("IProcessControl::EndProcess", [&] { return members_.EndProcess(result); });
  }

 private:
  friend Base;
  ~ProcessControlCom() = default;

  Members members_;
};

}  // namespace vk::com
