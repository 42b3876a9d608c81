#include "process_control_double.h"

#include "recorder.h"

namespace vk::doubles {
namespace {

constexpr const char* kComponent = "ProcessControl";

}  // namespace

ProcessControlDouble::ProcessControlDouble() : DispatchObject(IID_IProcessControl) {
  Record("ProcessControl.Created");
}
ProcessControlDouble::~ProcessControlDouble() { Record("ProcessControl.Released"); }

HRESULT ProcessControlDouble::get_Flags(LONG* flags) { return RecordedGet(kComponent, "Flags", flags_, flags); }

HRESULT ProcessControlDouble::put_Flags(LONG* flags) { return RecordedPut(kComponent, "Flags", flags, flags_); }

HRESULT ProcessControlDouble::get_ProcessPath(BSTR* path) {
  const HRESULT hr = RecordCall(kComponent, "ProcessPath");
  if (path == nullptr) return E_POINTER;
  *path = nullptr;
  if (FAILED(hr)) return hr;
  bool ok = false;
  *path = com::CopyBstr(path_.Get(), ok);
  return ok ? S_OK : E_OUTOFMEMORY;
}

HRESULT ProcessControlDouble::put_ProcessPath(BSTR* path) {
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

HRESULT ProcessControlDouble::get_ProcessesFound(LONG* count) {
  return RecordedGet(kComponent, "ProcessesFound", LONG{0}, count);
}

HRESULT ProcessControlDouble::get_GraceMilliseconds(LONG* milliseconds) {
  return RecordedGet(kComponent, "GraceMilliseconds", grace_milliseconds_, milliseconds);
}

HRESULT ProcessControlDouble::put_GraceMilliseconds(LONG milliseconds) {
  return RecordedPut(kComponent, "GraceMilliseconds", &milliseconds, grace_milliseconds_);
}

HRESULT ProcessControlDouble::get_LastError(LONG* code) { return RecordedGet(kComponent, "LastError", LONG{0}, code); }

HRESULT ProcessControlDouble::EndProcess(LONG* result) {
  return RecordedGet(kComponent, "EndProcess", LONG{0}, result);
}

}  // namespace vk::doubles
