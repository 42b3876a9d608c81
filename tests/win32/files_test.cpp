// The file-system adapter against Wine's real files: the force list beside the
// test program, and the atomic replace with awkward old files.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forceclose/force_list.h"
#include "forceclose/force_list_file.h"
#include "win32/files.h"

namespace vk::win32 {
namespace {

std::string ModuleFolder() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string text(path, length);
  return text.substr(0, text.find_last_of('\\'));
}

std::string ReadFile(const std::string& path) {
  std::string bytes;
  Win32FileSystem().ReadAll(path, bytes);
  return bytes;
}

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

// A fresh folder of its own per test, emptied and removed afterwards.
class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "vk-files-" + std::to_string(GetCurrentProcessId()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
  }
  void TearDown() override {
    for (const std::string& name : Names()) {
      const std::string path = Path(name);
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(folder_.c_str());
  }
  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
  }
  void Write(const std::string& name, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    ASSERT_TRUE(files.ReplaceAtomically(Path(name), bytes));
    ASSERT_TRUE(SetFileAttributesA(Path(name).c_str(), attributes));
  }

  Win32FileSystem files;
  std::string folder_;
};

using NameList = std::vector<std::string>;

TEST_F(FilesTest, ReplacesALongerFileCompletelyAndLeavesNothingElse) {
  Write("Files.dat", std::string(1000, 'x'));
  EXPECT_TRUE(files.ReplaceAtomically(Path("Files.dat"), "short"));
  EXPECT_EQ(ReadFile(Path("Files.dat")), "short");
  EXPECT_EQ(Names(), NameList{"Files.dat"});
}

TEST_F(FilesTest, AHiddenOldFileIsReplacedAndStaysHidden) {
  Write("Files.dat", std::string(1000, 'x'), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(files.ReplaceAtomically(Path("Files.dat"), "short"));
  EXPECT_EQ(ReadFile(Path("Files.dat")), "short");
  EXPECT_NE(Attributes(Path("Files.dat")) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(Names(), NameList{"Files.dat"});
}

TEST_F(FilesTest, AReadOnlyOldFileIsLeftAsTheUserProtectedIt) {
  Write("Files.dat", "protected", FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(files.ReplaceAtomically(Path("Files.dat"), "new"));
  EXPECT_FALSE(files.Delete(Path("Files.dat")));
  EXPECT_EQ(ReadFile(Path("Files.dat")), "protected");
  EXPECT_EQ(Names(), NameList{"Files.dat"});
}

TEST_F(FilesTest, AFileHeldOpenByAnotherProgramKeepsItsContentAndNoTemporaryFileStays) {
  Write("Files.dat", "old");
  HANDLE held = CreateFileA(Path("Files.dat").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(files.ReplaceAtomically(Path("Files.dat"), "new"));
  CloseHandle(held);
  EXPECT_EQ(ReadFile(Path("Files.dat")), "old");
  EXPECT_EQ(Names(), NameList{"Files.dat"});
}

TEST_F(FilesTest, AMissingFolderMakesTheReplaceFailWithoutATrace) {
  EXPECT_FALSE(files.ReplaceAtomically(Path("missing\\Files.dat"), "new"));
  EXPECT_TRUE(Names().empty());
}

TEST_F(FilesTest, ExistenceCountsOnlyNormalFiles) {
  Write("plain.exe", "a");
  Write("hidden.exe", "a", FILE_ATTRIBUTE_HIDDEN);
  Write("system.exe", "a", FILE_ATTRIBUTE_SYSTEM);
  EXPECT_TRUE(files.ExistsAsNormalFile(Path("plain.exe")));
  EXPECT_FALSE(files.ExistsAsNormalFile(Path("hidden.exe")));
  EXPECT_FALSE(files.ExistsAsNormalFile(Path("system.exe")));
  EXPECT_FALSE(files.ExistsAsNormalFile(folder_));
  EXPECT_FALSE(files.ExistsAsNormalFile(Path("missing.exe")));
}

TEST_F(FilesTest, CreateIfMissingKeepsAnExistingHiddenFile) {
  EXPECT_TRUE(files.CreateIfMissing(Path("new.dat")));
  EXPECT_EQ(ReadFile(Path("new.dat")), "");
  Write("hidden.dat", "kept", FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(files.CreateIfMissing(Path("hidden.dat")));
  EXPECT_EQ(ReadFile(Path("hidden.dat")), "kept");
  EXPECT_TRUE(files.Delete(Path("missing.dat")));
}

// The real program folder: the list is created, saved and found beside the
// running executable.
TEST(ForceListBesideTheExecutable, LoadsSavesAndDeletesFilesDat) {
  Win32FileSystem files;
  const std::string path = ModuleFolder() + "\\Files.dat";
  ASSERT_EQ(forceclose::AppListPath(files), path);
  DeleteFileA(path.c_str());

  forceclose::AppEntryList entries;
  forceclose::LoadAppList(files, entries);
  EXPECT_TRUE(entries.empty());
  EXPECT_NE(Attributes(path), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadFile(path), "");

  entries = {forceclose::MakeAppEntry("C:\\Windows\\notepad.exe")};
  forceclose::SaveAppList(files, entries);
  const std::string bytes = ReadFile(path);
  EXPECT_EQ(bytes, "C:\\Windows\\notepad.exe" + std::string(78, ' ') + "\xFF\xFF");

  forceclose::AppEntryList loaded;
  forceclose::LoadAppList(files, loaded);
  ASSERT_EQ(loaded.size(), 1u);
  EXPECT_EQ(loaded[0].Checked, kTrue);

  forceclose::SaveAppList(files, {});
  EXPECT_EQ(Attributes(path), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace vk::win32
