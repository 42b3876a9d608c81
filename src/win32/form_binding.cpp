#include "win32/form_binding.h"

#include <windowsx.h>

#include <algorithm>

#include "win32/checked_list.h"
#include "win32/frame_window.h"
#include "win32/handles.h"

namespace vk::win32 {

using platform::ControlKind;
using platform::EventArgs;
using platform::FormEvent;
using platform::ModelChange;

namespace {

constexpr char kFormClass[] = "VesperkitForm";
constexpr char kApplicationClass[] = "VesperkitApplication";
constexpr UINT_PTR kFirstTimerId = 100;

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* host = reinterpret_cast<Win32FormHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (host == nullptr || host->Window() == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return host->HandleMessage(message, wParam, lParam);
}

void RegisterClasses(HINSTANCE instance) {
  WNDCLASSA form{};
  form.lpfnWndProc = FormProc;
  form.hInstance = instance;
  form.hCursor = LoadCursor(nullptr, IDC_ARROW);
  form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form.lpszClassName = kFormClass;
  RegisterClassA(&form);

  WNDCLASSA application{};
  application.lpfnWndProc = DefWindowProcA;
  application.hInstance = instance;
  application.lpszClassName = kApplicationClass;
  RegisterClassA(&application);

  RegisterFrameClass(instance);
}

int MouseButtons(WPARAM keys) {
  return ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) | ((keys & MK_MBUTTON) ? 4 : 0);
}

int ShiftState(WPARAM keys) {
  return ((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) | ((GetKeyState(VK_MENU) < 0) ? 4 : 0);
}

}  // namespace

Win32FormHost::Win32FormHost(Win32FormToolkit& toolkit, const platform::FormDef& def, platform::FormModel& model,
                             platform::FormHandlers& handlers)
    : toolkit_(toolkit), def_(def), model_(model), handlers_(handlers) {}

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
  RECT frame{0, 0, PixelsX(def_.clientWidth), PixelsY(model_.FormHeight())};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  window_ = CreateWindowExA(exStyle, kFormClass, model_.Caption().c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                            frame.right - frame.left, frame.bottom - frame.top, toolkit_.ApplicationWindow(), nullptr,
                            toolkit_.Instance(), this);
  if (window_ == nullptr) return false;
  if (def_.iconResource != 0) {
    HICON big = LoadIconA(toolkit_.Instance(), MAKEINTRESOURCEA(def_.iconResource));
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, static_cast<LPARAM>(toolkit_.LoadIconResource(def_.iconResource)));
  }
  CreateFonts();
  CreateControls();
  model_.SetObserver([this](const std::string& control, ModelChange change) { ApplyModel(control, change); });
  for (auto& [name, control] : controls_) ApplyAll(control);
  for (const platform::ControlDef& c : def_.controls)
    if (c.kind == ControlKind::Timer) ApplyTimer(c.name, false);
  return true;
}

int Win32FormHost::PixelsX(int twips) const { return static_cast<int>(twips / twipsPerPixelX_ + 0.5); }
int Win32FormHost::PixelsY(int twips) const { return static_cast<int>(twips / twipsPerPixelY_ + 0.5); }

WindowHandle Win32FormHost::Handle() { return FromHwnd(window_); }

HWND Win32FormHost::ControlHandle(const std::string& control) const {
  auto it = controls_.find(control);
  return it == controls_.end() ? nullptr : it->second.window;
}

bool Win32FormHost::TimerActive(const std::string& timer) const {
  auto it = timerRunning_.find(timer);
  return it != timerRunning_.end() && it->second;
}

void Win32FormHost::Fire(const std::string& control, FormEvent event, EventArgs args) {
  handlers_.OnEvent(control, event, args);
}

