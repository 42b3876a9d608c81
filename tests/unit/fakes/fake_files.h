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
    bool readOnly = false;
    bool locked = false;  // open by another program: cannot be read or replaced
  };

  std::string ProgramFolder() override { return programFolder; }
  std::string ExecutableBaseName() override { return executableBaseName; }

  bool ReadAll(const std::string& path, std::string& bytes) override {
    auto it = files.find(path);
    if (it == files.end() || it->second.locked) return false;
    bytes = it->second.bytes;
    return true;
  }
  bool CreateIfMissing(const std::string& path) override {
    if (files.count(path)) return true;
    if (failCreate) return false;
    files[path] = File{};
    return true;
  }
  bool Append(const std::string& path, const std::string& bytes) override {
    if (failWrite) return false;
    auto it = files.find(path);
    if (it != files.end() && (it->second.readOnly || it->second.locked)) return false;
    files[path].bytes += bytes;
    return true;
  }
  // A read-only target is refused; a hidden or system one keeps its marks.
  bool ReplaceAtomically(const std::string& path, const std::string& bytes) override {
    if (failWrite) return false;
    auto it = files.find(path);
    if (it == files.end()) {
      files[path] = File{bytes};
      return true;
    }
    if (it->second.locked || it->second.readOnly) return false;
    it->second.bytes = bytes;
    return true;
  }
  bool ExistsAsNormalFile(const std::string& path) override {
    auto it = files.find(path);
    return it != files.end() && !it->second.hidden && !it->second.system;
  }
  bool Delete(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end()) return true;
    if (it->second.readOnly || it->second.locked) return false;
    files.erase(it);
    return true;
  }

  bool FolderOnDrive(const std::string& drive, std::string& folder) override {
    auto it = driveFolders.find(drive);
    if (it == driveFolders.end()) return false;
    folder = it->second;
    return true;
  }

  std::map<std::string, File> files;
  // The readable drives ("d:") and the current folder on each.
  std::map<std::string, std::string> driveFolders;
  std::string programFolder = "C:\\Program Files\\Vesperkit";
  std::string executableBaseName = "vesperkit";
  bool failCreate = false;
  bool failWrite = false;
};

}  // namespace vk::fakes
