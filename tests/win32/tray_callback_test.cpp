// The tray's callback and a real move of the mouse over a shown form, at 96
// and at 240 dots per inch: only the callback reaches the form, as the tray
// message that the main form's Form_MouseMove decodes. Wine reads the DPI
// (HKCU\Control Panel\Desktop, LogPixels) when a program starts, so each DPI
// runs in a child process of this test program.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "app/tray_menu.h"
#include "support.h"
#include "win32/forms/form_host.h"
#include "win32/forms/form_toolkit.h"

namespace vk::wintest {
namespace {

constexpr char kDpiVariable[] = "VESPERKIT_TRAY_DPI";
constexpr char kDesktop[] = "Control Panel\\Desktop";

TEST(TrayCallback, ARealMouseMoveNeverPassesForTheTrayAt96Or240Dpi) {
  const std::optional<std::string> before = ReadValue(HKEY_CURRENT_USER, kDesktop, "LogPixels");
  char self[MAX_PATH];
  const std::string program(self, GetModuleFileNameA(nullptr, self, sizeof self));
  for (DWORD dpi : {96u, 240u}) {
    SCOPED_TRACE(dpi);
    WriteValue(HKEY_CURRENT_USER, kDesktop, "LogPixels", std::string(reinterpret_cast<char*>(&dpi), sizeof dpi),
               REG_DWORD);
    SetEnvironmentVariableA(kDpiVariable, std::to_string(dpi).c_str());
    EXPECT_EQ(RunAndWait("\"" + program + "\" --gtest_filter=TrayCallbackAtOneDpi.*"), 0);
  }
  SetEnvironmentVariableA(kDpiVariable, nullptr);
  WriteValue(HKEY_CURRENT_USER, kDesktop, "LogPixels", before, REG_DWORD);
}

// The tray messages the form's mouse-move events carry, decoded as the main
// form decodes them.
class TrayMessages : public platform::FormHandlers {
 public:
  void OnEvent(const std::string&, platform::FormEvent event, platform::EventArgs& args) override {
    if (event == platform::FormEvent::MouseMove)
      decoded.push_back(app::TrayMessageFromX(args.x, form->ScaleMode(), form->TwipsPerPixelX()));
  }
  platform::FormHost* form = nullptr;
  std::vector<int> decoded;
};

// The points of the real moves that reached the form's window.
std::vector<LPARAM> moves;
HWND watched = nullptr;

LRESULT CALLBACK NoteMove(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && message->hwnd == watched && message->message == WM_MOUSEMOVE)
    moves.push_back(message->lParam);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MoveMouseTo(HWND window, int x, int y) {
  POINT at{x, y};
  ClientToScreen(window, &at);
  SetCursorPos(at.x, at.y);
}

void LeftButton(DWORD flag) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flag;
  SendInput(1, &input, sizeof input);
}

TEST(TrayCallbackAtOneDpi, OnlyTheCallbackReachesTheForm) {
  char dpi[8] = {};
  if (GetEnvironmentVariableA(kDpiVariable, dpi, sizeof dpi) == 0) GTEST_SKIP() << "run by TrayCallback at each DPI";
  ASSERT_EQ(win32::ScreenDpi(false), std::stoi(dpi));
  win32::Win32FormToolkit toolkit{GetModuleHandleA(nullptr)};
  platform::FormDef def;
  def.clientWidth = 8400;  // more than 517 pixels at either DPI
  def.clientHeight = 1500;
  platform::FormModel model{def};
  TrayMessages handlers;
  std::unique_ptr<platform::FormHost> host;
  toolkit.Load(def, model, handlers, host);
  handlers.form = host.get();
  HWND window = static_cast<win32::Win32FormHost&>(*host).Window();
  host->Show(platform::ShowMode::Modeless, 0);
  PumpMessages(toolkit);
  watched = window;
  HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, NoteMove, nullptr, GetCurrentThreadId());
  // Along the top row at x = 517 with the left button held: the callback's very shape.
  MoveMouseTo(window, 517, 5);
  LeftButton(MOUSEEVENTF_LEFTDOWN);
  MoveMouseTo(window, 517, 0);
  LeftButton(MOUSEEVENTF_LEFTUP);
  PumpMessages(toolkit);
  UnhookWindowsHookEx(hook);
  EXPECT_NE(std::find(moves.begin(), moves.end(), MAKELPARAM(517, 0)), moves.end()) << "the real move arrived";
  EXPECT_EQ(handlers.decoded, std::vector<int>{});
  // The shell sends its callback from a thread of its own; one posted counts too.
  std::thread([window] { SendNotifyMessageA(window, WM_MOUSEMOVE, 1, WM_RBUTTONUP); }).join();
  SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
  PostMessageA(window, WM_MOUSEMOVE, 1, WM_LBUTTONDBLCLK);
  PumpMessages(toolkit);
  EXPECT_EQ(handlers.decoded, (std::vector<int>{WM_RBUTTONUP, WM_LBUTTONDBLCLK}));
}

}  // namespace
}  // namespace vk::wintest
