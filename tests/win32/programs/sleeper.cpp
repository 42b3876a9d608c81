// A small windowed program for the process-ending tests: it keeps one hidden
// top-level window and runs until that window is closed. With "stubborn" on
// its command line it ignores every request to close.
#include <windows.h>

#include <cstring>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE && GetWindowLongPtrW(window, GWLP_USERDATA) != 0) return 0;
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"VesperkitTestSleeper";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowW(windowClass.lpszClassName, L"Sleeper", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                              nullptr, instance, nullptr);
  if (window == nullptr) return 2;
  SetWindowLongPtrW(window, GWLP_USERDATA, std::strstr(commandLine, "stubborn") != nullptr ? 1 : 0);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
