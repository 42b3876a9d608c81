#pragma once
// Stands in for ProcessControl in tests: records every call, ends nothing.
#include "owners.h"
#include "dispatch_object.h"
#include "process_control_idl.h"

namespace vk::doubles {

class ProcessControlDouble final : public com::DispatchObject<ProcessControlDouble, IProcessControl> {
 public:
  ProcessControlDouble();

  HRESULT STDMETHODCALLTYPE get_Flags(LONG* flags) override;
  HRESULT STDMETHODCALLTYPE put_Flags(LONG* flags) override;
  HRESULT STDMETHODCALLTYPE get_ProcessPath(BSTR* path) override;
  HRESULT STDMETHODCALLTYPE put_ProcessPath(BSTR* path) override;
  HRESULT STDMETHODCALLTYPE get_ProcessesFound(LONG* count) override;
  HRESULT STDMETHODCALLTYPE get_GraceMilliseconds(LONG* milliseconds) override;
  HRESULT STDMETHODCALLTYPE put_GraceMilliseconds(LONG milliseconds) override;
  HRESULT STDMETHODCALLTYPE get_LastError(LONG* code) override;
  HRESULT STDMETHODCALLTYPE EndProcess(LONG* result) override;

 private:
  friend class com::DispatchObject<ProcessControlDouble, IProcessControl>;
  ~ProcessControlDouble();

  LONG flags_ = 0;
  com::Bstr path_;
  LONG grace_milliseconds_ = 5000;
};

}  // namespace vk::doubles
