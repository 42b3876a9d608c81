// The controls of a form: their fonts, their parts made in table order, tool
// tips, the model's changes passed to the part they concern, and the focus.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "win32/forms/form_host.h"
#include "win32/forms/form_toolkit.h"

namespace vk::win32 {

using platform::ControlKind;
using platform::ModelChange;

namespace {

constexpr int kFirstControlId = 100;
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

// Option buttons in a row of one container are one group: arrow keys move
// between them. Every other control starts a group of its own.
bool StartsGroup(const platform::FormDef& def, size_t index) {
  const platform::ControlDef& c = def.controls[index];
  if (c.kind != ControlKind::OptionButton) return true;
  for (size_t i = index; i-- > 0;) {
    const platform::ControlDef& before = def.controls[i];
    if (before.container != c.container || PartFor(before.kind) == nullptr) continue;
    return before.kind != ControlKind::OptionButton;
  }
  return true;
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

HFONT Win32FormHost::FontFor(const platform::ControlDef& control) const {
  if (auto own = controlFonts_.find(control.name); own != controlFonts_.end()) return own->second.Get();
  return control.kind == ControlKind::Hyperlink ? linkFont_.Get() : formFont_.Get();
}

// Frames first: a control whose frame is not there yet waits for it; one
// whose frame never comes is put on the form itself. A control whose window
// Windows refuses is left out.
void Win32FormHost::CreateControls() {
  std::vector<size_t> pending;
  for (size_t i = 0; i < def_.controls.size(); ++i)
    if (PartFor(def_.controls[i].kind) != nullptr) pending.push_back(i);
  bool progress = true;
  while (!pending.empty()) {
    std::vector<size_t> waiting;
    for (size_t i : pending) {
      const platform::ControlDef& c = def_.controls[i];
      const bool inFrame = !c.container.empty() && model_.Get(c.container).kind == ControlKind::Frame;
      HWND parent = inFrame ? ControlHandle(c.container) : window_;
      if (parent == nullptr && progress) {
        waiting.push_back(i);
        continue;
      }
      std::unique_ptr<ControlPart>& part = parts_[c.name] = PartFor(c.kind)(*this, c);
      if (!part->Create(parent != nullptr ? parent : window_, kFirstControlId + static_cast<int>(i),
                        StartsGroup(def_, i)))
        parts_.erase(c.name);
    }
    progress = waiting.size() < pending.size();
    pending = std::move(waiting);
  }
  for (const auto& [name, part] : parts_) AddToolTip(*part);
}

void Win32FormHost::AddToolTip(const ControlPart& part) {
  if (part.Def().toolTip.empty()) return;
  if (toolTips_ == nullptr) {
    toolTips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, toolkit_.Instance(),
                                nullptr);
    if (toolTips_ == nullptr) return;
  }
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(part.Window());
  tool.uId = reinterpret_cast<UINT_PTR>(part.Window());
  tool.lpszText = const_cast<char*>(part.Def().toolTip.c_str());
  SendMessageA(toolTips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

HWND Win32FormHost::ControlHandle(const std::string& control) const {
  auto it = parts_.find(control);
  return it == parts_.end() ? nullptr : it->second->Window();
}

ControlPart* Win32FormHost::FindByWindow(HWND window) {
  // A combo box's text box is a window of its own inside the combo box.
  for (HWND w = window; w != nullptr && w != window_; w = GetParent(w)) {
    for (auto& [name, part] : parts_)
      if (part->Window() == w) return part.get();
  }
  return nullptr;
}

ControlPart* Win32FormHost::FindById(int id) {
  for (auto& [name, part] : parts_)
    if (part->Id() == id) return part.get();
  return nullptr;
}

void Win32FormHost::ShowChange(const std::string& control, ModelChange change) {
  if (window_ == nullptr) return;
  if (control == "Form") return ShowFormChange(change);
  if (model_.Get(control).kind == ControlKind::Timer) {
    if (change == ModelChange::Enabled || change == ModelChange::Interval)
      timers_.Apply(window_, control, change == ModelChange::Interval);
    return;
  }
  auto it = parts_.find(control);
  if (it == parts_.end() || it->second->Window() == nullptr) return;
  Applying applying(applying_);
  it->second->Show(change);
}

// Only an active form takes the focus; otherwise it is where the focus goes
// when the form is activated.
void Win32FormHost::ShowFocus(HWND control) {
  if (GetActiveWindow() != window_) {
    savedFocus_ = control;
  } else if (GetFocus() != control) {
    SetFocus(control);
  }
}

// Windows has moved the focus already; when the rules refuse the move, it is
// given back once Windows is done.
void Win32FormHost::FocusArrived(const std::string& control) {
  if (!input_.MoveFocus(control) && window_ != nullptr) PostMessageA(window_, kRestoreHeldFocus, 0, 0);
}

void Win32FormHost::FocusLeft() {
  if (FindByWindow(GetFocus()) == nullptr) input_.FocusLeftForm();
}

bool Win32FormHost::FocusFirstControl() {
  HWND first = ControlHandle(input_.FirstFocus());
  if (first == nullptr) return false;
  SetFocus(first);
  return true;
}

void Win32FormHost::RememberFocus() {
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(window_, focus)) savedFocus_ = focus;
}

bool Win32FormHost::RestoreFocus() {
  if (savedFocus_ != nullptr && IsWindow(savedFocus_) && IsChild(window_, savedFocus_) &&
      IsWindowEnabled(savedFocus_) && IsWindowVisible(savedFocus_)) {
    SetFocus(savedFocus_);
    return true;
  }
  return FocusFirstControl();
}

}  // namespace vk::win32
