#include "resource_ids.h"
#include "shutdown/frm_countdown.h"

namespace vk::shutdown {

using platform::Control;
using platform::ControlDef;
using platform::ControlKind;

// Cancel has the focus when the warning appears: a key the user was about to
// press in another program then calls the shutdown off rather than starting it.
const platform::FormDef& FrmCountdown::Definition() {
  static const platform::FormDef def = [] {
    platform::FormDef d;
    d.name = "FrmCountdown";
    d.caption = "Vesperkit";
    d.clientWidth = 5055;
    d.clientHeight = 1440;
    d.iconResource = IDI_VESPERKIT;
    d.initialFocus = "CmdCancel";
    ControlDef label = Control("Label1", ControlKind::Label, 240, 180, 4575, 420);
    label.font = {"Arial Black", 12, false};
    d.controls.push_back(label);
    ControlDef ok = Control("CmdOK", ControlKind::Button, 1320, 840, 1095, 375, "&OK");
    ok.toolTip = "Ok to skip countdown and shutdown system immediatly";
    d.controls.push_back(ok);
    ControlDef cancel = Control("CmdCancel", ControlKind::Button, 2640, 840, 1095, 375, "&Cancel");
    cancel.toolTip = "Cancel system shutdown";
    cancel.isCancel = true;
    d.controls.push_back(cancel);
    ControlDef timer = Control("Timer1", ControlKind::Timer, 0, 0, 0, 0);
    timer.enabled = false;
    timer.interval = 1000;
    d.controls.push_back(timer);
    return d;
  }();
  return def;
}

}  // namespace vk::shutdown
