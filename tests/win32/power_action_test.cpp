// The real PowerControl's inner steps, checked without acting: which system
// call each action code and force value lead to, and the shutdown privilege.
#include <windows.h>

#include <gtest/gtest.h>

#include <tuple>

#include "power_action.h"
#include "power_plan.h"

namespace vk::power {
namespace {

TEST(PowerPlan, EachCodeAndForceValueChoosesItsCallAndOthersPlanNothing) {
  using Plan = std::tuple<LONG, LONG, PowerCall, UINT, DWORD>;  // code, force, call, exit and shutdown flags
  for (auto [code, force, call, exitFlags, shutdownFlags] :
       {Plan{16, 0, PowerCall::ExitWindows, EWX_SHUTDOWN | EWX_POWEROFF, 0},
        Plan{16, -1, PowerCall::ExitWindows, EWX_SHUTDOWN | EWX_POWEROFF | EWX_FORCE, 0},
        Plan{2, 0, PowerCall::InitiateShutdown, 0, kShutdownPowerOff},
        Plan{2, -1, PowerCall::InitiateShutdown, 0, kShutdownPowerOff | kShutdownForceOthers},
        Plan{64, 0, PowerCall::Suspend, 0, 0}, Plan{64, -1, PowerCall::Suspend, 0, 0},
        Plan{32, 0, PowerCall::Hibernate, 0, 0}, Plan{32, -1, PowerCall::Hibernate, 0, 0}}) {
    const PowerPlan p = PlanPowerAction(code, force);
    SCOPED_TRACE(std::to_string(code) + "," + std::to_string(force));
    EXPECT_EQ(p.call, call);
    EXPECT_EQ(p.exitFlags, exitFlags);
    EXPECT_EQ(p.shutdownFlags, shutdownFlags);
    EXPECT_EQ(p.forced, force == -1);
  }
  for (LONG code : {0, 1, 4, 8, 17, 33, 65, -1, -16}) EXPECT_EQ(PlanPowerAction(code, 0).call, PowerCall::None) << code;
  for (LONG force : {1, -2, 2, 16}) EXPECT_EQ(PlanPowerAction(16, force).call, PowerCall::None) << force;
  DWORD error = 5;
  EXPECT_EQ(CarryOut(PlanPowerAction(0, 0), error), E_INVALIDARG);
  EXPECT_EQ(error, 0u);
}

TEST(PowerPrivilege, TheShutdownPrivilegeIsEnabledAndChecked) {
  EXPECT_EQ(EnableShutdownPrivilege(), S_OK);
  EXPECT_EQ(EnableShutdownPrivilege(), S_OK) << "enabling it again is no error";
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  PRIVILEGE_SET wanted{1, PRIVILEGE_SET_ALL_NECESSARY, {}};
  LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &wanted.Privilege[0].Luid);
  BOOL held = FALSE;
  PrivilegeCheck(token, &wanted, &held);
  CloseHandle(token);
  EXPECT_TRUE(held);
}

}  // namespace
}  // namespace vk::power
