#include "win32/forms/frame_window.h"

#include <string>

#include "boundary_guard.h"
#include "win32/forms/control_part.h"

namespace vk::win32 {

namespace {

HFONT FontOf(HWND frame) { return reinterpret_cast<HFONT>(GetWindowLongPtrA(frame, 0)); }

// A painting of the frame with its font selected; both are given back on
// every path out.
class FramePaint {
 public:
  explicit FramePaint(HWND frame) : frame_(frame), dc_(BeginPaint(frame, &paint_)) {
    if (dc_ != nullptr && FontOf(frame) != nullptr) old_ = SelectObject(dc_, FontOf(frame));
  }
  ~FramePaint() {
    if (old_ != nullptr) SelectObject(dc_, old_);
    EndPaint(frame_, &paint_);
  }
  FramePaint(const FramePaint&) = delete;
  FramePaint& operator=(const FramePaint&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND frame_;
  PAINTSTRUCT paint_{};
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

// The etched border runs through the middle of the caption's line; the
// caption sits on it with the face colour behind it.
void Paint(HWND frame) {
  FramePaint painting(frame);
  HDC dc = painting.Get();
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  RECT box;
  GetClientRect(frame, &box);
  box.top += metrics.tmHeight / 2;
  DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
  const std::string caption = WindowText(frame);
  if (!caption.empty()) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(IsWindowEnabled(frame) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    RECT text{6, 0, 0, 0};
    DrawTextA(dc, caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
    DrawTextA(dc, caption.c_str(), -1, &text, DT_SINGLELINE);
  }
}

bool ForwardedToForm(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      return true;
    default:
      return false;
  }
}

LRESULT HandleFrameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  if (ForwardedToForm(message)) return SendMessageA(GetAncestor(frame, GA_ROOT), message, wParam, lParam);
  switch (message) {
    case WM_SETFONT:
      SetWindowLongPtrA(frame, 0, static_cast<LONG_PTR>(wParam));
      if (LOWORD(lParam)) InvalidateRect(frame, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(FontOf(frame));
    case WM_SETTEXT:
    case WM_ENABLE: {
      const LRESULT result = DefWindowProcA(frame, message, wParam, lParam);
      InvalidateRect(frame, nullptr, TRUE);
      return result;
    }
    case WM_PAINT:
      Paint(frame);
      return 0;
    default:
      return DefWindowProcA(frame, message, wParam, lParam);
  }
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>("FrameProc", 0, [&] { return HandleFrameMessage(frame, message, wParam, lParam); });
}

}  // namespace

bool RegisterFrameClass(HINSTANCE instance) {
  WNDCLASSA frame{};
  frame.lpfnWndProc = FrameProc;
  frame.cbWndExtra = sizeof(HFONT);
  frame.hInstance = instance;
  frame.hCursor = LoadCursor(nullptr, IDC_ARROW);
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frame.lpszClassName = kFrameClass;
  return RegisterClassA(&frame) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace vk::win32
