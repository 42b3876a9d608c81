#include "support.h"

#include <commctrl.h>

#include <fstream>

#include "owners.h"

namespace vk::wintest {
namespace {

// The common controls, as the program registers them at its start.
const bool kCommonControls = [] {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_DATE_CLASSES | ICC_UPDOWN_CLASS |
                                                     ICC_LINK_CLASS | ICC_WIN95_CLASSES};
  return InitCommonControlsEx(&controls) != FALSE;
}();

HRESULT CallServerEntry(const std::string& dll, const char* entry) {
  HMODULE module = LoadLibraryA((OwnFolder() + dll).c_str());
  if (module == nullptr) return HRESULT_FROM_WIN32(GetLastError());
  using Entry = HRESULT(STDAPICALLTYPE*)();
  auto function = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, entry)));
  const HRESULT hr = function != nullptr ? function() : HRESULT_FROM_WIN32(GetLastError());
  FreeLibrary(module);
  return hr;
}

}  // namespace

std::string OwnFolder() {
  char path[MAX_PATH * 2];
  const std::string file(path, GetModuleFileNameA(nullptr, path, sizeof path));
  return file.substr(0, file.find_last_of('\\') + 1);
}

std::string TemporaryName() {
  char folder[MAX_PATH];
  char name[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "vkt", 0, name);
  DeleteFileA(name);
  return name;
}

long RunAndWait(std::string command) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  const win32::UniqueHandle thread(process.hThread);
  const win32::UniqueHandle started(process.hProcess);
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(started.Get(), 60000) == WAIT_OBJECT_0) GetExitCodeProcess(started.Get(), &code);
  return static_cast<long>(code);
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream file(path, std::ios::binary);
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

HRESULT RegisterDll(const std::string& dll) { return CallServerEntry(dll, "DllRegisterServer"); }
HRESULT UnregisterDll(const std::string& dll) { return CallServerEntry(dll, "DllUnregisterServer"); }

std::optional<std::string> ReadValue(HKEY root, const std::string& path, const char* name, DWORD* type) {
  win32::UniqueRegKey key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS) return std::nullopt;
  BYTE data[1024];
  DWORD size = sizeof data;
  if (RegQueryValueExA(key.Get(), name, nullptr, type, data, &size) != ERROR_SUCCESS) return std::nullopt;
  return std::string(reinterpret_cast<char*>(data), size);
}

void WriteValue(HKEY root, const std::string& path, const char* name, const std::optional<std::string>& bytes,
                DWORD type) {
  win32::UniqueRegKey key;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Put(), nullptr) != ERROR_SUCCESS)
    return;
  if (bytes) {
    RegSetValueExA(key.Get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes->data()),
                   static_cast<DWORD>(bytes->size()));
  } else {
    RegDeleteValueA(key.Get(), name);
  }
}

bool KeyExists(HKEY root, const std::string& path) {
  win32::UniqueRegKey key;
  return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.Put()) == ERROR_SUCCESS;
}

void DeleteTree(HKEY root, const std::string& path) {
  using DeleteTreeA = LONG(WINAPI*)(HKEY, LPCSTR);  // declared for newer Windows versions only
  reinterpret_cast<DeleteTreeA>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteTreeA")))(root, path.c_str());
}

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

RECT PlaceInParent(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool SaveWindowBitmap(HWND window, const std::string& path) {
  RECT r;
  GetWindowRect(window, &r);
  BITMAPINFOHEADER info{sizeof info, r.right - r.left, r.bottom - r.top, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const DWORD rowBytes = (static_cast<DWORD>(info.biWidth) * 3 + 3) & ~3u;
  std::string pixels(rowBytes * static_cast<DWORD>(info.biHeight), '\0');
  HDC screen = GetWindowDC(window);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, info.biWidth, info.biHeight);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, info.biWidth, info.biHeight, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  const int rows = GetDIBits(memory, bitmap, 0, static_cast<UINT>(info.biHeight), pixels.data(),
                             reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof info;
  BITMAPFILEHEADER file{0x4D42, offset + static_cast<DWORD>(pixels.size()), 0, 0, offset};
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file).write(reinterpret_cast<const char*>(&info), sizeof info);
  return rows == info.biHeight && out.write(pixels.data(), static_cast<std::streamsize>(pixels.size())).good();
}

}  // namespace vk::wintest
