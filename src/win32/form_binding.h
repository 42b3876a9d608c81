#pragma once
// The Win32 binding of the forms toolkit: turns a form table into real
// windows, mirrors model changes onto them and raises the handlers' events.
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "win32/control_sink.h"
#include "owners.h"
#include "win32/masked_edit.h"

namespace vk::win32 {

class Win32FormToolkit;

// Posted after a Validate kept the focus: the focus goes back once the move
// that Windows has begun is over.
inline constexpr UINT kRestoreHeldFocus = WM_APP + 1;

// One control of the table as a window.
struct ControlWindow {
  const platform::ControlDef* def = nullptr;
  HWND window = nullptr;
  int id = 0;
  std::vector<std::string> shownItems;     // list entries as last put into the control
  std::vector<std::string> folderPaths;    // folder list: the folder of each line
  std::unique_ptr<MaskedEditRules> mask;   // masked edit boxes
};

class Win32FormHost : public platform::FormHost, private ControlSink {
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
  // The window of a control of the table (null for timers, menus, unknown names).
  HWND ControlHandle(const std::string& control) const;
  // True while the timer has a Windows timer behind it.
  bool TimerActive(const std::string& timer) const;

  // Pixels from twips on this screen.
  int PixelsX(int twips) const;
  int PixelsY(int twips) const;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // form_binding.cpp: the form's window, showing, menus, timers.
  void ApplyForm(platform::ModelChange change);
  void ApplyTimer(const std::string& name, bool restart);
  void RunModalLoop();
  void CenterOnScreen();
  void DestroyWindowOnce();
  bool FocusFirstControl();
  void RememberFocus();
  bool RestoreFocus();

  // form_controls.cpp: creating the controls and mirroring the model.
  void CreateFonts();
  void CreateControls();
  bool CreateControl(const platform::ControlDef& c, HWND parent, int id);
  void AddToolTip(const ControlWindow& control);
  void ApplyModel(const std::string& control, platform::ModelChange change);
  void ApplyAll(const ControlWindow& control);
  void ApplyText(const ControlWindow& control);
  void ApplyValue(const ControlWindow& control);
  void ApplyGeometry(const ControlWindow& control);
  void ApplyItems(ControlWindow& control);
  void ApplyListIndex(const ControlWindow& control);
  void ApplyDate(const ControlWindow& control);
  void ApplyRange(const ControlWindow& control);
  void ApplyPath(ControlWindow& control);
  void ApplyFocus(const ControlWindow& control);

  // form_events.cpp: user actions on the controls.
  bool OnCommand(WPARAM wParam, LPARAM lParam);
  bool OnNotify(const NMHDR& header, LRESULT& result);
  void OnClicked(const ControlWindow& control);
  void OnFocusGained(const ControlWindow& control);
  void OnFocusLost(const ControlWindow& control);
  void OnListChosen(ControlWindow& control);
  void OnListDoubleClicked(ControlWindow& control);
  void OnStep(const ControlWindow& control, int delta);
  void OnDateChosen(const ControlWindow& control);
  bool ValidateBefore(const ControlWindow& control);
  void ClickDialogButton(bool defaultButton);
  LRESULT OnColorStatic(HDC dc, HWND control);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void MaskedTextTyped(HWND control, const std::string& text, int caret) override;
  void ItemCheckToggled(HWND control, int index) override;
  ControlWindow* FindByWindow(HWND window);
  ControlWindow* FindById(int id);
  std::string ReadText(HWND window) const;

  Win32FormToolkit& toolkit_;
  const platform::FormDef& def_;
  platform::FormModel& model_;
  platform::FormHandlers& handlers_;
  HWND window_ = nullptr;
  HWND toolTips_ = nullptr;
  double twipsPerPixelX_ = 15;
  double twipsPerPixelY_ = 15;
  bool unloaded_ = false;
  bool inModalLoop_ = false;
  bool placed_ = false;         // centred on its first showing
  int applying_ = 0;            // our own changes to the controls raise no events
  std::string heldFocus_;       // Validate kept the focus here; the focus goes back
  HWND savedFocus_ = nullptr;   // the control that had the focus when the form lost it
  UniqueFont formFont_;
  UniqueFont linkFont_;
  std::map<std::string, UniqueFont> controlFonts_;  // controls with a font of their own
  std::map<std::string, ControlWindow> controls_;
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
