#include "platform/atomic_replace.h"

namespace vk::platform {
namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  if (slash == std::string::npos) return ".";
  // A drive root keeps its backslash ("C:\").
  if (slash == 2 && path[1] == ':') return path.substr(0, 3);
  return path.substr(0, slash);
}

bool FillTemporary(ReplaceSteps& steps, const std::string& temporary, const std::string& bytes,
                   const FileAttributes& target) {
  if (!steps.WriteAll(temporary, bytes)) return false;
  if (target.hidden || target.system) {
    if (!steps.SetHiddenSystem(temporary, target.hidden, target.system)) return false;
  }
  return true;
}

}  // namespace

bool ReplaceAtomically(ReplaceSteps& steps, const std::string& path, const std::string& bytes) {
  const FileAttributes target = steps.Attributes(path);
  if (target.readOnly) return false;

  std::string temporary;
  if (!steps.CreateTemporary(FolderOf(path), temporary)) return false;
  if (FillTemporary(steps, temporary, bytes, target) && steps.MoveOver(temporary, path)) return true;
  steps.Remove(temporary);
  return false;
}

}  // namespace vk::platform
