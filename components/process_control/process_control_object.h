#pragma once
// The ProcessControl object: remembers the flags, the path and the grace
// period; EndProcess ends the running copies of the program at the path and
// reports what it found.
#include "owners.h"
#include "dispatch_object.h"
#include "process_control_idl.h"

namespace vk::process {

class ProcessControlObject final : public com::DispatchObject<ProcessControlObject, IProcessControl> {
 public:
  static constexpr LONG kDefaultGraceMilliseconds = 5000;

  ProcessControlObject() : DispatchObject(IID_IProcessControl) {}

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
  friend class com::DispatchObject<ProcessControlObject, IProcessControl>;
  ~ProcessControlObject() = default;

  LONG flags_ = 0;
  com::Bstr path_;
  LONG processes_found_ = 0;
  LONG grace_milliseconds_ = kDefaultGraceMilliseconds;
  LONG last_error_ = 0;
};

}  // namespace vk::process
