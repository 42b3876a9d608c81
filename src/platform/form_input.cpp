#include "platform/form_input.h"

#include <charconv>

namespace vk::platform {

namespace {

bool InList(const ControlState& s, int index) { return index >= 0 && index < static_cast<int>(s.items.size()); }

// The whole text as a number, or the fallback.
int NumberOr(const std::string& text, int fallback) {
  int number = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, number);
  return error == std::errc() && stop == end && !text.empty() ? number : fallback;
}

// Sets a flag for a scope, also when a handler throws through it.
class Raised {
 public:
  explicit Raised(bool& flag) : flag_(flag) { flag_ = true; }
  ~Raised() { flag_ = false; }
  Raised(const Raised&) = delete;
  Raised& operator=(const Raised&) = delete;

 private:
  bool& flag_;
};

}  // namespace

bool TakesFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
    case ControlKind::OptionButton:
    case ControlKind::CheckBox:
    case ControlKind::TextBox:
    case ControlKind::ComboBox:
    case ControlKind::CheckedListBox:
    case ControlKind::MaskedEdit:
    case ControlKind::DatePicker:
    case ControlKind::DriveList:
    case ControlKind::FolderList:
    case ControlKind::FileList: return true;
    default: return false;
  }
}

bool Validates(ControlKind kind) {
  return kind == ControlKind::TextBox || kind == ControlKind::MaskedEdit || kind == ControlKind::ComboBox ||
         kind == ControlKind::DatePicker;
}

FormInput::FormInput(const FormDef& def, FormModel& model, FormHandlers& handlers)
    : def_(def), model_(model), handlers_(handlers) {}

std::string FormInput::FirstFocus() const {
  auto focusable = [this](const std::string& c) { return TakesFocus(model_.Get(c).kind) && model_.Usable(c); };
  std::string first = !def_.initialFocus.empty() && focusable(def_.initialFocus) ? def_.initialFocus : "";
  for (const ControlDef& c : def_.controls) {
    if (!first.empty()) break;
    if (focusable(c.name)) first = c.name;
  }
  if (first.empty() || model_.Get(first).kind != ControlKind::OptionButton) return first;
  const std::string& group = model_.Get(first).container;
  for (const ControlDef& c : def_.controls) {
    const ControlState& s = model_.Get(c.name);
    if (s.kind == ControlKind::OptionButton && s.container == group && s.value != 0 && focusable(c.name)) return c.name;
  }
  return first;
}

bool FormInput::CanAct(const std::string& control) const {
  return loaded_ && !held_ && !validating_ && model_.Usable(control);
}

bool FormInput::MoveFocus(const std::string& control) {
  if (!CanAct(control) || !TakesFocus(model_.Get(control).kind)) return false;
  const std::string from = model_.Focus();
  if (!outside_ && !from.empty() && from != control && Validates(model_.Get(from).kind) && !RunValidate(from)) {
    held_ = true;
    return false;
  }
  outside_ = false;
  if (from != control) model_.SetFocus(control);
  SelectOnFocus(control);
  return true;
}

// Windows' rule for option buttons: the one that gets the focus is chosen.
void FormInput::SelectOnFocus(const std::string& control) {
  if (model_.Get(control).kind == ControlKind::OptionButton && model_.Get(control).value == 0) {
    model_.SetValue(control, 1);
    Raise(control, FormEvent::Click);
  }
}

bool FormInput::FocusOn(const std::string& control) {
  return (model_.Focus() == control && !outside_) || MoveFocus(control);
}

bool FormInput::RunValidate(const std::string& control) {
  EventArgs args;
  {
    Raised validating(validating_);
    handlers_.OnEvent(control, FormEvent::Validate, args);
  }
  return !args.cancel;
}

// A click that did not come with the focus: the control that has it is
// validated first, and keeps the focus when that fails.
bool FormInput::ValidateFocusBefore(const std::string& control) {
  const std::string& focus = model_.Focus();
  if (outside_ || focus.empty() || focus == control || !Validates(model_.Get(focus).kind)) return true;
  return RunValidate(focus);
}

bool FormInput::Press(const std::string& control) {
  if (!CanAct(control)) return false;
  return !TakesFocus(model_.Get(control).kind) || FocusOn(control);
}

bool FormInput::Click(const std::string& control) {
  if (!CanAct(control)) return false;
  if (TakesFocus(model_.Get(control).kind) && !ValidateFocusBefore(control)) return false;
  if (!ClickEffect(control)) return false;
  Raise(control, FormEvent::Click);
  return true;
}

