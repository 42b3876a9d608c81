#pragma once
// The lines of a folder list: the drive's root, each folder on the way down
// to the open one, then the open folder's subfolders, each level indented
// two blanks deeper than the one above it.
#include <string>
#include <vector>

namespace vk::platform {

struct FolderLine {
  std::string text;  // as the list shows it, indentation included
  std::string path;  // the folder the line stands for
};

// path is an absolute folder ("C:\Windows", "C:\"); a trailing backslash is
// ignored. The index of the open folder's line is stored in openLine.
std::vector<FolderLine> FolderTreeLines(const std::string& path, const std::vector<std::string>& subfolders,
                                        int& openLine);

}  // namespace vk::platform
