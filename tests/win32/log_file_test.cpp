// The diagnostic log writing a real file beside the test program.
#include <windows.h>
#undef CreateFile

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "persistence/log_err.h"
#include "win32/clock.h"
#include "win32/files.h"
#include "win32/shell.h"

namespace vk::win32 {
namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Remove(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
}

// "dd-mmm-yy hh:mm:ss" with an English month abbreviation.
bool IsTimestamp(const std::string& text) {
  static const std::string months = "JanFebMarAprMayJunJulAugSepOctNovDec";
  if (text.size() != 18) return false;
  const std::string shape = "00-xxx-00 00:00:00";
  for (std::size_t i = 0; i < shape.size(); ++i) {
    if (shape[i] == '0' && !std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    if (shape[i] != '0' && shape[i] != 'x' && shape[i] != text[i]) return false;
  }
  const auto month = months.find(text.substr(3, 3));
  return month != std::string::npos && month % 3 == 0;
}

class LogFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    defaultPath_ = files.ProgramFolder() + "\\" + files.ExecutableBaseName() + ".txt";
    Remove(defaultPath_);
  }
  void TearDown() override { Remove(defaultPath_); }
  std::string Contents() {
    std::string bytes;
    files.ReadAll(defaultPath_, bytes);
    return bytes;
  }

  Win32FileSystem files;
  Win32Clock clock;
  Win32MessageBoxes messages;
  Win32AppShell shell;
  persistence::cLogErr log{{files, clock, messages, shell}};
  std::string defaultPath_;
};

TEST_F(LogFileTest, InitWithoutArgumentsWritesTheStartLineBesideTheProgram) {
  log.Init();
  EXPECT_EQ(log.LogFile(), defaultPath_);
  const std::string text = Contents();
  ASSERT_GT(text.size(), 18u);
  EXPECT_TRUE(IsTimestamp(text.substr(0, 18))) << text;
  EXPECT_EQ(text.substr(18), "\t Build 1\t0\tInit\t...Logging Initialised...\t\r\n");
}

TEST_F(LogFileTest, EachMessageIsOnDiskWhenLogItReturns) {
  log.Init();
  log.LogIt(8, {"Error SaveSetting, error:", 5, "Settings", "Mode", "2"});
  // Nothing holds the file open: it can be deleted at once.
  const std::string text = Contents();
  EXPECT_NE(text.find("\t Build 1\t8\tError SaveSetting, error:\t5\tSettings\tMode\t2\t\r\n"), std::string::npos);
  EXPECT_EQ(log.Display(), text);
  EXPECT_TRUE(DeleteFileA(defaultPath_.c_str()));
  log.LogIt(9, {"above the level"});
  EXPECT_FALSE(Exists(defaultPath_));
}

TEST_F(LogFileTest, InitAppendsUnlessToldToStartAfresh) {
  ASSERT_TRUE(files.Append(defaultPath_, "old line\r\n"));
  log.Init();
  EXPECT_EQ(Contents().rfind("old line\r\n", 0), 0u);
  log.Init({.bAppend = kFalse});
  EXPECT_EQ(Contents().find("old line"), std::string::npos);
  EXPECT_NE(Contents().find("...Logging Initialised..."), std::string::npos);
}

TEST_F(LogFileTest, AFileThatCannotBeWrittenIsNoFailure) {
  log.Init();
  const std::string before = Contents();
  // Another program holds the file open and shares it with nobody.
  HANDLE held = ::CreateFileA(defaultPath_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  log.LogIt(1, {"lost"});
  EXPECT_EQ(log.Display(), "");
  CloseHandle(held);
  EXPECT_EQ(Contents(), before);
  log.SetLogFile(files.ProgramFolder() + "\\no such folder\\log.txt");
  log.LogIt(1, {"nowhere"});
  EXPECT_EQ(log.Display(), "");
}

}  // namespace
}  // namespace vk::win32
