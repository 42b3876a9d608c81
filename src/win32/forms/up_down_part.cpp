// The up-down control: its arrows step the number in its buddy text box. The
// model moves the position, never the control itself.
#include <windows.h>
#include <commctrl.h>

#include "win32/forms/control_part.h"
#include "win32/forms/form_host.h"

namespace vk::win32 {

using platform::ControlDef;
using platform::ModelChange;

namespace {

class UpDownPart : public ControlPart {
 public:
  using ControlPart::ControlPart;

  void Show(ModelChange change) override {
    if (change == ModelChange::Value) Send(UDM_SETPOS32, 0, State().value);
    if (change == ModelChange::Range) Send(UDM_SETRANGE32, static_cast<WPARAM>(State().minimum), State().maximum);
    ControlPart::Show(change);
  }

  bool OnNotify(const NMHDR& header, LRESULT& result) override {
    if (header.code != UDN_DELTAPOS) return false;
    Input().Step(Name(), reinterpret_cast<const NMUPDOWN&>(header).iDelta > 0 ? 1 : -1);
    result = 1;
    return true;
  }

 protected:
  void Attach() override {
    if (HWND buddy = Host().ControlHandle(Def().extra)) Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy));
  }
};

}  // namespace

std::unique_ptr<ControlPart> MakeUpDown(Win32FormHost& host, const ControlDef& def) {
  return std::make_unique<UpDownPart>(host, def, PartWindow{UPDOWN_CLASSA, UDS_ARROWKEYS | UDS_NOTHOUSANDS});
}

}  // namespace vk::win32
