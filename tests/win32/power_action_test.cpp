// The real PowerControl's inner steps, checked without acting: which system
// call each action code and force value lead to, and the shutdown privilege.
#include <windows.h>

#include <gtest/gtest.h>

#include "power_action.h"
#include "power_plan.h"

namespace vk::power {
namespace {

TEST(PowerPlan, EachCodeAndForceValueChoosesItsCall) {
  PowerPlan p = PlanPowerAction(16, 0);
  EXPECT_EQ(p.call, PowerCall::ExitWindows);
  EXPECT_EQ(p.exitFlags, static_cast<UINT>(EWX_SHUTDOWN | EWX_POWEROFF));
  p = PlanPowerAction(16, -1);
  EXPECT_EQ(p.exitFlags, static_cast<UINT>(EWX_SHUTDOWN | EWX_POWEROFF | EWX_FORCE));
  p = PlanPowerAction(2, 0);
  EXPECT_EQ(p.call, PowerCall::InitiateShutdown);
  EXPECT_EQ(p.shutdownFlags, kShutdownPowerOff);
  p = PlanPowerAction(2, -1);
  EXPECT_EQ(p.shutdownFlags, kShutdownPowerOff | kShutdownForceOthers);
  p = PlanPowerAction(64, -1);
  EXPECT_EQ(p.call, PowerCall::Suspend);
  EXPECT_TRUE(p.forced);
  p = PlanPowerAction(32, 0);
  EXPECT_EQ(p.call, PowerCall::Hibernate);
  EXPECT_FALSE(p.forced);
}

TEST(PowerPlan, UnknownCodesAndForceValuesPlanNothing) {
  for (LONG code : {0, 1, 4, 8, 17, 33, 65, -1, -16})
    EXPECT_EQ(PlanPowerAction(code, 0).call, PowerCall::None) << code;
  for (LONG force : {1, -2, 2, 16})
    EXPECT_EQ(PlanPowerAction(16, force).call, PowerCall::None) << force;
  DWORD error = 5;
  EXPECT_EQ(CarryOut(PlanPowerAction(0, 0), error), E_INVALIDARG);
  EXPECT_EQ(error, 0u);
}

bool ShutdownPrivilegeEnabled() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  LUID shutdown{};
  LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &shutdown);
  PRIVILEGE_SET wanted{};
  wanted.PrivilegeCount = 1;
  wanted.Control = PRIVILEGE_SET_ALL_NECESSARY;
  wanted.Privilege[0].Luid = shutdown;
  BOOL held = FALSE;
  PrivilegeCheck(token, &wanted, &held);
  CloseHandle(token);
  return held != FALSE;
}

TEST(PowerPrivilege, TheShutdownPrivilegeIsEnabledAndChecked) {
  EXPECT_EQ(EnableShutdownPrivilege(), S_OK);
  EXPECT_TRUE(ShutdownPrivilegeEnabled());
  EXPECT_EQ(EnableShutdownPrivilege(), S_OK) << "enabling it again is no error";
}

}  // namespace
}  // namespace vk::power
