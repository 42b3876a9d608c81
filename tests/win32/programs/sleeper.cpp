// A small windowed program for the process-ending tests: one hidden top-level
// window, until a close is asked of it; with "stubborn" on its command line it
// ignores every request to close.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  if (!CreateWindowA("STATIC", "Sleeper", WS_OVERLAPPED, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr)) return 2;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0)
    if (message.message == WM_CLOSE && std::strstr(commandLine, "stubborn") == nullptr) return 0;
  return 0;
}
