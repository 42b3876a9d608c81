#pragma once
// Ports: message boxes, the screen-wide mouse pointer and the application
// title, and starting another program.
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace vk::platform {

// Message box styles and answers, as the Windows message box takes them.
inline constexpr std::uint32_t kMbOk = 0x0;
inline constexpr std::uint32_t kMbIconStop = 0x10;
inline constexpr std::uint32_t kMbIconExclamation = 0x30;
inline constexpr std::uint32_t kMbSystemModal = 0x1000;
inline constexpr int kIdOk = 1;

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual int Show(const std::string& text, const std::string& title, std::uint32_t style) = 0;
};

// Mouse pointer values as the program names them.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerHourglass = 11;

class AppShell {
 public:
  virtual ~AppShell() = default;
  virtual void SetMousePointer(int pointer) = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual std::string Title() = 0;
};

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // Starts the program in a normal window with the focus; does not wait.
  virtual bool Start(const std::string& path) = 0;
};

}  // namespace vk::platform
