#pragma once
// Stands in for ProcessControl in tests: records every call, ends nothing.
#include "owners.h"
#include "process_control_com.h"
#include "recorder.h"

namespace vk::doubles {

class ProcessControlDoubleMembers {
 public:
  ProcessControlDoubleMembers() { Record("ProcessControl.Created"); }
  ~ProcessControlDoubleMembers() { Record("ProcessControl.Released"); }

  HRESULT get_Flags(LONG* flags) { return RecordedGet(kComponent, "Flags", flags_, flags); }
  HRESULT put_Flags(LONG* flags) { return RecordedPut(kComponent, "Flags", flags, flags_); }
  HRESULT get_ProcessPath(BSTR* path) {
    const HRESULT hr = RecordCall(kComponent, "ProcessPath");
    if (path == nullptr) return E_POINTER;
    *path = nullptr;
    if (FAILED(hr)) return hr;
    bool ok = false;
    *path = com::CopyBstr(path_.Get(), ok);
    return ok ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT put_ProcessPath(BSTR* path) {
    if (path == nullptr) {
      RecordCall(kComponent, "ProcessPath", "(null)");
      return E_POINTER;
    }
    const HRESULT hr = RecordCall(kComponent, "ProcessPath", ToAnsi(*path));
    if (FAILED(hr)) return hr;
    bool ok = false;
    BSTR copy = com::CopyBstr(*path, ok);
    if (!ok) return E_OUTOFMEMORY;
    path_.Replace(copy);
    return S_OK;
  }
  HRESULT get_ProcessesFound(LONG* count) { return RecordedGet(kComponent, "ProcessesFound", LONG{0}, count); }
  HRESULT get_GraceMilliseconds(LONG* milliseconds) {
    return RecordedGet(kComponent, "GraceMilliseconds", grace_, milliseconds);
  }
  HRESULT put_GraceMilliseconds(LONG milliseconds) {
    return RecordedPut(kComponent, "GraceMilliseconds", &milliseconds, grace_);
  }
  HRESULT get_LastError(LONG* code) { return RecordedGet(kComponent, "LastError", LONG{0}, code); }
  HRESULT EndProcess(LONG* result) { return RecordedGet(kComponent, "EndProcess", LONG{0}, result); }

 private:
  static constexpr const char* kComponent = "ProcessControl";
  LONG flags_ = 0;
  com::Bstr path_;
  LONG grace_ = 5000;
};

using ProcessControlDouble = com::ProcessControlCom<ProcessControlDoubleMembers>;

}  // namespace vk::doubles
