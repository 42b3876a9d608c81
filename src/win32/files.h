#pragma once
#include "platform/files.h"

namespace vk::win32 {

// The file-system port on the ANSI file functions.
class Win32FileSystem : public platform::FileSystem {
 public:
  std::string ProgramFolder() override;
  std::string ExecutableBaseName() override;
  bool ReadAll(const std::string& path, std::string& bytes) override;
  bool CreateIfMissing(const std::string& path) override;
  bool Append(const std::string& path, const std::string& bytes) override;
  bool ReplaceAtomically(const std::string& path, const std::string& bytes) override;
  bool ExistsAsNormalFile(const std::string& path) override;
  bool Delete(const std::string& path) override;
  bool FolderOnDrive(const std::string& drive, std::string& folder) override;
};

}  // namespace vk::win32
