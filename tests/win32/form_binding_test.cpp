// The form binding on real windows: the table's controls become child windows
// where the twips say, model changes reach them, timers run only while
// enabled, the file-system lists read the folder, a modal show waits, and the
// tray menu pops up as its model stands. What the user's actions cause is the
// table of user actions (user_actions_test.cpp).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "app/frm_main.h"
#include "forms/user_actions.h"
#include "support.h"
#include "win32/forms/form_host.h"
#include "win32/forms/form_toolkit.h"

namespace vk::wintest {
namespace {

using platform::FormEvent;
using Strings = std::vector<std::string>;

// Shows the table of user actions' form and notes its events.
class Binding : public ::testing::Test {
 protected:
  void SetUp() override {
    toolkit.Load(def, model, recorder, host);
    form = static_cast<win32::Win32FormHost*>(host.get());
    ASSERT_NE(form->Window(), nullptr);
    form->Show(platform::ShowMode::Modeless, 0);
    Pump();
    events.clear();
  }

  void Pump() { PumpMessages(toolkit); }
  HWND Window(const std::string& name) { return form->ControlHandle(name); }
  LRESULT Send(const std::string& name, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(Window(name), message, wParam, lParam);
  }
  void Command(const std::string& name, int code) {
    SendMessageA(GetParent(Window(name)), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Window(name)), code),
                 reinterpret_cast<LPARAM>(Window(name)));
    Pump();
  }

  win32::Win32FormToolkit toolkit{GetModuleHandleA(nullptr)};
  const platform::FormDef def = formtest::ActionForm();
  platform::FormModel model{def};
  formtest::ActionRecorder recorder{model};
  Strings& events = recorder.events;
  std::unique_ptr<platform::FormHost> host;
  win32::Win32FormHost* form = nullptr;
};

TEST_F(Binding, ControlsStandWhereTheirTwipsSayAndFollowTheModelWithoutRaisingEvents) {
  const double perPixel = 1440.0 / win32::ScreenDpi(false);
  auto pixels = [perPixel](int twips) { return static_cast<LONG>(twips / perPixel + 0.5); };
  RECT client;
  GetClientRect(form->Window(), &client);
  EXPECT_EQ((std::vector<LONG>{client.right, client.bottom}), (std::vector<LONG>{pixels(6000), pixels(4500)}));
  const RECT label = PlaceInParent(Window("lblInfo"));
  EXPECT_EQ((std::vector<LONG>{label.left, label.top, label.right - label.left}),
            (std::vector<LONG>{pixels(3000), pixels(120), pixels(2800)}));
  EXPECT_EQ(GetParent(Window("optB")), Window("Frame1")) << "a frame holds its controls";
  EXPECT_EQ(PlaceInParent(Window("optB")).top, pixels(600));
  EXPECT_EQ(reinterpret_cast<HWND>(Send("udNum", UDM_GETBUDDY)), Window("txtNum"));
  EXPECT_GT(form->TextWidth("C:\\Program Files\\app.exe  "), form->TextWidth("app.exe  "));

  // Model changes reach the controls and raise no events.
  model.SetText("txtOther", "typed by code");
  EXPECT_EQ(WindowText(Window("txtOther")), "typed by code");
  model.SetEnabled("CmdOK", false);
  EXPECT_FALSE(IsWindowEnabled(Window("CmdOK")));
  model.SetVisible("Frame1", false);
  EXPECT_FALSE(IsWindowVisible(Window("optA")));
  model.SetVisible("Frame1", true);
  const RECT inFrame = PlaceInParent(Window("optB"));
  const LONG frameTop = PlaceInParent(Window("Frame1")).top;
  model.SetTop("Frame1", 1440);
  EXPECT_GT(PlaceInParent(Window("Frame1")).top, frameTop);
  const RECT moved = PlaceInParent(Window("optB"));
  EXPECT_TRUE(EqualRect(&inFrame, &moved)) << "its controls move with it";
  model.SetValue("optA", 1);
  model.SetValue("optB", 1);
  model.SetValue("chkForce", 2);
  EXPECT_EQ(Send("optA", BM_GETCHECK), BST_UNCHECKED);
  EXPECT_EQ(Send("optB", BM_GETCHECK), BST_CHECKED);
  EXPECT_EQ(Send("chkForce", BM_GETCHECK), BST_INDETERMINATE);
  for (const char* entry : {"Shutdown", "Suspend", "Hibernate"}) model.AddItem("cboMode", entry);
  model.SetListIndex("cboMode", 2);
  EXPECT_EQ(Send("cboMode", CB_GETCOUNT), 3);
  EXPECT_EQ(Send("cboMode", CB_GETCURSEL), 2);
  model.SetText("cboMode", "1:30");
  EXPECT_EQ(WindowText(Window("cboMode")), "1:30");
  model.SetItems("lstApps", {"app.exe", "tool.exe"});
  model.SetItemChecked("lstApps", 1, true);
  model.SetHorizontalExtent("lstApps", 321);
  EXPECT_EQ(Send("lstApps", LB_GETCOUNT), 2);
  EXPECT_EQ(Send("lstApps", LB_GETHORIZONTALEXTENT), 321);
  model.SetMinDate("dtpDay", {2026, 12, 6, 10, 0, 0});
  model.SetMaxDate("dtpDay", {2027, 12, 6, 10, 0, 0});
  model.SetDate("dtpDay", {2027, 1, 2, 0, 0, 0});
  SYSTEMTIME range[2] = {};
  EXPECT_EQ(Send("dtpDay", DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)), GDTR_MIN | GDTR_MAX);
  EXPECT_EQ((std::vector<int>{range[0].wYear, range[1].wYear}), (std::vector<int>{2026, 2027}));
  Send("dtpDay", DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(range));
  EXPECT_EQ((std::vector<int>{range[0].wMonth, range[0].wDay}), (std::vector<int>{1, 2}));
  model.SetCaption("About Vesperkit");
  EXPECT_EQ(WindowText(form->Window()), "About Vesperkit");
  Pump();
  EXPECT_EQ(events, Strings{});
}

