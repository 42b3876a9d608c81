// A frame: a captioned border that is the real parent of the controls it
// contains (frame_window.cpp draws it and passes their news on to the form).
#include "win32/forms/control_part.h"
#include "win32/forms/frame_window.h"

namespace vk::win32 {

using platform::ControlDef;
using platform::ModelChange;

namespace {

class FramePart : public ControlPart {
 public:
  using ControlPart::ControlPart;

  void Show(ModelChange change) override {
    if (change == ModelChange::Text) ShowText();
    ControlPart::Show(change);
  }
};

}  // namespace

std::unique_ptr<ControlPart> MakeFrame(Win32FormHost& host, const ControlDef& def) {
  return std::make_unique<FramePart>(host, def, PartWindow{kFrameClass, 0, WS_EX_CONTROLPARENT});
}

}  // namespace vk::win32
