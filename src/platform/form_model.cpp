#include "platform/form_model.h"

#include <algorithm>
#include <tuple>

namespace vk::platform {

namespace {

constexpr int kMaxNesting = 16;

bool InList(int index, const std::vector<std::string>& items) {
  return index >= 0 && index < static_cast<int>(items.size());
}

}  // namespace

bool DateBefore(const DateTime& a, const DateTime& b) {
  return std::tie(a.year, a.month, a.day, a.hour, a.minute, a.second) <
         std::tie(b.year, b.month, b.day, b.hour, b.minute, b.second);
}

FormModel::FormModel(const FormDef& def) : caption_(def.caption), formHeight_(def.clientHeight) {
  for (const ControlDef& c : def.controls) {
    if (c.name == "Form" || !controls_.try_emplace(c.name).second)
      throw UnknownControl("form " + def.name + " names the control " + c.name + " twice");
    ControlState& s = controls_[c.name];
    s.kind = c.kind;
    s.container = c.container;
    s.text = c.caption;
    s.enabled = c.enabled;
    s.visible = c.visible;
    s.left = c.left;
    s.top = c.top;
    s.width = c.width;
    s.height = c.height;
    s.interval = c.interval;
    s.minimum = c.minimum;
    s.maximum = c.maximum;
    if (c.kind == ControlKind::FileList) s.pattern = c.extra;
    if (c.kind == ControlKind::UpDown) {
      s.value = c.minimum;
      s.buddy = c.extra;
    }
  }
  for (const ControlDef& c : def.controls)
    if (!c.container.empty() && !Has(c.container))
      throw UnknownControl("form " + def.name + ": " + c.name + " is inside " + c.container + ", which it lacks");
}

const ControlState& FormModel::Get(const std::string& control) const {
  auto it = controls_.find(control);
  if (it == controls_.end()) throw UnknownControl("the form has no control named \"" + control + "\"");
  return it->second;
}

ControlState& FormModel::Mutable(const std::string& control) { return const_cast<ControlState&>(Get(control)); }

void FormModel::Notify(const std::string& control, ModelChange change) {
  if (observer_) observer_(control, change);
}

void FormModel::SetText(const std::string& control, const std::string& text) {
  ControlState& s = Mutable(control);
  s.text = text;
  if (s.kind == ControlKind::ComboBox) {
    auto it = std::find(s.items.begin(), s.items.end(), text);
    s.listIndex = it == s.items.end() ? -1 : static_cast<int>(it - s.items.begin());
  }
  Notify(control, ModelChange::Text);
}

void FormModel::SetValue(const std::string& control, int value) {
  ControlState& s = Mutable(control);
  if (s.kind == ControlKind::OptionButton) value = value != 0 ? 1 : 0;
  if (s.kind == ControlKind::UpDown) {
    value = std::clamp(value, std::min(s.minimum, s.maximum), std::max(s.minimum, s.maximum));
  }
  s.value = value;
  Notify(control, ModelChange::Value);
  if (s.kind == ControlKind::OptionButton && value != 0) ClearOtherOptions(control);
}

// Option buttons in one container are one group: only one is selected.
void FormModel::ClearOtherOptions(const std::string& selected) {
  const std::string container = Get(selected).container;
  for (auto& [name, s] : controls_) {
    if (name == selected || s.kind != ControlKind::OptionButton || s.container != container || s.value == 0) continue;
    s.value = 0;
    Notify(name, ModelChange::Value);
  }
}

void FormModel::SetEnabled(const std::string& control, bool enabled) {
  Mutable(control).enabled = enabled;
  Notify(control, ModelChange::Enabled);
}

void FormModel::SetVisible(const std::string& control, bool visible) {
  Mutable(control).visible = visible;
  Notify(control, ModelChange::Visible);
}

void FormModel::SetLeft(const std::string& control, int left) {
  Mutable(control).left = left;
  Notify(control, ModelChange::Geometry);
}

void FormModel::SetTop(const std::string& control, int top) {
  Mutable(control).top = top;
  Notify(control, ModelChange::Geometry);
}

void FormModel::SetWidth(const std::string& control, int width) {
  Mutable(control).width = width;
  Notify(control, ModelChange::Geometry);
}

void FormModel::SetHeight(const std::string& control, int height) {
  Mutable(control).height = height;
  Notify(control, ModelChange::Geometry);
}

void FormModel::ClearItems(const std::string& control) {
  ControlState& s = Mutable(control);
  s.items.clear();
  s.checks.clear();
  s.itemFolders.clear();
  s.listIndex = -1;
  s.horizontalExtent = 0;
  Notify(control, ModelChange::Items);
}

void FormModel::AddItem(const std::string& control, const std::string& item) {
  ControlState& s = Mutable(control);
  s.items.push_back(item);
  s.checks.push_back(false);
  Notify(control, ModelChange::Items);
}

void FormModel::SetItems(const std::string& control, std::vector<std::string> items) {
  ControlState& s = Mutable(control);
  s.checks.assign(items.size(), false);
  s.items = std::move(items);
  s.itemFolders.clear();
  s.listIndex = -1;
  Notify(control, ModelChange::Items);
}

void FormModel::SetItemChecked(const std::string& control, int index, bool checked) {
  ControlState& s = Mutable(control);
  if (!InList(index, s.items)) return;
  s.checks[static_cast<size_t>(index)] = checked;
  Notify(control, ModelChange::Checks);
}

void FormModel::SetListIndex(const std::string& control, int index) {
  ControlState& s = Mutable(control);
  s.listIndex = InList(index, s.items) ? index : -1;
  if (s.kind == ControlKind::ComboBox && s.listIndex >= 0) {
    s.text = s.items[static_cast<size_t>(s.listIndex)];
    Notify(control, ModelChange::Text);
  }
  Notify(control, ModelChange::ListIndex);
}

void FormModel::SetHorizontalExtent(const std::string& control, int pixels) {
  Mutable(control).horizontalExtent = std::max(pixels, 0);
  Notify(control, ModelChange::Extent);
}

void FormModel::SetInterval(const std::string& control, int milliseconds) {
  Mutable(control).interval = std::max(milliseconds, 0);
  Notify(control, ModelChange::Interval);
}

void FormModel::SetRange(const std::string& control, int minimum, int maximum) {
  ControlState& s = Mutable(control);
  s.minimum = minimum;
  s.maximum = maximum;
  Notify(control, ModelChange::Range);
  SetValue(control, s.value);
}

void FormModel::SetDate(const std::string& control, const DateTime& date) {
  Mutable(control).date = date;
  KeepDateInRange(control);
  Notify(control, ModelChange::Date);
}

void FormModel::SetMinDate(const std::string& control, const DateTime& date) {
  ControlState& s = Mutable(control);
  s.minDate = date;
  if (s.maxDate && DateBefore(*s.maxDate, date)) s.maxDate = date;
  Notify(control, ModelChange::Range);
  KeepDateInRange(control);
  Notify(control, ModelChange::Date);
}

void FormModel::SetMaxDate(const std::string& control, const DateTime& date) {
  ControlState& s = Mutable(control);
  s.maxDate = date;
  if (s.minDate && DateBefore(date, *s.minDate)) s.minDate = date;
  Notify(control, ModelChange::Range);
  KeepDateInRange(control);
  Notify(control, ModelChange::Date);
}

void FormModel::KeepDateInRange(const std::string& control) {
  ControlState& s = Mutable(control);
  if (s.minDate && DateBefore(s.date, *s.minDate)) s.date = *s.minDate;
  if (s.maxDate && DateBefore(*s.maxDate, s.date)) s.date = *s.maxDate;
}

void FormModel::SetPath(const std::string& control, const std::string& path) {
  Mutable(control).path = path;
  Notify(control, ModelChange::Path);
}

void FormModel::SetFolderLines(const std::string& control, const std::vector<FolderLine>& lines, int open) {
  std::vector<std::string> texts;
  std::vector<std::string> folders;
  for (const FolderLine& line : lines) {
    texts.push_back(line.text);
    folders.push_back(line.path);
  }
  SetItems(control, std::move(texts));
  Mutable(control).itemFolders = std::move(folders);
  SetListIndex(control, open);
}

void FormModel::SetCaption(const std::string& caption) {
  caption_ = caption;
  Notify("Form", ModelChange::Caption);
}

void FormModel::SetFormHeight(int twips) {
  formHeight_ = twips;
  Notify("Form", ModelChange::FormHeight);
}

void FormModel::SetFocus(const std::string& control) {
  if (!control.empty()) Get(control);  // a known name, or none
  focus_ = control;
  Notify(control, ModelChange::Focus);
}

std::vector<const ControlState*> FormModel::Containers(const std::string& control) const {
  std::vector<const ControlState*> chain;
  std::string name = Get(control).container;
  while (!name.empty() && chain.size() < kMaxNesting) {
    chain.push_back(&Get(name));
    name = chain.back()->container;
  }
  return chain;
}

int FormModel::FormLeft(const std::string& control) const {
  int left = Get(control).left;
  for (const ControlState* c : Containers(control)) left += c->left;
  return left;
}

int FormModel::FormTop(const std::string& control) const {
  int top = Get(control).top;
  for (const ControlState* c : Containers(control)) top += c->top;
  return top;
}

bool FormModel::Shown(const std::string& control) const {
  if (!Get(control).visible) return false;
  for (const ControlState* c : Containers(control))
    if (!c->visible) return false;
  return true;
}

bool FormModel::Usable(const std::string& control) const {
  if (!Shown(control) || !Get(control).enabled) return false;
  for (const ControlState* c : Containers(control))
    if (!c->enabled) return false;
  return true;
}

}  // namespace vk::platform
