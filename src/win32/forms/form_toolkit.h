#pragma once
// The Win32 binding of the forms toolkit: the window classes, the hidden
// application window that keeps forms off the taskbar, loading forms, the
// modal stack and the program's message loop.
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/forms.h"

namespace vk::win32 {

class Win32FormHost;

inline constexpr char kFormClass[] = "VesperkitForm";

class Win32FormToolkit : public platform::FormToolkit {
 public:
  explicit Win32FormToolkit(HINSTANCE instance);
  ~Win32FormToolkit() override;
  Win32FormToolkit(const Win32FormToolkit&) = delete;
  Win32FormToolkit& operator=(const Win32FormToolkit&) = delete;

  // False when Windows refused the window classes or the application window:
  // then no form can be shown.
  bool Ready() const { return ready_; }

  // A form whose window Windows refuses is left unloaded: Form_Load is not raised.
  void Load(const platform::FormDef& def, platform::FormModel& model, platform::FormHandlers& handlers,
            std::unique_ptr<platform::FormHost>& host) override;
  void EndProgram(int exitCode) override;
  IconHandle LoadIconResource(int resourceId) override;
  platform::FormHost* TopModal() override;

  // The program's message loop; returns the exit code of WM_QUIT.
  int RunMessageLoop();
  // Lets dialog keys (Tab, Enter, Esc, access keys) reach the program's dialogs.
  bool PreTranslate(MSG& message);

  HINSTANCE Instance() const { return instance_; }
  HWND ApplicationWindow() const { return applicationWindow_; }
  UINT TaskbarCreatedMessage() const { return taskbarCreated_; }
  void PushModal(Win32FormHost* host) { modalStack_.push_back(host); }
  void PopModal(Win32FormHost* host);
  void Forget(Win32FormHost* host);

 private:
  HINSTANCE instance_;
  HWND applicationWindow_ = nullptr;  // hidden owner: keeps forms off the taskbar
  UINT taskbarCreated_ = 0;
  bool ready_ = false;
  std::vector<Win32FormHost*> modalStack_;
  std::vector<Win32FormHost*> hosts_;
};

}  // namespace vk::win32
