#pragma once
// Port: the file system, as the program needs it. Paths are ANSI texts with
// backslashes, exactly as the program builds them.
#include <string>

namespace vk::platform {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Folder of the running executable, without a trailing backslash (unless it
  // is a drive root such as "C:\").
  virtual std::string ProgramFolder() = 0;
  // File name of the running executable without its extension ("vesperkit").
  virtual std::string ExecutableBaseName() = 0;

  // Reads the whole file. False when it cannot be opened or read.
  virtual bool ReadAll(const std::string& path, std::string& bytes) = 0;
  // Creates an empty file when none exists. False when that fails.
  virtual bool CreateIfMissing(const std::string& path) = 0;
  // Appends the bytes at the end, creating the file when missing.
  virtual bool Append(const std::string& path, const std::string& bytes) = 0;
  // Writes the bytes to a temporary file in the same folder and then replaces
  // the target with it in one step. On failure the target is unchanged and no
  // temporary file is left behind.
  virtual bool ReplaceAtomically(const std::string& path, const std::string& bytes) = 0;
  // True for an existing normal file; folders and hidden or system files are
  // not found.
  virtual bool ExistsAsNormalFile(const std::string& path) = 0;
  // Deletes the file; a missing file is no error.
  virtual bool Delete(const std::string& path) = 0;
  // The current folder on the drive ("d:"): the process's current folder when
  // it is on that drive, else the one last used there or the drive's root.
  // False, with the folder untouched, when that folder cannot be read, for
  // example on a drive without a medium.
  virtual bool FolderOnDrive(const std::string& drive, std::string& folder) = 0;
};

}  // namespace vk::platform
