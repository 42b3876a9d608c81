// "Files.dat" beside the executable: its 102-byte records, and loading and
// saving the list. What KillListedApps hands to ProcessControl is pinned by
// the countdown that calls it.
#include "forceclose/force_list.h"

#include <gtest/gtest.h>

#include "fakes/fake_files.h"
#include "forceclose/force_list_file.h"

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

}  // namespace
}  // namespace vk::forceclose
