// The controls of a form as child windows, and the model mirrored onto them.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "platform/folder_tree.h"
#include "win32/checked_list.h"
#include "win32/file_lists.h"
#include "win32/form_binding.h"
#include "win32/frame_window.h"

namespace vk::win32 {

using platform::ControlKind;
using platform::ModelChange;

namespace {

constexpr int kFirstControlId = 100;
constexpr int kDropDownPixels = 160;  // a combo box's list below its text
constexpr char kDialogFont[] = "MS Sans Serif";
constexpr int kDialogPoints = 8;

// Our own changes to a control raise no events.
class Applying {
 public:
  explicit Applying(int& depth) : depth_(depth) { ++depth_; }
  ~Applying() { --depth_; }
  Applying(const Applying&) = delete;
  Applying& operator=(const Applying&) = delete;

 private:
  int& depth_;
};

struct WindowClass {
  const char* name = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
};

WindowClass ClassFor(const platform::ControlDef& c) {
  switch (c.kind) {
    case ControlKind::Frame: return {kFrameClass, 0, WS_EX_CONTROLPARENT};
    case ControlKind::Label: return {"STATIC", SS_LEFT | SS_NOTIFY, 0};
    case ControlKind::Hyperlink: return {"STATIC", SS_LEFTNOWORDWRAP | SS_NOTIFY | SS_NOPREFIX, 0};
    case ControlKind::PictureBox: return {"STATIC", SS_ICON | SS_NOTIFY, 0};
    case ControlKind::Line: return {"STATIC", SS_ETCHEDHORZ, 0};
    case ControlKind::Button:
      return {"BUTTON", static_cast<DWORD>(c.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY | WS_TABSTOP, 0};
    case ControlKind::OptionButton: return {"BUTTON", BS_RADIOBUTTON | BS_NOTIFY | WS_TABSTOP, 0};
    case ControlKind::CheckBox: return {"BUTTON", BS_3STATE | BS_NOTIFY | WS_TABSTOP, 0};
    case ControlKind::TextBox:
    case ControlKind::MaskedEdit: return {"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::ComboBox: return {"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::DriveList: return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::CheckedListBox:
      return {"LISTBOX",
              LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL |
                  WS_TABSTOP,
              WS_EX_CLIENTEDGE};
    case ControlKind::FolderList:
    case ControlKind::FileList:
      return {"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::DatePicker: return {DATETIMEPICK_CLASSA, DTS_SHORTDATEFORMAT | WS_TABSTOP, 0};
    case ControlKind::UpDown: return {UPDOWN_CLASSA, UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0};
    default: return {};  // timers and menus have no window
  }
}

bool IsComboKind(ControlKind kind) { return kind == ControlKind::ComboBox || kind == ControlKind::DriveList; }

bool IsListKind(ControlKind kind) {
  return kind == ControlKind::CheckedListBox || kind == ControlKind::FolderList || kind == ControlKind::FileList;
}

// Option buttons in a row of one container are one group: arrow keys move
// between them. Every other control starts a group of its own.
bool StartsGroup(const platform::FormDef& def, size_t index) {
  const platform::ControlDef& c = def.controls[index];
  if (c.kind != ControlKind::OptionButton) return true;
  for (size_t i = index; i-- > 0;) {
    const platform::ControlDef& before = def.controls[i];
    if (before.container != c.container || ClassFor(before).name == nullptr) continue;
    return before.kind != ControlKind::OptionButton;
  }
  return true;
}

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

std::string CurrentFolder() {
  char folder[MAX_PATH] = {};
  const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
  return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string("C:\\");
}

}  // namespace

void Win32FormHost::CreateFonts() {
  const int dpiY = ScreenDpi(true);
  auto make = [dpiY](const platform::FontDef& font, bool underline) {
    const int points = font.points > 0 ? font.points : kDialogPoints;
    const char* name = font.name.empty() ? kDialogFont : font.name.c_str();
    return UniqueFont(CreateFontA(-MulDiv(points, dpiY, 72), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                  underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, name));
  };
  formFont_ = make({}, false);
  linkFont_ = make({}, true);
  for (const platform::ControlDef& c : def_.controls) {
    if (c.font.name.empty() && c.font.points == 0 && !c.font.bold) continue;
    controlFonts_[c.name] = make(c.font, c.kind == ControlKind::Hyperlink);
  }
}

// Containers first: a control whose frame is not there yet waits for it; one
// whose container never comes is put on the form itself.
void Win32FormHost::CreateControls() {
  std::vector<size_t> pending;
  for (size_t i = 0; i < def_.controls.size(); ++i) pending.push_back(i);
  bool progress = true;
  while (!pending.empty()) {
    std::vector<size_t> waiting;
    for (size_t i : pending) {
      const platform::ControlDef& c = def_.controls[i];
      HWND parent = window_;
      if (!c.container.empty() && model_.Get(c.container).kind == ControlKind::Frame) {
        parent = ControlHandle(c.container);
        if (parent == nullptr && progress) {
          waiting.push_back(i);
          continue;
        }
        if (parent == nullptr) parent = window_;
      }
      CreateControl(c, parent, kFirstControlId + static_cast<int>(i));
    }
    progress = waiting.size() < pending.size();
    pending = std::move(waiting);
  }
  for (auto& [name, control] : controls_) AddToolTip(control);
}

bool Win32FormHost::CreateControl(const platform::ControlDef& c, HWND parent, int id) {
  const WindowClass type = ClassFor(c);
  if (type.name == nullptr) return false;
  const size_t index = static_cast<size_t>(id - kFirstControlId);
  const DWORD style = WS_CHILD | type.style | (StartsGroup(def_, index) ? WS_GROUP : 0);
  HWND window = CreateWindowExA(type.exStyle, type.name, c.caption.c_str(), style, 0, 0, 0, 0, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), toolkit_.Instance(), nullptr);
  if (window == nullptr) return false;
  ControlWindow& control = controls_[c.name];
  control.def = &c;
  control.window = window;
  control.id = id;

  HFONT font = c.kind == ControlKind::Hyperlink ? linkFont_.Get() : formFont_.Get();
  if (auto own = controlFonts_.find(c.name); own != controlFonts_.end()) font = own->second.Get();
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

  if (c.kind == ControlKind::MaskedEdit) {
    control.mask = std::make_unique<MaskedEditRules>(MaskedEditRules{this, c.extra, c.placeholder});
    AttachMask(window, *control.mask);
  }
  if (c.kind == ControlKind::CheckedListBox) AttachCheckToggle(window, *this);
  if (c.kind == ControlKind::PictureBox && c.iconResource != 0) {
    HICON icon = LoadIconA(toolkit_.Instance(), MAKEINTRESOURCEA(c.iconResource));
    SendMessageA(window, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  }
  if (c.kind == ControlKind::UpDown) {
    if (HWND buddy = ControlHandle(c.extra)) SendMessageA(window, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  }
  ApplyGeometry(control);
  return true;
}

void Win32FormHost::AddToolTip(const ControlWindow& control) {
  if (control.def->toolTip.empty()) return;
  if (toolTips_ == nullptr) {
    toolTips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, toolkit_.Instance(),
                                nullptr);
    if (toolTips_ == nullptr) return;
  }
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control.window);
  tool.uId = reinterpret_cast<UINT_PTR>(control.window);
  tool.lpszText = const_cast<char*>(control.def->toolTip.c_str());
  SendMessageA(toolTips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32FormHost::ApplyModel(const std::string& name, ModelChange change) {
  if (window_ == nullptr) return;
  if (name == "Form") {
    ApplyForm(change);
    return;
  }
  if (model_.Get(name).kind == ControlKind::Timer) {
    if (change == ModelChange::Enabled || change == ModelChange::Interval)
      ApplyTimer(name, change == ModelChange::Interval);
    return;
  }
  auto it = controls_.find(name);
  if (it == controls_.end() || it->second.window == nullptr) return;
  ControlWindow& control = it->second;
  const platform::ControlState& s = model_.Get(name);
  Applying applying(applying_);
  switch (change) {
    case ModelChange::Text: ApplyText(control); break;
    case ModelChange::Value: ApplyValue(control); break;
    case ModelChange::Enabled: EnableWindow(control.window, s.enabled ? TRUE : FALSE); break;
    case ModelChange::Visible: ShowWindow(control.window, s.visible ? SW_SHOWNA : SW_HIDE); break;
    case ModelChange::Geometry: ApplyGeometry(control); break;
    case ModelChange::Items: ApplyItems(control); break;
    case ModelChange::Checks: InvalidateRect(control.window, nullptr, FALSE); break;
    case ModelChange::ListIndex: ApplyListIndex(control); break;
    case ModelChange::Extent:
      SendMessageA(control.window, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(s.horizontalExtent), 0);
      break;
    case ModelChange::Date: ApplyDate(control); break;
    case ModelChange::Range: ApplyRange(control); break;
    case ModelChange::Path: ApplyPath(control); break;
    case ModelChange::Focus: ApplyFocus(control); break;
    default: break;
  }
}

void Win32FormHost::ApplyAll(const ControlWindow& control) {
  const std::string& name = control.def->name;
  for (ModelChange change : {ModelChange::Path, ModelChange::Items, ModelChange::Text, ModelChange::Value,
                             ModelChange::Range, ModelChange::Date, ModelChange::Enabled, ModelChange::Visible}) {
    ApplyModel(name, change);
  }
}

std::string Win32FormHost::ReadText(HWND window) const {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Labels are transparent: the face beneath is painted again so the old text
// does not show through the new.
void Win32FormHost::ApplyText(const ControlWindow& control) {
  const ControlKind kind = control.def->kind;
  if (IsListKind(kind) || kind == ControlKind::DriveList || kind == ControlKind::UpDown) return;
  const std::string& text = model_.Get(control.def->name).text;
  if (ReadText(control.window) == text) return;
  SetWindowTextA(control.window, text.c_str());
  if (kind == ControlKind::Label || kind == ControlKind::Hyperlink) {
    RECT area;
    GetWindowRect(control.window, &area);
    HWND parent = GetParent(control.window);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    InvalidateRect(parent, &area, TRUE);
  }
}

void Win32FormHost::ApplyValue(const ControlWindow& control) {
  const platform::ControlState& s = model_.Get(control.def->name);
  switch (control.def->kind) {
    case ControlKind::CheckBox:
      SendMessageA(control.window, BM_SETCHECK, static_cast<WPARAM>(std::clamp(s.value, 0, 2)), 0);
      break;
    case ControlKind::OptionButton:
      SendMessageA(control.window, BM_SETCHECK, s.value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case ControlKind::UpDown: SendMessageA(control.window, UDM_SETPOS32, 0, s.value); break;
    default: break;
  }
}

// Inside a frame the position is the frame's own; on the form it is the sum
// through any containers that are not windows.
void Win32FormHost::ApplyGeometry(const ControlWindow& control) {
  const std::string& name = control.def->name;
  const platform::ControlState& s = model_.Get(name);
  const bool onForm = GetParent(control.window) == window_;
  const int left = PixelsX(onForm ? model_.FormLeft(name) : s.left);
  const int top = PixelsY(onForm ? model_.FormTop(name) : s.top);
  int height = PixelsY(s.height);
  if (IsComboKind(control.def->kind)) height += kDropDownPixels;
  MoveWindow(control.window, left, top, PixelsX(s.width), height, TRUE);
}

void Win32FormHost::ApplyItems(ControlWindow& control) {
  const platform::ControlState& s = model_.Get(control.def->name);
  const bool combo = IsComboKind(control.def->kind);
  if (!combo && !IsListKind(control.def->kind)) return;
  if (s.items != control.shownItems) {
    SendMessageA(control.window, WM_SETREDRAW, FALSE, 0);
    SendMessageA(control.window, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
    for (const std::string& item : s.items)
      SendMessageA(control.window, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(control.window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control.window, nullptr, TRUE);
    control.shownItems = s.items;
  }
  ApplyListIndex(control);
  if (!combo) SendMessageA(control.window, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(s.horizontalExtent), 0);
  if (control.def->kind == ControlKind::ComboBox) ApplyText(control);
}

void Win32FormHost::ApplyListIndex(const ControlWindow& control) {
  const platform::ControlState& s = model_.Get(control.def->name);
  if (IsListKind(control.def->kind)) {
    SendMessageA(control.window, LB_SETCURSEL, static_cast<WPARAM>(s.listIndex), 0);
    return;
  }
  if (!IsComboKind(control.def->kind)) return;
  if (SendMessageA(control.window, CB_GETCURSEL, 0, 0) == s.listIndex) return;
  SendMessageA(control.window, CB_SETCURSEL, static_cast<WPARAM>(s.listIndex), 0);
  // Selecting nothing empties the text box of a combo; the model's text stays.
  if (s.listIndex < 0 && control.def->kind == ControlKind::ComboBox) SetWindowTextA(control.window, s.text.c_str());
}

void Win32FormHost::ApplyDate(const ControlWindow& control) {
  const platform::ControlState& s = model_.Get(control.def->name);
  if (control.def->kind != ControlKind::DatePicker || !ValidDate(s.date)) return;
  SYSTEMTIME t = ToSystemTime(s.date);
  SendMessageA(control.window, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
}

void Win32FormHost::ApplyRange(const ControlWindow& control) {
  const platform::ControlState& s = model_.Get(control.def->name);
  if (control.def->kind == ControlKind::UpDown) {
    SendMessageA(control.window, UDM_SETRANGE32, static_cast<WPARAM>(s.minimum), s.maximum);
    return;
  }
  if (control.def->kind != ControlKind::DatePicker) return;
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
  SendMessageA(control.window, DTM_SETRANGE, which, reinterpret_cast<LPARAM>(range));
}

// The file-system lists show what the folder holds; they start at the
// program's current folder, as the standard controls do.
void Win32FormHost::ApplyPath(ControlWindow& control) {
  const ControlKind kind = control.def->kind;
  if (kind != ControlKind::DriveList && kind != ControlKind::FolderList && kind != ControlKind::FileList) return;
  const std::string& name = control.def->name;
  const std::string path = model_.Get(name).path;
  if (path.empty()) {
    const std::string folder = CurrentFolder();
    model_.SetPath(name, kind == ControlKind::DriveList ? folder.substr(0, 2) : folder);
    return;
  }
  if (kind == ControlKind::FileList) {
    model_.SetItems(name, FilesMatching(path, model_.Get(name).pattern));
    return;
  }
  if (kind == ControlKind::FolderList) {
    int open = -1;
    const std::vector<platform::FolderLine> lines = platform::FolderTreeLines(path, Subfolders(path), open);
    std::vector<std::string> texts;
    control.folderPaths.clear();
    for (const platform::FolderLine& line : lines) {
      texts.push_back(line.text);
      control.folderPaths.push_back(line.path);
    }
    model_.SetItems(name, std::move(texts));
    model_.SetListIndex(name, open);
    return;
  }
  std::vector<std::string> drives = LogicalDrives();
  const std::string drive = path.substr(0, std::min<size_t>(path.size(), 2));
  auto same = [&drive](const std::string& d) { return lstrcmpiA(d.c_str(), drive.c_str()) == 0; };
  if (std::none_of(drives.begin(), drives.end(), same)) drives.push_back(drive);
  const int index = static_cast<int>(std::find_if(drives.begin(), drives.end(), same) - drives.begin());
  model_.SetItems(name, std::move(drives));
  model_.SetListIndex(name, index);
}

// Only an active form takes the focus; otherwise it is where the focus goes
// when the form is activated.
void Win32FormHost::ApplyFocus(const ControlWindow& control) {
  if (GetActiveWindow() == window_) {
    if (GetFocus() != control.window) SetFocus(control.window);
  } else {
    savedFocus_ = control.window;
  }
}

}  // namespace vk::win32
