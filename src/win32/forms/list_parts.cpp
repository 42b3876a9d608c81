// Combo boxes, list boxes and the list with a check box per item.
#include "win32/forms/list_parts.h"

#include "win32/forms/checked_list.h"
#include "win32/forms/form_host.h"

namespace vk::win32 {

using platform::ControlDef;
using platform::ModelChange;

namespace {

constexpr int kDropDownPixels = 160;  // a combo box's list below its text

// Puts the entries into the control when they are not what it shows.
void Fill(HWND control, bool combo, const std::vector<std::string>& items, std::vector<std::string>& shown) {
  if (items == shown) return;
  SendMessageA(control, WM_SETREDRAW, FALSE, 0);
  SendMessageA(control, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
  for (const std::string& item : items)
    SendMessageA(control, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageA(control, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(control, nullptr, TRUE);
  shown = items;
}

class CheckedListPart : public ListPart {
 public:
  CheckedListPart(Win32FormHost& host, const ControlDef& def)
      : ListPart(host, def, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_HSCROLL),
        toggled_([this](int index) { Input().CheckItem(Name(), index); }) {}

  void Show(ModelChange change) override {
    if (change == ModelChange::Checks) InvalidateRect(Window(), nullptr, FALSE);
    ListPart::Show(change);
  }

  void OnDrawItem(const DRAWITEMSTRUCT& item) override {
    const std::vector<bool>& checks = State().checks;
    DrawCheckedItem(item, item.itemID < checks.size() && checks[item.itemID]);
  }

  void OnMeasureItem(MEASUREITEMSTRUCT& item) override {
    item.itemHeight = static_cast<UINT>(CheckedItemHeight(Host().Window(), Host().FontFor(Def())));
  }

 protected:
  void Attach() override { AttachCheckToggle(Window(), toggled_); }

 private:
  CheckToggled toggled_;
};

}  // namespace

ComboPart::ComboPart(Win32FormHost& host, const ControlDef& def, bool editable)
    : ControlPart(host, def,
                  PartWindow{"COMBOBOX", static_cast<DWORD>(editable ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST) |
                                             WS_VSCROLL | WS_TABSTOP}),
      editable_(editable) {}

int ComboPart::ExtraHeight() const { return kDropDownPixels; }

void ComboPart::Show(ModelChange change) {
  if (change == ModelChange::Items) ShowItems();
  if (change == ModelChange::ListIndex) ShowListIndex();
  if (change == ModelChange::Text && editable_) ShowText();
  ControlPart::Show(change);
}

void ComboPart::ShowItems() {
  Fill(Window(), true, State().items, shown_);
  ShowListIndex();
  if (editable_) ShowText();
}

// Choosing no entry empties the text of a combo box; the model's text stays.
void ComboPart::ShowListIndex() {
  const int index = State().listIndex;
  if (Send(CB_GETCURSEL) == index) return;
  Send(CB_SETCURSEL, static_cast<WPARAM>(index));
  if (index < 0 && editable_) SetWindowTextA(Window(), State().text.c_str());
}

void ComboPart::OnCommand(int code) {
  if (code == CBN_SETFOCUS) FocusArrived();
  if (code == CBN_KILLFOCUS) FocusLeft();
  if (code == CBN_EDITCHANGE) Input().Type(Name(), Text());
  if (code == CBN_SELCHANGE && !Input().Choose(Name(), static_cast<int>(Send(CB_GETCURSEL)))) ShowListIndex();
}

ListPart::ListPart(Win32FormHost& host, const ControlDef& def, DWORD style)
    : ControlPart(host, def,
                  PartWindow{"LISTBOX", style | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                             WS_EX_CLIENTEDGE}) {}

void ListPart::Show(ModelChange change) {
  if (change == ModelChange::Items) ShowItems();
  if (change == ModelChange::ListIndex) Send(LB_SETCURSEL, static_cast<WPARAM>(State().listIndex));
  if (change == ModelChange::Extent) Send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(State().horizontalExtent));
  ControlPart::Show(change);
}

void ListPart::ShowItems() {
  Fill(Window(), false, State().items, shown_);
  Send(LB_SETCURSEL, static_cast<WPARAM>(State().listIndex));
  Send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(State().horizontalExtent));
}

// A choice the rules refuse is taken back from the control.
void ListPart::OnCommand(int code) {
  if (code == LBN_SETFOCUS) FocusArrived();
  if (code == LBN_KILLFOCUS) FocusLeft();
  if (code == LBN_SELCHANGE && !Input().Choose(Name(), static_cast<int>(Send(LB_GETCURSEL))))
    Send(LB_SETCURSEL, static_cast<WPARAM>(State().listIndex));
  if (code == LBN_DBLCLK) Input().DoubleClick(Name());
}

std::unique_ptr<ControlPart> MakeComboBox(Win32FormHost& host, const ControlDef& def) {
  return std::make_unique<ComboPart>(host, def, true);
}

std::unique_ptr<ControlPart> MakeCheckedListBox(Win32FormHost& host, const ControlDef& def) {
  return std::make_unique<CheckedListPart>(host, def);
}

}  // namespace vk::win32
