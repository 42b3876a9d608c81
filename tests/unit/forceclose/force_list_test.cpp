// "Files.dat" beside the executable: loading, saving, and the helpers of the list.
#include "forceclose/force_list.h"

#include <gtest/gtest.h>

#include "fakes/fake_files.h"
#include "forceclose/force_list_file.h"

namespace vk::forceclose {
namespace {

const std::string kListPath = "C:\\Program Files\\Vesperkit\\Files.dat";

TEST(ForceList, LoadCreatesAMissingFileSaveReplacesItWholeOrDeletesItForAnEmptyList) {
  fakes::FakeFileSystem files;
  AppEntryList entries;
  LoadAppList(files, entries);
  EXPECT_EQ(std::tuple(entries.size(), files.files.count(kListPath), AppListHasEntries(entries)), std::tuple(0u, 1u, false));
  files.files[kListPath].bytes = std::string(1000, 'x');
  AppEntryList saved = {MakeAppEntry("C:\\a.exe"), MakeAppEntry("D:\\b.exe")};
  saved[1].Checked = kFalse;
  SaveAppList(files, saved);
  EXPECT_EQ(files.files[kListPath].bytes, EncodeAppList(saved));
  LoadAppList(files, entries);
  EXPECT_EQ(std::tuple(EncodeAppList(entries), AppListHasEntries(entries)), std::tuple(EncodeAppList(saved), true));
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

TEST(ForceList, FileExistsFileNameOfAndTheListsPlaceBesideTheExecutable) {
  fakes::FakeFileSystem files;
  files.files["C:\\a.exe"] = {};
  files.files["C:\\hidden.exe"].hidden = true;
  files.files["C:\\system.exe"].system = true;
  EXPECT_TRUE(FileExists(files, "C:\\a.exe"));
  for (const char* path : {"C:\\hidden.exe", "C:\\system.exe", "C:\\missing.exe", ""})
    EXPECT_FALSE(FileExists(files, path)) << path;
  EXPECT_EQ(FileNameOf("C:\\Tools\\app.exe") + "|" + FileNameOf("app.exe") + "|" + FileNameOf("C:\\Tools\\"), "app.exe|app.exe|");
  files.programFolder = "C:\\";
  EXPECT_EQ(AppListPath(files), "C:\\Files.dat") << "beside the executable, even in a drive root";
}

}  // namespace
}  // namespace vk::forceclose
