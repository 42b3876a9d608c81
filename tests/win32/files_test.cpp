// The file-system adapter against Wine's real files: the atomic replace with
// awkward old files, attributes, and the log beside the test program.
#include <gtest/gtest.h>

#include <cstdio>

#include "persistence/log_err.h"
#include "support.h"
#include "win32/clock.h"
#include "win32/files.h"
#include "win32/shell.h"

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
    HANDLE held = heldOpen ? CreateFileA(Path("Files.dat").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                           : INVALID_HANDLE_VALUE;
    EXPECT_EQ(files.ReplaceAtomically(Path("Files.dat"), "short"), replaceable);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    EXPECT_EQ(Read("Files.dat"), replaceable ? "short" : std::string(1000, 'x'));
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
}

TEST(BesideTheExecutable, TheLogWritesEachLineAtOnceAndAFileItCannotWriteIsNoFailure) {
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  win32::Win32MessageBoxes messages;
  win32::Win32AppShell shell;
  persistence::cLogErr log{{files, clock, messages, shell}};
  EXPECT_EQ(files.ProgramFolder() + "\\" + files.ExecutableBaseName(), OwnFolder() + "vesperkit_win32_tests");
  const std::string path = OwnFolder() + "vesperkit_win32_tests.txt";
  DeleteFileA(path.c_str());
  // The real clock's time in the log's shape; within one day these compare in time order.
  auto stamp = [] {
    SYSTEMTIME t;
    GetLocalTime(&t);
    char text[64];
    std::snprintf(text, sizeof text, "%02d-%.3s-%02d %02d:%02d:%02d", t.wDay,
                  "JanFebMarAprMayJunJulAugSepOctNovDec" + 3 * (t.wMonth - 1), t.wYear % 100, t.wHour, t.wMinute,
                  t.wSecond);
    return std::string(text);
  };
  const std::string before = stamp();
  log.Init();
  log.Init();
  log.LogIt(8, {"Error SaveSetting, error:", 5, "Settings", "Mode", "2"});
  const std::string after = stamp();
  const std::string start = "\t Build 1\t0\tInit\t...Logging Initialised...\t\r\n";
  std::string text;
  ASSERT_TRUE(files.ReadAll(path, text));
  Names lines;
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
    EXPECT_TRUE(before <= text.substr(at, 18) && text.substr(at, 18) <= after) << text.substr(at, 18) << " " << after;
    lines.push_back(text.substr(at + 18, end + 2 - at - 18));
  }
  EXPECT_EQ(lines, (Names{start, start, "\t Build 1\t8\tError SaveSetting, error:\t5\tSettings\tMode\t2\t\r\n"}));

  // Another program holds the file open and shares it with nobody.
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  log.LogIt(1, {"lost"});
  EXPECT_EQ(log.Display(), "");
  CloseHandle(held);
  EXPECT_EQ(log.Display(), text);
  EXPECT_TRUE(DeleteFileA(path.c_str())) << "nothing keeps the file open";
}

}  // namespace
}  // namespace vk::wintest
