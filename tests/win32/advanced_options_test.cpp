// The Advanced Options dialog and the application picker on the real binding,
// Wine's registry and a real folder tree: forcing is switched over to the
// list, the picker starts in the current folder listing only its programs,
// and the program picked there is what OK writes to "Files.dat" beside the
// test program, with the switches in the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "forceclose/force_list_file.h"
#include "forceclose/frm_advanced.h"
#include "schedule/schedule_settings.h"
#include "support.h"
#include "win32/forms/form_host.h"
#include "win32/window_services.h"

namespace vk::wintest {
namespace {

struct Recording : platform::MessageBoxes {
  int Show(const std::string& text, const std::string&, std::uint32_t) override {
    shown.push_back(text);
    return platform::kIdOk;
  }
  std::vector<std::string> shown;
};

// What a person does while the dialogs run their modal loops: one step per
// tick of a timer, on the dialog on top; a step that answers false is tried
// again at the next tick. Out of steps or time, the dialogs on top are closed.
struct {
  win32::Win32FormToolkit* forms;
  std::vector<std::function<bool(win32::Win32FormHost&)>> steps;
  size_t next;
  int ticks;
} walk;

void CALLBACK TakeStep(HWND, UINT, UINT_PTR id, DWORD) {
  auto* top = static_cast<win32::Win32FormHost*>(walk.forms->TopModal());
  if (top == nullptr) {
    KillTimer(nullptr, id);
  } else if (walk.next == walk.steps.size() || ++walk.ticks > 600) {
    PostMessageA(top->Window(), WM_CLOSE, 0, 0);
  } else if (walk.steps[walk.next](*top)) {
    ++walk.next;
  }
}

// A control's own notification to its form, as the control sends it after the user's choice.
bool Choose(win32::Win32FormHost& form, const char* control, int index, std::initializer_list<int> codes) {
  HWND list = form.ControlHandle(control);
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  for (int code : codes)
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), code), reinterpret_cast<LPARAM>(list));
  return true;
}

TEST(AdvancedOptionsOnWine, ForcingSwitchesToTheListAndThePickedProgramIsWhatOkSaves) {
  const std::string tree = TemporaryName(), tools = tree + "\\Tools", listFile = OwnFolder() + "Files.dat";
  for (const std::string& folder : {tree, tools, tools + "\\Sub"}) CreateDirectoryA(folder.c_str(), nullptr);
  const std::vector<std::string> made = {"\\root.exe", "\\Tools\\beta.exe", "\\Tools\\alpha.exe", "\\Tools\\notes.txt"};
  for (const std::string& name : made) std::ofstream(tree + name) << "MZ";
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(tools.c_str());
  DeleteFileA(listFile.c_str());
  win32::Win32FormToolkit forms{GetModuleHandleA(nullptr)};
  win32::Win32WindowServices windows;
  Recording messages;
  RealSettingsStore real{messages};
  schedule::ScheduleValues values;
  values.ForceShutdown = kTrue;
  forceclose::AppEntryList entries = {forceclose::MakeAppEntry("C:\\Windows\\notepad.exe")};
  using Form = win32::Win32FormHost&;
  auto click = [](const char* button) {
    return [button](Form f) { return PostMessageA(f.ControlHandle(button), BM_CLICK, 0, 0) != FALSE; };
  };
  walk = {&forms,
          {click("chkForceApp"), click("cmdAdd"), [](Form f) { return f.Model().Has("File1"); },
           [](Form f) {
             EXPECT_EQ(f.Model().Get("File1").items, (std::vector<std::string>{"alpha.exe", "beta.exe"}));
             EXPECT_TRUE(f.Model().Get("Dir1").items.back().ends_with("Sub")) << "one level below the current folder";
             return Choose(f, "File1", 1, {LBN_SELCHANGE, LBN_DBLCLK});
           },
           [](Form f) { return !f.Model().Has("File1"); }, click("CmdOK")},
          0, 0};
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, TakeStep);
  forceclose::ShowAdvancedOptions({{forms, windows, messages, real.shell, real.files, entries}, values.ForceShutdown,
                                   values.ForceAppClose, [&] { schedule::SaveForceSettings(real.store, values); }},
                                  0);
  KillTimer(nullptr, timer);
  EXPECT_EQ(walk.next, walk.steps.size()) << "every step was taken";
  EXPECT_EQ(messages.shown.size(), 1u) << "the one warning of forcing";
  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Force"), std::string("False", 6));
  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "ForceList"), std::string("True", 5));
  std::string bytes;
  EXPECT_TRUE(real.files.ReadAll(listFile, bytes));
  EXPECT_EQ(bytes, forceclose::EncodeAppList({forceclose::MakeAppEntry("C:\\Windows\\notepad.exe"),
                                               forceclose::MakeAppEntry(tools + "\\beta.exe")}));
  DeleteFileA(listFile.c_str());
  SetCurrentDirectoryA(previous);
  for (const std::string& name : made) DeleteFileA((tree + name).c_str());
  for (const std::string& folder : {tools + "\\Sub", tools, tree}) RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace vk::wintest
