#pragma once
// Owners of the GDI objects and screen device contexts the form binding uses.
#include <windows.h>

#include <utility>

namespace vk::win32 {

// Deletes a font (or any GDI object) once.
class UniqueFont {
 public:
  UniqueFont() = default;
  explicit UniqueFont(HFONT font) : font_(font) {}
  ~UniqueFont() { Reset(); }
  UniqueFont(const UniqueFont&) = delete;
  UniqueFont& operator=(const UniqueFont&) = delete;
  UniqueFont(UniqueFont&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}
  UniqueFont& operator=(UniqueFont&& other) noexcept {
    if (this != &other) {
      Reset();
      font_ = std::exchange(other.font_, nullptr);
    }
    return *this;
  }
  HFONT Get() const { return font_; }
  void Reset() {
    if (font_ != nullptr) DeleteObject(font_);
    font_ = nullptr;
  }

 private:
  HFONT font_ = nullptr;
};

// A window's device context with a font selected, given back on every path.
class WindowDc {
 public:
  WindowDc(HWND window, HFONT font) : window_(window), dc_(GetDC(window)) {
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

}  // namespace vk::win32
