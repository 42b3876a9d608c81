// The due tick's way to the countdown warning, as the program wires it.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/startup.h"
#include "fakes/test_world.h"

namespace vk::app {
namespace {

TEST(CountdownWiring, ATimerStartedAgainWhileTheWarningIsUpOpensNoSecondWarning) {
  fakes::TestWorld w;
  ASSERT_EQ(Startup(w.state), 0);
  auto& main = static_cast<fakes::FakeFormHost&>(w.state.gFrmMain->Host());
  w.state.schedule.DayTime = kTrue;
  w.state.schedule.SleepTime = "09:00";
  w.state.schedule.SleepDate = "06/12/26";
  w.clock.now = {2026, 12, 6, 9, 30, 0};  // the target has passed today: every tick is due
  w.state.schedule.CancelTime = 5;

  int warnings = 0;
  w.forms.onModal = [&](fakes::FakeFormHost& form) {
    ++warnings;
    // The user starts the schedule again from the tray while the warning is up.
    main.Click("mnuTimerStart");
    main.Tick("Timer1");
    EXPECT_FALSE(main.Model().Get("Timer1").enabled);
    form.Click("CmdCancel");
  };
  main.Click("mnuTimerStart");
  main.Tick("Timer1");

  EXPECT_EQ(warnings, 1);
  EXPECT_FALSE(w.state.CountdownShown);
  EXPECT_FALSE(w.journal.Contains("Power.DoPowerAction"));
}

}  // namespace
}  // namespace vk::app
