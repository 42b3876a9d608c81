#pragma once
#include "platform/atomic_replace.h"

namespace vk::win32 {

// The steps of an atomic replace on the ANSI file functions.
class Win32ReplaceSteps : public platform::ReplaceSteps {
 public:
  platform::FileAttributes Attributes(const std::string& path) override;
  bool CreateTemporary(const std::string& folder, std::string& temporaryPath) override;
  bool WriteAll(const std::string& path, const std::string& bytes) override;
  bool SetHiddenSystem(const std::string& path, bool hidden, bool system) override;
  bool MoveOver(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
};

}  // namespace vk::win32
