#include "platform/folder_tree.h"

namespace vk::platform {

namespace {

std::string Indent(size_t depth) { return std::string(depth * 2, ' '); }

// "C:\a\b" -> "C:\", "a", "b"; a trailing backslash adds no part.
std::vector<std::string> PathParts(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start < path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (parts.empty()) {
      parts.push_back(path.substr(0, end) + "\\");
    } else if (end > start) {
      parts.push_back(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return parts;
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

}  // namespace

std::vector<FolderLine> FolderTreeLines(const std::string& path, const std::vector<std::string>& subfolders,
                                        int& openLine) {
  std::vector<FolderLine> lines;
  openLine = -1;
  std::string walked;
  for (const std::string& part : PathParts(path)) {
    walked = walked.empty() ? part : Join(walked, part);
    lines.push_back({Indent(lines.size()) + part, walked});
  }
  if (lines.empty()) return lines;
  openLine = static_cast<int>(lines.size()) - 1;
  const size_t depth = lines.size();
  for (const std::string& name : subfolders) lines.push_back({Indent(depth) + name, Join(walked, name)});
  return lines;
}

}  // namespace vk::platform
