#include "process_ending.h"

#include <algorithm>
#include <vector>

#include "process_matching.h"

namespace vk::process {
namespace {

// How long a terminated process gets to be gone before it counts as running.
constexpr DWORD kTerminateWaitMilliseconds = 2000;

struct CloseRequest {
  const std::vector<RunningProcess>* processes;
  bool asked = false;
};

BOOL CALLBACK AskWindowToClose(HWND window, LPARAM context) {
  auto& request = *reinterpret_cast<CloseRequest*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  for (const RunningProcess& process : *request.processes) {
    if (process.id != owner) continue;
    // Posted, not sent: a program that hangs must not hang us with it.
    if (PostMessageW(window, WM_CLOSE, 0, 0)) request.asked = true;
  }
  return TRUE;
}

// True when some window was asked; a program without one cannot be asked.
bool AskToClose(const std::vector<RunningProcess>& processes) {
  CloseRequest request{&processes};
  EnumWindows(AskWindowToClose, reinterpret_cast<LPARAM>(&request));
  return request.asked;
}

bool Running(const RunningProcess& process) { return WaitForSingleObject(process.handle.Get(), 0) == WAIT_TIMEOUT; }

// Waits until every process has ended or the time is up.
void WaitForEnd(const std::vector<RunningProcess>& processes, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (const RunningProcess& process : processes) {
    const DWORD spent = GetTickCount() - start;
    if (spent >= milliseconds) return;
    WaitForSingleObject(process.handle.Get(), milliseconds - spent);
  }
}

void Terminate(const std::vector<RunningProcess>& processes, EndingReport& report) {
  for (const RunningProcess& process : processes) {
    if (Running(process) && !TerminateProcess(process.handle.Get(), 1)) report.lastError = GetLastError();
  }
  WaitForEnd(processes, kTerminateWaitMilliseconds);
}

}  // namespace

EndingReport EndProcesses(const std::wstring& path, LONG flags, DWORD graceMilliseconds) {
  EndingReport report;
  const std::vector<RunningProcess> processes = FindProcesses(path);
  report.found = static_cast<LONG>(processes.size());
  if (processes.empty()) return report;

  if (AskToClose(processes)) WaitForEnd(processes, graceMilliseconds);
  if (flags & kFlagTerminate) Terminate(processes, report);

  const auto running = std::count_if(processes.begin(), processes.end(), Running);
  report.ended = report.found - static_cast<LONG>(running);
  if (running > 0 && report.lastError == 0) report.lastError = ERROR_TIMEOUT;
  return report;
}

}  // namespace vk::process
