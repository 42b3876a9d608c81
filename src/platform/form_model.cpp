#include "platform/form_model.h"

namespace vk::platform {

FormModel::FormModel(const FormDef& def) : formHeight_(def.clientHeight) {
  for (const ControlDef& c : def.controls) {
    ControlState& s = controls_[c.name];
    s.kind = c.kind;
    s.text = c.caption;
    s.enabled = c.enabled;
    s.visible = c.visible;
    s.left = c.left;
    s.top = c.top;
    s.width = c.width;
    s.height = c.height;
    s.interval = c.interval;
  }
}

const ControlState& FormModel::Get(const std::string& control) const {
  static const ControlState kMissing;
  auto it = controls_.find(control);
  return it == controls_.end() ? kMissing : it->second;
}

ControlState& FormModel::Mutable(const std::string& control) { return controls_[control]; }

void FormModel::Notify(const std::string& control) {
  if (observer_) observer_(control);
}

void FormModel::SetText(const std::string& control, const std::string& text) {
  Mutable(control).text = text;
  Notify(control);
}

void FormModel::SetValue(const std::string& control, int value) {
  Mutable(control).value = value;
  Notify(control);
}

void FormModel::SetEnabled(const std::string& control, bool enabled) {
  Mutable(control).enabled = enabled;
  Notify(control);
}

void FormModel::SetVisible(const std::string& control, bool visible) {
  Mutable(control).visible = visible;
  Notify(control);
}

void FormModel::SetTop(const std::string& control, int top) {
  Mutable(control).top = top;
  Notify(control);
}

void FormModel::SetHeight(const std::string& control, int height) {
  Mutable(control).height = height;
  Notify(control);
}

void FormModel::ClearItems(const std::string& control) {
  ControlState& s = Mutable(control);
  s.items.clear();
  s.checks.clear();
  s.listIndex = -1;
  Notify(control);
}

void FormModel::AddItem(const std::string& control, const std::string& item) {
  ControlState& s = Mutable(control);
  s.items.push_back(item);
  s.checks.push_back(false);
  Notify(control);
}

void FormModel::SetItemChecked(const std::string& control, int index, bool checked) {
  ControlState& s = Mutable(control);
  if (index < 0 || index >= static_cast<int>(s.checks.size())) return;
  s.checks[static_cast<size_t>(index)] = checked;
  Notify(control);
}

void FormModel::SetListIndex(const std::string& control, int index) {
  ControlState& s = Mutable(control);
  s.listIndex = (index >= -1 && index < static_cast<int>(s.items.size())) ? index : -1;
  if (s.kind == ControlKind::ComboBox && s.listIndex >= 0) s.text = s.items[static_cast<size_t>(s.listIndex)];
  Notify(control);
}

void FormModel::SetHorizontalExtent(const std::string& control, int pixels) {
  Mutable(control).horizontalExtent = pixels;
  Notify(control);
}

void FormModel::SetFormHeight(int twips) {
  formHeight_ = twips;
  Notify("Form");
}

}  // namespace vk::platform
