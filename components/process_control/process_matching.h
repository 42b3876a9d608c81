#pragma once
// Finding the running processes whose executable is a given file.
#include <windows.h>

#include <string>
#include <vector>

#include "owners.h"

namespace vk::process {

using OwnedHandle = win32::UniqueHandle;

struct RunningProcess {
  DWORD id = 0;
  OwnedHandle handle;  // may be waited on and terminated
};

// The path in the form it is compared in: absolute, long names, upper case.
// Empty for a path that names no file on a drive or share (a bare file name,
// a relative path, a text with a NUL in it).
std::wstring ComparablePath(const std::wstring& path);

// Every process but the calling one whose executable is the file at the path,
// letter case aside. Processes that cannot be opened are not found.
std::vector<RunningProcess> FindProcesses(const std::wstring& path);

}  // namespace vk::process
