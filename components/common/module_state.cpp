#include "module_state.h"

namespace vk::com {
namespace {

// The one piece of process-wide state a COM server cannot do without.
LONG& LiveCount() {
  static LONG count = 0;
  return count;
}

}  // namespace

void LockModule() { InterlockedIncrement(&LiveCount()); }
void UnlockModule() { InterlockedDecrement(&LiveCount()); }
HRESULT CanUnloadModule() { return LiveCount() == 0 ? S_OK : S_FALSE; }

std::wstring ModulePath() {
  HMODULE module = nullptr;
  const auto flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
  if (!GetModuleHandleExW(flags, reinterpret_cast<LPCWSTR>(&ModulePath), &module)) return {};
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace vk::com
