#include "win32/forms/form_toolkit.h"

#include <algorithm>

#include "win32/forms/form_host.h"
#include "win32/forms/frame_window.h"
#include "win32/handles.h"

namespace vk::win32 {

using platform::FormEvent;

namespace {

constexpr char kApplicationClass[] = "VesperkitApplication";

// A class registered by an earlier toolkit of this process serves again.
bool Registered(const WNDCLASSA& windowClass) {
  return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool RegisterClasses(HINSTANCE instance) {
  WNDCLASSA form{};
  form.lpfnWndProc = FormProc;
  form.hInstance = instance;
  form.hCursor = LoadCursor(nullptr, IDC_ARROW);
  form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form.lpszClassName = kFormClass;
  WNDCLASSA application{};
  application.lpfnWndProc = DefWindowProcA;
  application.hInstance = instance;
  application.lpszClassName = kApplicationClass;
  return Registered(form) && Registered(application) && RegisterFrameClass(instance);
}

}  // namespace

Win32FormToolkit::Win32FormToolkit(HINSTANCE instance) : instance_(instance) {
  const bool registered = RegisterClasses(instance);
  applicationWindow_ = CreateWindowExA(WS_EX_TOOLWINDOW, kApplicationClass, "Vesperkit", WS_POPUP, 0, 0, 0, 0, nullptr,
                                       nullptr, instance, nullptr);
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  ready_ = registered && applicationWindow_ != nullptr;
}

Win32FormToolkit::~Win32FormToolkit() {
  if (applicationWindow_ != nullptr) DestroyWindow(applicationWindow_);
}

void Win32FormToolkit::Load(const platform::FormDef& def, platform::FormModel& model,
                            platform::FormHandlers& handlers, std::unique_ptr<platform::FormHost>& host) {
  auto* created = new Win32FormHost(*this, def, model, handlers);
  host.reset(created);
  hosts_.push_back(created);
  if (created->Create()) created->Fire("Form", FormEvent::Load);
}

void Win32FormToolkit::EndProgram(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

IconHandle Win32FormToolkit::LoadIconResource(int resourceId) {
  return FromHicon(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(resourceId), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                 LR_DEFAULTCOLOR | LR_SHARED)));
}

platform::FormHost* Win32FormToolkit::TopModal() { return modalStack_.empty() ? nullptr : modalStack_.back(); }

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
