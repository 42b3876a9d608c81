#pragma once
#include <string>

#include "platform/shell.h"

namespace vk::win32 {

class Win32MessageBoxes : public platform::MessageBoxes {
 public:
  int Show(const std::string& text, const std::string& title, std::uint32_t style) override;
};

// The screen-wide pointer and the application title (the caption of the
// program's message boxes).
class Win32AppShell : public platform::AppShell {
 public:
  void SetMousePointer(int pointer) override;
  void SetTitle(const std::string& title) override { title_ = title; }
  std::string Title() override { return title_; }

 private:
  std::string title_;
};

class Win32Launcher : public platform::ProgramLauncher {
 public:
  bool Start(const std::string& path) override;
};

}  // namespace vk::win32
