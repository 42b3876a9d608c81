// The form binding on real windows: a table of every kind of control becomes
// child windows where the twips say, model changes reach them, and user
// actions reach the handlers after the model has changed.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "platform/form_model.h"
#include "support.h"
#include "win32/form_binding.h"

namespace vk::wintest {
namespace {

using platform::Control;
using platform::ControlDef;
using platform::ControlKind;
using platform::FormEvent;
using Strings = std::vector<std::string>;

platform::FormDef TestForm() {
  platform::FormDef d;
  d.clientWidth = 6000;
  d.clientHeight = 4500;
  auto add = [&d](ControlDef c, const char* container = "") -> ControlDef& {
    c.container = container;
    return d.controls.emplace_back(c);
  };
  add(Control("Frame1", ControlKind::Frame, 120, 120, 2800, 1400, " Choose: "));
  add(Control("optA", ControlKind::OptionButton, 120, 240, 1200, 255, "&Alpha"), "Frame1");
  add(Control("optB", ControlKind::OptionButton, 120, 600, 1200, 255, "&Beta"), "Frame1");
  add(Control("txtNum", ControlKind::TextBox, 120, 960, 600, 285, "30"), "Frame1");
  ControlDef& upDown = add(Control("udNum", ControlKind::UpDown, 721, 960, 240, 285), "Frame1");
  upDown.extra = "txtNum";
  upDown.minimum = 1;
  upDown.maximum = 32;
  add(Control("lblInfo", ControlKind::Label, 3000, 120, 2800, 255, "Info"));
  add(Control("chkForce", ControlKind::CheckBox, 3000, 480, 2000, 255, "&Force"));
  add(Control("cboMode", ControlKind::ComboBox, 3000, 840, 1800, 315));
  add(Control("lstApps", ControlKind::CheckedListBox, 3000, 1320, 2800, 1000));
  add(Control("mskTime", ControlKind::MaskedEdit, 120, 1680, 1200, 315, "__:__")).extra = "##:##";
  add(Control("dtpDay", ControlKind::DatePicker, 1440, 1680, 1500, 315));
  add(Control("txtOther", ControlKind::TextBox, 120, 2160, 1200, 285));
  add(Control("Drive1", ControlKind::DriveList, 120, 2640, 1500, 315));
  add(Control("Dir1", ControlKind::FolderList, 120, 3060, 1500, 800));
  add(Control("File1", ControlKind::FileList, 1740, 3060, 1500, 800)).extra = "*.exe";
  add(Control("CmdOK", ControlKind::Button, 3000, 3960, 1200, 375, "&OK")).isDefault = true;
  add(Control("CmdCancel", ControlKind::Button, 4320, 3960, 1200, 375, "&Cancel")).isCancel = true;
  ControlDef& timer = add(Control("Timer1", ControlKind::Timer, 0, 0, 0, 0));
  timer.enabled = false;
  timer.interval = 1000;
  return d;
}

// Shows the table's form and notes its events as "control:Event"; the time box
// is valid only at 12:00.
class Binding : public ::testing::Test, public platform::FormHandlers {
 protected:
  void SetUp() override {
    toolkit.Load(def, model, *this, host);
    form = static_cast<win32::Win32FormHost*>(host.get());
    ASSERT_NE(form->Window(), nullptr);
    form->Show(platform::ShowMode::Modeless, 0);
    Pump();
    events.clear();
  }
  void OnEvent(const std::string& control, FormEvent event, platform::EventArgs& args) override {
    static const char* names[] = {"Load",   "QueryUnload", "Unload",    "Click", "DblClick",       "Change",
                                  "Validate", "ItemCheck", "Timer", "MouseMove", "TaskbarCreated", "EndSession"};
    if (event == FormEvent::Validate && control != "mskTime") return;  // every box validates; only this one checks
    events.push_back(control + ":" + names[static_cast<int>(event)] +
                     (event == FormEvent::ItemCheck ? " " + std::to_string(args.index) : ""));
    if (event == FormEvent::Validate) args.cancel = model.Get("mskTime").text != "12:00";
    if (event == FormEvent::QueryUnload) args.cancel = keepOnClose;
  }

  void Pump() { PumpMessages(toolkit); }
  HWND Window(const std::string& name) { return form->ControlHandle(name); }
  LRESULT Send(const std::string& name, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(Window(name), message, wParam, lParam);
  }
  void Type(HWND window, const std::string& text) {
    for (char c : text) SendMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
    Pump();
  }
  void Command(const std::string& name, int code) {
    SendMessageA(GetParent(Window(name)), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Window(name)), code),
                 reinterpret_cast<LPARAM>(Window(name)));
    Pump();
  }
  void Focus(const std::string& name) {
    SetFocus(Window(name));
    Pump();
  }
  bool Saw(const std::string& entry) const { return std::find(events.begin(), events.end(), entry) != events.end(); }

  win32::Win32FormToolkit toolkit{GetModuleHandleA(nullptr)};
  const platform::FormDef def = TestForm();
  platform::FormModel model{def};
  std::unique_ptr<platform::FormHost> host;
  win32::Win32FormHost* form = nullptr;
  Strings events;
  bool keepOnClose = false;
};