void Win32FormHost::ApplyForm(ModelChange change) {
  if (change == ModelChange::Caption) {
    SetWindowTextA(window_, model_.Caption().c_str());
    return;
  }
  RECT r{0, 0, PixelsX(def_.clientWidth), PixelsY(model_.FormHeight())};
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(window_, GWL_EXSTYLE)));
  SetWindowPos(window_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A timer runs only while enabled: nothing polls. Enabling a running timer
// again leaves it running; a new interval starts it afresh.
void Win32FormHost::ApplyTimer(const std::string& name, bool restart) {
  const platform::ControlState& timer = model_.Get(name);
  const bool wanted = timer.enabled && timer.interval > 0 && !unloaded_;
  UINT_PTR& id = timerIds_[name];
  if (id == 0) {
    id = kFirstTimerId + timerIds_.size();
    timerNames_[id] = name;
  }
  if (wanted && (restart || !timerRunning_[name])) {
    SetTimer(window_, id, static_cast<UINT>(timer.interval), nullptr);
  } else if (!wanted && timerRunning_[name]) {
    KillTimer(window_, id);
  }
  timerRunning_[name] = wanted;
}

void Win32FormHost::Show(platform::ShowMode mode, WindowHandle owner) {
  if (window_ == nullptr) return;
  HWND ownerWindow = owner != 0 ? ToHwnd(owner) : toolkit_.ApplicationWindow();
  SetWindowLongPtrA(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWindow));
  const bool wasVisible = IsWindowVisible(window_) != FALSE;
  if (!placed_) CenterOnScreen();
  if (mode == platform::ShowMode::Modeless) {
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    if (!wasVisible) FocusFirstControl();
    return;
  }
  const bool disableOwner = owner != 0 && IsWindowEnabled(ownerWindow);
  if (disableOwner) EnableWindow(ownerWindow, FALSE);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  if (!wasVisible) FocusFirstControl();
  toolkit_.PushModal(this);
  RunModalLoop();
  toolkit_.PopModal(this);
  if (disableOwner) EnableWindow(ownerWindow, TRUE);
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

// The form's chosen control, else the first one that takes the focus.
bool Win32FormHost::FocusFirstControl() {
  HWND first = nullptr;
  if (!def_.initialFocus.empty()) first = ControlHandle(def_.initialFocus);
  if (first == nullptr || !IsWindowEnabled(first) || !IsWindowVisible(first))
    first = GetNextDlgTabItem(window_, nullptr, FALSE);
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

void Win32FormHost::RunModalLoop() {
  inModalLoop_ = true;
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
  inModalLoop_ = false;
}

void Win32FormHost::Hide() {
  if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

void Win32FormHost::Unload() {
  if (unloaded_) return;
  Fire("Form", FormEvent::Unload);
  unloaded_ = true;
  DestroyWindowOnce();
}

void Win32FormHost::DestroyWindowOnce() {
  if (window_ == nullptr) return;
  HWND window = window_;
  for (auto& [id, name] : timerNames_) KillTimer(window, id);
  for (auto& [name, running] : timerRunning_) running = false;
  window_ = nullptr;
  DestroyWindow(window);
  for (auto& [name, control] : controls_) control.window = nullptr;
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
    if (c.kind != ControlKind::MenuItem || c.container != menu) continue;
    const platform::ControlState& state = model_.Get(c.name);
    if (!state.visible) continue;
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

LRESULT Win32FormHost::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == toolkit_.TaskbarCreatedMessage() && message != 0) {
    Fire("Form", FormEvent::TaskbarCreated);
    return 0;
  }
  switch (message) {
    case WM_MOUSEMOVE: {
      EventArgs args;
      args.button = MouseButtons(wParam);
      args.shift = ShiftState(wParam);
      args.x = GET_X_LPARAM(lParam) * twipsPerPixelX_;
      args.y = GET_Y_LPARAM(lParam) * twipsPerPixelY_;
      handlers_.OnEvent("Form", FormEvent::MouseMove, args);
      return 0;
    }
    case WM_TIMER: {
      auto it = timerNames_.find(wParam);
      if (it != timerNames_.end() && timerRunning_[it->second]) Fire(it->second, FormEvent::Timer);
      return 0;
    }
    case WM_COMMAND:
      if (OnCommand(wParam, lParam)) return 0;
      break;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (lParam != 0 && OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return result;
      break;
    }
    case WM_CTLCOLORSTATIC:
      return OnColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight =
          static_cast<UINT>(CheckedItemHeight(window_, formFont_.Get()));
      return TRUE;
    case WM_SETCURSOR: {
      const ControlWindow* control = FindByWindow(reinterpret_cast<HWND>(wParam));
      if (control != nullptr && control->def->kind == ControlKind::Hyperlink) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    }
    case DM_GETDEFID:
      for (const auto& [name, control] : controls_)
        if (control.def->isDefault) return MAKELRESULT(control.id, DC_HASDEFID);
      return 0;
    case kRestoreHeldFocus:
      if (HWND held = ControlHandle(heldFocus_)) SetFocus(held);
      heldFocus_.clear();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        RememberFocus();
        return 0;
      }
      if (RestoreFocus()) return 0;
      break;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_CLOSE: {
      EventArgs args;
      handlers_.OnEvent("Form", FormEvent::QueryUnload, args);
      if (!args.cancel) Unload();
      return 0;
    }
    case WM_QUERYENDSESSION:
      return TRUE;  // never stand in the way of the end of the session
    case WM_ENDSESSION:
      if (wParam) Fire("Form", FormEvent::EndSession);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

Win32FormToolkit::Win32FormToolkit(HINSTANCE instance) : instance_(instance) {
  RegisterClasses(instance);
  applicationWindow_ = CreateWindowExA(WS_EX_TOOLWINDOW, kApplicationClass, "Vesperkit", WS_POPUP, 0, 0, 0, 0, nullptr,
                                       nullptr, instance, nullptr);
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
}

Win32FormToolkit::~Win32FormToolkit() {
  if (applicationWindow_ != nullptr) DestroyWindow(applicationWindow_);
}

void Win32FormToolkit::Load(const platform::FormDef& def, platform::FormModel& model,
                            platform::FormHandlers& handlers, std::unique_ptr<platform::FormHost>& host) {
  auto* created = new Win32FormHost(*this, def, model, handlers);
  host.reset(created);
  hosts_.push_back(created);
  created->Create();
  created->Fire("Form", FormEvent::Load);
}

void Win32FormToolkit::EndProgram(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

IconHandle Win32FormToolkit::LoadIconResource(int resourceId) {
  return FromHicon(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(resourceId), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                 LR_DEFAULTCOLOR | LR_SHARED)));
}

void Win32FormToolkit::PopModal(Win32FormHost* host) {
  modalStack_.erase(std::remove(modalStack_.begin(), modalStack_.end(), host), modalStack_.end());
}

void Win32FormToolkit::Forget(Win32FormHost* host) {
  PopModal(host);
  hosts_.erase(std::remove(hosts_.begin(), hosts_.end(), host), hosts_.end());
}

bool Win32FormToolkit::PreTranslate(MSG& message) {
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  for (Win32FormHost* host : hosts_)
    if (host->Window() == root && root != nullptr) return IsDialogMessageA(root, &message) != FALSE;
  return false;
}

int Win32FormToolkit::RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace vk::win32
