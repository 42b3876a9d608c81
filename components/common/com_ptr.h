#pragma once
// Owners for COM references and BSTRs, shared by the servers and the
// program's COM adapter, so that every exit path releases what it took.
#include <windows.h>
#include <oleauto.h>

#include <utility>

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

}  // namespace vk::com
