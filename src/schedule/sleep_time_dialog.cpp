#include "schedule/sleep_time_dialog.h"

#include <map>
#include <optional>
#include <utility>

#include "schedule/calendar.h"
#include "schedule/schedule_builder.h"
#include "schedule/schedule_settings.h"
#include "schedule/setting_text.h"
#include "schedule/time_conversions.h"
#include "schedule/validate_time.h"
#include "ui/window_helpers.h"

namespace vk::schedule {

using platform::EventArgs;
using platform::FormEvent;

namespace {

// Between the frames, and between the last frame and the buttons.
constexpr int kFrameGap = 105;
// Below the buttons: room for the form's caption bar and border.
constexpr int kBelowButtons = 500;

// The countdown needs at least a second, and the value is kept in 16 bits.
constexpr std::int64_t kShortestCancelPeriod = 1;
constexpr std::int64_t kLongestCancelPeriod = 32767;

}  // namespace

bool SleepTimeDialog::OnEvent(const std::string& control, FormEvent event, EventArgs& args) {
  using Handler = void (*)(SleepTimeDialog&, EventArgs&);
  const Handler mark = [](SleepTimeDialog& d, EventArgs&) { d.MarkChanged(); };
  static const std::map<std::pair<std::string, FormEvent>, Handler> handlers = {
      {{"optDayTime", FormEvent::Click}, [](SleepTimeDialog& d, EventArgs&) { d.optDayTime_Click(); }},
      {{"optPeriod", FormEvent::Click}, [](SleepTimeDialog& d, EventArgs&) { d.optPeriod_Click(); }},
      // Typing a mode marks, choosing one does not; the period the other way round.
      {{"cboMode", FormEvent::Change}, mark},
      {{"cboPeriod", FormEvent::Click}, mark},
      {{"dtpShutdown", FormEvent::Change}, mark},
      {{"mskOnTime", FormEvent::Change}, mark},
      {{"txtcancel", FormEvent::Change}, mark},
      {{"UpCancel", FormEvent::Change}, mark},
      {{"mskOnTime", FormEvent::Validate}, [](SleepTimeDialog& d, EventArgs& a) { d.mskOnTime_Validate(a.cancel); }},
      {{"CmdOK", FormEvent::Click}, [](SleepTimeDialog& d, EventArgs&) { d.CmdOK_Click(); }},
      {{"CmdCancel", FormEvent::Click}, [](SleepTimeDialog& d, EventArgs&) { d.CmdCancel_Click(); }},
      {{"CmdAdvanced", FormEvent::Click}, [](SleepTimeDialog& d, EventArgs&) { d.CmdAdvanced_Click(); }},
      {{"Form", FormEvent::QueryUnload}, [](SleepTimeDialog& d, EventArgs& a) { d.Form_QueryUnload(a.cancel); }},
  };
  auto it = handlers.find({control, event});
  if (it == handlers.end()) return false;
  it->second(*this, args);
  return true;
}

WindowHandle SleepTimeDialog::Window() { return context_.owner.Host().Handle(); }

void SleepTimeDialog::MarkChanged() {
  if (bFilling == kFalse) bChanged = kTrue;
}

// The date range is fixed on the day the program starts.
void SleepTimeDialog::LoadSettings() {
  platform::FormModel& f = context_.form;
  bFilling = kTrue;
  FillModeList();
  f.SetItems("cboPeriod", {kPeriodEntries.begin(), kPeriodEntries.end()});
  f.SetListIndex("cboPeriod", 0);
  const platform::DateTime now = context_.clock.Now();
  const platform::DateTime today{now.year, now.month, now.day};
  f.SetMinDate("dtpShutdown", today);
  f.SetMaxDate("dtpShutdown", AddDays(today, 365));
  if (context_.settings) ReadSavedSettings(*context_.settings, context_.log, context_.values);
  ShowSavedOption();
  f.SetText("txtcancel", std::to_string(context_.values.CancelTime));
  SelectMode(context_.values.Mode);
  bFilling = kFalse;
}

void SleepTimeDialog::FillModeList() {
  platform::FormModel& f = context_.form;
  f.ClearItems("cboMode");
  f.AddItem("cboMode", "Shutdown");
  f.AddItem("cboMode", "Suspend");
  if (HibernateOffered()) f.AddItem("cboMode", "Hibernate");
  f.SetListIndex("cboMode", 0);
}

// Only the newer generation hibernates, and only where PowerControl says so.
bool SleepTimeDialog::HibernateOffered() {
  return ui::OSMajorVersion(context_.windows) > 4 && context_.owner.HibernateSupported();
}

// A stored mode that is no entry of the list (2 where hibernation is not
// offered, or any other number) selects none, and the box stays empty.
void SleepTimeDialog::SelectMode(std::int32_t mode) {
  platform::FormModel& f = context_.form;
  if (mode >= 0 && mode < static_cast<std::int32_t>(f.Get("cboMode").items.size())) {
    f.SetListIndex("cboMode", mode);
  } else {
    f.SetText("cboMode", "");
  }
}

// The option button of DayTime becomes selected and its click handler runs,
// arranging the frames to match.
void SleepTimeDialog::ShowSavedOption() {
  const bool byDate = context_.values.DayTime != kFalse;
  context_.form.SetValue(byDate ? "optDayTime" : "optPeriod", 1);
  byDate ? optDayTime_Click() : optPeriod_Click();
}

void SleepTimeDialog::Open() {
  ui::SetTopMost(context_.windows, Window(), kTrue);
  sSavedTime = context_.values.SleepTime;
  sSavedDate = context_.values.SleepDate;
  bSavedTimeSet = context_.values.TimeSet;
  ArrangeFrames(context_.values.DayTime != kFalse ? Arrangement::TimeAndDate : Arrangement::Period);
  context_.owner.Host().Show(platform::ShowMode::Modal, 0);
}

// Frame2 never moves: the frame shown for the arrangement takes its place and
// the others follow it down, 105 twips apart.
void SleepTimeDialog::ArrangeFrames(Arrangement arrangement) {
  platform::FormModel& f = context_.form;
  const bool byDate = arrangement == Arrangement::TimeAndDate;
  const int base = f.Get("Frame2").top;
  f.SetTop("Frame3", base);
  f.SetVisible("Frame3", !byDate);
  f.SetVisible("Frame2", byDate);
  const int shown = f.Get(byDate ? "Frame2" : "Frame3").height;
  const int frame4 = f.Get("Frame4").height;
  f.SetTop("Frame4", base + shown + kFrameGap);
  f.SetTop("Frame5", base + shown + frame4 + 2 * kFrameGap);
  const int buttons = base + shown + frame4 + f.Get("Frame5").height + 3 * kFrameGap;
  for (const char* button : {"CmdCancel", "CmdOK", "CmdAdvanced"}) f.SetTop(button, buttons);
  f.SetFormHeight(f.Get("CmdCancel").top + f.Get("CmdCancel").height + kBelowButtons);
}

void SleepTimeDialog::optDayTime_Click() {
  context_.values.DayTime = kTrue;
  ArrangeFrames(Arrangement::TimeAndDate);
  MarkChanged();
}

void SleepTimeDialog::optPeriod_Click() {
  context_.values.DayTime = kFalse;
  ArrangeFrames(Arrangement::Period);
  MarkChanged();
}

// No message for a wrong time: the focus simply stays.
void SleepTimeDialog::mskOnTime_Validate(bool& cancel) {
  cancel = ValidateTime(context_.form, "mskOnTime", context_.messages, context_.shell.Title()) == kFalse;
}

bool SleepTimeDialog::ReadCancelPeriod(std::int16_t& seconds) {
  const auto value = ParseInteger(context_.form.Get("txtcancel").text, kShortestCancelPeriod, kLongestCancelPeriod);
  if (value) seconds = static_cast<std::int16_t>(*value);
  return value.has_value();
}

// A cancel period the countdown cannot use is refused before anything is
// stopped, built or saved.
void SleepTimeDialog::CmdOK_Click() {
  platform::FormModel& f = context_.form;
  ScheduleValues& values = context_.values;
  std::int16_t cancelTime = 0;
  if (!ReadCancelPeriod(cancelTime)) {
    context_.messages.Show("The cancel period must be a whole number of seconds from 1 to 32767.",
                           context_.shell.Title(), platform::kMbOk | platform::kMbIconExclamation);
    f.SetFocus("txtcancel");
    return;
  }
  if (bChanged != kFalse || values.TimeSet == kFalse) {
    context_.owner.StopTimer();
    const auto tip = BuildSchedule(values, {f.Get("mskOnTime").text, f.Get("dtpShutdown").date,
                                            context_.clock.DateSeparator(), f.Get("cboPeriod").text});
    if (tip) context_.owner.SetTrayTip(*tip);
  }
  bChanged = kFalse;
  context_.owner.EnableTimerMenus(values.TimeSet);
  context_.owner.SendTrayIcon();
  values.CancelTime = cancelTime;
  values.Mode = f.Get("cboMode").listIndex;
  if (context_.settings) SaveSettings(*context_.settings, values);
  ui::SetTopMost(context_.windows, Window(), kFalse);
  context_.owner.Host().Hide();
}

// A change before Cancel still counts at the next OK.
void SleepTimeDialog::CmdCancel_Click() {
  ui::SetTopMost(context_.windows, Window(), kFalse);
  RestoreSettings();
  context_.owner.Host().Hide();
}

void SleepTimeDialog::RestoreSettings() {
  ScheduleValues& values = context_.values;
  bFilling = kTrue;
  if (context_.settings) ReadBackSettings(*context_.settings, context_.log, values);
  ShowSavedOption();
  context_.form.SetText("txtcancel", std::to_string(values.CancelTime));
  SelectMode(values.Mode);
  values.SleepTime = sSavedTime;
  values.SleepDate = sSavedDate;
  values.TimeSet = bSavedTimeSet;
  values.DayTime == kFalse ? RestorePeriod() : RestoreTimeAndDate();
  bFilling = kFalse;
}

// The box shows the entry of the confirmed period ("90 Mins" for 1:30), so a
// later OK builds that period again.
void SleepTimeDialog::RestorePeriod() {
  const ScheduleValues& values = context_.values;
  if (values.TimeSet == kFalse) {
    context_.form.SetListIndex("cboPeriod", 0);
    return;
  }
  context_.form.SetText("cboPeriod", PeriodEntryFor(values.SleepTime).value_or(values.SleepTime));
}

// The time box holds only what its mask can: a confirmed time, or none.
void SleepTimeDialog::RestoreTimeAndDate() {
  const ScheduleValues& values = context_.values;
  const platform::DateTime now = context_.clock.Now();
  platform::FormModel& f = context_.form;
  if (values.TimeSet == kFalse) {
    f.SetDate("dtpShutdown", now);
    f.SetText("mskOnTime", kEmptyTimeBox);
    return;
  }
  f.SetText("mskOnTime", IsValidTimeOfDay(values.SleepTime) ? values.SleepTime : kEmptyTimeBox);
  f.SetDate("dtpShutdown", ReadDateText(values.SleepDate).value_or(now));
}

// Its Close item is disabled, but Alt+F4 still closes the frame, and closing
// the main form ends the program. While the dialog is on show it is left
// only through OK or Cancel; hidden, the form closes as before (that is how
// the setup program ends a running copy).
void SleepTimeDialog::Form_QueryUnload(bool& cancel) {
  if (context_.owner.Host().Visible()) cancel = true;
}

// The Advanced Options keep and save their own options: using them marks
// nothing here, and Cancel here does not undo them.
void SleepTimeDialog::CmdAdvanced_Click() { context_.owner.OpenAdvancedOptions(); }

}  // namespace vk::schedule
