// The date picker: the chosen day and the selectable range.
#include <windows.h>
#include <commctrl.h>

#include "win32/forms/control_part.h"

namespace vk::win32 {

using platform::ControlDef;
using platform::ModelChange;

namespace {

SYSTEMTIME ToSystemTime(const platform::DateTime& d) {
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(d.year);
  t.wMonth = static_cast<WORD>(d.month);
  t.wDay = static_cast<WORD>(d.day);
  t.wHour = static_cast<WORD>(d.hour);
  t.wMinute = static_cast<WORD>(d.minute);
  t.wSecond = static_cast<WORD>(d.second);
  return t;
}

bool ValidDate(const platform::DateTime& d) { return d.year >= 1601 && d.month >= 1 && d.day >= 1; }

class DatePickerPart : public ControlPart {
 public:
  using ControlPart::ControlPart;

  void Show(ModelChange change) override {
    if (change == ModelChange::Date) ShowDate();
    if (change == ModelChange::Range) ShowRange();
    ControlPart::Show(change);
  }

  // The day comes with the notification: it is the one the user chose.
  bool OnNotify(const NMHDR& header, LRESULT&) override {
    if (header.code == static_cast<UINT>(NM_SETFOCUS)) FocusArrived();
    if (header.code == static_cast<UINT>(NM_KILLFOCUS)) FocusLeft();
    if (header.code != DTN_DATETIMECHANGE) return false;
    const auto& change = reinterpret_cast<const NMDATETIMECHANGE&>(header);
    const SYSTEMTIME& t = change.st;
    if (change.dwFlags == GDT_VALID && !Input().PickDate(Name(), {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                                                                   t.wSecond}))
      ShowDate();
    return false;
  }

 private:
  void ShowDate() {
    if (!ValidDate(State().date)) return;
    SYSTEMTIME t = ToSystemTime(State().date);
    Send(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
  }

  void ShowRange() {
    const platform::ControlState& s = State();
    SYSTEMTIME range[2] = {};
    WPARAM which = 0;
    if (s.minDate && ValidDate(*s.minDate)) {
      range[0] = ToSystemTime(*s.minDate);
      which |= GDTR_MIN;
    }
    if (s.maxDate && ValidDate(*s.maxDate)) {
      range[1] = ToSystemTime(*s.maxDate);
      which |= GDTR_MAX;
    }
    Send(DTM_SETRANGE, which, reinterpret_cast<LPARAM>(range));
  }
};

}  // namespace

std::unique_ptr<ControlPart> MakeDatePicker(Win32FormHost& host, const ControlDef& def) {
  return std::make_unique<DatePickerPart>(host, def, PartWindow{DATETIMEPICK_CLASSA, DTS_SHORTDATEFORMAT | WS_TABSTOP});
}

}  // namespace vk::win32
