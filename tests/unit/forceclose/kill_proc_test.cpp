// KillListedApps: which paths reach ProcessControl, in which order, and that
// nothing stops the sequence.
#include "forceclose/kill_proc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/test_world.h"

namespace vk::forceclose {
namespace {

using Calls = std::vector<std::string>;

Calls Triple(const std::string& path) {
  return {"Process.Flags 4", path.empty() ? "Process.ProcessPath" : "Process.ProcessPath " + path,
          "Process.EndProcess"};
}

Calls operator+(Calls a, const Calls& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(KillListedApps, HandsOverTheCheckedEntriesAndOnTheOlderGenerationItsOwnExecutable) {
  const Calls own = Triple("C:\\Program Files\\Vesperkit\\Vesperkit.exe");
  using Entries = std::vector<std::pair<std::string, VbBool>>;
  const Entries one = {{"C:\\a.exe", kTrue}}, two = {{"C:\\a.exe", kTrue}, {"C:\\b.exe", kTrue}};
  struct Case {
    const char* name;
    Entries entries;
    VbBool forceAppClose = kTrue;
    std::uint32_t major = 5;
    bool slotFilled = true;
    bool installed = true;
    std::set<std::string> failing = {};
    std::string folder = "C:\\Program Files\\Vesperkit";
    Calls expected;
  };
  const Case cases[] = {
      {.name = "only entries checked with exactly True, in list order", .entries = {{"C:\\first.exe", kTrue}, {"C:\\skipped.exe", kFalse}, {"C:\\third.exe", kTrue}, {"C:\\one.exe", 1},
                   {"C:\\minus-two.exe", -2}},
       .expected = Triple("C:\\first.exe") + Triple("C:\\third.exe")},
      {.name = "paths without blanks at either end, an all-blank one as nothing", .entries = {{"  C:\\Program Files\\app one.exe", kTrue}, {"", kTrue}},
       .expected = Triple("C:\\Program Files\\app one.exe") + Triple("")},
      {.name = "no forced close", .entries = one, .forceAppClose = kFalse, .expected = {}},
      {.name = "forced close not exactly True", .entries = one, .forceAppClose = 1, .expected = {}},
      {.name = "an empty list", .entries = {}, .expected = {}},
      {.name = "the older generation: its own executable last", .entries = one, .major = 4,
       .expected = Triple("C:\\a.exe") + own},
      {.name = "the older generation, always", .entries = one, .forceAppClose = kFalse, .major = 4, .expected = own},
      {.name = "older still", .entries = one, .forceAppClose = kFalse, .major = 3, .expected = own},
      {.name = "an unknown generation", .entries = one, .forceAppClose = kFalse, .major = 0, .expected = own},
      {.name = "in a drive root", .entries = {}, .major = 4, .folder = "D:\\", .expected = Triple("D:\\Vesperkit.exe")},
      {.name = "an empty component slot is filled once and kept", .entries = two, .slotFilled = false,
       .expected = Calls{"Create ProcessControl"} + Triple("C:\\a.exe") + Triple("C:\\b.exe")},
      {.name = "a missing component is asked for before every call", .entries = one, .major = 4, .slotFilled = false, .installed = false, .expected = Calls(6, "Create ProcessControl")},
      {.name = "failing calls stop nothing", .entries = two, .major = 4, .failing = {"Flags", "ProcessPath", "EndProcess"},
       .expected = Triple("C:\\a.exe") + Triple("C:\\b.exe") + own},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::TestWorld w;
    HResult error = kS_OK;
    if (c.slotFilled) w.state.gProcessControl = w.components.CreateProcessControl(error);
    w.components.processInstalled = c.installed;
    w.components.failing = c.failing;
    w.files.programFolder = c.folder;
    w.windows.majorVersion = c.major;
    w.state.schedule.ForceAppClose = c.forceAppClose;
    for (const auto& [path, checked] : c.entries) {
      w.state.AppEntries.push_back(MakeAppEntry(path));
      w.state.AppEntries.back().Checked = checked;
    }
    w.journal.entries.clear();
    KillListedApps({w.state.schedule.ForceAppClose, w.state.AppEntries, w.state.gProcessControl, w.components,
                    w.windows, w.files});
    EXPECT_EQ(w.journal.entries, c.expected);
    EXPECT_EQ(w.state.gProcessControl != nullptr, c.installed);
  }
}

}  // namespace
}  // namespace vk::forceclose
