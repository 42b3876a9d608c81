// The form binding on real windows under Wine: the table of user actions
// played with real window messages, the modal loop, timers, the guarded
// window procedures, the start check and the tray's callback against a real
// move of the mouse.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <thread>

#include "app/frm_main.h"
#include "app/tray_menu.h"
#include "fakes/fake_shell.h"
#include "forms/user_actions.h"
#include "support.h"
#include "win32/forms/form_host.h"
#include "win32/start_checks.h"

namespace vk::wintest {
namespace {

using formtest::Strings;

// A form on the real binding, shown; its events are noted, or given to the handlers.
struct RealForm {
  explicit RealForm(const platform::FormDef& d, platform::FormHandlers* handlers = nullptr) : def(d) {
    toolkit.Load(def, model, handlers != nullptr ? *handlers : recorder, host);
    host->Show(platform::ShowMode::Modeless, 0);
    PumpMessages(toolkit);
    recorder.events.clear();
  }
  win32::Win32FormHost& Form() { return static_cast<win32::Win32FormHost&>(*host); }
  HWND Control(const std::string& name) { return Form().ControlHandle(name); }

  win32::Win32FormToolkit toolkit{GetModuleHandleA(nullptr)};
  const platform::FormDef def;
  platform::FormModel model{def};
  formtest::ActionRecorder recorder{model};
  std::unique_ptr<platform::FormHost> host;
};

void PostKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// The user's act as a person's mouse and keys make it: buttons are clicked as
// the mouse clicks them (which moves the focus), a label and an up-down's
// upper arrow get the press; keys are posted to the control's edit window and
// pass the dialog manager; a list's item is checked with the space bar even
// where the list cannot have the focus; a combo box's choice comes with its
// notification.
void Play(RealForm& f, const formtest::Act& a) {
  HWND w = f.Control(a.control), edit = FindWindowExA(w, nullptr, "Edit", nullptr);  // a combo box's text box
  auto send = [w](UINT message, WPARAM wParam, LPARAM lParam) { SendMessageA(w, message, wParam, lParam); };
  RECT r{};
  GetClientRect(w, &r);
  const LPARAM at = a.verb == "step" ? MAKELPARAM(r.right / 2, 1) : MAKELPARAM(2, 2);
  if (a.verb == "focus" || a.verb == "type" || a.verb == "choose" || a.verb == "check" || a.verb == "date") SetFocus(w);
  PumpMessages(f.toolkit);
  const bool pressed =
      a.verb == "step" || (a.verb == "click" && f.model.Get(a.control).kind == platform::ControlKind::Label);
  if (pressed) send(WM_LBUTTONDOWN, MK_LBUTTON, at);
  if (pressed) send(WM_LBUTTONUP, 0, at);
  if (a.verb == "click" && !pressed) send(BM_CLICK, 0, 0);
  if (a.verb == "type") SendMessageA(edit ? edit : w, EM_SETSEL, 0, -1);
  for (char key : a.verb == "type" ? a.arg : "") PostMessageA(edit ? edit : w, WM_CHAR, static_cast<BYTE>(key), 1);
  RECT item{};  // a list's item double-clicked in the middle of its text, past its check box
  if (a.verb == "dblclick") send(LB_GETITEMRECT, std::stoul(a.arg), reinterpret_cast<LPARAM>(&item));
  const LPARAM middle = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    if (a.verb == "dblclick") send(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, middle);
  if (a.verb == "choose") send(CB_SETCURSEL, std::stoul(a.arg), 0);
  if (a.verb == "choose")
    SendMessageA(GetParent(w), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(w), CBN_SELCHANGE), reinterpret_cast<LPARAM>(w));
  if (a.verb == "check") send(LB_SETCARETINDEX, std::stoul(a.arg), 0);
  if (a.verb == "check") PostKey(w, VK_SPACE);
  SYSTEMTIME day{};  // a day picked: set, then told as the picker tells it
  NMHDR told{w, static_cast<UINT_PTR>(GetDlgCtrlID(w)), DTN_DATETIMECHANGE};
  if (a.verb == "date" && std::sscanf(a.arg.c_str(), "%hu-%hu-%hu", &day.wYear, &day.wMonth, &day.wDay) == 3) {
    send(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&day));
    NMDATETIMECHANGE change{told, GDT_VALID, day};
    SendMessageA(GetParent(w), WM_NOTIFY, told.idFrom, reinterpret_cast<LPARAM>(&change));
  }
  if (a.verb == "enter" || a.verb == "escape") PostKey(GetFocus(), a.verb == "enter" ? VK_RETURN : VK_ESCAPE);
  if (a.verb == "close") SendMessageA(f.Form().Window(), WM_CLOSE, 0, 0);
  PumpMessages(f.toolkit);
}

class UserActions : public ::testing::TestWithParam<formtest::UserActionCase> {};

