// A form's own window: making it, showing it (modally in a loop of its own),
// hiding and unloading it, and its pop-up menus.
#include "win32/forms/form_host.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "win32/forms/form_toolkit.h"
#include "win32/handles.h"

namespace vk::win32 {

using platform::ControlKind;
using platform::FormEvent;
using platform::ModelChange;

Win32FormHost::Win32FormHost(Win32FormToolkit& toolkit, const platform::FormDef& def, platform::FormModel& model,
                             platform::FormHandlers& handlers)
    : toolkit_(toolkit), def_(def), model_(model), handlers_(handlers), input_(def, model, handlers), timers_(model) {}

Win32FormHost::~Win32FormHost() {
  model_.SetObserver(nullptr);
  DestroyWindowOnce();
  toolkit_.Forget(this);
}

// No WS_CLIPCHILDREN: labels are drawn transparently over the face the form
// paints beneath them.
bool Win32FormHost::Create() {
  twipsPerPixelX_ = 1440.0 / ScreenDpi(false);
  twipsPerPixelY_ = 1440.0 / ScreenDpi(true);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  const SIZE size = WindowSize(style, exStyle);
  window_ = CreateWindowExA(exStyle, kFormClass, model_.Caption().c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
                            size.cy, toolkit_.ApplicationWindow(), nullptr, toolkit_.Instance(), this);
  if (window_ == nullptr) return false;
  if (def_.iconResource != 0) {
    HICON big = LoadIconA(toolkit_.Instance(), MAKEINTRESOURCEA(def_.iconResource));
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, static_cast<LPARAM>(toolkit_.LoadIconResource(def_.iconResource)));
  }
  CreateFonts();
  CreateControls();
  model_.SetObserver([this](const std::string& control, ModelChange change) { ShowChange(control, change); });
  for (auto& [name, part] : parts_) part->ShowAll();
  for (const platform::ControlDef& c : def_.controls)
    if (c.kind == ControlKind::Timer) timers_.Apply(window_, c.name, false);
  input_.SetLoaded(true);
  return true;
}

int Win32FormHost::PixelsX(int twips) const { return static_cast<int>(twips / twipsPerPixelX_ + 0.5); }
int Win32FormHost::PixelsY(int twips) const { return static_cast<int>(twips / twipsPerPixelY_ + 0.5); }

WindowHandle Win32FormHost::Handle() { return FromHwnd(window_); }
HINSTANCE Win32FormHost::Instance() const { return toolkit_.Instance(); }

void Win32FormHost::Fire(const std::string& control, FormEvent event, platform::EventArgs args) {
  handlers_.OnEvent(control, event, args);
}

void Win32FormHost::ShowFormChange(ModelChange change) {
  if (change == ModelChange::Caption) {
    SetWindowTextA(window_, model_.Caption().c_str());
    return;
  }
  const SIZE size = WindowSize(static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE)),
                               static_cast<DWORD>(GetWindowLongA(window_, GWL_EXSTYLE)));
  SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The client area's width, and its height or the whole window's.
SIZE Win32FormHost::WindowSize(DWORD style, DWORD exStyle) const {
  RECT frame{0, 0, PixelsX(def_.clientWidth), PixelsY(model_.FormHeight())};
  const LONG height = frame.bottom;
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  return {frame.right - frame.left, def_.heightIncludesFrame ? height : frame.bottom - frame.top};
}

void Win32FormHost::Show(platform::ShowMode mode, WindowHandle owner) {
  if (window_ == nullptr) return;
  HWND ownerWindow = owner != 0 ? ToHwnd(owner) : toolkit_.ApplicationWindow();
  SetWindowLongPtrA(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWindow));
  const bool wasVisible = IsWindowVisible(window_) != FALSE;
  if (!placed_) CenterOnScreen();
  if (mode == platform::ShowMode::Modal && owner != 0 && IsWindowEnabled(ownerWindow)) {
    EnableWindow(ownerWindow, FALSE);
    disabledOwner_ = ownerWindow;
  }
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  if (!wasVisible) FocusFirstControl();
  if (mode == platform::ShowMode::Modeless) return;
  toolkit_.PushModal(this);
  RunModalLoop();
  toolkit_.PopModal(this);
  EnableOwnerAgain();
}

// The owner a modal showing disabled is enabled again before the form hides
// or goes: Windows then gives the activation back to the owner, instead of
// to some other window (under Wine, the taskbar).
void Win32FormHost::EnableOwnerAgain() {
  if (disabledOwner_ == nullptr) return;
  EnableWindow(std::exchange(disabledOwner_, nullptr), TRUE);
}

// A form first appears in the middle of the work area; after that it stays
// where the user put it.
void Win32FormHost::CenterOnScreen() {
  placed_ = true;
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT frame{};
  GetWindowRect(window_, &frame);
  const LONG width = frame.right - frame.left;
  const LONG height = frame.bottom - frame.top;
  const LONG left = work.left + std::max(0L, (work.right - work.left - width) / 2);
  const LONG top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
  SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormHost::RunModalLoop() {
  MSG message;
  while (!unloaded_ && window_ != nullptr && IsWindowVisible(window_)) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {  // WM_QUIT: leave the modal loop and let the outer loop see it too
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got < 0) break;
    if (toolkit_.PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Win32FormHost::Hide() {
  EnableOwnerAgain();
  if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

void Win32FormHost::Unload() {
  if (unloaded_) return;
  Fire("Form", FormEvent::Unload);
  unloaded_ = true;
  input_.SetLoaded(false);
  DestroyWindowOnce();
}

void Win32FormHost::DestroyWindowOnce() {
  EnableOwnerAgain();
  if (window_ == nullptr) return;
  HWND window = window_;
  timers_.StopAll(window);
  window_ = nullptr;
  DestroyWindow(window);
  for (auto& [name, part] : parts_) part->Forget();
}

bool Win32FormHost::Visible() { return window_ != nullptr && IsWindowVisible(window_); }

void Win32FormHost::BringToFront() {
  if (window_ == nullptr) return;
  if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
  SetForegroundWindow(window_);
  FlashWindow(window_, TRUE);
}

int Win32FormHost::TextWidth(const std::string& text) {
  WindowDc dc(window_, formFont_.Get());
  SIZE size{};
  GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void Win32FormHost::PopupMenu(const std::string& menu, const std::string& defaultItem) {
  UniqueMenu popup(CreatePopupMenu());
  if (!popup) return;
  std::vector<std::string> items;
  for (const platform::ControlDef& c : def_.controls) {
    if (c.kind != ControlKind::MenuItem || c.container != menu || !model_.Get(c.name).visible) continue;
    const platform::ControlState& state = model_.Get(c.name);
    items.push_back(c.name);
    const UINT id = static_cast<UINT>(items.size());
    if (state.text == "-") {
      AppendMenuA(popup.Get(), MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuA(popup.Get(), MF_STRING | (state.enabled ? MF_ENABLED : MF_GRAYED), id, state.text.c_str());
    }
    if (c.name == defaultItem) SetMenuDefaultItem(popup.Get(), id, FALSE);
  }
  POINT at{};
  GetCursorPos(&at);
  const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                          at.x, at.y, window_, nullptr));
  // Lets the menu close properly when the user clicks elsewhere next time.
  PostMessageA(window_, WM_NULL, 0, 0);
  if (chosen >= 1 && chosen <= items.size()) Fire(items[chosen - 1], FormEvent::Click);
}

}  // namespace vk::win32
