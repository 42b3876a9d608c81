#include "forceclose/force_list.h"

#include <gtest/gtest.h>

#include "app/startup.h"
#include "fakes/test_world.h"
#include "forceclose/force_list_file.h"

namespace vk::forceclose {
namespace {

const std::string kListPath = "C:\\Program Files\\Vesperkit\\Files.dat";

class ForceList : public ::testing::Test {
 protected:
  std::string& OnDisk() { return files.files[kListPath].bytes; }
  fakes::FakeFileSystem files;
  AppEntryList entries;
};

TEST_F(ForceList, FirstStartCreatesAnEmptyFileAndAnEmptyList) {
  LoadAppList(files, entries);
  EXPECT_TRUE(entries.empty());
  ASSERT_TRUE(files.files.count(kListPath));
  EXPECT_EQ(OnDisk(), "");
  EXPECT_FALSE(AppListHasEntries(entries));
}

TEST_F(ForceList, AFileThatCannotBeCreatedOrReadLeavesTheListEmpty) {
  files.failCreate = true;
  LoadAppList(files, entries);
  EXPECT_TRUE(entries.empty());
  EXPECT_FALSE(files.files.count(kListPath));

  files.files[kListPath] = {EncodeAppList({MakeAppEntry("C:\\a.exe")}), false, false, false, /*locked=*/true};
  LoadAppList(files, entries);
  EXPECT_TRUE(entries.empty());
}

TEST_F(ForceList, SaveThenLoadGivesTheSameList) {
  AppEntryList saved = {MakeAppEntry("C:\\Windows\\notepad.exe"), MakeAppEntry("D:\\Tools\\app.exe")};
  saved[1].Checked = kFalse;
  SaveAppList(files, saved);
  EXPECT_EQ(OnDisk().size(), 204u);

  LoadAppList(files, entries);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].FilePath, saved[0].FilePath);
  EXPECT_EQ(entries[1].Checked, kFalse);
  EXPECT_TRUE(AppListHasEntries(entries));
}

TEST_F(ForceList, SavingOverALongerFileLeavesOnlyTheNewRecords) {
  OnDisk() = std::string(1000, 'x');
  SaveAppList(files, {MakeAppEntry("C:\\a.exe"), MakeAppEntry("C:\\b.exe"), MakeAppEntry("C:\\c.exe")});
  EXPECT_EQ(OnDisk().size(), 306u);

  files.files[kListPath].hidden = true;  // a hidden old file is shortened too, and stays hidden
  SaveAppList(files, {MakeAppEntry("C:\\a.exe")});
  EXPECT_EQ(OnDisk().size(), 102u);
  EXPECT_TRUE(files.files[kListPath].hidden);
}

TEST_F(ForceList, SavingAnEmptyListDeletesTheFileAndTheNextStartMakesItAgain) {
  OnDisk() = EncodeAppList({MakeAppEntry("C:\\a.exe")});
  SaveAppList(files, {});
  EXPECT_FALSE(files.files.count(kListPath));
  LoadAppList(files, entries);
  EXPECT_EQ(OnDisk(), "");
}

TEST_F(ForceList, AFailedSaveLeavesTheOldFileAsItWas) {
  const std::string old = EncodeAppList({MakeAppEntry("C:\\old.exe")});
  const AppEntryList changed = {MakeAppEntry("C:\\new.exe")};

  OnDisk() = old;
  files.failWrite = true;
  SaveAppList(files, changed);
  EXPECT_EQ(OnDisk(), old);
  files.failWrite = false;

  files.files[kListPath].locked = true;
  SaveAppList(files, changed);
  SaveAppList(files, {});
  EXPECT_EQ(OnDisk(), old);
  files.files[kListPath].locked = false;

  files.files[kListPath].readOnly = true;  // the user's way of protecting the list
  SaveAppList(files, changed);
  SaveAppList(files, {});
  EXPECT_EQ(OnDisk(), old);
  EXPECT_EQ(files.files.size(), 1u);
}

TEST_F(ForceList, AFileBeyondTheLargestListIsNotCutShortByLoading) {
  std::string bytes;
  for (std::size_t i = 0; i < kMaxAppEntries + 1; ++i) bytes += EncodeAppList({MakeAppEntry("C:\\p.exe")});
  OnDisk() = bytes;
  LoadAppList(files, entries);
  EXPECT_EQ(entries.size(), kMaxAppEntries);
  EXPECT_EQ(OnDisk(), bytes);
}

TEST_F(ForceList, TheFileLivesBesideTheExecutableEvenInADriveRoot) {
  EXPECT_EQ(AppListPath(files), kListPath);
  files.programFolder = "C:\\";
  EXPECT_EQ(AppListPath(files), "C:\\Files.dat");
}

TEST(ForceListAtStartup, IsLoadedOnceWhenTheMainFormLoads) {
  fakes::TestWorld w;
  w.files.files[kListPath].bytes = EncodeAppList({MakeAppEntry("C:\\a.exe"), MakeAppEntry("C:\\b.exe")});
  ASSERT_EQ(app::Startup(w.state), 0);
  ASSERT_EQ(w.state.AppEntries.size(), 2u);
  EXPECT_EQ(w.state.AppEntries[1].FilePath, PaddedFilePath("C:\\b.exe"));
}

TEST(FileExists, FindsOnlyNormalFiles) {
  fakes::FakeFileSystem files;
  files.files["C:\\a.exe"] = {};
  files.files["C:\\hidden.exe"].hidden = true;
  files.files["C:\\system.exe"].system = true;
  EXPECT_TRUE(FileExists(files, "C:\\a.exe"));
  EXPECT_FALSE(FileExists(files, "C:\\hidden.exe"));
  EXPECT_FALSE(FileExists(files, "C:\\system.exe"));
  EXPECT_FALSE(FileExists(files, "C:\\missing.exe"));
  EXPECT_FALSE(FileExists(files, ""));
}

TEST(FileNameOf, TakesWhatFollowsTheLastBackslash) {
  EXPECT_EQ(FileNameOf("C:\\Tools\\app.exe"), "app.exe");
  EXPECT_EQ(FileNameOf("app.exe"), "app.exe");
  EXPECT_EQ(FileNameOf("C:\\Tools\\"), "");
  EXPECT_EQ(FileNameOf(PaddedFilePath("C:\\a.exe")), "a.exe" + std::string(92, ' '));
}

}  // namespace
}  // namespace vk::forceclose
