#include "platform/form_user.h"

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

}  // namespace

bool UserClickEffect(FormModel& model, const std::string& control) {
  const ControlState& s = model.Get(control);
  if (s.kind == ControlKind::CheckBox) {
    model.SetValue(control, s.value == 0 ? 1 : 0);
  } else if (s.kind == ControlKind::OptionButton) {
    if (s.value != 0) return false;
    model.SetValue(control, 1);
  }
  return true;
}

void UserTypeEffect(FormModel& model, const std::string& control, const std::string& text) {
  model.SetText(control, text);
  if (model.Get(control).kind == ControlKind::ComboBox && model.Get(control).listIndex != -1)
    model.SetListIndex(control, -1);
}

bool UserChooseEffect(FormModel& model, const std::string& control, int index) {
  if (!InList(model.Get(control), index)) return false;
  model.SetListIndex(control, index);
  return true;
}

bool UserCheckEffect(FormModel& model, const std::string& control, int index) {
  const ControlState& s = model.Get(control);
  if (!InList(s, index)) return false;
  model.SetItemChecked(control, index, !s.checks[static_cast<size_t>(index)]);
  return true;
}

bool UserStepEffect(FormModel& model, const std::string& upDown, int delta) {
  const ControlState& s = model.Get(upDown);
  const int before = s.buddy.empty() ? s.value : NumberOr(model.Get(s.buddy).text, s.value);
  model.SetValue(upDown, before);
  const int from = model.Get(upDown).value;
  model.SetValue(upDown, from + delta);
  const int to = model.Get(upDown).value;
  if (!s.buddy.empty()) model.SetText(s.buddy, std::to_string(to));
  return to != from;
}

void UserDateEffect(FormModel& model, const std::string& control, const DateTime& date) {
  model.SetDate(control, date);
}

}  // namespace vk::platform
