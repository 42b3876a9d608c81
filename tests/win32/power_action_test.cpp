// The real PowerControl's inner steps, checked without acting: which system
// call each action code and force value lead to, and the shutdown privilege.
#include <windows.h>

#include <gtest/gtest.h>

#include "power_action.h"
#include "power_plan.h"

namespace vk::power {
namespace {

TEST(PowerPlan, EachCodeAndForceValueChoosesItsCallAndOthersPlanNothing) {
  struct Case {
    LONG code;
    LONG force;
    PowerCall call;
    UINT exitFlags;
    DWORD shutdownFlags;
  };
  for (const Case& c : {Case{16, 0, PowerCall::ExitWindows, EWX_SHUTDOWN | EWX_POWEROFF, 0},
                        Case{16, -1, PowerCall::ExitWindows, EWX_SHUTDOWN | EWX_POWEROFF | EWX_FORCE, 0},
                        Case{2, 0, PowerCall::InitiateShutdown, 0, kShutdownPowerOff},
                        Case{2, -1, PowerCall::InitiateShutdown, 0, kShutdownPowerOff | kShutdownForceOthers},
                        Case{64, 0, PowerCall::Suspend, 0, 0}, Case{64, -1, PowerCall::Suspend, 0, 0},
                        Case{32, 0, PowerCall::Hibernate, 0, 0}, Case{32, -1, PowerCall::Hibernate, 0, 0}}) {
    const PowerPlan p = PlanPowerAction(c.code, c.force);
    SCOPED_TRACE(std::to_string(c.code) + "," + std::to_string(c.force));
    EXPECT_EQ(p.call, c.call);
    EXPECT_EQ(p.exitFlags, c.exitFlags);
    EXPECT_EQ(p.shutdownFlags, c.shutdownFlags);
    EXPECT_EQ(p.forced, c.force == -1);
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