TEST_P(UserActions, CauseTheirEventsFocusAndModel) {
  RealForm f(formtest::ActionForm());
  formtest::Prepare(GetParam(), f.model);
  PumpMessages(f.toolkit);
  for (const formtest::Act act : GetParam().acts) Play(f, act);
  formtest::ExpectOutcome(GetParam(), f.model, f.recorder);
  // Windows' focus is where the model says (a combo box's is in its text box).
  HWND want = f.Control(GetParam().focus);
  if (f.Form().Window() != nullptr) {
    EXPECT_TRUE(GetFocus() == want || IsChild(want, GetFocus()));
  }
}

INSTANTIATE_TEST_SUITE_P(Table, UserActions, ::testing::ValuesIn(formtest::UserActionCases()), formtest::CaseName);

// What a timer saw while a modal loop ran.
struct {
  platform::FormHost* shown;
  HWND owner;
  win32::Win32FormToolkit* toolkit;
  bool ownerDisabled, topModal;
} seen;

void CALLBACK HideShownForm(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  seen.ownerDisabled = !IsWindowEnabled(seen.owner);
  seen.topModal = seen.toolkit->TopModal() == seen.shown;
  seen.shown->Hide();
}

TEST(Binding, AModalShowDisablesItsOwnerAndReturnsOnceHiddenGivingTheActivationBack) {
  RealForm owner(formtest::ActionForm());
  platform::FormModel model{owner.def};
  std::unique_ptr<platform::FormHost> modal;
  owner.toolkit.Load(owner.def, model, owner.recorder, modal);
  seen = {modal.get(), owner.Form().Window(), &owner.toolkit, false, false};
  ASSERT_NE(SetTimer(nullptr, 0, 50, HideShownForm), 0u);
  modal->Show(platform::ShowMode::Modal, owner.host->Handle());
  EXPECT_TRUE(seen.ownerDisabled && seen.topModal);
  EXPECT_TRUE(IsWindowEnabled(owner.Form().Window()));
  EXPECT_EQ(GetActiveWindow(), owner.Form().Window());
  EXPECT_EQ(owner.toolkit.TopModal(), nullptr);
  EXPECT_FALSE(modal->Visible());
}

// A timer runs only while enabled with an interval (the end-to-end session
// sees it tick), and one whose SetTimer fails (its window is gone) is not running.
TEST(Binding, TimersRunOnlyWhileEnabledWithAnIntervalAndAFailedStartLeavesThemStopped) {
  RealForm f(app::FrmMain::Definition());
  for (auto [enabled, interval, active] : {std::tuple{true, 1000, true}, std::tuple{true, 0, false},
                                           std::tuple{false, 500, false}, std::tuple{true, 10, true}}) {
    f.model.SetEnabled("Timer1", enabled);
    f.model.SetInterval("Timer1", interval);
    EXPECT_EQ(f.Form().TimerActive("Timer1"), active) << enabled << " " << interval;
  }
  f.model.SetEnabled("Timer1", false);
  DestroyWindow(f.Form().Window());
  f.model.SetEnabled("Timer1", true);
  EXPECT_FALSE(f.Form().TimerActive("Timer1"));
}

// The boundary guards report through OutputDebugString, which raises a
// first-chance exception carrying the text: a vectored handler sees it.
Strings reports;

