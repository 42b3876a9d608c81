#include "process_control_object.h"

#include <new>
#include <string>

#include "process_ending.h"

namespace vk::process {
namespace {

HRESULT ReadLong(LONG value, LONG* out) {
  if (out == nullptr) return E_POINTER;
  *out = value;
  return S_OK;
}

}  // namespace

HRESULT ProcessControlMembers::get_Flags(LONG* flags) { return ReadLong(flags_, flags); }

HRESULT ProcessControlMembers::put_Flags(LONG* flags) {
  if (flags == nullptr) return E_POINTER;
  flags_ = *flags;
  return S_OK;
}

HRESULT ProcessControlMembers::get_ProcessPath(BSTR* path) {
  if (path == nullptr) return E_POINTER;
  bool ok = false;
  *path = com::CopyBstr(path_.Get(), ok);
  return ok ? S_OK : E_OUTOFMEMORY;
}

HRESULT ProcessControlMembers::put_ProcessPath(BSTR* path) {
  if (path == nullptr) return E_POINTER;
  // The caller keeps its string and may free it as soon as the call returns.
  bool ok = false;
  BSTR copy = com::CopyBstr(*path, ok);
  if (!ok) return E_OUTOFMEMORY;
  path_.Replace(copy);
  return S_OK;
}

HRESULT ProcessControlMembers::get_ProcessesFound(LONG* count) { return ReadLong(processes_found_, count); }

HRESULT ProcessControlMembers::get_GraceMilliseconds(LONG* milliseconds) {
  return ReadLong(grace_milliseconds_, milliseconds);
}

HRESULT ProcessControlMembers::put_GraceMilliseconds(LONG milliseconds) {
  if (milliseconds < 0) return E_INVALIDARG;
  grace_milliseconds_ = milliseconds;
  return S_OK;
}

HRESULT ProcessControlMembers::get_LastError(LONG* code) { return ReadLong(last_error_, code); }

HRESULT ProcessControlMembers::EndProcess(LONG* result) {
  if (result != nullptr) *result = 0;
  try {
    const std::wstring path(path_.Get() != nullptr ? path_.Get() : L"", path_.Length());
    const EndingReport report = EndProcesses(path, flags_, static_cast<DWORD>(grace_milliseconds_));
    processes_found_ = report.found;
    last_error_ = static_cast<LONG>(report.lastError);
    if (result != nullptr) *result = report.ended;
    return report.ended == report.found ? S_OK : HRESULT_FROM_WIN32(report.lastError);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace vk::process
