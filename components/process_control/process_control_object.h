#pragma once
// The ProcessControl object: remembers the flags, the path and the grace
// period; EndProcess ends the running copies of the program at the path and
// reports what it found.
#include "owners.h"
#include "process_control_com.h"

namespace vk::process {

// The members of IProcessControl as the component carries them out; the COM
// face calls them.
class ProcessControlMembers {
 public:
  static constexpr LONG kDefaultGraceMilliseconds = 5000;

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
  LONG processes_found_ = 0;
  LONG grace_milliseconds_ = kDefaultGraceMilliseconds;
  LONG last_error_ = 0;
};

using ProcessControlObject = com::ProcessControlCom<ProcessControlMembers>;

}  // namespace vk::process