LONG CALLBACK NoteReport(EXCEPTION_POINTERS* e) {
  const EXCEPTION_RECORD& r = *e->ExceptionRecord;
  if (r.ExceptionCode == DBG_PRINTEXCEPTION_C && r.NumberParameters >= 2) {
    const std::string text = reinterpret_cast<const char*>(r.ExceptionInformation[1]);
    if (text.starts_with("Vesperkit:")) reports.push_back(text);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

struct Throwing : platform::FormHandlers {
  void OnEvent(const std::string& control, platform::FormEvent event, platform::EventArgs&) override {
    using platform::FormEvent;
    if (event == FormEvent::Click || event == FormEvent::Change || event == FormEvent::ItemCheck)
      throw std::runtime_error("planted in " + control);
  }
};

TEST(Boundaries, AHandlerThatThrowsIsReportedByTheProcedureItsMessageReachedAndTheFormGoesOn) {
  Throwing throwing;
  RealForm f(formtest::ActionForm(), &throwing);
  f.model.SetItems("lstApps", {"app.exe"});
  PVOID watcher = AddVectoredExceptionHandler(1, NoteReport);
  SendMessageA(f.Control("chkForce"), BM_CLICK, 0, 0);
  SetFocus(f.Control("mskTime"));
  SendMessageA(f.Control("mskTime"), WM_CHAR, '1', 1);
  SetFocus(f.Control("lstApps"));
  SendMessageA(f.Control("lstApps"), WM_KEYDOWN, VK_SPACE, 1);
  RemoveVectoredExceptionHandler(watcher);
  EXPECT_EQ(reports, (Strings{"Vesperkit: FormProc failed: planted in chkForce\n",
                              "Vesperkit: MaskProc failed: planted in mskTime\n",
                              "Vesperkit: ToggleProc failed: planted in lstApps\n"}));
}

// Refuses to make the program's own windows, as a Windows out of resources would.
LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam) {
  char name[64] = {};
  if (code == HCBT_CREATEWND && GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) > 0 &&
      std::string(name) == "VesperkitApplication")
    return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Without its windows the program says so and ends before anything shows.
TEST(Boundaries, AStartWhoseWindowsAreRefusedSaysSo) {
  fakes::Journal journal;
  fakes::FakeShell messages{journal};
  HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
  com::ComApartment apartment;
  EXPECT_EQ(win32::CheckCanStart(apartment, win32::Win32FormToolkit{GetModuleHandleA(nullptr)}, messages), 1);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(journal.Take(), "MessageBox Vesperkit 16: Vesperkit cannot start: its windows could not be created.|");
}

// The tray messages the form's mouse-move events carry, decoded as the main form decodes them.
struct TrayMessages : platform::FormHandlers {
  void OnEvent(const std::string&, platform::FormEvent event, platform::EventArgs& args) override {
    if (event == platform::FormEvent::MouseMove)
      decoded.push_back(app::TrayMessageFromX(args.x, platform::kScaleTwips, twipsPerPixel));
  }
  double twipsPerPixel = 0;
  std::vector<int> decoded;
};

// The points of the real moves that reached the watched window.
std::vector<LPARAM> moves;
HWND watched = nullptr;

LRESULT CALLBACK NoteMove(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && message->hwnd == watched && message->message == WM_MOUSEMOVE)
    moves.push_back(message->lParam);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Wine reads the DPI when a program starts, so each DPI runs in a child
// process: this test program again, with the child's test enabled.
TEST(TrayCallback, ARealMouseMoveNeverPassesForTheTrayAt96Or240Dpi) {
  const std::string setting = " \"HKCU\\Control Panel\\Desktop\" /v LogPixels /f";
  for (int dpi : {96, 240}) {
    SCOPED_TRACE(dpi);
    ASSERT_EQ(RunAndWait("reg.exe add" + setting + " /t REG_DWORD /d " + std::to_string(dpi)), 0);
    SetEnvironmentVariableA("VESPERKIT_TRAY_DPI", std::to_string(dpi).c_str());
    EXPECT_EQ(RunAndWait("\"" + OwnFolder() + "vesperkit_win32_tests.exe\" --gtest_also_run_disabled_tests "
                         "--gtest_filter=TrayCallbackAtOneDpi.DISABLED_OnlyTheCallbackReachesTheForm"), 0);
  }
  SetEnvironmentVariableA("VESPERKIT_TRAY_DPI", nullptr);
  RunAndWait("reg.exe delete" + setting);  // back to the default, 96
}

// Run only by the test above, at the DPI it set.
TEST(TrayCallbackAtOneDpi, DISABLED_OnlyTheCallbackReachesTheForm) {
  char dpi[8] = {};
  GetEnvironmentVariableA("VESPERKIT_TRAY_DPI", dpi, sizeof dpi);
  ASSERT_EQ(win32::ScreenDpi(false), std::atoi(dpi));
  const platform::FormDef def{"", "", 8400, 1500, false, 0, false, "", {}};  // more than 517 pixels wide at either DPI
  TrayMessages handlers;
  RealForm f(def, &handlers);
  handlers.twipsPerPixel = f.host->TwipsPerPixelX();
  watched = f.Form().Window();
  HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, NoteMove, nullptr, GetCurrentThreadId());
  // Along the top row at x = 517 with the left button held: the callback's very shape.
  for (const auto& [y, button] : {std::pair{5, MOUSEEVENTF_LEFTDOWN}, std::pair{0, MOUSEEVENTF_LEFTUP}}) {
    POINT at{517, y};
    ClientToScreen(watched, &at);
    SetCursorPos(at.x, at.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = button;
    SendInput(1, &input, sizeof input);
  }
  PumpMessages(f.toolkit);
  UnhookWindowsHookEx(hook);
  EXPECT_NE(std::find(moves.begin(), moves.end(), MAKELPARAM(517, 0)), moves.end()) << "the real move arrived";
  EXPECT_EQ(handlers.decoded, std::vector<int>{});
  // The shell sends its callback from a thread of its own; one posted counts too.
  std::thread([] { SendNotifyMessageA(watched, WM_MOUSEMOVE, 1, WM_RBUTTONUP); }).join();
  SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
  PostMessageA(watched, WM_MOUSEMOVE, 1, WM_LBUTTONDBLCLK);
  PumpMessages(f.toolkit);
  EXPECT_EQ(handlers.decoded, (std::vector<int>{WM_RBUTTONUP, WM_LBUTTONDBLCLK}));
}

}  // namespace
}  // namespace vk::wintest
