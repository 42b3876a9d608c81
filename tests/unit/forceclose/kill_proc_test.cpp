#include "forceclose/kill_proc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/kill_listed_apps.h"
#include "fakes/test_world.h"

namespace vk::forceclose {
namespace {

using Calls = std::vector<std::string>;

Calls Triple(const std::string& path) { return {"Process.Flags 4", "Process.ProcessPath " + path, "Process.EndProcess"}; }

Calls operator+(Calls a, const Calls& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::string kOwnExe = "C:\\Program Files\\Vesperkit\\Vesperkit.exe";

class KillListedAppsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HResult error = kS_OK;
    w.state.gProcessControl = w.components.CreateProcessControl(error);
    w.state.schedule.ForceAppClose = kTrue;
    w.windows.majorVersion = 5;
    w.journal.entries.clear();
  }
  void Run() { app::KillListedApps(w.state); }
  void Add(const std::string& path, VbBool checked) {
    AppEntry entry = MakeAppEntry(path);
    entry.Checked = checked;
    w.state.AppEntries.push_back(entry);
  }
  const Calls& Journal() { return w.journal.entries; }

  fakes::TestWorld w;
};

TEST_F(KillListedAppsTest, HandsOverOnlyEntriesCheckedWithExactlyTrueInListOrder) {
  Add("C:\\first.exe", kTrue);
  Add("C:\\skipped.exe", kFalse);
  Add("C:\\third.exe", kTrue);
  Add("C:\\one.exe", 1);
  Add("C:\\minus-two.exe", -2);
  Run();
  EXPECT_EQ(Journal(), Triple("C:\\first.exe") + Triple("C:\\third.exe"));
}

TEST_F(KillListedAppsTest, PathsArriveWithoutBlanksAtEitherEnd) {
  Add("  C:\\Program Files\\app one.exe", kTrue);
  Add("", kTrue);  // an all-blank path from a damaged file
  Run();
  const Calls emptyPath = {"Process.Flags 4", "Process.ProcessPath", "Process.EndProcess"};
  EXPECT_EQ(Journal(), Triple("C:\\Program Files\\app one.exe") + emptyPath);
}

TEST_F(KillListedAppsTest, TheListIsLeftAloneUnlessForcedCloseIsExactlyTrue) {
  Add("C:\\a.exe", kTrue);
  for (VbBool flag : {kFalse, VbBool{1}}) {
    w.state.schedule.ForceAppClose = flag;
    Run();
    EXPECT_TRUE(Journal().empty()) << flag;
  }
  w.state.schedule.ForceAppClose = kTrue;
  w.state.AppEntries.clear();
  Run();
  EXPECT_TRUE(Journal().empty());
}

TEST_F(KillListedAppsTest, OnTheOlderGenerationTheProgramsOwnExecutableComesLastAlways) {
  Add("C:\\a.exe", kTrue);
  w.windows.majorVersion = 4;
  Run();
  EXPECT_EQ(Journal(), Triple("C:\\a.exe") + Triple(kOwnExe));

  for (std::uint32_t version : {0u, 3u, 4u}) {
    w.journal.entries.clear();
    w.windows.majorVersion = version;
    w.state.schedule.ForceAppClose = kFalse;
    Run();
    EXPECT_EQ(Journal(), Triple(kOwnExe)) << version;
  }

  w.journal.entries.clear();
  w.files.programFolder = "D:\\";
  w.state.AppEntries.clear();
  w.state.schedule.ForceAppClose = kTrue;
  Run();
  EXPECT_EQ(Journal(), Triple("D:\\Vesperkit.exe"));
}

TEST_F(KillListedAppsTest, AnEmptyComponentSlotIsFilledOnceAndKept) {
  Add("C:\\a.exe", kTrue);
  Add("C:\\b.exe", kTrue);
  w.state.gProcessControl.reset();
  w.journal.entries.clear();
  Run();
  EXPECT_EQ(Journal(), Calls{"Create ProcessControl"} + Triple("C:\\a.exe") + Triple("C:\\b.exe"));
  EXPECT_TRUE(w.state.gProcessControl);
}

TEST_F(KillListedAppsTest, AMissingComponentIsAskedForBeforeEveryCallAndNothingStops) {
  Add("C:\\a.exe", kTrue);
  w.state.gProcessControl.reset();
  w.components.processInstalled = false;
  w.windows.majorVersion = 4;
  w.journal.entries.clear();
  Run();
  EXPECT_EQ(Journal(), Calls(6, "Create ProcessControl"));
  EXPECT_FALSE(w.state.gProcessControl);
}

TEST_F(KillListedAppsTest, FailingCallsDoNotStopTheSequence) {
  Add("C:\\a.exe", kTrue);
  Add("C:\\b.exe", kTrue);
  w.components.failing = {"Flags", "ProcessPath", "EndProcess"};
  w.windows.majorVersion = 4;
  Run();
  EXPECT_EQ(Journal(), Triple("C:\\a.exe") + Triple("C:\\b.exe") + Triple(kOwnExe));
}

}  // namespace
}  // namespace vk::forceclose
