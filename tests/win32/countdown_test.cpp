// The countdown on the real binding under Wine, opened as the due tick opens
// it, with the recording doubles of the components registered: it counts from
// 3 with real timers, stays top-most while shown, and the doubles' record
// shows the calls and their order.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/startup.h"
#include "component_test_support.h"
#include "forceclose/app_entry.h"
#include "form_test_support.h"
#include "win32/clock.h"
#include "win32/com_components.h"
#include "win32/files.h"
#include "win32/form_binding.h"
#include "win32/registry.h"
#include "win32/shell.h"
#include "win32/tray.h"
#include "win32/window_services.h"

namespace vk::formtest {
namespace {

using Strings = std::vector<std::string>;

class RecordingMessages : public platform::MessageBoxes {
 public:
  int Show(const std::string& text, const std::string&, std::uint32_t) override {
    shown.push_back(text);
    return platform::kIdOk;
  }
  Strings shown;
};

// What the watcher saw of the countdown while it was shown.
struct Sighting {
  bool seen = false;
  bool topMost = false;
  std::string label;
  std::string shot;
  bool okDisabledAfterAction = false;
  bool clickOk = false;  // skip the countdown once it is seen
};
Sighting sighting;

BOOL CALLBACK FindCountdown(HWND window, LPARAM found) {
  if (ClassOf(window) == "VesperkitForm" && IsWindowVisible(window) && DescendantWithText(window, "&Cancel")) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

HWND LabelOf(HWND countdown) {
  for (HWND child : Descendants(countdown))
    if (WindowText(child).rfind("Time until shutdown: ", 0) == 0) return child;
  return nullptr;
}

// Runs inside the countdown's modal loop.
void CALLBACK Watch(HWND, UINT, UINT_PTR id, DWORD) {
  HWND countdown = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindCountdown, reinterpret_cast<LPARAM>(&countdown));
  if (countdown == nullptr) return;
  KillTimer(nullptr, id);
  sighting.seen = true;
  sighting.topMost = (GetWindowLongA(countdown, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  sighting.label = WindowText(LabelOf(countdown));
  sighting.shot = SaveWindowShot(countdown, sighting.clickOk ? "countdown-ok" : "countdown");
  if (!sighting.clickOk) return;
  HWND ok = DescendantWithText(countdown, "&OK");
  SendMessageA(ok, BM_CLICK, 0, 0);
  sighting.okDisabledAfterAction = IsWindow(ok) && !IsWindowEnabled(ok);
  // After a shutdown request the form stays; its frame still closes it.
  if (IsWindow(countdown)) PostMessageA(countdown, WM_CLOSE, 0, 0);
}

class CountdownOnWine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    ASSERT_EQ(comtest::RegisterDll("PowerControlDouble.dll"), S_OK) << comtest::ComponentFolder();
    ASSERT_EQ(comtest::RegisterDll("ProcessControlDouble.dll"), S_OK);
    record_ = comtest::TemporaryFileName();
    SetEnvironmentVariableA("VESPERKIT_RECORD_FILE", record_.c_str());
    state_ = std::make_unique<app::AppState>(services_);
    ASSERT_EQ(app::Startup(*state_), 0);
    schedule::ScheduleValues& s = state_->schedule;
    s.CancelTime = 3;
    s.Mode = 1;
    s.ForceAppClose = kTrue;
    state_->AppEntries = {forceclose::MakeAppEntry("C:\\Tools\\app.exe")};
    state_->TimerRunning = kTrue;
    DeleteFileA(record_.c_str());  // start-up's own calls are not the countdown's
    sighting = {};
  }
  void TearDown() override {
    state_.reset();
    SetEnvironmentVariableA("VESPERKIT_RECORD_FILE", nullptr);
    SetEnvironmentVariableA("VESPERKIT_DOUBLE_FAIL", nullptr);
    DeleteFileA(record_.c_str());
    EXPECT_EQ(comtest::RegisterDll("PowerControl.dll"), S_OK);
    EXPECT_EQ(comtest::RegisterDll("ProcessControl.dll"), S_OK);
    CoUninitialize();
  }

  // Opens the countdown as the due tick does, with the watcher running.
  void RunCountdown() {
    ASSERT_NE(SetTimer(nullptr, 0, 300, Watch), 0u);
    state_->ShowCountdown();
  }
  Strings Recorded() const { return comtest::ReadLines(record_); }

  win32::Win32Registry registry_;
  win32::Win32FileSystem files_;
  win32::Win32Clock clock_;
  win32::Win32Tray tray_;
  win32::Win32WindowServices windows_;
  RecordingMessages messages_;
  win32::Win32AppShell shell_;
  win32::Win32Launcher launcher_;
  win32::Win32FormToolkit forms_{GetModuleHandleA(nullptr)};
  win32::ComComponentFactory components_;
  app::PlatformServices services_{registry_, files_, clock_,    tray_,  windows_,
                                  messages_, shell_, launcher_, forms_, components_};
  std::unique_ptr<app::AppState> state_;
  std::string record_;
};

TEST_F(CountdownOnWine, CountsFromThreeTopMostThenSuspendsAfterClosingTheListedProgram) {
  RunCountdown();
  ASSERT_TRUE(sighting.seen);
  EXPECT_TRUE(sighting.topMost);
  EXPECT_TRUE(sighting.label == "Time until shutdown: 3 secs" || sighting.label == "Time until shutdown: 2 secs" ||
              sighting.label == "Time until shutdown: 1 secs")
      << sighting.label;
  EXPECT_FALSE(sighting.shot.empty());
  std::printf("countdown screenshot: %s\n", sighting.shot.c_str());
  EXPECT_EQ(Recorded(), (Strings{"PowerControl.PowerAction=64", "PowerControl.ForceAction=0", "ProcessControl.Flags=4",
                                 "ProcessControl.ProcessPath=C:\\Tools\\app.exe", "ProcessControl.EndProcess",
                                 "PowerControl.DoPowerAction"}));
  EXPECT_EQ(state_->TimerRunning, kFalse) << "Stop Timer ran after the suspend";
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(CountdownOnWine, OkSkipsToAForcedShutdownByTheNewerPathAndTheFormWaitsWithEverythingDisabled) {
  state_->schedule.Mode = 0;
  state_->schedule.ForceShutdown = kTrue;
  sighting.clickOk = true;
  RunCountdown();
  ASSERT_TRUE(sighting.seen);
  EXPECT_EQ(sighting.label, "Time until shutdown: 3 secs");
  EXPECT_TRUE(sighting.okDisabledAfterAction);
  EXPECT_EQ(Recorded(), (Strings{"PowerControl.AltShutdownSupported", "PowerControl.PowerAction=2",
                                 "PowerControl.ForceAction=-1", "ProcessControl.Flags=4",
                                 "ProcessControl.ProcessPath=C:\\Tools\\app.exe", "ProcessControl.EndProcess",
                                 "PowerControl.DoPowerAction"}));
}

TEST_F(CountdownOnWine, AFailingDoPowerActionIsReportedAndCalledOff) {
  SetEnvironmentVariableA("VESPERKIT_DOUBLE_FAIL", "DoPowerAction");
  sighting.clickOk = true;
  RunCountdown();
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_NE(messages_.shown[0].find("PowerControl.DoPowerAction failed with error 0x80004005"), std::string::npos)
      << messages_.shown[0];
  EXPECT_EQ(state_->TimerRunning, kFalse);
  EXPECT_EQ(Recorded().back(), "PowerControl.DoPowerAction");
}

}  // namespace
}  // namespace vk::formtest
