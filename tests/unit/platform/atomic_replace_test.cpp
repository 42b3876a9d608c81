// Replacing a file through a temporary one beside it, on steps that can fail.
#include "platform/atomic_replace.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace vk::platform {
namespace {

// A folder in memory whose every step can be made to fail.
class FakeSteps : public ReplaceSteps {
 public:
  struct File {
    std::string bytes;
    FileAttributes attributes{true};
  };

  FileAttributes Attributes(const std::string& path) override {
    return files.count(path) ? files[path].attributes : FileAttributes{};
  }
  bool CreateTemporary(const std::string& folder, std::string& temporaryPath) override {
    createdIn = folder;
    if (failing == "CreateTemporary") return false;
    temporaryPath = folder + "\\vk1.tmp";
    files[temporaryPath] = {};
    return true;
  }
  bool WriteAll(const std::string& path, const std::string& bytes) override {
    // A disk that fills up halfway.
    files[path].bytes = failing == "WriteAll" ? bytes.substr(0, bytes.size() / 2) : bytes;
    return failing != "WriteAll";
  }
  bool SetHiddenSystem(const std::string& path, bool hidden, bool system) override {
    if (failing == "SetHiddenSystem") return false;
    files[path].attributes.hidden = hidden;
    files[path].attributes.system = system;
    return true;
  }
  bool MoveOver(const std::string& from, const std::string& to) override {
    if (failing == "MoveOver") return false;
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  bool Remove(const std::string& path) override {
    files.erase(path);
    return true;
  }

  std::map<std::string, File> files;
  std::string failing;
  std::string createdIn;
};

const std::string kTarget = "C:\\App\\Files.dat";

TEST(AtomicReplace, ReplacesTheWholeContentThroughATemporaryFileBesideItKeepingItsMarks) {
  const struct {
    bool exists, hidden, system;
  } targets[] = {{false, false, false}, {true, false, false}, {true, true, false}, {true, false, true}};
  for (const auto& t : targets) {
    FakeSteps steps;
    if (t.exists)
      steps.files[kTarget] = {"a much longer old content", {.exists = true, .hidden = t.hidden, .system = t.system}};
    EXPECT_TRUE(ReplaceAtomically(steps, kTarget, "new"));
    EXPECT_EQ(steps.createdIn, "C:\\App");
    ASSERT_EQ(steps.files.size(), 1u);
    EXPECT_EQ(steps.files[kTarget].bytes, "new");
    EXPECT_EQ(steps.files[kTarget].attributes.hidden, t.hidden);
    EXPECT_EQ(steps.files[kTarget].attributes.system, t.system);
  }
  FakeSteps steps;
  EXPECT_TRUE(ReplaceAtomically(steps, "C:\\Files.dat", "root"));
  EXPECT_EQ(steps.createdIn, "C:\\");
}

TEST(AtomicReplace, AReadOnlyTargetOrAFailureAtAnyStepLeavesTheOldFileAndNoTemporaryOne) {
  for (const char* step : {"", "CreateTemporary", "WriteAll", "SetHiddenSystem", "MoveOver"}) {
    FakeSteps steps;
    // Hidden, so that every step is taken; read-only when no step fails.
    steps.files[kTarget] = {"old", {.exists = true, .readOnly = *step == '\0', .hidden = true}};
    steps.failing = step;
    EXPECT_FALSE(ReplaceAtomically(steps, kTarget, "new")) << step;
    ASSERT_EQ(steps.files.size(), 1u) << step;
    EXPECT_EQ(steps.files[kTarget].bytes, "old") << step;
  }
}

}  // namespace
}  // namespace vk::platform
