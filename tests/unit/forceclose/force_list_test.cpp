// "Files.dat" beside the executable: loading, saving, and the helpers of the list.
#include "forceclose/force_list.h"

#include <gtest/gtest.h>

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

TEST_F(ForceList, AMissingFileIsCreatedEmptyAndSavingAnEmptyListDeletesIt) {
  LoadAppList(files, entries);
  EXPECT_TRUE(entries.empty());
  ASSERT_TRUE(files.files.count(kListPath));
  EXPECT_EQ(OnDisk(), "");
  EXPECT_FALSE(AppListHasEntries(entries));

  OnDisk() = EncodeAppList({MakeAppEntry("C:\\a.exe")});
  SaveAppList(files, {});
  EXPECT_FALSE(files.files.count(kListPath));
  LoadAppList(files, entries);
  EXPECT_EQ(OnDisk(), "");
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

TEST_F(ForceList, SaveReplacesTheWholeFileAndLoadGivesTheSameList) {
  OnDisk() = std::string(1000, 'x');
  SaveAppList(files, {MakeAppEntry("C:\\a.exe"), MakeAppEntry("C:\\b.exe"), MakeAppEntry("C:\\c.exe")});
  EXPECT_EQ(OnDisk().size(), 306u);

  AppEntryList saved = {MakeAppEntry("C:\\Windows\\notepad.exe"), MakeAppEntry("D:\\Tools\\app.exe")};
  saved[1].Checked = kFalse;
  SaveAppList(files, saved);
  EXPECT_EQ(OnDisk().size(), 204u);
  LoadAppList(files, entries);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].FilePath, saved[0].FilePath);
  EXPECT_EQ(entries[1].Checked, kFalse);
  EXPECT_TRUE(AppListHasEntries(entries));

  files.failWrite = true;  // a failed save leaves the old file as it was
  SaveAppList(files, {MakeAppEntry("C:\\new.exe")});
  EXPECT_EQ(OnDisk(), EncodeAppList(saved));
}

TEST(ForceListHelpers, FileExistsFileNameOfAndTheListsPlaceBesideTheExecutable) {
  fakes::FakeFileSystem files;
  files.files["C:\\a.exe"] = {};
  files.files["C:\\hidden.exe"].hidden = true;
  files.files["C:\\system.exe"].system = true;
  EXPECT_TRUE(FileExists(files, "C:\\a.exe"));
  for (const char* path : {"C:\\hidden.exe", "C:\\system.exe", "C:\\missing.exe", ""})
    EXPECT_FALSE(FileExists(files, path)) << path;

  EXPECT_EQ(FileNameOf("C:\\Tools\\app.exe"), "app.exe");
  EXPECT_EQ(FileNameOf("app.exe"), "app.exe");
  EXPECT_EQ(FileNameOf("C:\\Tools\\"), "");

  EXPECT_EQ(AppListPath(files), "C:\\Program Files\\Vesperkit\\Files.dat");
  files.programFolder = "C:\\";
  EXPECT_EQ(AppListPath(files), "C:\\Files.dat") << "beside the executable, even in a drive root";
}

}  // namespace
}  // namespace vk::forceclose
