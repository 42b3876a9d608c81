#include "form_test_support.h"

#include <fstream>

namespace vk::formtest {

namespace {

std::string ShotFolder() {
  char buffer[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableA("VESPERKIT_SHOTS", buffer, sizeof buffer);
  std::string folder;
  if (length > 0 && length < sizeof buffer) {
    folder.assign(buffer, length);
    if (folder.front() == '/') folder = "Z:" + folder;
    for (char& c : folder)
      if (c == '/') c = '\\';
  } else {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder = temp;
  }
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

BOOL CALLBACK Collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

void PumpMessages(win32::Win32FormToolkit& toolkit) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (toolkit.PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void PressKey(win32::Win32FormToolkit& toolkit, WORD key) {
  HWND focus = GetFocus();
  PostMessageA(focus, WM_KEYDOWN, key, 1);
  PostMessageA(focus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
  PumpMessages(toolkit);
}

std::string WindowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassOf(HWND window) {
  char name[128] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

HWND DescendantWithText(HWND parent, const std::string& text) {
  for (HWND window : Descendants(parent))
    if (WindowText(window) == text) return window;
  return nullptr;
}

RECT PlaceInParent(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string SaveWindowShot(HWND window, const std::string& name) {
  RECT r;
  if (!GetWindowRect(window, &r)) return {};
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const int stride = (width * 3 + 3) & ~3;
  std::string pixels(static_cast<size_t>(stride) * static_cast<size_t>(height), '\0');

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
            DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  const std::string path = ShotFolder() + name + ".bmp";
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return out ? path : std::string();
}

}  // namespace vk::formtest
