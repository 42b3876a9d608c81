#pragma once
// What the subclassed controls of a form tell their form host.
#include <windows.h>

#include <string>

namespace vk::win32 {

class ControlSink {
 public:
  virtual ~ControlSink() = default;
  // The user changed a masked edit box; text is its whole new text.
  virtual void MaskedTextTyped(HWND control, const std::string& text, int caret) = 0;
  // The user toggled the check box of a list item.
  virtual void ItemCheckToggled(HWND control, int index) = 0;
};

}  // namespace vk::win32
