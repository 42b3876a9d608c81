#include "app/startup.h"

#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "fakes/test_world.h"

namespace vk::app {
namespace {

using fakes::TestWorld;

TEST(Startup, RunsItsStepsInOrderAndLeavesTheProgramResidentAndHidden) {
  TestWorld w;
  ASSERT_EQ(Startup(w.state), 0);

  const std::vector<std::string> expected = {
      "Pointer 11",          "Title Vesperkit", "Create PowerControl", "Create ProcessControl", "Load FrmMain",
      "IsWindow",            "GetSystemMenu",   "GetMenuItemInfo",     "SetMenuItemInfo",       "SetMenuItemInfo",
      "SendNcActivate",      "Tray Add",        "Hide FrmMain",        "Pointer 0"};
  EXPECT_EQ(w.journal.entries, expected);

  EXPECT_EQ(w.state.gRegSettings->Company(), "Quillfield Systems Ltd");
  EXPECT_EQ(w.state.gRegSettings->AppName(), "Vesperkit");
  ASSERT_TRUE(w.state.gFrmMain);
  EXPECT_FALSE(w.state.gFrmMain->Host().Visible());
  EXPECT_EQ(w.state.TimerRunning, kFalse);
  EXPECT_FALSE(w.state.gFrmMain->Model().Get("Timer1").enabled);
}

TEST(Startup, AddsTheIconWithTheFormsHandleIconAndTip) {
  TestWorld w;
  ASSERT_EQ(Startup(w.state), 0);
  const TrayIconRecord& r = w.state.gTrayIcon;
  EXPECT_EQ(r.cbSize, 88u);
  EXPECT_EQ(r.hWnd, w.state.gFrmMain->Host().Handle());
  EXPECT_EQ(r.uID, 1u);
  EXPECT_EQ(r.uFlags, 7u);
  EXPECT_EQ(r.uCallbackMessage, 0x200u);
  EXPECT_EQ(r.hIcon, w.forms.LoadIconResource(1));
  EXPECT_EQ(r.szTip.substr(0, 10), std::string("Vesperkit") + '\0');
  ASSERT_EQ(w.tray.calls.size(), 1u);
  EXPECT_EQ(w.tray.calls[0].record, r.Pack());
}

TEST(Startup, DisablesTheMainFormsCloseItem) {
  TestWorld w;
  ASSERT_EQ(Startup(w.state), 0);
  const auto& menu = w.windows.SystemMenu(w.state.gFrmMain->Host().Handle());
  EXPECT_EQ(menu.back().id, platform::kClosedItemId);
  EXPECT_EQ(menu.back().state & 3u, 3u);
}

TEST(Startup, AMissingComponentEndsBeforeTheIconWithAMessageNamingIt) {
  for (bool powerMissing : {true, false}) {
    TestWorld w;
    (powerMissing ? w.components.powerInstalled : w.components.processInstalled) = false;
    EXPECT_EQ(Startup(w.state), kExitMissingComponent);

    EXPECT_TRUE(w.tray.calls.empty());
    EXPECT_FALSE(w.state.gFrmMain);
    EXPECT_FALSE(w.state.gPowerControl);
    EXPECT_EQ(w.shell.pointer, platform::kPointerDefault);
    ASSERT_EQ(w.messages.shown.size(), 1u);
    const auto& m = w.messages.shown[0];
    EXPECT_EQ(m.title, "Vesperkit");
    EXPECT_NE(m.text.find(powerMissing ? "PowerControl" : "ProcessControl"), std::string::npos);
    EXPECT_NE(m.text.find("Reinstalling Vesperkit"), std::string::npos);
    EXPECT_NE(m.text.find("0x80040154"), std::string::npos);
    EXPECT_EQ(w.journal.Contains("Create ProcessControl"), !powerMissing);
  }
}

}  // namespace
}  // namespace vk::app
