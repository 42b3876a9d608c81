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
    files[temporaryPath = folder + (folder.ends_with("\\") ? "" : "\\") + "vk1.tmp"] = "";
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
  std::string failing;
};

TEST(AtomicReplace, ReplacesTheWholeContentThroughATemporaryFileBesideItKeepingItsMarksOrLeavesItAsItWas) {
  const struct {
    const char* path;
    std::optional<FileAttributes> target;
    const char* failing;
    std::string after;  // the result, then each file with its marks
  } rows[] = {
      {"C:\\App\\Files.dat", std::nullopt, "", "1 C:\\App\\Files.dat=new00 "},
      {"C:\\Files.dat", FileAttributes{true}, "", "1 C:\\Files.dat=new00 "},
      {"C:\\App\\Files.dat", FileAttributes{true, false, true, false}, "", "1 C:\\App\\Files.dat=new10 "},
      {"C:\\App\\Files.dat", FileAttributes{true, false, false, true}, "", "1 C:\\App\\Files.dat=new01 "},
      {"C:\\App\\Files.dat", FileAttributes{true, true, true, false}, "", "0 C:\\App\\Files.dat=old10 "},
      {"C:\\App\\Files.dat", FileAttributes{true, false, true, false}, "WriteAll", "0 C:\\App\\Files.dat=old10 "},
      {"C:\\App\\Files.dat", FileAttributes{true, false, true, false}, "SetHiddenSystem", "0 C:\\App\\Files.dat=old10 "},
      {"C:\\App\\Files.dat", FileAttributes{true, false, true, false}, "MoveOver", "0 C:\\App\\Files.dat=old10 "},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.path) + " " + row.failing);
    FakeSteps steps;
    if (row.target) {
      steps.files[row.path] = "old, and longer";
      steps.marks[row.path] = *row.target;
    }
    steps.failing = row.failing;
    std::string after = std::to_string(ReplaceAtomically(steps, row.path, "new")) + " ";
    for (const auto& [path, bytes] : steps.files)
      after += path + "=" + bytes.substr(0, 3) + std::to_string(steps.marks[path].hidden) +
               std::to_string(steps.marks[path].system) + " ";
    EXPECT_EQ(after, row.after);
  }
}

}  // namespace
}  // namespace vk::platform
