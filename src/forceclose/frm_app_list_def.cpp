#include "forceclose/frm_app_list.h"
#include "resource_ids.h"

namespace vk::forceclose {

using platform::Control;
using platform::ControlDef;
using platform::ControlKind;
using platform::In;

const platform::FormDef& FrmAppList::Definition() {
  static const platform::FormDef def = [] {
    platform::FormDef d;
    d.name = "FrmAppList";
    d.caption = "Application List";
    d.clientWidth = 5175;
    d.clientHeight = 5715;
    d.iconResource = IDI_VESPERKIT;
    d.controls.push_back(Control("Frame1", ControlKind::Frame, 120, 0, 4935, 5175));
    d.controls.push_back(In("Frame1", Control("Dir1", ControlKind::FolderList, 120, 240, 2295, 4815)));
    ControlDef files = In("Frame1", Control("File1", ControlKind::FileList, 2520, 240, 2295, 4380));
    files.extra = "*.exe";
    d.controls.push_back(files);
    d.controls.push_back(In("Frame1", Control("Drive1", ControlKind::DriveList, 2520, 4720, 2295, 315)));
    d.controls.push_back(Control("CmdOK", ControlKind::Button, 3000, 5280, 975, 315, "&OK"));
    d.controls.push_back(Control("CmdCancel", ControlKind::Button, 4080, 5280, 975, 315, "&Cancel"));
    return d;
  }();
  return def;
}

}  // namespace vk::forceclose
