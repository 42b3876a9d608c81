// The drive, folder and file lists: they show what the file system holds at
// their path, and start at the program's current folder, as the standard
// controls do.
#include <algorithm>

#include "platform/folder_tree.h"
#include "win32/forms/file_lists.h"
#include "win32/forms/list_parts.h"

namespace vk::win32 {

using platform::ControlDef;
using platform::ModelChange;

namespace {

std::string CurrentFolder() {
  char folder[MAX_PATH] = {};
  const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
  return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string("C:\\");
}

// The drives, with the path's own drive among them, and the path's chosen.
class DriveListPart : public ComboPart {
 public:
  DriveListPart(Win32FormHost& host, const ControlDef& def) : ComboPart(host, def, false) {}

  void Show(ModelChange change) override {
    if (change == ModelChange::Path) ShowPath();
    ComboPart::Show(change);
  }

 private:
  void ShowPath() {
    const std::string path = State().path;
    if (path.empty()) return Model().SetPath(Name(), CurrentFolder().substr(0, 2));
    std::vector<std::string> drives = LogicalDrives();
    const std::string drive = path.substr(0, std::min<size_t>(path.size(), 2));
    auto same = [&drive](const std::string& d) { return lstrcmpiA(d.c_str(), drive.c_str()) == 0; };
    if (std::none_of(drives.begin(), drives.end(), same)) drives.push_back(drive);
    const int index = static_cast<int>(std::find_if(drives.begin(), drives.end(), same) - drives.begin());
    Model().SetItems(Name(), std::move(drives));
    Model().SetListIndex(Name(), index);
  }
};

// A list that shows what a folder holds; with no folder yet it starts at the
// program's current one.
class PathListPart : public ListPart {
 public:
  PathListPart(Win32FormHost& host, const ControlDef& def) : ListPart(host, def, 0) {}

  void Show(ModelChange change) override {
    if (change == ModelChange::Path) {
      const std::string path = State().path;
      if (path.empty()) return Model().SetPath(Name(), CurrentFolder());
      Fill(path);
    }
    ListPart::Show(change);
  }

 private:
  virtual void Fill(const std::string& path) = 0;
};

// The folders down to the path, and the path's subfolders; the path's chosen.
class FolderListPart : public PathListPart {
 public:
  using PathListPart::PathListPart;

 private:
  void Fill(const std::string& path) override {
    int open = -1;
    const std::vector<platform::FolderLine> lines = platform::FolderTreeLines(path, Subfolders(path), open);
    Model().SetFolderLines(Name(), lines, open);
  }
};

// The files of the path that match the pattern.
class FileListPart : public PathListPart {
 public:
  using PathListPart::PathListPart;

 private:
  void Fill(const std::string& path) override { Model().SetItems(Name(), FilesMatching(path, State().pattern)); }
};

}  // namespace

std::unique_ptr<ControlPart> MakeDriveList(Win32FormHost& host, const ControlDef& def) {
  return std::make_unique<DriveListPart>(host, def);
}

std::unique_ptr<ControlPart> MakeFolderList(Win32FormHost& host, const ControlDef& def) {
  return std::make_unique<FolderListPart>(host, def);
}

std::unique_ptr<ControlPart> MakeFileList(Win32FormHost& host, const ControlDef& def) {
  return std::make_unique<FileListPart>(host, def);
}

}  // namespace vk::win32
