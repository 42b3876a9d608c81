// Replacing a file through a temporary one beside it, on steps that can fail.
#include "platform/atomic_replace.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace vk::platform {
namespace {

// A folder in memory whose every step can be made to fail; a failed write
// leaves half the bytes, as a disk that fills up.
struct FakeSteps : ReplaceSteps {
  FileAttributes Attributes(const std::string& path) override { return files.count(path) ? marks[path] : FileAttributes{}; }
  bool CreateTemporary(const std::string& folder, std::string& temporaryPath) override {
    files[temporary = temporaryPath = folder + "\\vk1.tmp"] = "";
    return failing != "CreateTemporary";
  }
  bool WriteAll(const std::string& path, const std::string& bytes) override {
    files[path] = failing == "WriteAll" ? bytes.substr(0, bytes.size() / 2) : bytes;
    return failing != "WriteAll";
  }
  bool SetHiddenSystem(const std::string& path, bool hidden, bool system) override {
    marks[path] = {true, false, hidden, system};
    return failing != "SetHiddenSystem";
  }
  bool MoveOver(const std::string& from, const std::string& to) override {
    if (failing == "MoveOver") return false;
    files[to] = files[from];
    marks[to] = marks[from];
    return files.erase(from);
  }
  bool Remove(const std::string& path) override { return files.erase(path); }

  std::map<std::string, std::string> files;
  std::map<std::string, FileAttributes> marks;
  std::string failing, temporary;
};

TEST(AtomicReplace, ReplacesTheWholeContentThroughATemporaryFileBesideItKeepingItsMarksOrLeavesItAsItWas) {
  const std::string app = "C:\\App\\vk1.tmp ", target = "C:\\App\\Files.dat";
  const FileAttributes plain{true}, hidden{true, false, true, false}, system{true, false, false, true};
  const struct {
    std::string path;
    std::optional<FileAttributes> target;
    const char* failing;
    std::string after;  // the temporary file, the result, then each file with its marks
  } rows[] = {
      {target, std::nullopt, "", app + "1 " + target + "=new00 "},
      {"C:\\Files.dat", plain, "", "C:\\\\vk1.tmp 1 C:\\Files.dat=new00 "},
      {target, hidden, "", app + "1 " + target + "=new10 "},
      {target, system, "", app + "1 " + target + "=new01 "},
      {target, FileAttributes{true, true, true, false}, "", " 0 " + target + "=old10 "},  // read-only
      {target, hidden, "WriteAll", app + "0 " + target + "=old10 "},
      {target, hidden, "SetHiddenSystem", app + "0 " + target + "=old10 "},
      {target, hidden, "MoveOver", app + "0 " + target + "=old10 "},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path + " " + row.failing);
    FakeSteps steps;
    if (row.target) {
      steps.files[row.path] = "old, and longer";
      steps.marks[row.path] = *row.target;
    }
    steps.failing = row.failing;
    std::string after = steps.temporary + " " + std::to_string(ReplaceAtomically(steps, row.path, "new")) + " ";
    for (const auto& [path, bytes] : steps.files)
      after += path + "=" + bytes.substr(0, 3) + std::to_string(steps.marks[path].hidden) +
               std::to_string(steps.marks[path].system) + " ";
    EXPECT_EQ(after, row.after);
  }
}

}  // namespace
}  // namespace vk::platform
