#include "power_action.h"

#include <powrprof.h>

namespace vk::power {

namespace {

// Closes a token on every path out.
class Token {
 public:
  Token() = default;
  ~Token() {
    if (handle_ != nullptr) CloseHandle(handle_);
  }
  Token(const Token&) = delete;
  Token& operator=(const Token&) = delete;
  HANDLE* Put() { return &handle_; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

HRESULT FromError(DWORD error) { return error == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(error); }

// A refusal always carries a code, even when the system left none.
DWORD Refusal() {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
}

DWORD ShutdownByExitWindows(const PowerPlan& plan) {
  return ExitWindowsEx(plan.exitFlags, kShutdownReason) ? ERROR_SUCCESS : Refusal();
}

// The newer path is looked up, so the DLL loads where it is missing; there
// the shutdown goes the older way.
DWORD ShutdownByInitiateShutdown(const PowerPlan& plan) {
  using Initiate = DWORD(WINAPI*)(LPSTR, LPSTR, DWORD, DWORD, DWORD);
  HMODULE advapi = GetModuleHandleA("advapi32.dll");
  auto initiate = reinterpret_cast<Initiate>(
      reinterpret_cast<void*>(advapi != nullptr ? GetProcAddress(advapi, "InitiateShutdownA") : nullptr));
  if (initiate == nullptr) {
    PowerPlan older = PlanPowerAction(16, plan.forced ? -1 : 0);
    return ShutdownByExitWindows(older);
  }
  return initiate(nullptr, nullptr, 0, plan.shutdownFlags, kShutdownReason);
}

DWORD SuspendOrHibernate(const PowerPlan& plan) {
  const BOOLEAN hibernate = plan.call == PowerCall::Hibernate ? TRUE : FALSE;
  return SetSuspendState(hibernate, plan.forced ? TRUE : FALSE, FALSE) ? ERROR_SUCCESS : Refusal();
}

}  // namespace

HRESULT EnableShutdownPrivilege() {
  Token token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Put())) {
    const DWORD error = GetLastError();
    return error == ERROR_CALL_NOT_IMPLEMENTED ? S_OK : FromError(error);
  }
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) {
    return FromError(GetLastError());
  }
  SetLastError(ERROR_SUCCESS);
  if (!AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr)) return FromError(GetLastError());
  // AdjustTokenPrivileges succeeds even when it could not grant the privilege.
  if (GetLastError() == ERROR_NOT_ALL_ASSIGNED) return HRESULT_FROM_WIN32(ERROR_PRIVILEGE_NOT_HELD);
  return S_OK;
}

HRESULT CarryOut(const PowerPlan& plan, DWORD& error) {
  error = ERROR_SUCCESS;
  switch (plan.call) {
    case PowerCall::ExitWindows: error = ShutdownByExitWindows(plan); break;
    case PowerCall::InitiateShutdown: error = ShutdownByInitiateShutdown(plan); break;
    case PowerCall::Suspend:
    case PowerCall::Hibernate: error = SuspendOrHibernate(plan); break;
    case PowerCall::None: return E_INVALIDARG;
  }
  if (error == ERROR_SUCCESS) return S_OK;
  return FromError(error);
}

}  // namespace vk::power
