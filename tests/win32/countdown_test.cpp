// The countdown on the real binding under Wine, opened as the due tick opens
// it, with the recording doubles of the components registered: real timers
// count it down from 3 while it is top-most, and the doubles' record shows the
// calls and their order.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/frm_main.h"
#include "app/startup.h"
#include "forceclose/app_entry.h"
#include "support.h"
#include "win32/clock.h"
#include "win32/com_components.h"
#include "win32/files.h"
#include "win32/registry.h"
#include "win32/shell.h"
#include "win32/tray.h"
#include "win32/window_services.h"

namespace vk::wintest {
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

// Every text the countdown's label is given, each with whether its form was
// top-most at that moment.
Strings labels;

LRESULT CALLBACK WatchLabel(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = code == HC_ACTION ? reinterpret_cast<const CWPSTRUCT*>(lParam) : nullptr;
  const char* text = call && call->message == WM_SETTEXT ? reinterpret_cast<const char*>(call->lParam) : nullptr;
  if (text != nullptr && std::string(text).starts_with("Time until shutdown: ")) {
    const bool topMost = GetWindowLongA(GetAncestor(call->hwnd, GA_ROOT), GWL_EXSTYLE) & WS_EX_TOPMOST;
    labels.push_back(text + std::string(topMost ? "" : " (not top-most)"));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(CountdownOnWine, CountsFromThreeTopMostThenSuspendsAfterClosingTheListedProgram) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  ASSERT_EQ(RegisterDll("PowerControlDouble.dll"), S_OK) << OwnFolder();
  ASSERT_EQ(RegisterDll("ProcessControlDouble.dll"), S_OK);
  const std::string record = TemporaryName();
  SetEnvironmentVariableA("VESPERKIT_RECORD_FILE", record.c_str());
  win32::Win32Registry registry;
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  win32::Win32Tray tray;
  win32::Win32WindowServices windows;
  RecordingMessages messages;
  win32::Win32AppShell shell;
  win32::Win32Launcher launcher;
  win32::Win32FormToolkit forms{GetModuleHandleA(nullptr)};
  win32::ComComponentFactory components;
  app::PlatformServices services{registry, files, clock, tray, windows, messages, shell, launcher, forms, components};
  {
    app::AppState state(services);
    ASSERT_EQ(app::Startup(state), 0);
    state.schedule.CancelTime = 3;
    state.schedule.Mode = 1;
    state.schedule.ForceAppClose = kTrue;
    state.AppEntries = {forceclose::MakeAppEntry("C:\\Tools\\app.exe")};
    state.TimerRunning = kTrue;
    state.schedule.DayTime = kFalse;
    state.PeriodTarget = platform::DateTime{2000, 1, 1, 0, 0, 0};  // long due
    DeleteFileA(record.c_str());  // start-up's own calls are not the countdown's

    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchLabel, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    state.gFrmMain->Timer1_Timer();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(labels, (Strings{"Time until shutdown: 3 secs", "Time until shutdown: 2 secs",
                               "Time until shutdown: 1 secs"}));
    EXPECT_EQ(ReadLines(record),
              (Strings{"PowerControl.PowerAction=64", "PowerControl.ForceAction=0", "ProcessControl.Flags=4",
                       "ProcessControl.ProcessPath=C:\\Tools\\app.exe", "ProcessControl.EndProcess",
                       "PowerControl.DoPowerAction"}));
    EXPECT_EQ(state.TimerRunning, kFalse) << "Stop Timer ran after the suspend";
    EXPECT_TRUE(messages.shown.empty());
  }
  SetEnvironmentVariableA("VESPERKIT_RECORD_FILE", nullptr);
  DeleteFileA(record.c_str());
  EXPECT_EQ(RegisterDll("PowerControl.dll"), S_OK);
  EXPECT_EQ(RegisterDll("ProcessControl.dll"), S_OK);
  CoUninitialize();
}

}  // namespace
}  // namespace vk::wintest
