#pragma once
// In-memory file system with attributes and failure switches.
#include <map>
#include <string>

#include "platform/files.h"

namespace vk::fakes {

class FakeFileSystem : public platform::FileSystem {
 public:
  struct File {
    std::string bytes;
    bool hidden = false;
    bool system = false;
    bool locked = false;  // open by another program: cannot be read, written or deleted
  };

  std::string ProgramFolder() override { return programFolder; }
  std::string ExecutableBaseName() override { return "vesperkit"; }
  bool ReadAll(const std::string& path, std::string& bytes) override {
    if (!files.count(path) || files[path].locked) return false;
    bytes = files[path].bytes;
    return true;
  }
  bool CreateIfMissing(const std::string& path) override {
    if (!files.count(path) && failCreate) return false;
    files[path];
    return true;
  }
  bool Append(const std::string& path, const std::string& bytes) override {
    return Write(path, files[path].bytes + bytes);
  }
  // A hidden or system file keeps its marks.
  bool ReplaceAtomically(const std::string& path, const std::string& bytes) override { return Write(path, bytes); }
  bool ExistsAsNormalFile(const std::string& path) override {
    return files.count(path) && !files[path].hidden && !files[path].system;
  }
  bool Delete(const std::string& path) override {
    if (files.count(path) && files[path].locked) return false;
    files.erase(path);
    return true;
  }
  bool FolderOnDrive(const std::string& drive, std::string& folder) override {
    if (driveFolders.count(drive)) folder = driveFolders[drive];
    return driveFolders.count(drive);
  }

  std::map<std::string, File> files;
  std::map<std::string, std::string> driveFolders;  // the readable drives ("d:") and the current folder on each
  std::string programFolder = "C:\\Program Files\\Vesperkit";
  bool failCreate = false;
  bool failWrite = false;

 private:
  bool Write(const std::string& path, const std::string& bytes) {
    if (failWrite || files[path].locked) return false;
    files[path].bytes = bytes;
    return true;
  }
};

}  // namespace vk::fakes
