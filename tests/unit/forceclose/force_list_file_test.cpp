// The 102-byte records of "Files.dat": writing them and reading them back.
#include "forceclose/force_list_file.h"

#include <gtest/gtest.h>

#include <string>

namespace vk::forceclose {
namespace {

std::string Record(const std::string& path, unsigned char low, unsigned char high) {
  std::string record = path;
  record.resize(kFilePathLength, ' ');
  return record + static_cast<char>(low) + static_cast<char>(high);
}

AppEntryList Decode(const std::string& bytes) {
  AppEntryList entries;
  AppendRecords(bytes, entries);
  return entries;
}

TEST(ForceListFile, RecordsArePathBlanksAndALittleEndianWordInListOrder) {
  EXPECT_EQ(EncodeAppList({MakeAppEntry("C:\\Windows\\notepad.exe")}),
            "C:\\Windows\\notepad.exe" + std::string(78, ' ') + "\xFF\xFF");

  AppEntryList entries = {MakeAppEntry("C:\\a.exe"), MakeAppEntry("D:\\b.exe"), MakeAppEntry("C:\\a.exe")};
  entries[1].Checked = kFalse;
  entries[2].Checked = 0x1234;  // any word survives, not only the two the program makes
  const std::string bytes = EncodeAppList(entries);
  EXPECT_EQ(bytes, Record("C:\\a.exe", 0xFF, 0xFF) + Record("D:\\b.exe", 0, 0) + Record("C:\\a.exe", 0x34, 0x12));
  const AppEntryList back = Decode(bytes);
  ASSERT_EQ(back.size(), 3u);
  for (std::size_t i = 0; i < back.size(); ++i) {
    EXPECT_EQ(back[i].FilePath, entries[i].FilePath) << i;
    EXPECT_EQ(back[i].Checked, entries[i].Checked) << i;
  }
}

TEST(ForceListFile, PathsAreCutTo100CharactersInMemoryAndOnDisk) {
  const std::string longPath = "C:\\" + std::string(120, 'x') + ".exe";
  const AppEntry entry = MakeAppEntry(longPath);
  EXPECT_EQ(entry.FilePath, longPath.substr(0, 100));
  EXPECT_EQ(Decode(EncodeAppList({entry}))[0].FilePath, longPath.substr(0, 100));
  AppEntry grown;  // a FilePath that somehow grew is still written as 100 bytes
  grown.FilePath = longPath;
  EXPECT_EQ(EncodeAppList({grown}), EncodeAppList({entry}).substr(0, 100) + std::string(2, '\0'));
}

TEST(ForceListFile, EveryByteAboveControlCharactersSurvivesUnchanged) {
  // Bytes the code page maps to nothing are kept as bytes; only the component
  // boundary converts text.
  std::string path;
  for (int c = 0x20; c <= 0xFF; ++c) path += static_cast<char>(c);
  const AppEntryList saved = {MakeAppEntry(path.substr(0, 100)), MakeAppEntry(path.substr(100))};
  const AppEntryList back = Decode(EncodeAppList(saved));
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].FilePath, saved[0].FilePath);
  EXPECT_EQ(back[1].FilePath, saved[1].FilePath);
}

TEST(ForceListFile, DamagedContentLoadsOnlyWholeRecordsThatStartLikeAPath) {
  EXPECT_TRUE(Decode("").empty());
  // Records starting below a blank are dropped wherever they stand.
  const std::string bytes = Record(std::string(1, '\0') + "C:\\zero.exe", 0xFF, 0xFF) +
                            Record("C:\\one.exe", 0xFF, 0xFF) +
                            Record(
                                "\x1F"
                                "C:\\unit.exe",
                                0xFF, 0xFF) +
                            Record("C:\\two.exe", 0, 0) + Record("\tC:\\tab.exe", 0xFF, 0xFF);
  const AppEntryList entries = Decode(bytes);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].FilePath, PaddedFilePath("C:\\one.exe"));
  EXPECT_EQ(entries[1].FilePath, PaddedFilePath("C:\\two.exe"));
  EXPECT_EQ(entries[1].Checked, kFalse);
  EXPECT_EQ(Decode(Record("", 0xFF, 0xFF)).size(), 1u) << "an all-blank path starts with a blank";
  const std::string whole = Record("C:\\one.exe", 0xFF, 0xFF);
  for (std::size_t cut : {1u, 50u, 100u, 101u})
    EXPECT_EQ(Decode(whole + whole.substr(0, cut)).size(), 1u) << "a trailing record cut short at " << cut;
}

TEST(ForceListFile, LoadsTheLargestListAndStopsThere) {
  std::string bytes;
  for (std::size_t i = 0; i < kMaxAppEntries + 5; ++i)
    bytes += Record("C:\\p" + std::to_string(i) + ".exe", 0xFF, 0xFF);
  const AppEntryList entries = Decode(bytes);
  ASSERT_EQ(entries.size(), kMaxAppEntries);
  EXPECT_EQ(entries.back().FilePath, PaddedFilePath("C:\\p32766.exe"));
  // Skipped records do not count towards the limit.
  EXPECT_EQ(Decode(Record("\x01", 0, 0) + bytes.substr(0, kRecordSize * kMaxAppEntries)).size(), kMaxAppEntries);
  AppEntryList full(kMaxAppEntries);
  AppendRecords(Record("C:\\more.exe", 0xFF, 0xFF), full);
  EXPECT_EQ(full.size(), kMaxAppEntries);
}

}  // namespace
}  // namespace vk::forceclose
