#include "win32/forms/control_part.h"

#include "win32/forms/form_host.h"

namespace vk::win32 {

using platform::ModelChange;

std::string WindowText(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

ControlPart::ControlPart(Win32FormHost& host, const platform::ControlDef& def, PartWindow window)
    : host_(host), def_(def), class_(window) {}

bool ControlPart::Create(HWND parent, int id, bool startsGroup) {
  id_ = id;  // owner-drawn lists are measured while their window is being made
  const DWORD style = WS_CHILD | class_.style | (startsGroup ? WS_GROUP : 0);
  window_ = CreateWindowExA(class_.exStyle, class_.className, def_.caption.c_str(), style, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), host_.Instance(), nullptr);
  if (window_ == nullptr) return false;
  Send(WM_SETFONT, reinterpret_cast<WPARAM>(host_.FontFor(def_)), FALSE);
  Attach();
  ShowPlace();
  return true;
}

void ControlPart::Show(ModelChange change) {
  switch (change) {
    case ModelChange::Enabled: EnableWindow(window_, State().enabled ? TRUE : FALSE); break;
    case ModelChange::Visible: ShowWindow(window_, State().visible ? SW_SHOWNA : SW_HIDE); break;
    case ModelChange::Geometry: ShowPlace(); break;
    case ModelChange::Focus: host_.ShowFocus(window_); break;
    default: break;
  }
}

void ControlPart::ShowAll() {
  for (ModelChange change : {ModelChange::Path, ModelChange::Items, ModelChange::Text, ModelChange::Value,
                             ModelChange::Range, ModelChange::Date, ModelChange::Enabled, ModelChange::Visible}) {
    host_.ShowChange(def_.name, change);
  }
}

// Inside a frame the position is the frame's own; on the form it is the sum
// through any containers that are not windows. A moved control is drawn
// afresh: the pixels left where it was may by then be another control's,
// moved there just before (frames stacked again).
void ControlPart::ShowPlace() const {
  const platform::ControlState& s = State();
  const bool onForm = GetParent(window_) == host_.Window();
  const int left = host_.PixelsX(onForm ? Model().FormLeft(def_.name) : s.left);
  const int top = host_.PixelsY(onForm ? Model().FormTop(def_.name) : s.top);
  SetWindowPos(window_, nullptr, left, top, host_.PixelsX(s.width), host_.PixelsY(s.height) + ExtraHeight(),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

platform::FormModel& ControlPart::Model() const { return host_.Model(); }
platform::FormInput& ControlPart::Input() const { return host_.Input(); }
const platform::ControlState& ControlPart::State() const { return host_.Model().Get(def_.name); }
void ControlPart::FocusArrived() const { host_.FocusArrived(def_.name); }
void ControlPart::FocusLeft() const { host_.FocusLeft(); }
std::string ControlPart::Text() const { return WindowText(window_); }

void ControlPart::ShowText() const {
  if (Text() != State().text) SetWindowTextA(window_, State().text.c_str());
}

LRESULT ControlPart::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageA(window_, message, wParam, lParam);
}

}  // namespace vk::win32
