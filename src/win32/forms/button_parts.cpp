// Push buttons, option buttons and check boxes. Their checks are the model's:
// the windows never check themselves.
#include <algorithm>

#include "win32/forms/control_part.h"

namespace vk::win32 {

using platform::ControlDef;
using platform::ModelChange;

namespace {

class ButtonPart : public ControlPart {
 public:
  using ControlPart::ControlPart;

  void Show(ModelChange change) override {
    if (change == ModelChange::Text) ShowText();
    if (change == ModelChange::Value) ShowCheck(State().value);
    ControlPart::Show(change);
  }

  void OnCommand(int code) override {
    if (code == BN_SETFOCUS) FocusArrived();
    if (code == BN_KILLFOCUS) FocusLeft();
    if (code == BN_CLICKED) Input().Click(Name());
  }

 protected:
  virtual void ShowCheck(int /*value*/) {}
};

class OptionPart : public ButtonPart {
 public:
  using ButtonPart::ButtonPart;

 protected:
  void ShowCheck(int value) override { Send(BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED); }
};

// 0 unchecked, 1 checked, 2 grayed.
class CheckBoxPart : public ButtonPart {
 public:
  using ButtonPart::ButtonPart;

 protected:
  void ShowCheck(int value) override { Send(BM_SETCHECK, static_cast<WPARAM>(std::clamp(value, 0, 2))); }
};

}  // namespace

std::unique_ptr<ControlPart> MakeButton(Win32FormHost& host, const ControlDef& def) {
  const DWORD push = def.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  return std::make_unique<ButtonPart>(host, def, PartWindow{"BUTTON", push | BS_NOTIFY | WS_TABSTOP});
}

std::unique_ptr<ControlPart> MakeOptionButton(Win32FormHost& host, const ControlDef& def) {
  return std::make_unique<OptionPart>(host, def, PartWindow{"BUTTON", BS_RADIOBUTTON | BS_NOTIFY | WS_TABSTOP});
}

std::unique_ptr<ControlPart> MakeCheckBox(Win32FormHost& host, const ControlDef& def) {
  return std::make_unique<CheckBoxPart>(host, def, PartWindow{"BUTTON", BS_3STATE | BS_NOTIFY | WS_TABSTOP});
}

}  // namespace vk::win32
