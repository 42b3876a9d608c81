#pragma once
// The Win32 binding of the forms toolkit: turns a form table into real
// windows, mirrors model changes onto them and raises the handlers' events.
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms.h"

namespace vk::win32 {

class Win32FormToolkit;

class Win32FormHost : public platform::FormHost {
 public:
  Win32FormHost(Win32FormToolkit& toolkit, const platform::FormDef& def, platform::FormModel& model,
                platform::FormHandlers& handlers);
  ~Win32FormHost() override;

  WindowHandle Handle() override;
  void Show(platform::ShowMode mode, WindowHandle owner) override;
  void Hide() override;
  void Unload() override;
  bool Visible() override;
  void BringToFront() override;
  void PopupMenu(const std::string& menu, const std::string& defaultItem) override;
  int ScaleMode() override { return platform::kScaleTwips; }
  double TwipsPerPixelX() override { return twipsPerPixelX_; }
  int TextWidth(const std::string& text) override;

  bool Create();
  void Fire(const std::string& control, platform::FormEvent event, platform::EventArgs args = {});
  HWND Window() const { return window_; }
  const platform::FormDef& Def() const { return def_; }
  platform::FormModel& Model() { return model_; }

  // Pixels from twips on this screen.
  int PixelsX(int twips) const;
  int PixelsY(int twips) const;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void ApplyModel(const std::string& control);
  void ApplyTimer(const std::string& name);
  void RunModalLoop();
  void DestroyWindowOnce();

  Win32FormToolkit& toolkit_;
  const platform::FormDef& def_;
  platform::FormModel& model_;
  platform::FormHandlers& handlers_;
  HWND window_ = nullptr;
  double twipsPerPixelX_ = 15;
  double twipsPerPixelY_ = 15;
  bool unloaded_ = false;
  bool inModalLoop_ = false;
  std::map<std::string, UINT_PTR> timerIds_;
  std::map<UINT_PTR, std::string> timerNames_;
  std::map<std::string, bool> timerRunning_;
};

class Win32FormToolkit : public platform::FormToolkit {
 public:
  explicit Win32FormToolkit(HINSTANCE instance);
  ~Win32FormToolkit() override;

  void Load(const platform::FormDef& def, platform::FormModel& model, platform::FormHandlers& handlers,
            std::unique_ptr<platform::FormHost>& host) override;
  void EndProgram(int exitCode) override;
  IconHandle LoadIconResource(int resourceId) override;
  platform::FormHost* TopModal() override { return modalStack_.empty() ? nullptr : modalStack_.back(); }

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
  std::vector<Win32FormHost*> modalStack_;
  std::vector<Win32FormHost*> hosts_;
};

}  // namespace vk::win32
