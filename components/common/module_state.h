#pragma once
// What a COM server DLL knows about itself: how many of its objects and locks
// are alive (so DllCanUnloadNow can answer) and where its file lies (for
// registration and for loading the type library it carries).
#include <windows.h>

#include <string>

namespace vk::com {

void LockModule();
void UnlockModule();
// S_OK when no object or lock of this DLL is alive, else S_FALSE.
HRESULT CanUnloadModule();

// Full path of the DLL this code is linked into; empty when unknown.
std::wstring ModulePath();

}  // namespace vk::com