bool FormInput::ClickEffect(const std::string& control) {
  const ControlState& s = model_.Get(control);
  if (s.kind == ControlKind::CheckBox) {
    model_.SetValue(control, s.value == 0 ? 1 : 0);
  } else if (s.kind == ControlKind::OptionButton) {
    if (s.value != 0) return false;
    model_.SetValue(control, 1);
  }
  return true;
}

bool FormInput::PressEnter() {
  const std::string button = ButtonWith(&ControlDef::isDefault);
  return !button.empty() && Click(button);
}

bool FormInput::PressEscape() {
  const std::string button = ButtonWith(&ControlDef::isCancel);
  return !button.empty() && Click(button);
}

std::string FormInput::ButtonWith(bool ControlDef::*flag) const {
  for (const ControlDef& c : def_.controls)
    if (c.*flag && c.kind == ControlKind::Button) return c.name;
  return {};
}

bool FormInput::Type(const std::string& control, const std::string& text) {
  if (!CanAct(control) || !FocusOn(control)) return false;
  model_.SetText(control, text);
  if (model_.Get(control).kind == ControlKind::ComboBox && model_.Get(control).listIndex != -1)
    model_.SetListIndex(control, -1);
  Raise(control, FormEvent::Change);
  return true;
}

bool FormInput::Choose(const std::string& control, int index) {
  if (!CanAct(control) || !FocusOn(control)) return false;
  const ControlState& s = model_.Get(control);
  if (!InList(s, index) || index == s.listIndex) return false;
  model_.SetListIndex(control, index);
  const std::string entry = s.items[static_cast<size_t>(index)];
  if (s.kind == ControlKind::DriveList) {
    model_.SetPath(control, entry);
    Raise(control, FormEvent::Change);
    return true;
  }
  if (s.kind == ControlKind::FileList) model_.SetText(control, entry);
  Raise(control, FormEvent::Click);
  return true;
}

bool FormInput::DoubleClick(const std::string& control) {
  if (!CanAct(control) || !FocusOn(control)) return false;
  const ControlState& s = model_.Get(control);
  if (s.kind != ControlKind::FolderList) {
    Raise(control, FormEvent::DblClick);
    return true;
  }
  if (s.listIndex < 0 || s.listIndex >= static_cast<int>(s.itemFolders.size())) return false;
  model_.SetPath(control, s.itemFolders[static_cast<size_t>(s.listIndex)]);
  Raise(control, FormEvent::Change);
  return true;
}

bool FormInput::CheckItem(const std::string& control, int index) {
  if (!CanAct(control) || !FocusOn(control)) return false;
  const ControlState& s = model_.Get(control);
  if (!InList(s, index)) return false;
  model_.SetItemChecked(control, index, !s.checks[static_cast<size_t>(index)]);
  Raise(control, FormEvent::ItemCheck, index);
  return true;
}

bool FormInput::Step(const std::string& upDown, int delta) {
  if (!CanAct(upDown)) return false;
  const std::string buddy = model_.Get(upDown).buddy;
  if (!buddy.empty() && !FocusOn(buddy)) return false;
  if (!StepEffect(upDown, delta)) return false;
  if (!buddy.empty()) Raise(buddy, FormEvent::Change);
  Raise(upDown, FormEvent::Change);
  return true;
}

bool FormInput::StepEffect(const std::string& upDown, int delta) {
  const ControlState& s = model_.Get(upDown);
  const int before = s.buddy.empty() ? s.value : NumberOr(model_.Get(s.buddy).text, s.value);
  model_.SetValue(upDown, before);
  const int from = s.value;
  model_.SetValue(upDown, from + delta);
  if (!s.buddy.empty()) model_.SetText(s.buddy, std::to_string(s.value));
  return s.value != from;
}

bool FormInput::PickDate(const std::string& control, const DateTime& date) {
  if (!CanAct(control) || !FocusOn(control)) return false;
  model_.SetDate(control, date);
  Raise(control, FormEvent::Change);
  return true;
}

bool FormInput::Close() {
  if (!loaded_) return false;
  EventArgs args;
  handlers_.OnEvent("Form", FormEvent::QueryUnload, args);
  return !args.cancel;
}

void FormInput::Raise(const std::string& control, FormEvent event, int index) {
  EventArgs args;
  args.index = index;
  handlers_.OnEvent(control, event, args);
}

}  // namespace vk::platform
