#pragma once
// The toolkit-neutral state of a form's controls. Handlers read and write it;
// the Win32 binding mirrors every change onto the real control, and tests read
// it directly. Programmatic changes never raise handler events by themselves.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/form_def.h"

namespace vk::platform {

struct ControlState {
  ControlKind kind = ControlKind::Label;
  std::string text;  // caption or text
  int value = 0;     // check box / option button: 0 or 1; up-down: position
  bool enabled = true;
  bool visible = true;
  int left = 0, top = 0, width = 0, height = 0;  // twips
  std::vector<std::string> items;                // list and combo entries
  std::vector<bool> checks;                      // check marks of a checked list
  int listIndex = -1;                            // selected entry, -1 for none
  int interval = 0;                              // timers
  int horizontalExtent = 0;                      // list boxes, in pixels
};

class FormModel {
 public:
  using Observer = std::function<void(const std::string& control)>;

  explicit FormModel(const FormDef& def);

  const ControlState& Get(const std::string& control) const;
  bool Has(const std::string& control) const { return controls_.count(control) != 0; }

  void SetText(const std::string& control, const std::string& text);
  void SetValue(const std::string& control, int value);
  void SetEnabled(const std::string& control, bool enabled);
  void SetVisible(const std::string& control, bool visible);
  void SetTop(const std::string& control, int top);
  void SetHeight(const std::string& control, int height);
  void ClearItems(const std::string& control);
  void AddItem(const std::string& control, const std::string& item);
  void SetItemChecked(const std::string& control, int index, bool checked);
  void SetListIndex(const std::string& control, int index);
  void SetHorizontalExtent(const std::string& control, int pixels);

  // The form's own height in twips (ArrangeFrames changes it).
  int FormHeight() const { return formHeight_; }
  void SetFormHeight(int twips);

  // The binding observes changes; "Form" names the form itself.
  void SetObserver(Observer observer) { observer_ = std::move(observer); }

 private:
  ControlState& Mutable(const std::string& control);
  void Notify(const std::string& control);

  std::map<std::string, ControlState> controls_;
  int formHeight_ = 0;
  Observer observer_;
};

}  // namespace vk::platform
