// The Set Sleep Time dialog's controls, in tab order. Twips, relative to the
// container; ArrangeFrames stacks the frames again whenever the dialog opens.
#include "schedule/sleep_time_dialog.h"

namespace vk::schedule {

using platform::ControlDef;
using platform::ControlKind;
using platform::In;

namespace {

ControlDef WithTip(ControlDef control, const char* toolTip) {
  control.toolTip = toolTip;
  return control;
}

}  // namespace

void AddSleepTimeControls(platform::FormDef& form) {
  using platform::Control;
  using K = ControlKind;
  ControlDef time = WithTip(In("Frame2", Control("mskOnTime", K::MaskedEdit, 1440, 240, 1695, 375, "__:__")),
                            "24 hour format");
  time.extra = "##:##";
  time.placeholder = '_';
  ControlDef upDown = In("Frame4", Control("UpCancel", K::UpDown, 2176, 240, 240, 285));
  upDown.extra = "txtcancel";
  upDown.minimum = 1;
  upDown.maximum = 3600;
  const ControlDef rows[] = {
      Control("Frame1", K::Frame, 120, 120, 3375, 975, " Shutdown By: "),
      In("Frame1", Control("optDayTime", K::OptionButton, 120, 240, 2895, 255, "Set by Time/Date")),
      In("Frame1", Control("optPeriod", K::OptionButton, 120, 600, 1935, 195, "Set by Time Period")),
      Control("Frame2", K::Frame, 120, 1200, 3375, 1215, " Set by Time/Date"),
      In("Frame2", Control("Label1", K::Label, 120, 360, 1125, 195, "Set Sleep Time:")),
      time,
      In("Frame2", Control("Label2", K::Label, 120, 720, 1215, 255, "Set Sleep Day:")),
      In("Frame2", Control("dtpShutdown", K::DatePicker, 1440, 720, 1695, 375)),
      Control("Frame3", K::Frame, 120, 2520, 3375, 855, " Set by Time Period"),
      In("Frame3", Control("Label3", K::Label, 120, 360, 1125, 195, "Set Sleep Time:")),
      WithTip(In("Frame3", Control("cboPeriod", K::ComboBox, 1440, 240, 1695, 315)), "Sleep time in..."),
      Control("Frame4", K::Frame, 120, 3480, 3375, 735, " Set Cancel Period"),
      In("Frame4", Control("Label4", K::Label, 120, 240, 1335, 435, "Set Cancel Period In Seconds:")),
      WithTip(In("Frame4", Control("txtcancel", K::TextBox, 1560, 240, 615, 285, "30")),
              "Shutdown warning will be shown for..."),
      upDown,
      Control("Frame5", K::Frame, 120, 4320, 3375, 735, " Shutdown Mode "),
      In("Frame5", Control("cboMode", K::ComboBox, 1440, 240, 1695, 315)),
      Control("CmdAdvanced", K::Button, 360, 5280, 975, 315, "&Advanced"),
      Control("CmdOK", K::Button, 1440, 5280, 975, 315, "&OK"),
      Control("CmdCancel", K::Button, 2520, 5280, 975, 315, "&Cancel"),
  };
  form.controls.insert(form.controls.end(), std::begin(rows), std::end(rows));
}

}  // namespace vk::schedule
