// KillListedApps: which paths reach ProcessControl, in which order, and that
// nothing stops the sequence.
#include "forceclose/kill_proc.h"

#include <gtest/gtest.h>

#include "fakes/test_world.h"

namespace vk::forceclose {
namespace {

// The calls that end the programs at the paths, "|" between them.
std::string Ends(const std::vector<std::string>& paths) {
  std::string calls;
  for (const std::string& path : paths)
    calls += "Process.Flags 4,Process.ProcessPath" + (path.empty() ? "" : " " + path) + ",Process.EndProcess|";
  return calls;
}

TEST(KillListedApps, HandsOverTheCheckedEntriesAndOnTheOlderGenerationItsOwnExecutable) {
  const std::string own = "C:\\Program Files\\Vesperkit\\Vesperkit.exe";
  using Entries = std::vector<std::pair<std::string, VbBool>>;
  const Entries two = {{"C:\\a.exe", kTrue}, {"C:\\b.exe", kTrue}};
  struct Case {
    const char* name;
    Entries entries = {{"C:\\a.exe", kTrue}};
    VbBool forceAppClose = kTrue;
    std::uint32_t major = 5;
    bool slotFilled = true, installed = true;
    std::set<std::string> failing = {};
    std::string folder = "C:\\Program Files\\Vesperkit";
    std::string expected;
  };
  const Case cases[] = {
      {.name = "only entries checked with exactly True, in list order, without blanks at either end",
       .entries = {{"  C:\\app one.exe", kTrue}, {"C:\\skipped.exe", kFalse}, {"", kTrue}, {"C:\\one.exe", 1}},
       .expected = Ends({"C:\\app one.exe", ""})},
      {.name = "forced close not exactly True", .forceAppClose = 1, .expected = ""},
      {.name = "the older generation: its own executable last", .major = 4, .expected = Ends({"C:\\a.exe", own})},
      {.name = "an unknown generation, always", .forceAppClose = kFalse, .major = 0, .expected = Ends({own})},
      {.name = "in a drive root", .entries = {}, .major = 4, .folder = "D:\\", .expected = Ends({"D:\\Vesperkit.exe"})},
      {.name = "an empty component slot is filled once and kept", .entries = two, .slotFilled = false,
       .expected = "Create ProcessControl|" + Ends({"C:\\a.exe", "C:\\b.exe"})},
      {.name = "a missing component is asked for before every call", .slotFilled = false, .installed = false,
       .expected = "Create ProcessControl|Create ProcessControl|Create ProcessControl|"},
      {.name = "failing calls stop nothing", .entries = two, .major = 4, .failing = {"Flags", "ProcessPath", "EndProcess"},
       .expected = Ends({"C:\\a.exe", "C:\\b.exe", own})},
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
    for (const auto& [path, checked] : c.entries) {
      w.state.AppEntries.push_back(MakeAppEntry(path));
      w.state.AppEntries.back().Checked = checked;
    }
    w.journal.entries.clear();
    KillListedApps({c.forceAppClose, w.state.AppEntries, w.state.gProcessControl, w.components, w.windows, w.files});
    std::string calls;
    for (const std::string& e : w.journal.entries) calls += e + (e.ends_with("EndProcess") || e.starts_with("Create") ? "|" : ",");
    EXPECT_EQ(calls, c.expected);
    EXPECT_EQ(w.state.gProcessControl != nullptr, c.installed);
  }
}

}  // namespace
}  // namespace vk::forceclose
