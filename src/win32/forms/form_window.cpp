// The window procedure of every form: a table of contents whose entries each
// call one handler below. Notifications go to the part of the control they
// come from; what a user's action does is the form's input rules'.
#include <windows.h>
#include <windowsx.h>

#include "boundary_guard.h"
#include "win32/forms/form_host.h"
#include "win32/forms/form_toolkit.h"
#include "win32/forms/tray_callback.h"

namespace vk::win32 {

using platform::EventArgs;
using platform::FormEvent;

namespace {

LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* host = reinterpret_cast<Win32FormHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (host == nullptr || host->Window() == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return host->HandleMessage(message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>("FormProc", 0, [&] { return Dispatch(window, message, wParam, lParam); });
}

LRESULT Win32FormHost::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != 0 && message == toolkit_.TaskbarCreatedMessage()) return OnTaskbarCreated();
  switch (message) {
    case WM_MOUSEMOVE: return OnMouseMove(wParam, lParam);
    case WM_TIMER: return OnTimer(wParam);
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_NOTIFY: return OnNotify(wParam, lParam);
    case WM_CTLCOLORSTATIC: return OnColorStatic(wParam, lParam);
    case WM_DRAWITEM: return OnDrawItem(lParam);
    case WM_MEASUREITEM: return OnMeasureItem(lParam);
    case WM_SETCURSOR: return OnSetCursor(wParam, lParam);
    case DM_GETDEFID: return OnGetDefaultId();
    case kRestoreHeldFocus: return OnRestoreHeldFocus();
    case WM_ACTIVATE: return OnActivate(wParam, lParam);
    case WM_SETFOCUS: return OnSetFocus();
    case WM_CLOSE: return OnClose();
    case WM_QUERYENDSESSION: return TRUE;  // never stand in the way of the end of the session
    case WM_ENDSESSION: return OnEndSession(wParam);
    default: return DefWindowProcA(window_, message, wParam, lParam);
  }
}

// Only the tray's callback reaches the form's handlers, as the tray message
// in X, in the form's scale; a real move of the mouse raises nothing.
LRESULT Win32FormHost::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  const UINT trayMessage = TrayCallbackMessage(window_, wParam, lParam);
  if (trayMessage == 0) return 0;
  EventArgs args;
  args.x = trayMessage * twipsPerPixelX_;
  Fire("Form", FormEvent::MouseMove, args);
  return 0;
}

LRESULT Win32FormHost::OnTimer(WPARAM id) {
  if (const std::string* timer = timers_.Due(id)) Fire(*timer, FormEvent::Timer);
  return 0;
}

// Enter and Esc arrive as IDOK and IDCANCEL when no button of that id is there.
LRESULT Win32FormHost::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  ControlPart* part = lParam != 0 ? FindByWindow(reinterpret_cast<HWND>(lParam)) : FindById(id);
  if (part == nullptr && (id == IDOK || id == IDCANCEL)) {
    id == IDOK ? input_.PressEnter() : input_.PressEscape();
    return 0;
  }
  if (part == nullptr) return DefWindowProcA(window_, WM_COMMAND, wParam, lParam);
  if (part->Id() == id && applying_ == 0) part->OnCommand(HIWORD(wParam));
  return 0;
}

LRESULT Win32FormHost::OnNotify(WPARAM wParam, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  ControlPart* part = header != nullptr && applying_ == 0 ? FindByWindow(header->hwndFrom) : nullptr;
  LRESULT result = 0;
  if (part != nullptr && part->OnNotify(*header, result)) return result;
  return DefWindowProcA(window_, WM_NOTIFY, wParam, lParam);
}

LRESULT Win32FormHost::OnColorStatic(WPARAM wParam, LPARAM lParam) {
  ControlPart* part = FindByWindow(reinterpret_cast<HWND>(lParam));
  HBRUSH brush = part != nullptr ? part->OnColorStatic(reinterpret_cast<HDC>(wParam)) : nullptr;
  return brush != nullptr ? reinterpret_cast<LRESULT>(brush)
                          : DefWindowProcA(window_, WM_CTLCOLORSTATIC, wParam, lParam);
}

LRESULT Win32FormHost::OnDrawItem(LPARAM lParam) {
  const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (ControlPart* part = FindById(static_cast<int>(item.CtlID))) part->OnDrawItem(item);
  return TRUE;
}

LRESULT Win32FormHost::OnMeasureItem(LPARAM lParam) {
  auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  if (ControlPart* part = FindById(static_cast<int>(item.CtlID))) part->OnMeasureItem(item);
  return TRUE;
}

LRESULT Win32FormHost::OnSetCursor(WPARAM wParam, LPARAM lParam) {
  const ControlPart* part = FindByWindow(reinterpret_cast<HWND>(wParam));
  HCURSOR cursor = part != nullptr ? part->Cursor() : nullptr;
  if (cursor == nullptr) return DefWindowProcA(window_, WM_SETCURSOR, wParam, lParam);
  SetCursor(cursor);
  return TRUE;
}

LRESULT Win32FormHost::OnGetDefaultId() {
  for (const auto& [name, part] : parts_)
    if (part->Def().isDefault) return MAKELRESULT(part->Id(), DC_HASDEFID);
  return 0;
}

LRESULT Win32FormHost::OnRestoreHeldFocus() {
  input_.FocusBack();
  if (HWND held = ControlHandle(model_.Focus())) SetFocus(held);
  return 0;
}

LRESULT Win32FormHost::OnActivate(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    RememberFocus();
    return 0;
  }
  return RestoreFocus() ? 0 : DefWindowProcA(window_, WM_ACTIVATE, wParam, lParam);
}

LRESULT Win32FormHost::OnSetFocus() {
  RestoreFocus();
  return 0;
}

LRESULT Win32FormHost::OnClose() {
  if (input_.Close()) Unload();
  return 0;
}

LRESULT Win32FormHost::OnEndSession(WPARAM ending) {
  if (ending) Fire("Form", FormEvent::EndSession);
  return 0;
}

LRESULT Win32FormHost::OnTaskbarCreated() {
  Fire("Form", FormEvent::TaskbarCreated);
  return 0;
}

}  // namespace vk::win32
