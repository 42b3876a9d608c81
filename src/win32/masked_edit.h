#pragma once
// A masked edit box: an edit control whose keys are taken over, so that
// digits overwrite the digit positions of the mask and its literals stay.
#include <windows.h>

#include <string>

#include "win32/control_sink.h"

namespace vk::win32 {

struct MaskedEditRules {
  ControlSink* sink = nullptr;
  std::string mask;
  char placeholder = '_';
};

// rules must outlive the edit control.
void AttachMask(HWND edit, MaskedEditRules& rules);

}  // namespace vk::win32
