// The file-system adapter against Wine's real files: the atomic replace with
// awkward old files, attributes, files held open by another program, and the
// program's own folder and name.
#include <gtest/gtest.h>

#include "owners.h"
#include "support.h"
#include "win32/files.h"

namespace vk::wintest {
namespace {

using Names = std::vector<std::string>;

// A fresh folder of its own per test, emptied and removed afterwards.
class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)); }
  void TearDown() override {
    for (const std::string& name : List()) Remove(name);
    RemoveDirectoryA(folder_.c_str());
  }
  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }
  Names List() const {
    Names names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
      if (found.cFileName[0] != '.') names.push_back(found.cFileName);
    FindClose(search);
    return names;
  }
  void Write(const std::string& name, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    ASSERT_TRUE(files.ReplaceAtomically(Path(name), bytes));
    ASSERT_TRUE(SetFileAttributesA(Path(name).c_str(), attributes));
  }
  void Remove(const std::string& name) {
    SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(Path(name).c_str());
  }
  std::string Read(const std::string& name) {
    std::string bytes;
    files.ReadAll(Path(name), bytes);
    return bytes;
  }
  // Opened by another program that shares it with nobody.
  HANDLE Hold(const std::string& name) {
    return CreateFileA(Path(name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  }

  win32::Win32FileSystem files;
  const std::string folder_ = TemporaryName();
};

TEST_F(FilesTest, AtomicReplaceOfAwkwardOldFilesLeavesOnlyTheTargetBehind) {
  using Case = std::pair<DWORD, bool>;  // the old file's attributes; held open by another program
  for (const auto& [attributes, heldOpen] : {Case{FILE_ATTRIBUTE_NORMAL, false}, Case{FILE_ATTRIBUTE_HIDDEN, false},
                                             Case{FILE_ATTRIBUTE_READONLY, false}, Case{FILE_ATTRIBUTE_NORMAL, true}}) {
    SCOPED_TRACE(std::to_string(attributes) + (heldOpen ? " held open" : ""));
    const bool replaceable = attributes != FILE_ATTRIBUTE_READONLY && !heldOpen;
    Write("Files.dat", std::string(1000, 'x'), attributes);
    const bool appendable = attributes == FILE_ATTRIBUTE_NORMAL && !heldOpen;
    {
      const win32::UniqueHandle held(heldOpen ? Hold("Files.dat") : nullptr);
      EXPECT_EQ(files.ReplaceAtomically(Path("Files.dat"), "short"), replaceable);
      // (Wine's root may append to a read-only file; Windows refuses.)
      if (attributes == FILE_ATTRIBUTE_NORMAL) {
        EXPECT_EQ(files.Append(Path("Files.dat"), "+"), appendable);
      }
    }
    EXPECT_EQ(Read("Files.dat"), (replaceable ? "short" : std::string(1000, 'x')) + (appendable ? "+" : ""));
    EXPECT_EQ(GetFileAttributesA(Path("Files.dat").c_str()) & 3u, attributes & 3u) << "hidden and read-only stay";
    EXPECT_EQ(List(), Names{"Files.dat"});
    EXPECT_EQ(files.Delete(Path("Files.dat")), attributes != FILE_ATTRIBUTE_READONLY);
    Remove("Files.dat");
  }
  EXPECT_FALSE(files.ReplaceAtomically(Path("missing\\Files.dat"), "new"));
  EXPECT_TRUE(List().empty());
}

TEST_F(FilesTest, OnlyNormalFilesExistAndCreateIfMissingKeepsAHiddenOne) {
  Write("plain.exe", "a");
  Write("hidden.exe", "kept", FILE_ATTRIBUTE_HIDDEN);
  Write("system.exe", "a", FILE_ATTRIBUTE_SYSTEM);
  EXPECT_TRUE(files.ExistsAsNormalFile(Path("plain.exe")));
  for (const std::string& other : {Path("hidden.exe"), Path("system.exe"), folder_, Path("missing.exe")})
    EXPECT_FALSE(files.ExistsAsNormalFile(other)) << other;
  EXPECT_TRUE(files.CreateIfMissing(Path("hidden.exe")));
  EXPECT_EQ(Read("hidden.exe"), "kept");
  EXPECT_TRUE(files.CreateIfMissing(Path("new.dat")));
  EXPECT_EQ(List(), (Names{"hidden.exe", "new.dat", "plain.exe", "system.exe"}));
  EXPECT_EQ(Read("new.dat"), "");
  EXPECT_TRUE(files.Delete(Path("missing.dat")));
  EXPECT_EQ(files.ProgramFolder() + "\\" + files.ExecutableBaseName(), OwnFolder() + "vesperkit_win32_tests");
}

}  // namespace
}  // namespace vk::wintest
