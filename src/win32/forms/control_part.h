#pragma once
// One control of a form as a window. The part of each kind of control makes
// its window from the control's table row, shows the model's changes on it,
// and reports what the user did to it to the form's input rules
// (platform/form_input.h), which decide what follows. A new kind of control
// is a new part file, and its maker declared and listed in control_parts.cpp.
#include <windows.h>

#include <memory>
#include <string>

#include "platform/form_def.h"
#include "platform/form_input.h"
#include "platform/form_model.h"

namespace vk::win32 {

class Win32FormHost;

// The window class and styles of a kind of control.
struct PartWindow {
  const char* className = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
};

class ControlPart {
 public:
  ControlPart(Win32FormHost& host, const platform::ControlDef& def, PartWindow window);
  virtual ~ControlPart() = default;
  ControlPart(const ControlPart&) = delete;
  ControlPart& operator=(const ControlPart&) = delete;

  // Makes the window inside parent, with the form's font and in its place;
  // false when Windows refused it.
  bool Create(HWND parent, int id, bool startsGroup);
  HWND Window() const { return window_; }
  int Id() const { return id_; }
  const platform::ControlDef& Def() const { return def_; }
  // The form's window is gone, and this one with it.
  void Forget() { window_ = nullptr; }

  // Shows one change of the model: enabled, visible, place and focus here;
  // each kind adds its own.
  virtual void Show(platform::ModelChange change);
  // Shows the whole model once the form's controls exist.
  void ShowAll();

  // What the control tells its form: WM_COMMAND codes and WM_NOTIFY (true
  // when handled, with the result).
  virtual void OnCommand(int /*code*/) {}
  virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  // For the kinds that paint themselves or show another pointer.
  virtual HBRUSH OnColorStatic(HDC /*dc*/) { return nullptr; }
  virtual HCURSOR Cursor() const { return nullptr; }
  virtual void OnDrawItem(const DRAWITEMSTRUCT& /*item*/) {}
  virtual void OnMeasureItem(MEASUREITEMSTRUCT& /*item*/) {}

 protected:
  // After the window exists: subclassing, icons, buddies.
  virtual void Attach() {}
  // Pixels below the control's own height (a combo box's drop-down list).
  virtual int ExtraHeight() const { return 0; }

  Win32FormHost& Host() const { return host_; }
  platform::FormModel& Model() const;
  platform::FormInput& Input() const;
  const platform::ControlState& State() const;
  const std::string& Name() const { return def_.name; }
  // The focus came to this control, or left it.
  void FocusArrived() const;
  void FocusLeft() const;
  // The window's text, and the model's text put there when they differ.
  std::string Text() const;
  void ShowText() const;
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

 private:
  void ShowPlace() const;

  Win32FormHost& host_;
  const platform::ControlDef& def_;
  PartWindow class_;
  HWND window_ = nullptr;
  int id_ = 0;
};

using PartMaker = std::unique_ptr<ControlPart> (*)(Win32FormHost& host, const platform::ControlDef& def);

// The maker of a kind's part; null for the kinds without a window of their
// own (timers, menus).
PartMaker PartFor(platform::ControlKind kind);

// The text of a window.
std::string WindowText(HWND window);

}  // namespace vk::win32
