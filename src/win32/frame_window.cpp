#include "win32/frame_window.h"

#include <string>

namespace vk::win32 {

namespace {

HFONT FontOf(HWND frame) { return reinterpret_cast<HFONT>(GetWindowLongPtrA(frame, 0)); }

std::string TextOf(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The etched border runs through the middle of the caption's line; the
// caption sits on it with the face colour behind it.
void Paint(HWND frame) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(frame, &paint);
  HGDIOBJ old = FontOf(frame) != nullptr ? SelectObject(dc, FontOf(frame)) : nullptr;
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  RECT box;
  GetClientRect(frame, &box);
  box.top += metrics.tmHeight / 2;
  DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
  const std::string caption = TextOf(frame);
  if (!caption.empty()) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(IsWindowEnabled(frame) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    RECT text{6, 0, 0, 0};
    DrawTextA(dc, caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
    DrawTextA(dc, caption.c_str(), -1, &text, DT_SINGLELINE);
  }
  if (old != nullptr) SelectObject(dc, old);
  EndPaint(frame, &paint);
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

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
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

}  // namespace

void RegisterFrameClass(HINSTANCE instance) {
  WNDCLASSA frame{};
  frame.lpfnWndProc = FrameProc;
  frame.cbWndExtra = sizeof(HFONT);
  frame.hInstance = instance;
  frame.hCursor = LoadCursor(nullptr, IDC_ARROW);
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frame.lpszClassName = kFrameClass;
  RegisterClassA(&frame);
}

}  // namespace vk::win32
