#pragma once
// Replacing a file's whole content in one step, built from the few file
// operations every platform has. A Windows adapter supplies the operations;
// the order and the clean-up live here, where tests can fail each one.
#include <string>

namespace vk::platform {

struct FileAttributes {
  bool exists = false;
  bool readOnly = false;
  bool hidden = false;
  bool system = false;
};

class ReplaceSteps {
 public:
  virtual ~ReplaceSteps() = default;
  virtual FileAttributes Attributes(const std::string& path) = 0;
  // Creates a new empty file under an unused name in the folder.
  virtual bool CreateTemporary(const std::string& folder, std::string& temporaryPath) = 0;
  // Writes the bytes over the file's content and flushes them to the disk.
  virtual bool WriteAll(const std::string& path, const std::string& bytes) = 0;
  virtual bool SetHiddenSystem(const std::string& path, bool hidden, bool system) = 0;
  // Renames the file to the target, replacing an existing target.
  virtual bool MoveOver(const std::string& from, const std::string& to) = 0;
  virtual bool Remove(const std::string& path) = 0;
};

// Writes the bytes to a temporary file beside the target and moves it over the
// target. On failure the target is unchanged and the temporary file is gone.
// A read-only target is left alone: marking a file read-only is how a user
// protects it. A hidden or system target stays hidden or system.
bool ReplaceAtomically(ReplaceSteps& steps, const std::string& path, const std::string& bytes);

}  // namespace vk::platform
