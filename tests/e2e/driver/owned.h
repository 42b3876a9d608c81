#pragma once
// Windows handles of the driver, each released once on every path.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace vk::e2e {

struct CloseHandleDeleter {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct DestroyWindowDeleter {
  void operator()(HWND window) const { DestroyWindow(window); }
};
struct DestroyMenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};

using OwnedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, CloseHandleDeleter>;
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, DestroyWindowDeleter>;
using OwnedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, DestroyMenuDeleter>;

}  // namespace vk::e2e
