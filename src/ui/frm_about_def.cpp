#include "resource_ids.h"
#include "ui/frm_about.h"
#include "version.h"

namespace vk::ui {

using platform::Control;
using platform::ControlDef;
using platform::ControlKind;

namespace {

ControlDef Link(const char* name, int left, int top, int width, int height, const char* caption,
                const char* target) {
  ControlDef c = Control(name, ControlKind::Hyperlink, left, top, width, height, caption);
  c.extra = target;
  return c;
}

}  // namespace

const platform::FormDef& FrmAbout::Definition() {
  static const platform::FormDef def = [] {
    platform::FormDef d;
    d.name = "frmAbout";
    d.caption = "About";
    d.clientWidth = 5730;
    d.clientHeight = 3675;
    d.iconResource = IDI_VESPERKIT;
    d.initialFocus = "CmdOK";
    ControlDef icon = Control("picIcon", ControlKind::PictureBox, 240, 240, 480, 480);
    icon.iconResource = IDI_VESPERKIT;
    d.controls.push_back(icon);
    ControlDef title = Control("lblTitle", ControlKind::Label, 1050, 240, 3885, 480, "Application Title");
    title.font = {"", 12, true};
    d.controls.push_back(title);
    d.controls.push_back(Control("lblVersion", ControlKind::Label, 1050, 780, 3885, 225, "Version"));
    d.controls.push_back(
        Control("lblDescription", ControlKind::Label, 1050, 1125, 3885, 450, "Windows 9x Shutdown Sleep Timer"));
    d.controls.push_back(Control("lblSupport", ControlKind::Label, 960, 1680, 1095, 255, "Feedback:"));
    d.controls.push_back(
        Link("hypEmail", 1800, 1560, 2145, 345, "feedback@example.com", "mailto:feedback@example.com"));
    d.controls.push_back(Link("hypWeb", 1800, 1920, 2205, 345, "www.example.com", "https://www.example.com/"));
    d.controls.push_back(Control("Line1", ControlKind::Line, 105, 2460, 5520, 30));
    d.controls.push_back(Control("lblDisclaimer", ControlKind::Label, 240, 2640, 3870, 825,
                                 "Warning: all rights in this program belong to " VESPERKIT_COMPANY_NAME
                                 ". No part of it may be duplicated in any form without their written "
                                 "permission."));
    ControlDef ok = Control("CmdOK", ControlKind::Button, 4245, 2625, 1260, 345, "OK");
    ok.isDefault = true;
    ok.isCancel = true;
    d.controls.push_back(ok);
    d.controls.push_back(Control("cmdSysInfo", ControlKind::Button, 4260, 3075, 1245, 345, "&System Info..."));
    return d;
  }();
  return def;
}

}  // namespace vk::ui
