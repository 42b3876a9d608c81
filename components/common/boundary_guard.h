#pragma once
// No exception crosses a C boundary: every window procedure and every COM
// entry runs its body through one of these guards. A caught exception is
// written to the debugger's output (OutputDebugString, which Wine shows with
// WINEDEBUG=+debugstr) and becomes a plain result: the window procedure's
// fallback, or E_UNEXPECTED for COM. Shared by the program and the DLLs.
#include <windows.h>

#include <exception>
#include <string>

namespace vk::win32 {

inline void ReportCaughtException(const char* where, const char* what) noexcept {
  try {
    const std::string line = std::string("Vesperkit: ") + where + " failed: " + what + "\n";
    OutputDebugStringA(line.c_str());
  } catch (...) {
    OutputDebugStringA("Vesperkit: a boundary caught an exception\n");
  }
}

// Runs body; any exception is reported and the fallback returned instead.
template <class Result, class Body>
Result Guarded(const char* where, Result fallback, Body&& body) noexcept {
  try {
    return body();
  } catch (const std::exception& e) {
    ReportCaughtException(where, e.what());
  } catch (...) {
    ReportCaughtException(where, "an exception of unknown type");
  }
  return fallback;
}

// A COM entry: an exception becomes E_UNEXPECTED.
template <class Body>
HRESULT GuardedCom(const char* where, Body&& body) noexcept {
  return Guarded<HRESULT>(where, E_UNEXPECTED, static_cast<Body&&>(body));
}

}  // namespace vk::win32
