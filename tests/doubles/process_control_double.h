#pragma once
// Stands in for ProcessControl in tests: records every call, ends nothing.
#include "owners.h"
#include "process_control_com.h"

namespace vk::doubles {

class ProcessControlDoubleMembers {
 public:
  ProcessControlDoubleMembers();
  ~ProcessControlDoubleMembers();

  HRESULT get_Flags(LONG* flags);
  HRESULT put_Flags(LONG* flags);
  HRESULT get_ProcessPath(BSTR* path);
  HRESULT put_ProcessPath(BSTR* path);
  HRESULT get_ProcessesFound(LONG* count);
  HRESULT get_GraceMilliseconds(LONG* milliseconds);
  HRESULT put_GraceMilliseconds(LONG milliseconds);
  HRESULT get_LastError(LONG* code);
  HRESULT EndProcess(LONG* result);

 private:
  LONG flags_ = 0;
  com::Bstr path_;
  LONG grace_milliseconds_ = 5000;
};

using ProcessControlDouble = com::ProcessControlCom<ProcessControlDoubleMembers>;

}  // namespace vk::doubles
