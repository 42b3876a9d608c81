#pragma once
// A masked edit box: an edit control whose keys are taken over, so that
// digits overwrite the digit positions of the mask and its literals stay.
#include <windows.h>

#include <functional>
#include <string>

namespace vk::win32 {

struct MaskedEditRules {
  std::string mask;
  char placeholder = '_';
  // The user changed the box: its whole new text, and where the caret goes.
  std::function<void(const std::string& text, int caret)> typed;
};

// rules must outlive the edit control.
void AttachMask(HWND edit, MaskedEditRules& rules);

}  // namespace vk::win32
