// The table of user actions played on the real binding under Wine: real
// controls driven by window messages as a person's mouse and keys make them,
// each case on a fresh form. The native suite plays the same table.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "forms/user_actions.h"
#include "support.h"
#include "win32/forms/form_host.h"
#include "win32/forms/form_toolkit.h"

namespace vk::wintest {
namespace {

using platform::ControlKind;

class WineUser : public formtest::UserDriver {
 public:
  WineUser(win32::Win32FormToolkit& toolkit, win32::Win32FormHost& form) : toolkit_(toolkit), form_(form) {}

  // Buttons are clicked as the mouse clicks them; statics get the press.
  void Click(const std::string& c) override {
    const ControlKind kind = form_.Model().Get(c).kind;
    if (kind == ControlKind::Button || kind == ControlKind::OptionButton || kind == ControlKind::CheckBox) {
      Send(c, BM_CLICK);
    } else {
      Send(c, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
      Send(c, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    Pump();
  }
  void Enter() override { PressKey(toolkit_, VK_RETURN); }
  void Escape() override { PressKey(toolkit_, VK_ESCAPE); }
  void Focus(const std::string& c) override {
    SetFocus(Window(c));
    Pump();
  }
  // Keys are posted to the box's edit window and pass the dialog manager.
  void Type(const std::string& c, const std::string& keys) override {
    HWND combosEdit = FindWindowExA(Window(c), nullptr, "Edit", nullptr);
    HWND edit = combosEdit != nullptr ? combosEdit : Window(c);
    Focus(c);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    for (char key : keys) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(key), 1);
    Pump();
  }
  // A combo box's choice with its notification; a list's item clicked.
  void Choose(const std::string& c, int index) override {
    const ControlKind kind = form_.Model().Get(c).kind;
    if (kind != ControlKind::ComboBox && kind != ControlKind::DriveList) return ClickItem(c, index, false);
    Focus(c);
    Send(c, CB_SETCURSEL, static_cast<WPARAM>(index));
    SendMessageA(GetParent(Window(c)), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Window(c)), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Window(c)));
    Pump();
  }
  void DoubleClick(const std::string& c, int index) override { ClickItem(c, index, true); }
  // The space bar on the list's caret item, even where the list cannot have the focus.
  void CheckItem(const std::string& c, int index) override {
    Focus(c);
    Send(c, LB_SETCARETINDEX, static_cast<WPARAM>(index));
    PostMessageA(Window(c), WM_KEYDOWN, VK_SPACE, 1);
    PostMessageA(Window(c), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0000001u));
    Pump();
  }
  // The up-down's upper arrow steps up, its lower one down.
  void Step(const std::string& c, int delta) override {
    RECT r;
    GetClientRect(Window(c), &r);
    const LPARAM at = MAKELPARAM(r.right / 2, delta > 0 ? 1 : r.bottom - 2);
    Send(c, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Send(c, WM_LBUTTONUP, 0, at);
    Pump();
  }
  // The picker's day set, with the notification the picker gives for a choice.
  void PickDate(const std::string& c, const platform::DateTime& day) override {
    Focus(c);
    NMDATETIMECHANGE change{};
    change.st.wYear = static_cast<WORD>(day.year);
    change.st.wMonth = static_cast<WORD>(day.month);
    change.st.wDay = static_cast<WORD>(day.day);
    Send(c, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&change.st));
    change.nmhdr = {Window(c), static_cast<UINT_PTR>(GetDlgCtrlID(Window(c))), DTN_DATETIMECHANGE};
    change.dwFlags = GDT_VALID;
    SendMessageA(GetParent(Window(c)), WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
    Pump();
  }
  void Close() override {
    SendMessageA(form_.Window(), WM_CLOSE, 0, 0);
    Pump();
  }

 private:
  HWND Window(const std::string& c) const { return form_.ControlHandle(c); }
  LRESULT Send(const std::string& c, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageA(Window(c), message, wParam, lParam);
  }
  void Pump() { PumpMessages(toolkit_); }
  // The middle of the item's text, past its check box.
  void ClickItem(const std::string& c, int index, bool twice) {
    RECT item{};
    Send(c, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    Send(c, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Send(c, WM_LBUTTONUP, 0, at);
    if (twice) {
      Send(c, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
      Send(c, WM_LBUTTONUP, 0, at);
    }
    Pump();
  }

  win32::Win32FormToolkit& toolkit_;
  win32::Win32FormHost& form_;
};

class UserActions : public ::testing::TestWithParam<formtest::UserActionCase> {};

TEST_P(UserActions, CauseTheirEventsFocusAndModel) {
  win32::Win32FormToolkit toolkit{GetModuleHandleA(nullptr)};
  const platform::FormDef def = formtest::ActionForm();
  platform::FormModel model{def};
  formtest::ActionRecorder recorder{model};
  std::unique_ptr<platform::FormHost> host;
  toolkit.Load(def, model, recorder, host);
  auto& form = static_cast<win32::Win32FormHost&>(*host);
  ASSERT_NE(form.Window(), nullptr);
  form.Show(platform::ShowMode::Modeless, 0);
  PumpMessages(toolkit);
  GetParam().setup(model, recorder);
  PumpMessages(toolkit);
  recorder.events.clear();
  WineUser user(toolkit, form);
  GetParam().play(user);
  formtest::ExpectOutcome(GetParam(), model, recorder);
  // Windows' focus is where the model says (a combo box's is in its text box).
  HWND want = form.ControlHandle(GetParam().focus);
  if (form.Window() != nullptr && want != nullptr) {
    EXPECT_TRUE(GetFocus() == want || IsChild(want, GetFocus()));
  }
}

INSTANTIATE_TEST_SUITE_P(Table, UserActions, ::testing::ValuesIn(formtest::UserActionCases()), formtest::CaseName);

}  // namespace
}  // namespace vk::wintest
