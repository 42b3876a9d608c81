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
    auto it = files.find(path);
    return it == files.end() ? FileAttributes{} : it->second.attributes;
  }
  bool CreateTemporary(const std::string& folder, std::string& temporaryPath) override {
    createdIn = folder;
    if (failing == "CreateTemporary") return false;
    temporaryPath = folder + "\\vk1.tmp";
    files[temporaryPath] = {};
    return true;
  }
  bool WriteAll(const std::string& path, const std::string& bytes) override {
    if (failing == "WriteAll") {
      files[path].bytes = bytes.substr(0, bytes.size() / 2);  // a disk that filled up halfway
      return false;
    }
    files[path].bytes = bytes;
    return true;
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

TEST(AtomicReplace, ReplacesTheWholeContentThroughATemporaryFileBesideIt) {
  FakeSteps steps;
  steps.files[kTarget].bytes = "a much longer old content";
  EXPECT_TRUE(ReplaceAtomically(steps, kTarget, "new"));
  EXPECT_EQ(steps.createdIn, "C:\\App");
  ASSERT_EQ(steps.files.size(), 1u);
  EXPECT_EQ(steps.files[kTarget].bytes, "new");

  EXPECT_TRUE(ReplaceAtomically(steps, "C:\\Files.dat", "root"));
  EXPECT_EQ(steps.createdIn, "C:\\");
}

TEST(AtomicReplace, CreatesAMissingTarget) {
  FakeSteps steps;
  EXPECT_TRUE(ReplaceAtomically(steps, kTarget, "new"));
  EXPECT_EQ(steps.files[kTarget].bytes, "new");
  EXPECT_FALSE(steps.files[kTarget].attributes.hidden);
}

TEST(AtomicReplace, AFailureAtAnyStepLeavesTheOldFileAndNoTemporaryOne) {
  for (const char* step : {"CreateTemporary", "WriteAll", "SetHiddenSystem", "MoveOver"}) {
    FakeSteps steps;
    steps.files[kTarget].bytes = "old";
    steps.files[kTarget].attributes.hidden = true;  // so that every step is taken
    steps.failing = step;
    EXPECT_FALSE(ReplaceAtomically(steps, kTarget, "new")) << step;
    ASSERT_EQ(steps.files.size(), 1u) << step;
    EXPECT_EQ(steps.files[kTarget].bytes, "old") << step;
  }
}

TEST(AtomicReplace, KeepsHiddenAndSystemMarks) {
  FakeSteps steps;
  steps.files[kTarget].attributes.hidden = true;
  steps.files[kTarget].attributes.system = true;
  EXPECT_TRUE(ReplaceAtomically(steps, kTarget, "new"));
  EXPECT_TRUE(steps.files[kTarget].attributes.hidden);
  EXPECT_TRUE(steps.files[kTarget].attributes.system);
}

TEST(AtomicReplace, LeavesAReadOnlyTargetAlone) {
  FakeSteps steps;
  steps.files[kTarget].bytes = "old";
  steps.files[kTarget].attributes.readOnly = true;
  EXPECT_FALSE(ReplaceAtomically(steps, kTarget, "new"));
  EXPECT_EQ(steps.files[kTarget].bytes, "old");
  EXPECT_EQ(steps.files.size(), 1u);
}

}  // namespace
}  // namespace vk::platform
