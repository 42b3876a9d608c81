#pragma once
// The form host of the Win32 binding: the form's own window, its focus, the
// modal loop, timers and menus. Its controls are parts (control_part.h), one
// kind each; what a user's action does is the form's input rules'
// (platform/form_input.h).
#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "owners.h"
#include "platform/form_input.h"
#include "platform/forms.h"
#include "win32/forms/control_part.h"
#include "win32/forms/form_timers.h"

namespace vk::win32 {

class Win32FormToolkit;

// Posted when a Validate kept the focus: the focus goes back once the move
// that Windows has begun is over.
inline constexpr UINT kRestoreHeldFocus = WM_APP + 1;

// The window procedure of every form.
LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

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

  // Makes the form's windows; false, with the form left unusable, when
  // Windows refused the form's own window.
  bool Create();
  void Fire(const std::string& control, platform::FormEvent event, platform::EventArgs args = {});
  HWND Window() const { return window_; }
  HINSTANCE Instance() const;
  platform::FormModel& Model() { return model_; }
  platform::FormInput& Input() { return input_; }
  // The window of a control of the table (null for timers, menus and
  // controls whose window failed).
  HWND ControlHandle(const std::string& control) const;
  // True while the timer has a Windows timer behind it.
  bool TimerActive(const std::string& timer) const { return timers_.Running(timer); }

  // For the parts: pixels from twips on this screen, the control's font,
  // the model's change shown on the windows, and the focus.
  int PixelsX(int twips) const;
  int PixelsY(int twips) const;
  HFONT FontFor(const platform::ControlDef& control) const;
  void ShowChange(const std::string& control, platform::ModelChange change);
  void ShowFocus(HWND control);
  void FocusArrived(const std::string& control);
  void FocusLeft();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // form_host.cpp: the form's window, showing, menus.
  void ShowFormChange(platform::ModelChange change);
  SIZE WindowSize(DWORD style, DWORD exStyle) const;
  void RunModalLoop();
  void EnableOwnerAgain();
  void CenterOnScreen();
  void DestroyWindowOnce();

  // form_controls.cpp: fonts, the parts, tool tips, the focus.
  void CreateFonts();
  void CreateControls();
  void AddToolTip(const ControlPart& part);
  bool FocusFirstControl();
  void RememberFocus();
  bool RestoreFocus();
  ControlPart* FindByWindow(HWND window);
  ControlPart* FindById(int id);

  // form_window.cpp: the messages, one handler each.
  LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
  LRESULT OnTimer(WPARAM id);
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
  LRESULT OnColorStatic(WPARAM wParam, LPARAM lParam);
  LRESULT OnDrawItem(LPARAM lParam);
  LRESULT OnMeasureItem(LPARAM lParam);
  LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetDefaultId();
  LRESULT OnRestoreHeldFocus();
  LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocus();
  LRESULT OnClose();
  LRESULT OnEndSession(WPARAM ending);
  LRESULT OnTaskbarCreated();

  Win32FormToolkit& toolkit_;
  const platform::FormDef& def_;
  platform::FormModel& model_;
  platform::FormHandlers& handlers_;
  platform::FormInput input_;
  FormTimers timers_;
  HWND window_ = nullptr;
  HWND toolTips_ = nullptr;
  double twipsPerPixelX_ = 15;
  double twipsPerPixelY_ = 15;
  bool unloaded_ = false;
  bool placed_ = false;        // centred on its first showing
  HWND disabledOwner_ = nullptr;  // disabled by a modal showing; enabled again when it ends
  int applying_ = 0;           // our own changes to the controls raise no events
  HWND savedFocus_ = nullptr;  // the control that had the focus when the form lost it
  UniqueFont formFont_;
  UniqueFont linkFont_;
  std::map<std::string, UniqueFont> controlFonts_;  // controls with a font of their own
  std::map<std::string, std::unique_ptr<ControlPart>> parts_;
};

}  // namespace vk::win32
