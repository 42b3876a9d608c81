#pragma once
// Ending the running copies of one program.
#include <windows.h>

#include <string>

namespace vk::process {

// Flags bit: after asking, terminate whatever still runs once the grace
// period is over. Without it the program is only asked to close.
inline constexpr LONG kFlagTerminate = 4;

struct EndingReport {
  LONG found = 0;       // matching processes at the start
  LONG ended = 0;       // of those, the ones no longer running at the end
  DWORD lastError = 0;  // system error met, ERROR_TIMEOUT for a copy that would not end
};

// Asks every running copy of the program at the path to close (WM_CLOSE to
// its top-level windows), waits up to the grace period for them to go, and
// with kFlagTerminate terminates the rest. The calling process is never among
// them, so a program may hand over its own executable and live on.
EndingReport EndProcesses(const std::wstring& path, LONG flags, DWORD graceMilliseconds);

}  // namespace vk::process