TEST_F(Binding, TimersRunOnlyWhileEnabledTickAndStopWithTheForm) {
  EXPECT_FALSE(form->TimerActive("Timer1"));
  for (auto [enabled, interval, active] : {std::tuple{true, 1000, true}, std::tuple{true, 0, false},
                                           std::tuple{true, 500, true}, std::tuple{false, 500, false},
                                           std::tuple{true, 500, true}}) {
    model.SetEnabled("Timer1", enabled);
    model.SetInterval("Timer1", interval);
    EXPECT_EQ(form->TimerActive("Timer1"), active) << enabled << " " << interval;
  }
  model.SetInterval("Timer1", 10);
  for (int waited = 0; waited < 2000 && events.empty(); waited += 10, Sleep(10)) Pump();
  EXPECT_EQ(events, Strings{"Timer1:Timer"});
  HWND window = form->Window();
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(form->TimerActive("Timer1"));
}

// A timer whose SetTimer fails (its window is gone) is not running.
TEST_F(Binding, ATimerWhoseStartFailsIsNotRunning) {
  DestroyWindow(form->Window());
  model.SetEnabled("Timer1", true);
  EXPECT_FALSE(form->TimerActive("Timer1"));
}

TEST_F(Binding, FileSystemListsShowTheFolderAndOpenSubfolders) {
  const std::string folder = TemporaryName();
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\sub").c_str(), nullptr);
  for (const char* name : {"\\b.exe", "\\a.exe", "\\notes.txt"}) std::ofstream(folder + name) << "x";
  model.SetPath("File1", folder);
  EXPECT_EQ(model.Get("File1").items, (Strings{"a.exe", "b.exe"}));
  model.SetPath("Dir1", folder);
  const Strings& lines = model.Get("Dir1").items;
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines.back(), std::string(2 * (lines.size() - 1), ' ') + "sub") << "one level below the folder";
  Send("Dir1", LB_SETCURSEL, lines.size() - 1);
  Command("Dir1", LBN_SELCHANGE);
  Command("Dir1", LBN_DBLCLK);
  EXPECT_EQ(model.Get("Dir1").path, folder + "\\sub");
  EXPECT_EQ(events.back(), "Dir1:Change");
  const Strings& drives = model.Get("Drive1").items;
  EXPECT_NE(std::find(drives.begin(), drives.end(), "c:"), drives.end());
  for (const char* name : {"\\b.exe", "\\a.exe", "\\notes.txt"}) DeleteFileA((folder + name).c_str());
  RemoveDirectoryA((folder + "\\sub").c_str());
  RemoveDirectoryA(folder.c_str());
}

