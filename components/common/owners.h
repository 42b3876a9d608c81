#pragma once
// Every owner of a Windows resource, in one place, shared by the program and
// the component DLLs: kernel handles, registry keys, menus, GDI objects and
// device contexts, COM references, BSTRs and the COM apartment. Each closes
// what it holds once, on every path out, and none can be copied (a copy would
// close twice); those that can be handed on are moved.
#include <windows.h>
#include <oleauto.h>

#include <utility>

namespace vk::win32 {

// Move-only ownership of a handle with its closing call and empty values.
template <class Traits>
class Owner {
 public:
  using Handle = typename Traits::Handle;
  Owner() = default;
  explicit Owner(Handle handle) : handle_(handle) {}
  ~Owner() { Reset(); }
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;
  Owner(Owner&& other) noexcept : handle_(other.Release()) {}
  Owner& operator=(Owner&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Handle Get() const { return handle_; }
  bool Valid() const { return Traits::Valid(handle_); }
  explicit operator bool() const { return Valid(); }
  // For out-parameters: closes what is held and lends the slot.
  Handle* Put() {
    Reset();
    return &handle_;
  }
  Handle Release() { return std::exchange(handle_, Handle{}); }
  void Reset(Handle handle = Handle{}) {
    if (Traits::Valid(handle_)) Traits::Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_{};
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
struct RegKeyTraits {
  using Handle = HKEY;
  static bool Valid(HKEY h) { return h != nullptr; }
  static void Close(HKEY h) { RegCloseKey(h); }
};
struct MenuTraits {
  using Handle = HMENU;
  static bool Valid(HMENU h) { return h != nullptr; }
  static void Close(HMENU h) { DestroyMenu(h); }
};
struct FontTraits {
  using Handle = HFONT;
  static bool Valid(HFONT h) { return h != nullptr; }
  static void Close(HFONT h) { DeleteObject(h); }
};

using UniqueHandle = Owner<KernelHandleTraits>;  // a file, a process, a snapshot
using UniqueRegKey = Owner<RegKeyTraits>;
using UniqueMenu = Owner<MenuTraits>;
using UniqueFont = Owner<FontTraits>;

// A window's device context (the screen's for no window), with a font
// selected when one is given; both are given back on every path.
class WindowDc {
 public:
  explicit WindowDc(HWND window, HFONT font = nullptr) : window_(window), dc_(GetDC(window)) {
    if (dc_ != nullptr && font != nullptr) old_ = SelectObject(dc_, font);
  }
  ~WindowDc() {
    if (dc_ == nullptr) return;
    if (old_ != nullptr) SelectObject(dc_, old_);
    ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

// Dots per inch of the screen, across and down (96 when it cannot be read).
inline int ScreenDpi(bool vertical) {
  WindowDc screen(nullptr);
  const int dpi = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), vertical ? LOGPIXELSY : LOGPIXELSX) : 0;
  return dpi > 0 ? dpi : 96;
}

}  // namespace vk::win32

namespace vk::com {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      ptr_ = std::exchange(other.ptr_, nullptr);
    }
    return *this;
  }
  ~ComPtr() { Reset(); }

  T* Get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }
  // For out-parameters: drops the current reference and lends the slot.
  T** Put() {
    Reset();
    return &ptr_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  void Reset() {
    if (ptr_ != nullptr) std::exchange(ptr_, nullptr)->Release();
  }

 private:
  T* ptr_ = nullptr;
};

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(BSTR adopted) : text_(adopted) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(text_); }

  BSTR Get() const { return text_; }
  UINT Length() const { return SysStringLen(text_); }
  void Replace(BSTR adopted) {
    SysFreeString(text_);
    text_ = adopted;
  }
  BSTR Detach() { return std::exchange(text_, nullptr); }
  BSTR* Put() {
    SysFreeString(std::exchange(text_, nullptr));
    return &text_;
  }

 private:
  BSTR text_ = nullptr;
};

// A fresh copy of a BSTR, embedded NULs included. A null source stays null;
// a failed allocation is reported through ok.
inline BSTR CopyBstr(BSTR source, bool& ok) {
  ok = true;
  if (source == nullptr) return nullptr;
  BSTR copy = SysAllocStringLen(source, SysStringLen(source));
  ok = copy != nullptr;
  return copy;
}

// The thread's COM apartment. It is left only when entering it succeeded
// (S_FALSE, "already entered", counts), as CoUninitialize must match.
class ComApartment {
 public:
  ComApartment() : result_(CoInitialize(nullptr)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  HRESULT Result() const { return result_; }
  bool Entered() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

}  // namespace vk::com
