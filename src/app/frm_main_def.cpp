#include "app/frm_main.h"
#include "resource_ids.h"

namespace vk::app {

using platform::ControlDef;
using platform::ControlKind;

const platform::FormDef& FrmMain::Definition() {
  static const platform::FormDef def = [] {
    platform::FormDef d;
    d.name = "FrmMain";
    d.caption = "Vesperkit";
    d.clientWidth = 3585;
    d.clientHeight = 4655;
    d.iconResource = IDI_VESPERKIT;
    auto add = [&d](ControlDef c) { d.controls.push_back(std::move(c)); };
    ControlDef timer{.name = "Timer1", .kind = ControlKind::Timer};
    timer.enabled = false;
    timer.interval = 2000;
    add(timer);
    add({.name = "mnuMain", .kind = ControlKind::Menu, .caption = "Main"});
    auto item = [&add](const char* name, const char* caption, bool enabled) {
      ControlDef c{.name = name, .kind = ControlKind::MenuItem, .container = "mnuMain", .caption = caption};
      c.enabled = enabled;
      add(c);
    };
    item("mnuAbout", "&About", true);
    item("mnufilebar1", "-", true);
    item("mnuTimeSet", "&Set Sleep Time", true);
    item("mnufilebar2", "-", true);
    item("mnuTimerStart", "S&tart Timer", false);
    item("mnuTimerStop", "Sto&p Timer", false);
    item("mnufilebar3", "-", true);
    item("mnuExit", "&Exit", true);
    return d;
  }();
  return def;
}

}  // namespace vk::app
