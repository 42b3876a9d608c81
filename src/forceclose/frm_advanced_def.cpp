#include "forceclose/frm_advanced.h"
#include "resource_ids.h"

namespace vk::forceclose {

using platform::Control;
using platform::ControlDef;
using platform::ControlKind;
using platform::In;

const platform::FormDef& FrmAdvanced::Definition() {
  static const platform::FormDef def = [] {
    platform::FormDef d;
    d.name = "FrmAdvanced";
    d.caption = "Advanced Options";
    d.clientWidth = 3615;
    d.clientHeight = 5010;
    d.iconResource = IDI_VESPERKIT;
    d.controls.push_back(Control("Frame1", ControlKind::Frame, 120, 120, 3375, 615, " Shutdown Options "));
    ControlDef force = In("Frame1", Control("chkForce", ControlKind::CheckBox, 120, 250, 2535, 195, "Force"));
    force.toolTip = "Force a shutdown. Use with caution";
    d.controls.push_back(force);
    d.controls.push_back(Control("Frame2", ControlKind::Frame, 120, 840, 3375, 3495));
    d.controls.push_back(
        In("Frame2", Control("chkForceApp", ControlKind::CheckBox, 120, 240, 2175, 255, "Force Application Close")));
    d.controls.push_back(In("Frame2", Control("lstApps", ControlKind::CheckedListBox, 120, 600, 3135, 2310)));
    d.controls.push_back(In("Frame2", Control("cmdDel", ControlKind::Button, 1200, 3000, 975, 315, "&Delete")));
    d.controls.push_back(In("Frame2", Control("cmdAdd", ControlKind::Button, 2280, 3000, 975, 315, "&Add")));
    d.controls.push_back(Control("CmdOK", ControlKind::Button, 1440, 4560, 975, 315, "&OK"));
    d.controls.push_back(Control("CmdCancel", ControlKind::Button, 2520, 4560, 975, 315, "&Cancel"));
    return d;
  }();
  return def;
}

}  // namespace vk::forceclose
