// The Advanced Options dialog and the application picker on the real binding,
// Wine's registry and a real folder tree: forcing is switched over, the
// picker starts in the current folder listing only programs, a drive without
// a medium leaves it where it was, and a program picked there is what OK
// writes to "Files.dat" beside the test program.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "forceclose/force_list_file.h"
#include "forceclose/frm_advanced.h"
#include "persistence/reg_settings.h"
#include "schedule/schedule_settings.h"
#include "support.h"
#include "win32/clock.h"
#include "win32/files.h"
#include "win32/registry.h"
#include "win32/shell.h"
#include "win32/window_services.h"

namespace vk::wintest {
namespace {

using Strings = std::vector<std::string>;

constexpr char kSettings[] = "Software\\Quillfield Systems Ltd\\Vesperkit\\Settings";

class Recording : public platform::MessageBoxes {
 public:
  int Show(const std::string& text, const std::string&, std::uint32_t) override {
    shown.push_back(text);
    return platform::kIdOk;
  }
  Strings shown;
};

// The steps a person takes while the dialogs run their modal loops, one per
// tick of a timer; a step that answers false is tried again at the next tick.
// Out of steps or time, whatever is still open is closed, so the test ends.
struct {
  std::vector<std::function<bool()>> steps;
  size_t next = 0;
  int ticks = 0;
} walk;

void CALLBACK TakeStep(HWND, UINT, UINT_PTR id, DWORD) {
  if (walk.next < walk.steps.size() && ++walk.ticks < 600) {
    if (walk.steps[walk.next]()) ++walk.next;
    return;
  }
  KillTimer(nullptr, id);
  for (const char* title : {"Application List", "Advanced Options"})
    if (HWND form = FindWindowA("VesperkitForm", title)) PostMessageA(form, WM_CLOSE, 0, 0);
}

struct Search {
  int id;
  HWND found;
};

BOOL CALLBACK FindId(HWND child, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  if (GetDlgCtrlID(child) == search->id) search->found = child;
  return search->found == nullptr ? TRUE : FALSE;
}

// The window of a control of the form's table (the binding numbers them from
// 100 in table order), found inside its frames too; null while the form is not open.
HWND Control(const char* title, const platform::FormDef& def, const std::string& name) {
  HWND form = FindWindowA("VesperkitForm", title);
  Search search{100, nullptr};
  while (def.controls[static_cast<size_t>(search.id - 100)].name != name) ++search.id;
  if (form != nullptr) EnumChildWindows(form, FindId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

Strings ListItems(HWND list, bool combo = false) {
  Strings items;
  const LRESULT count = SendMessageA(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[MAX_PATH] = {};
    SendMessageA(list, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

// A notification of the control to its frame or form, as the control sends it.
void Notify(HWND control, int code) {
  SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
}

// A drive letter that names nothing yet, made to stand for a missing folder:
// a drive that cannot be read, as one without a medium.
std::string DriveWithoutMedium() {
  const DWORD used = GetLogicalDrives();
  char letter = 'y';
  while (used & (1u << (letter - 'a'))) --letter;
  const std::string drive = std::string(1, letter) + ":";
  DefineDosDeviceA(0, drive.c_str(), "C:\\vesperkit-no-medium");
  return drive;
}

TEST(AdvancedOptionsOnWine, ForcingSwitchesOverAndThePickedProgramIsWhatOkSaves) {
  const std::string tree = TemporaryName();
  const std::string tools = tree + "\\Tools";
  CreateDirectoryA(tree.c_str(), nullptr);
  CreateDirectoryA(tools.c_str(), nullptr);
  CreateDirectoryA((tools + "\\Sub").c_str(), nullptr);
  const Strings made = {"\\root.exe", "\\Tools\\beta.exe", "\\Tools\\alpha.exe", "\\Tools\\readme.txt"};
  for (const std::string& name : made) std::ofstream(tree + name) << "MZ";
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(tools.c_str());
  const std::string noMedium = DriveWithoutMedium();
  const std::string listFile = OwnFolder() + "Files.dat";
  DeleteFileA(listFile.c_str());
  for (const char* name : {"Force", "ForceList"}) WriteValue(HKEY_LOCAL_MACHINE, kSettings, name, std::nullopt);

  win32::Win32FormToolkit forms{GetModuleHandleA(nullptr)};
  win32::Win32WindowServices windows;
  Recording messages;
  win32::Win32AppShell shell;
  win32::Win32FileSystem files;
  win32::Win32Registry registry;
  win32::Win32Clock clock;
  persistence::SharedLog log{{files, clock, messages, shell}};
  persistence::CRegSettings store{registry, log};
  schedule::ScheduleValues values;
  values.ForceShutdown = kTrue;
  forceclose::AppEntryList entries = {forceclose::MakeAppEntry("C:\\Windows\\notepad.exe")};

  const platform::FormDef& advanced = forceclose::FrmAdvanced::Definition();
  const platform::FormDef& picker = forceclose::FrmAppList::Definition();
  auto inAdvanced = [&](const char* name) { return Control("Advanced Options", advanced, name); };
  auto inPicker = [&](const char* name) { return Control("Application List", picker, name); };
  Strings driveBefore;
  walk.steps = {
      [&] { return inAdvanced("chkForceApp") != nullptr; },
      [&] {
        EXPECT_EQ(SendMessageA(inAdvanced("chkForce"), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_FALSE(IsWindowEnabled(inAdvanced("lstApps")));
        PostMessageA(inAdvanced("chkForceApp"), BM_CLICK, 0, 0);
        return true;
      },
      [&] {
        EXPECT_EQ(SendMessageA(inAdvanced("chkForce"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_TRUE(IsWindowEnabled(inAdvanced("lstApps")));
        SendMessageA(inAdvanced("lstApps"), LB_SETCARETINDEX, 0, 0);
        SendMessageA(inAdvanced("lstApps"), WM_KEYDOWN, VK_SPACE, 0);  // notepad.exe unchecked
        PostMessageA(inAdvanced("cmdAdd"), BM_CLICK, 0, 0);
        return true;
      },
      [&] { return inPicker("File1") != nullptr; },
      [&] {
        EXPECT_EQ(ListItems(inPicker("File1")), (Strings{"alpha.exe", "beta.exe"})) << "programs of the current folder";
        const Strings folders = ListItems(inPicker("Dir1"));
        EXPECT_TRUE(!folders.empty() && folders.back().ends_with("Sub"));
        driveBefore = ListItems(inPicker("Drive1"), true);
        const auto index = std::find(driveBefore.begin(), driveBefore.end(), noMedium) - driveBefore.begin();
        SendMessageA(inPicker("Drive1"), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        Notify(inPicker("Drive1"), CBN_SELCHANGE);
        return true;
      },
      [&] {
        HWND drive = inPicker("Drive1");
        const LRESULT chosen = SendMessageA(drive, CB_GETCURSEL, 0, 0);
        EXPECT_EQ(chosen >= 0 ? driveBefore[static_cast<size_t>(chosen)] : "", "c:") << "back to the drive it was on";
        EXPECT_EQ(ListItems(inPicker("File1")), (Strings{"alpha.exe", "beta.exe"})) << "and to its folder";
        SendMessageA(inPicker("File1"), LB_SETCURSEL, 1, 0);
        Notify(inPicker("File1"), LBN_SELCHANGE);
        return true;
      },
      [&] {
        Notify(inPicker("File1"), LBN_DBLCLK);
        return true;
      },
      [&] { return inPicker("File1") == nullptr; },
      [&] {
        EXPECT_EQ(ListItems(inAdvanced("lstApps")), (Strings{"notepad.exe", "beta.exe"}));
        PostMessageA(inAdvanced("CmdOK"), BM_CLICK, 0, 0);
        return true;
      },
  };
  walk.next = 0;
  walk.ticks = 0;
  ASSERT_NE(SetTimer(nullptr, 0, 40, TakeStep), 0u);
  forceclose::ShowAdvancedOptions({{forms, windows, messages, shell, files, entries}, values.ForceShutdown,
                                   values.ForceAppClose, [&] { schedule::SaveForceSettings(store, values); }},
                                  0);
  EXPECT_EQ(walk.next, walk.steps.size()) << "every step was taken";
  EXPECT_EQ(messages.shown.size(), 1u) << "one warning, and nothing about the drive";

  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kSettings, "Force"), std::string("False", 6));
  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kSettings, "ForceList"), std::string("True", 5));
  forceclose::AppEntry notepad = forceclose::MakeAppEntry("C:\\Windows\\notepad.exe");
  notepad.Checked = kFalse;
  std::string bytes;
  EXPECT_TRUE(files.ReadAll(listFile, bytes));
  EXPECT_EQ(bytes, forceclose::EncodeAppList({notepad, forceclose::MakeAppEntry(tools + "\\beta.exe")}));

  DeleteFileA(listFile.c_str());
  for (const char* name : {"Force", "ForceList"}) WriteValue(HKEY_LOCAL_MACHINE, kSettings, name, std::nullopt);
  DefineDosDeviceA(DDD_REMOVE_DEFINITION, noMedium.c_str(), nullptr);
  SetCurrentDirectoryA(previous);
  for (const std::string& name : made) DeleteFileA((tree + name).c_str());
  for (const std::string& folder : {tools + "\\Sub", tools, tree}) RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace vk::wintest