// What the modal test's timer saw while the modal loop ran.
struct {
  platform::FormHost* shown;
  HWND owner;
  win32::Win32FormToolkit* toolkit;
  bool ownerDisabled;
  bool topModal;
} modalSeen;

void CALLBACK HideShownForm(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  modalSeen.ownerDisabled = !IsWindowEnabled(modalSeen.owner);
  modalSeen.topModal = modalSeen.toolkit->TopModal() == modalSeen.shown;
  modalSeen.shown->Hide();
}

TEST_F(Binding, AModalShowDisablesItsOwnerAndReturnsOnceTheFormIsHiddenWithTheOwnerActive) {
  platform::FormModel modalModel{def};
  std::unique_ptr<platform::FormHost> modal;
  toolkit.Load(def, modalModel, recorder, modal);
  form->Show(platform::ShowMode::Modeless, 0);
  modalSeen = {modal.get(), form->Window(), &toolkit, false, false};
  ASSERT_NE(SetTimer(nullptr, 0, 50, HideShownForm), 0u);
  modal->Show(platform::ShowMode::Modal, form->Handle());
  EXPECT_TRUE(modalSeen.ownerDisabled);
  EXPECT_TRUE(modalSeen.topModal);
  EXPECT_TRUE(IsWindowEnabled(form->Window()));
  EXPECT_EQ(GetActiveWindow(), form->Window()) << "the activation goes back to the owner";
  EXPECT_EQ(toolkit.TopModal(), nullptr);
  EXPECT_FALSE(modal->Visible());
}

// What the open menu showed, item by item, and its choice of the Exit item.
Strings menuSeen;

void CALLBACK ReadMenuAndChooseExit(HWND, UINT, UINT_PTR id, DWORD) {
  HWND open = FindWindowA("#32768", nullptr);
  if (open == nullptr || !IsWindowVisible(open)) return;
  KillTimer(nullptr, id);
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(open, MN_GETHMENU, 0, 0));
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[64] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    menuSeen.push_back(info.fType & MFT_SEPARATOR ? "-"
                                                   : std::string(text) + (info.fState & MFS_DEFAULT ? " default" : "") +
                                                         (info.fState & MFS_GRAYED ? " grayed" : ""));
  }
  PostMessageA(open, WM_CHAR, 'e', 0);
}

TEST_F(Binding, TheTrayMenuShowsItsShownItemsAsTheModelStandsAndRaisesTheChosenOnesClick) {
  platform::FormModel menuModel{app::FrmMain::Definition()};
  std::unique_ptr<platform::FormHost> main;
  toolkit.Load(app::FrmMain::Definition(), menuModel, recorder, main);
  menuModel.SetVisible("mnuAbout", false);
  events.clear();
  menuSeen.clear();
  ASSERT_NE(SetTimer(nullptr, 0, 50, ReadMenuAndChooseExit), 0u);
  main->PopupMenu("mnuMain", "mnuTimeSet");
  EXPECT_EQ(menuSeen, (Strings{"-", "&Set Sleep Time default", "-", "S&tart Timer grayed", "Sto&p Timer grayed", "-",
                               "&Exit"}));
  EXPECT_EQ(events, Strings{"mnuExit:Click"});
}

}  // namespace
}  // namespace vk::wintest
