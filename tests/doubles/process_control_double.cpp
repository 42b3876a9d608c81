#include "process_control_double.h"

#include "recorder.h"

namespace vk::doubles {
namespace {

constexpr const char* kComponent = "ProcessControl";

}  // namespace

ProcessControlDoubleMembers::ProcessControlDoubleMembers() {
  Record("ProcessControl.Created");
}
ProcessControlDoubleMembers::~ProcessControlDoubleMembers() { Record("ProcessControl.Released"); }

HRESULT ProcessControlDoubleMembers::get_Flags(LONG* flags) {
  return RecordedGet(kComponent, "Flags", flags_, flags);
}

HRESULT ProcessControlDoubleMembers::put_Flags(LONG* flags) {
  return RecordedPut(kComponent, "Flags", flags, flags_);
}

HRESULT ProcessControlDoubleMembers::get_ProcessPath(BSTR* path) {
  const HRESULT hr = RecordCall(kComponent, "ProcessPath");
  if (path == nullptr) return E_POINTER;
  *path = nullptr;
  if (FAILED(hr)) return hr;
  bool ok = false;
  *path = com::CopyBstr(path_.Get(), ok);
  return ok ? S_OK : E_OUTOFMEMORY;
}

HRESULT ProcessControlDoubleMembers::put_ProcessPath(BSTR* path) {
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

HRESULT ProcessControlDoubleMembers::get_ProcessesFound(LONG* count) {
  return RecordedGet(kComponent, "ProcessesFound", LONG{0}, count);
}

HRESULT ProcessControlDoubleMembers::get_GraceMilliseconds(LONG* milliseconds) {
  return RecordedGet(kComponent, "GraceMilliseconds", grace_milliseconds_, milliseconds);
}

HRESULT ProcessControlDoubleMembers::put_GraceMilliseconds(LONG milliseconds) {
  return RecordedPut(kComponent, "GraceMilliseconds", &milliseconds, grace_milliseconds_);
}

HRESULT ProcessControlDoubleMembers::get_LastError(LONG* code) {
  return RecordedGet(kComponent, "LastError", LONG{0}, code);
}

HRESULT ProcessControlDoubleMembers::EndProcess(LONG* result) {
  return RecordedGet(kComponent, "EndProcess", LONG{0}, result);
}

}  // namespace vk::doubles
