#pragma once
// Helpers shared by the Win32 tests: folders and programs, registry values,
// the component DLLs, windows and their message queue.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "win32/forms/form_toolkit.h"

namespace vk::wintest {

// Folder of the running test program, with the built DLLs and programs; ends in '\'.
std::string OwnFolder();
// A fresh name in the temporary folder; nothing is left there.
std::string TemporaryName();
// Runs the command line and waits; the exit code, or -1.
long RunAndWait(std::string command);
// All lines of a text file; empty when it does not exist.
std::vector<std::string> ReadLines(const std::string& path);

// Calls DllRegisterServer or DllUnregisterServer of a DLL in OwnFolder().
HRESULT RegisterDll(const std::string& dll);
HRESULT UnregisterDll(const std::string& dll);

// A value's bytes (null name: the default value); empty when the key or value is missing.
std::optional<std::string> ReadValue(HKEY root, const std::string& path, const char* name, DWORD* type = nullptr);
// Stores the bytes, creating missing keys; no bytes deletes the value.
void WriteValue(HKEY root, const std::string& path, const char* name, const std::optional<std::string>& bytes,
                DWORD type = REG_SZ);
bool KeyExists(HKEY root, const std::string& path);
// Removes a key with everything below it.
void DeleteTree(HKEY root, const std::string& path);

// Dispatches every message waiting for this thread, dialog keys included.
void PumpMessages(win32::Win32FormToolkit& toolkit);
// Posts a key press (down and up) to the window with the focus, then pumps.
void PressKey(win32::Win32FormToolkit& toolkit, WORD key);
std::string WindowText(HWND window);
// Position of a window in its parent's client area, and its size, in pixels.
RECT PlaceInParent(HWND window);
// Saves the window as drawn, frame included, as a 24-bit BMP file.
bool SaveWindowBitmap(HWND window, const std::string& path);

}  // namespace vk::wintest