TEST_F(Binding, ControlsStandWhereTheirTwipsSayAndFollowTheModelWithoutRaisingEvents) {
  HDC screen = GetDC(nullptr);
  const double perPixel = 1440.0 / GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
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

TEST_F(Binding, UserActionsChangeTheModelBeforeTheirEvent) {
  Send("chkForce", BM_CLICK);
  Send("optB", BM_CLICK);
  Send("optB", BM_CLICK);
  Pump();
  EXPECT_EQ(model.Get("chkForce").value, 1);
  EXPECT_EQ(model.Get("optB").value, 1);
  EXPECT_EQ(Send("optB", BM_GETCHECK), BST_CHECKED);
  Focus("txtOther");
  Type(Window("txtOther"), "ab");
  EXPECT_EQ(model.Get("txtOther").text, "ab");
  EXPECT_EQ(model.Focus(), "txtOther");

  // Typed combo text selects no entry; choosing one clicks.
  for (const char* entry : {"Shutdown", "Suspend"}) model.AddItem("cboMode", entry);
  model.SetListIndex("cboMode", 0);
  HWND edit = FindWindowExA(Window("cboMode"), nullptr, "Edit", nullptr);
  SetWindowTextA(edit, "");
  Type(edit, "Sus");
  EXPECT_EQ(model.Get("cboMode").text, "Sus");
  EXPECT_EQ(model.Get("cboMode").listIndex, -1);
  Send("cboMode", CB_SETCURSEL, 1);
  Command("cboMode", CBN_SELCHANGE);
  EXPECT_EQ(model.Get("cboMode").listIndex, 1);

  // The space bar checks a list item, unless the list is disabled.
  model.SetItems("lstApps", {"app.exe", "tool.exe"});
  Focus("lstApps");
  Send("lstApps", LB_SETCARETINDEX, 1);
  PressKey(toolkit, VK_SPACE);
  model.SetEnabled("lstApps", false);
  Send("lstApps", WM_KEYDOWN, VK_SPACE, 1);
  EXPECT_EQ(model.Get("lstApps").checks, (std::vector<bool>{false, true}));

  RECT r;  // the up arrow steps the number in its buddy
  GetClientRect(Window("udNum"), &r);
  Send("udNum", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, 1));
  Send("udNum", WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, 1));
  Pump();
  EXPECT_EQ(model.Get("txtNum").text, "31");

  // The masked box takes digits over its placeholders.
  Focus("mskTime");
  Send("mskTime", EM_SETSEL, 0, 0);
  Type(Window("mskTime"), "1x23");
  EXPECT_EQ(WindowText(Window("mskTime")), "12:3_");
  Send("mskTime", WM_CHAR, VK_BACK, 1);
  EXPECT_EQ(model.Get("mskTime").text, "12:__");
  EXPECT_EQ(events, (Strings{"chkForce:Click", "optB:Click", "txtOther:Change", "txtOther:Change", "cboMode:Change",
                             "cboMode:Change", "cboMode:Change", "cboMode:Click", "lstApps:ItemCheck 1",
                             "txtNum:Change", "udNum:Change", "mskTime:Change", "mskTime:Change", "mskTime:Change",
                             "mskTime:Change"}));
}

TEST_F(Binding, AFailedValidateKeepsTheFocusAndNothingElseActsThenEnterAndEscClick) {
  model.SetText("mskTime", "25:00");
  Focus("mskTime");
  Focus("txtOther");
  EXPECT_EQ(GetFocus(), Window("mskTime"));
  Send("CmdCancel", BM_CLICK);
  Pump();
  EXPECT_EQ(GetFocus(), Window("mskTime"));
  PressKey(toolkit, VK_RETURN);
  EXPECT_TRUE(Saw("mskTime:Validate"));
  EXPECT_FALSE(Saw("CmdCancel:Click"));
  EXPECT_FALSE(Saw("CmdOK:Click"));

  model.SetText("mskTime", "12:00");
  Focus("txtOther");
  EXPECT_EQ(GetFocus(), Window("txtOther"));
  EXPECT_EQ(model.Focus(), "txtOther");
  events.clear();
  PressKey(toolkit, VK_RETURN);
  PressKey(toolkit, VK_ESCAPE);
  EXPECT_EQ(events, (Strings{"CmdOK:Click", "CmdCancel:Click"}));
}

TEST_F(Binding, TimersRunOnlyWhileEnabledAndTheFrameCloseAsksTheFormFirst) {
  EXPECT_FALSE(form->TimerActive("Timer1"));
  for (auto [enabled, interval, active] : {std::tuple{true, 1000, true}, std::tuple{true, 0, false},
                                           std::tuple{true, 500, true}, std::tuple{false, 500, false},
                                           std::tuple{true, 500, true}}) {
    model.SetEnabled("Timer1", enabled);
    model.SetInterval("Timer1", interval);
    EXPECT_EQ(form->TimerActive("Timer1"), active) << enabled << " " << interval;
  }
  HWND window = form->Window();
  keepOnClose = true;
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_TRUE(form->TimerActive("Timer1"));
  keepOnClose = false;
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(form->TimerActive("Timer1"));
  EXPECT_EQ(events, (Strings{"Form:QueryUnload", "Form:QueryUnload", "Form:Unload"}));
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
  Send("File1", LB_SETCURSEL, 1);
  Command("File1", LBN_SELCHANGE);
  EXPECT_EQ(model.Get("File1").text, "b.exe");
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

TEST_F(Binding, AModalShowDisablesItsOwnerAndReturnsOnceTheFormIsHidden) {
  platform::FormModel modalModel{def};
  std::unique_ptr<platform::FormHost> modal;
  toolkit.Load(def, modalModel, *this, modal);
  modalSeen = {modal.get(), form->Window(), &toolkit, false, false};
  ASSERT_NE(SetTimer(nullptr, 0, 50, HideShownForm), 0u);
  modal->Show(platform::ShowMode::Modal, form->Handle());
  EXPECT_TRUE(modalSeen.ownerDisabled);
  EXPECT_TRUE(modalSeen.topModal);
  EXPECT_TRUE(IsWindowEnabled(form->Window()));
  EXPECT_EQ(toolkit.TopModal(), nullptr);
  EXPECT_FALSE(modal->Visible());
}

}  // namespace
}  // namespace vk::wintest
