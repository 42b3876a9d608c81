#include "app/frm_main.h"
#include "resource_ids.h"

namespace vk::app {

using platform::ControlDef;
using platform::ControlKind;

namespace {

// Menus and timers have no place on the form: only name, kind and caption.
ControlDef Item(const char* name, ControlKind kind, const char* container, const char* caption, bool enabled) {
  ControlDef c = platform::In(container, platform::Control(name, kind, 0, 0, 0, 0, caption));
  c.enabled = enabled;
  return c;
}

}  // namespace

const platform::FormDef& FrmMain::Definition() {
  static const platform::FormDef def = [] {
    platform::FormDef d;
    d.name = "FrmMain";
    d.caption = "Vesperkit";
    d.clientWidth = 3585;
    d.clientHeight = 4655;
    d.heightIncludesFrame = true;
    d.iconResource = IDI_VESPERKIT;
    schedule::AddSleepTimeControls(d);
    ControlDef timer = Item("Timer1", ControlKind::Timer, "", "", false);
    timer.interval = 2000;
    d.controls.push_back(timer);
    d.controls.push_back(Item("mnuMain", ControlKind::Menu, "", "Main", true));
    auto item = [&d](const char* name, const char* caption, bool enabled) {
      d.controls.push_back(Item(name, ControlKind::MenuItem, "mnuMain", caption, enabled));
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
