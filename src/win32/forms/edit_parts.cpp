// Text boxes and masked edit boxes. A masked box takes its keys over (digits
// overwrite the placeholders of its mask) and reports each change whole.
#include "win32/forms/control_part.h"
#include "win32/forms/masked_edit.h"

namespace vk::win32 {

using platform::ControlDef;
using platform::ModelChange;

namespace {

constexpr PartWindow kEditWindow{"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};

class TextBoxPart : public ControlPart {
 public:
  using ControlPart::ControlPart;

  void Show(ModelChange change) override {
    if (change == ModelChange::Text) ShowText();
    ControlPart::Show(change);
  }

  void OnCommand(int code) override {
    if (code == EN_SETFOCUS) FocusArrived();
    if (code == EN_KILLFOCUS) FocusLeft();
    if (code == EN_CHANGE) Input().Type(Name(), Text());
  }
};

class MaskedEditPart : public TextBoxPart {
 public:
  MaskedEditPart(Win32FormHost& host, const ControlDef& def) : TextBoxPart(host, def, kEditWindow) {
    rules_.mask = def.extra;
    rules_.placeholder = def.placeholder;
    rules_.typed = [this](const std::string& text, int caret) { Typed(text, caret); };
  }

 protected:
  void Attach() override { AttachMask(Window(), rules_); }

 private:
  // The model shows the new text on the box; the caret goes after it.
  void Typed(const std::string& text, int caret) {
    if (Input().Type(Name(), text)) Send(EM_SETSEL, static_cast<WPARAM>(caret), caret);
  }

  MaskedEditRules rules_;
};

}  // namespace

std::unique_ptr<ControlPart> MakeTextBox(Win32FormHost& host, const ControlDef& def) {
  return std::make_unique<TextBoxPart>(host, def, kEditWindow);
}

std::unique_ptr<ControlPart> MakeMaskedEdit(Win32FormHost& host, const ControlDef& def) {
  return std::make_unique<MaskedEditPart>(host, def);
}

}  // namespace vk::win32
