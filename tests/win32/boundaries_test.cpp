// No exception crosses a window procedure, and the results Windows gives are
// looked at: a handler made to throw is caught and reported where its message
// arrived, and the program goes on; a form whose window Windows refuses is
// never loaded; without its COM apartment or its windows the program says so
// and ends before anything shows.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "forms/user_actions.h"
#include "support.h"
#include "win32/forms/form_host.h"
#include "win32/forms/form_toolkit.h"
#include "win32/start_checks.h"

namespace vk::wintest {
namespace {

using platform::FormEvent;
using Strings = std::vector<std::string>;

// The boundary guards' reports: OutputDebugString raises a first-chance
// exception carrying the text, which a vectored handler sees.
Strings reports;

LONG CALLBACK NoteReport(EXCEPTION_POINTERS* e) {
  const EXCEPTION_RECORD& r = *e->ExceptionRecord;
  if (r.ExceptionCode == DBG_PRINTEXCEPTION_C && r.NumberParameters >= 2) {
    const std::string text = reinterpret_cast<const char*>(r.ExceptionInformation[1]);
    if (text.starts_with("Vesperkit:")) reports.push_back(text);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

class Throwing : public platform::FormHandlers {
 public:
  void OnEvent(const std::string& control, FormEvent event, platform::EventArgs&) override {
    if (event == FormEvent::Click || event == FormEvent::Change || event == FormEvent::ItemCheck)
      throw std::runtime_error("planted in " + control);
  }
};

TEST(Boundaries, AHandlerThatThrowsIsReportedWhereItsMessageArrivedAndTheProgramGoesOn) {
  reports.clear();
  PVOID watcher = AddVectoredExceptionHandler(1, NoteReport);
  win32::Win32FormToolkit toolkit{GetModuleHandleA(nullptr)};
  const platform::FormDef def = formtest::ActionForm();
  platform::FormModel model{def};
  Throwing handlers;
  std::unique_ptr<platform::FormHost> host;
  toolkit.Load(def, model, handlers, host);
  auto& form = static_cast<win32::Win32FormHost&>(*host);
  form.Show(platform::ShowMode::Modeless, 0);
  model.SetItems("lstApps", {"app.exe"});
  PumpMessages(toolkit);
  SendMessageA(form.ControlHandle("chkForce"), BM_CLICK, 0, 0);
  SetFocus(form.ControlHandle("mskTime"));
  SendMessageA(form.ControlHandle("mskTime"), WM_CHAR, '1', 1);
  SetFocus(form.ControlHandle("lstApps"));
  SendMessageA(form.ControlHandle("lstApps"), WM_KEYDOWN, VK_SPACE, 1);
  SendMessageA(form.ControlHandle("chkForce"), BM_CLICK, 0, 0);
  RemoveVectoredExceptionHandler(watcher);
  EXPECT_EQ(reports, (Strings{"Vesperkit: FormProc failed: planted in chkForce\n",
                              "Vesperkit: MaskProc failed: planted in mskTime\n",
                              "Vesperkit: ToggleProc failed: planted in lstApps\n",
                              "Vesperkit: FormProc failed: planted in chkForce\n"}));
}

// Refuses to make windows of one class, as a Windows out of resources would.
std::string refusedClass;

LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam) {
  char name[64] = {};
  if (code == HCBT_CREATEWND && GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) > 0 &&
      refusedClass == name)
    return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class Refusing {
 public:
  explicit Refusing(const char* windowClass) : hook_(SetWindowsHookExA(WH_CBT, RefuseWindows, nullptr,
                                                                       GetCurrentThreadId())) {
    refusedClass = windowClass;
  }
  ~Refusing() { UnhookWindowsHookEx(hook_); }
  Refusing(const Refusing&) = delete;
  Refusing& operator=(const Refusing&) = delete;

 private:
  HHOOK hook_;
};

TEST(Boundaries, AFormWhoseWindowIsRefusedIsNeverLoaded) {
  win32::Win32FormToolkit toolkit{GetModuleHandleA(nullptr)};
  const platform::FormDef def = formtest::ActionForm();
  platform::FormModel model{def};
  formtest::ActionRecorder recorder{model};
  std::unique_ptr<platform::FormHost> host;
  {
    Refusing refusing("VesperkitForm");
    toolkit.Load(def, model, recorder, host);
  }
  EXPECT_EQ(host->Handle(), 0u);
  EXPECT_EQ(recorder.events, Strings{});
}

class RecordingMessages : public platform::MessageBoxes {
 public:
  int Show(const std::string& text, const std::string& title, std::uint32_t) override {
    shown.push_back(title + ": " + text);
    return platform::kIdOk;
  }
  Strings shown;
};

TEST(Boundaries, WithoutItsComApartmentOrItsWindowsTheProgramSaysSoAndEnds) {
  RecordingMessages messages;
  std::vector<int> codes;
  // A thread in the multithreaded apartment cannot enter the program's.
  std::thread([&] {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    {
      com::ComApartment apartment;
      win32::Win32FormToolkit forms{GetModuleHandleA(nullptr)};
      codes.push_back(win32::CheckCanStart(apartment, forms, messages));
    }
    CoUninitialize();
  }).join();
  {
    com::ComApartment apartment;
    Refusing refusing("VesperkitApplication");
    win32::Win32FormToolkit forms{GetModuleHandleA(nullptr)};
    codes.push_back(win32::CheckCanStart(apartment, forms, messages));
  }
  com::ComApartment apartment;
  win32::Win32FormToolkit forms{GetModuleHandleA(nullptr)};
  codes.push_back(win32::CheckCanStart(apartment, forms, messages));
  EXPECT_EQ(codes, (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(messages.shown, (Strings{"Vesperkit: Vesperkit cannot start: COM could not be initialised.",
                                     "Vesperkit: Vesperkit cannot start: its windows could not be created."}));
}

}  // namespace
}  // namespace vk::wintest
