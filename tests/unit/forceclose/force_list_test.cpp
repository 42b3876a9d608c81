// "Files.dat" beside the executable: its 102-byte records, loading and saving
// the list, and KillListedApps: which paths reach ProcessControl,
// in which order, and that nothing stops the sequence.
#include "forceclose/force_list.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "fakes/fake_files.h"
#include "fakes/test_world.h"
#include "forceclose/force_list_file.h"
#include "forceclose/kill_proc.h"

namespace vk::forceclose {
namespace {

const std::string kListPath = "C:\\Program Files\\Vesperkit\\Files.dat";

std::string Record(const std::string& path, unsigned char low = 0xFF, unsigned char high = 0xFF) {
  return path + std::string(kFilePathLength - path.size(), ' ') + static_cast<char>(low) + static_cast<char>(high);
}

// Each entry as "path|word ", the path without its blanks.
std::string Decoded(const std::string& bytes, AppEntryList entries = {}) {
  AppendRecords(bytes, entries);
  std::string shown;
  for (const AppEntry& e : entries)
    shown += e.FilePath.substr(0, e.FilePath.find_last_not_of(' ') + 1) + "|" + std::to_string(e.Checked) + " ";
  return shown;
}

TEST(ForceListFile, RecordsArePathBlanksAndALittleEndianWordInListOrder) {
  const std::string x97 = "C:\\" + std::string(97, 'x');
  AppEntryList entries = {MakeAppEntry("C:\\a.exe"), MakeAppEntry("D:\\b.exe"), MakeAppEntry(x97 + "yyy")};
  entries[1].Checked = kFalse;
  entries[2].Checked = 0x1234;  // any word survives, not only the two the program makes
  const std::string bytes = EncodeAppList(entries);
  EXPECT_EQ(bytes, Record("C:\\a.exe") + Record("D:\\b.exe", 0, 0) + Record(x97, 0x34, 0x12));
  EXPECT_EQ(Decoded(bytes), "C:\\a.exe|-1 D:\\b.exe|0 " + x97 + "|4660 ");
  AppEntry grown;  // a FilePath that somehow grew is still written as 100 bytes
  grown.FilePath = std::string(120, 'y');
  EXPECT_EQ(EncodeAppList({grown}), std::string(100, 'y') + std::string(2, '\0'));
  std::string path;  // every byte from the blank up is kept as it is
  for (int c = 0x20; c <= 0xFF; ++c) path += static_cast<char>(c);
  EXPECT_EQ(Decoded(EncodeAppList({MakeAppEntry(path.substr(0, 100)), MakeAppEntry(path.substr(124))})),
            path.substr(0, 100) + "|-1 " + path.substr(124) + "|-1 ");
}

TEST(ForceListFile, DamagedContentLoadsOnlyWholeRecordsThatStartLikeAPathUpToTheLargestList) {
  const std::string bytes = Record(std::string(1, '\0') + "C:\\zero.exe") + Record("C:\\one.exe") +
                            Record(
                                "\x1F"
                                "C:\\unit.exe") +
                            Record("", 0, 0) + Record("\tC:\\tab.exe") + Record("C:\\cut.exe").substr(0, 101);
  EXPECT_EQ(Decoded(bytes), "C:\\one.exe|-1 |0 ");
  std::string many = Record("\x01");  // skipped records do not count towards the limit
  for (std::size_t i = 0; i < kMaxAppEntries + 1; ++i) many += Record("C:\\p" + std::to_string(i) + ".exe");
  AppEntryList entries;
  AppendRecords(many, entries);
  EXPECT_EQ(std::pair(entries.size(), entries.back().FilePath),
            std::pair(kMaxAppEntries, PaddedFilePath("C:\\p32766.exe")));
  EXPECT_EQ(Decoded(Record("C:\\more.exe"), AppEntryList(kMaxAppEntries)).find("more"), std::string::npos);
}

TEST(ForceList, LoadCreatesAMissingFileSaveReplacesItWholeOrDeletesItForAnEmptyList) {
  fakes::FakeFileSystem files;
  AppEntryList entries, saved = {MakeAppEntry("C:\\a.exe"), MakeAppEntry("D:\\b.exe")};
  LoadAppList(files, entries);
  EXPECT_EQ(std::tuple(entries.size(), files.files.count(kListPath), AppListHasEntries(entries)),
            std::tuple(0u, 1u, false));
  files.files[kListPath].bytes = std::string(1000, 'x');
  SaveAppList(files, saved);
  LoadAppList(files, entries);
  EXPECT_EQ(std::tuple(files.files[kListPath].bytes, EncodeAppList(entries), AppListHasEntries(entries)),
            std::tuple(EncodeAppList(saved), EncodeAppList(saved), true));
  files.failWrite = true;  // a failed save leaves the old file as it was
  SaveAppList(files, {MakeAppEntry("C:\\new.exe")});
  EXPECT_EQ(files.files[kListPath].bytes, EncodeAppList(saved));
  SaveAppList(files, {});
  EXPECT_EQ(files.files.count(kListPath), 0u);
  files.failCreate = true;
  entries.clear();
  LoadAppList(files, entries);
  files.failCreate = false;
  files.files[kListPath] = {EncodeAppList(saved), false, false, /*locked=*/true};
  LoadAppList(files, entries);
  EXPECT_EQ(std::tuple(entries.size(), files.files.size()), std::tuple(0u, 1u)) << "nothing created, nothing read";
}

// The calls that end the programs at the paths, "|" between them.
std::string Ends(const std::vector<std::string>& paths) {
  std::string calls;
  for (const std::string& path : paths)
    calls += "Process.Flags 4,Process.ProcessPath" + (path.empty() ? "" : " " + path) + ",Process.EndProcess|";
  return calls;
}

// Each row: what differs (";" between) from a forced close of one checked entry on the fifth
// generation with the component at hand, and the calls made.
TEST(KillListedApps, HandsOverTheCheckedEntriesAndOnTheOlderGenerationItsOwnExecutable) {
  const std::string own = "C:\\Program Files\\Vesperkit\\Vesperkit.exe", create = "Create ProcessControl|";
  const struct {
    const char* setup;
    std::string calls;
  } cases[] = {
      // Only entries checked with exactly True, in list order, without blanks at either end.
      {"entries=[  C:\\app one.exe]-1,[C:\\skipped.exe]0,[]-1,[C:\\one.exe]1", Ends({"C:\\app one.exe", ""})},
      {"forceAppClose=1", ""},
      {"major=4", Ends({"C:\\a.exe", own})},                          // the older generation: its own executable last
      {"forceAppClose=0;major=0", Ends({own})},                       // an unknown generation, always
      {"entries=;major=4;folder=D:\\", Ends({"D:\\Vesperkit.exe"})},  // in a drive root
      {"entries=[C:\\a.exe]-1,[C:\\b.exe]-1;slot=0", create + Ends({"C:\\a.exe", "C:\\b.exe"})},  // filled once, kept
      {"slot=0;installed=0", create + create + create},  // a missing component is asked for before every call
      {"entries=[C:\\a.exe]-1,[C:\\b.exe]-1;major=4;failing=1", Ends({"C:\\a.exe", "C:\\b.exe", own})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.setup);
    std::map<std::string, std::string> set = {{"entries", "[C:\\a.exe]-1"},
                                              {"forceAppClose", "-1"},
                                              {"major", "5"},
                                              {"slot", "1"},
                                              {"installed", "1"},
                                              {"failing", "0"},
                                              {"folder", "C:\\Program Files\\Vesperkit"}};
    std::istringstream in(c.setup);
    for (std::string pair; std::getline(in, pair, ';');)
      set[pair.substr(0, pair.find('='))] = pair.substr(pair.find('=') + 1);
    fakes::TestWorld w;
    HResult error = kS_OK;
    if (set["slot"] == "1") w.state.gProcessControl = w.components.CreateProcessControl(error);
    w.components.processInstalled = set["installed"] == "1";
    if (set["failing"] == "1") w.components.failing = {"Flags", "ProcessPath", "EndProcess"};
    w.files.programFolder = set["folder"];
    w.windows.majorVersion = static_cast<std::uint32_t>(std::stoi(set["major"]));
    for (std::size_t at = set["entries"].find('['); at != std::string::npos; at = set["entries"].find('[', at + 1)) {
      const std::size_t end = set["entries"].find(']', at);  // "[path]checked"
      w.state.AppEntries.push_back(MakeAppEntry(set["entries"].substr(at + 1, end - at - 1)));
      w.state.AppEntries.back().Checked = static_cast<VbBool>(std::stoi(set["entries"].substr(end + 1)));
    }
    const VbBool forceAppClose = static_cast<VbBool>(std::stoi(set["forceAppClose"]));
    w.journal.entries.clear();
    KillListedApps({forceAppClose, w.state.AppEntries, w.state.gProcessControl, w.components, w.windows, w.files});
    std::string calls;
    for (const std::string& e : w.journal.entries)
      calls += e + (e.ends_with("EndProcess") || e.starts_with("Create") ? "|" : ",");
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(w.state.gProcessControl != nullptr, set["installed"] == "1");
  }
}

}  // namespace
}  // namespace vk::forceclose
