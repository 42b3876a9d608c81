// What the user does to the controls of a form: the model is changed as the
// action changes it (platform/form_user.h), then the handlers hear of it.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "platform/form_user.h"
#include "win32/checked_list.h"
#include "win32/form_binding.h"

namespace vk::win32 {

using platform::ControlKind;
using platform::EventArgs;
using platform::FormEvent;

namespace {

// Controls whose Validate event runs when the focus leaves them.
bool Validates(ControlKind kind) {
  return kind == ControlKind::TextBox || kind == ControlKind::MaskedEdit || kind == ControlKind::ComboBox ||
         kind == ControlKind::DatePicker;
}

bool IsFocusGained(ControlKind kind, int code) {
  switch (kind) {
    case ControlKind::Button:
    case ControlKind::OptionButton:
    case ControlKind::CheckBox: return code == BN_SETFOCUS;
    case ControlKind::TextBox:
    case ControlKind::MaskedEdit: return code == EN_SETFOCUS;
    case ControlKind::ComboBox:
    case ControlKind::DriveList: return code == CBN_SETFOCUS;
    case ControlKind::CheckedListBox:
    case ControlKind::FolderList:
    case ControlKind::FileList: return code == LBN_SETFOCUS;
    default: return false;
  }
}

bool IsFocusLost(ControlKind kind, int code) {
  switch (kind) {
    case ControlKind::TextBox:
    case ControlKind::MaskedEdit: return code == EN_KILLFOCUS;
    case ControlKind::ComboBox: return code == CBN_KILLFOCUS;
    default: return false;
  }
}

}  // namespace

ControlWindow* Win32FormHost::FindByWindow(HWND window) {
  // A combo box's text box is a window of its own inside the combo box.
  for (HWND w = window; w != nullptr && w != window_; w = GetParent(w)) {
    for (auto& [name, control] : controls_)
      if (control.window == w) return &control;
  }
  return nullptr;
}

ControlWindow* Win32FormHost::FindById(int id) {
  for (auto& [name, control] : controls_)
    if (control.id == id) return &control;
  return nullptr;
}

bool Win32FormHost::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  ControlWindow* control = lParam != 0 ? FindByWindow(reinterpret_cast<HWND>(lParam)) : nullptr;
  if (control == nullptr) {
    // Enter and Esc when the form names no default button (IsDialogMessage).
    if (id == IDOK || id == IDCANCEL) ClickDialogButton(id == IDOK);
    return id == IDOK || id == IDCANCEL;
  }
  if (control->id != id || applying_ > 0) return true;
  const ControlKind kind = control->def->kind;
  if (IsFocusGained(kind, code)) OnFocusGained(*control);
  if (IsFocusLost(kind, code)) OnFocusLost(*control);
  const std::string name = control->def->name;
  switch (kind) {
    case ControlKind::Button:
    case ControlKind::OptionButton:
    case ControlKind::CheckBox:
      if (code == BN_CLICKED) OnClicked(*control);
      break;
    case ControlKind::TextBox:
      if (code == EN_CHANGE) {
        platform::UserTypeEffect(model_, name, ReadText(control->window));
        Fire(name, FormEvent::Change);
      }
      break;
    case ControlKind::ComboBox:
    case ControlKind::DriveList:
      if (code == CBN_EDITCHANGE) {
        platform::UserTypeEffect(model_, name, ReadText(control->window));
        Fire(name, FormEvent::Change);
      }
      if (code == CBN_SELCHANGE) OnListChosen(*control);
      break;
    case ControlKind::CheckedListBox:
    case ControlKind::FolderList:
    case ControlKind::FileList:
      if (code == LBN_SELCHANGE) OnListChosen(*control);
      if (code == LBN_DBLCLK) OnListDoubleClicked(*control);
      break;
    case ControlKind::Hyperlink:
      if (code == STN_CLICKED) {
        ShellExecuteA(window_, "open", control->def->extra.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        Fire(name, FormEvent::Click);
      }
      break;
    case ControlKind::Label:
    case ControlKind::PictureBox:
      if (code == STN_CLICKED) Fire(name, FormEvent::Click);
      break;
    default:
      break;
  }
  return true;
}

bool Win32FormHost::OnNotify(const NMHDR& header, LRESULT& result) {
  ControlWindow* control = FindByWindow(header.hwndFrom);
  if (control == nullptr) return false;
  if (control->def->kind == ControlKind::UpDown && header.code == UDN_DELTAPOS) {
    const auto& step = reinterpret_cast<const NMUPDOWN&>(header);
    OnStep(*control, step.iDelta > 0 ? 1 : -1);
    result = 1;  // the model moves the position, not the control
    return true;
  }
  if (control->def->kind != ControlKind::DatePicker || applying_ > 0) return false;
  if (header.code == DTN_DATETIMECHANGE) OnDateChosen(*control);
  if (header.code == static_cast<UINT>(NM_SETFOCUS)) OnFocusGained(*control);
  if (header.code == static_cast<UINT>(NM_KILLFOCUS)) OnFocusLost(*control);
  return false;
}

// While a Validate holds the focus elsewhere, nothing else acts.
void Win32FormHost::OnClicked(const ControlWindow& control) {
  const std::string name = control.def->name;
  if (!heldFocus_.empty() || !model_.Usable(name) || !ValidateBefore(control)) return;
  if (platform::UserClickEffect(model_, name)) Fire(name, FormEvent::Click);
}

// A button worked from the keyboard (Enter, Esc, an access key) leaves the
// focus where it is: the control that has it is validated first.
bool Win32FormHost::ValidateBefore(const ControlWindow& control) {
  const std::string focus = model_.Focus();
  if (focus.empty() || focus == control.def->name || !Validates(model_.Get(focus).kind)) return true;
  EventArgs args;
  handlers_.OnEvent(focus, FormEvent::Validate, args);
  if (!args.cancel) return true;
  if (HWND held = ControlHandle(focus)) SetFocus(held);
  return false;
}

void Win32FormHost::ClickDialogButton(bool defaultButton) {
  for (auto& [name, control] : controls_) {
    const bool wanted = defaultButton ? control.def->isDefault : control.def->isCancel;
    if (wanted && control.def->kind == ControlKind::Button && IsWindowEnabled(control.window)) {
      OnClicked(control);
      return;
    }
  }
}

void Win32FormHost::OnFocusGained(const ControlWindow& control) {
  const std::string& name = control.def->name;
  if (!heldFocus_.empty() && heldFocus_ != name) return;
  if (model_.Focus() == name) return;
  ++applying_;
  model_.SetFocus(name);
  --applying_;
}

// Moving the focus to another control of the form runs the Validate of the
// control left; when it cancels, the focus is given back to that control.
// Leaving the form altogether validates nothing.
void Win32FormHost::OnFocusLost(const ControlWindow& control) {
  if (!heldFocus_.empty() || !Validates(control.def->kind)) return;
  const ControlWindow* next = FindByWindow(GetFocus());
  if (next == nullptr || next == &control) return;
  EventArgs args;
  handlers_.OnEvent(control.def->name, FormEvent::Validate, args);
  if (!args.cancel || window_ == nullptr) return;
  heldFocus_ = control.def->name;
  PostMessageA(window_, kRestoreHeldFocus, 0, 0);
}

void Win32FormHost::OnListChosen(ControlWindow& control) {
  const std::string name = control.def->name;
  const bool combo = control.def->kind == ControlKind::ComboBox || control.def->kind == ControlKind::DriveList;
  const int index = static_cast<int>(SendMessageA(control.window, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
  if (!platform::UserChooseEffect(model_, name, index)) return;
  if (control.def->kind == ControlKind::FileList) model_.SetText(name, model_.Get(name).items[index]);
  if (control.def->kind == ControlKind::DriveList) {
    model_.SetPath(name, model_.Get(name).items[index]);
    Fire(name, FormEvent::Change);
    return;
  }
  Fire(name, FormEvent::Click);
}

// A folder opens on a double click; a file is taken.
void Win32FormHost::OnListDoubleClicked(ControlWindow& control) {
  const std::string name = control.def->name;
  const int index = model_.Get(name).listIndex;
  if (control.def->kind == ControlKind::FolderList) {
    if (index < 0 || index >= static_cast<int>(control.folderPaths.size())) return;
    model_.SetPath(name, control.folderPaths[static_cast<size_t>(index)]);
    Fire(name, FormEvent::Change);
    return;
  }
  Fire(name, FormEvent::DblClick);
}

void Win32FormHost::OnStep(const ControlWindow& control, int delta) {
  const std::string name = control.def->name;
  if (!model_.Usable(name) || !platform::UserStepEffect(model_, name, delta)) return;
  const std::string buddy = model_.Get(name).buddy;
  if (!buddy.empty()) Fire(buddy, FormEvent::Change);
  Fire(name, FormEvent::Change);
}

void Win32FormHost::OnDateChosen(const ControlWindow& control) {
  SYSTEMTIME t{};
  if (SendMessageA(control.window, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t)) != GDT_VALID) return;
  const std::string name = control.def->name;
  platform::UserDateEffect(model_, name, {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond});
  Fire(name, FormEvent::Change);
}

void Win32FormHost::MaskedTextTyped(HWND window, const std::string& text, int caret) {
  const ControlWindow* control = FindByWindow(window);
  if (control == nullptr) return;
  {
    ++applying_;
    SetWindowTextA(window, text.c_str());
    SendMessageA(window, EM_SETSEL, static_cast<WPARAM>(caret), caret);
    --applying_;
  }
  const std::string name = control->def->name;
  platform::UserTypeEffect(model_, name, text);
  Fire(name, FormEvent::Change);
}

void Win32FormHost::ItemCheckToggled(HWND window, int index) {
  const ControlWindow* control = FindByWindow(window);
  if (control == nullptr) return;
  const std::string name = control->def->name;
  if (!model_.Usable(name) || !platform::UserCheckEffect(model_, name, index)) return;
  EventArgs args;
  args.index = index;
  Fire(name, FormEvent::ItemCheck, args);
}

// Labels and links let the face beneath show; links are blue.
LRESULT Win32FormHost::OnColorStatic(HDC dc, HWND window) {
  const ControlWindow* control = FindByWindow(window);
  const ControlKind kind = control != nullptr ? control->def->kind : ControlKind::Frame;
  if (kind != ControlKind::Label && kind != ControlKind::Hyperlink)
    return DefWindowProcA(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window));
  SetBkMode(dc, TRANSPARENT);
  if (kind == ControlKind::Hyperlink) SetTextColor(dc, IsWindowEnabled(window) ? RGB(0, 0, 255) : GetSysColor(COLOR_GRAYTEXT));
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void Win32FormHost::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const ControlWindow* control = FindById(static_cast<int>(item.CtlID));
  if (control == nullptr || control->def->kind != ControlKind::CheckedListBox) return;
  const std::vector<bool>& checks = model_.Get(control->def->name).checks;
  const bool checked = item.itemID < checks.size() && checks[item.itemID];
  DrawCheckedItem(item, checked);
}

}  // namespace vk::win32
