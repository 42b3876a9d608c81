// The diagnostic log on the in-memory file system and a fixed clock.
#include "persistence/log_err.h"

#include <gtest/gtest.h>

#include "fakes/test_world.h"

namespace vk::persistence {
namespace {

constexpr const char* kDefaultLog = "C:\\Program Files\\Vesperkit\\vesperkit.txt";
constexpr const char* kStamp = "05-Dec-26 07:19:07\t Build 1\t";

class LogErr : public ::testing::Test {
 protected:
  void SetUp() override {
    w.clock.now = {2026, 12, 5, 7, 19, 7};
    w.shell.title = "Vesperkit";
  }
  std::string& File(const std::string& path = kDefaultLog) { return w.files.files[path].bytes; }

  fakes::TestWorld w;
  cLogErr log{{w.files, w.clock, w.messages, w.shell}};
};

TEST_F(LogErr, AFreshInstanceWritesAndShowsNothing) {
  log.LogIt(8, {"Error SaveSetting, error:", 5, "Settings"});
  log.LogIt(0, {"passes the level, but no file is wanted"});
  log.LogIt(32, {"level 0 with a box, but ShowMsg is off"});
  EXPECT_TRUE(w.files.files.empty());
  EXPECT_TRUE(w.messages.shown.empty());
}

TEST_F(LogErr, InitNamesTheFileAfterTheProgramInItsFolderAndWritesTheStartLine) {
  log.Init();
  EXPECT_EQ(File(), std::string(kStamp) + "0\tInit\t...Logging Initialised...\t\r\n");
  log.Init({.sProg = "tool"});
  EXPECT_EQ(log.LogFile(), "C:\\Program Files\\Vesperkit\\tool.txt");
  EXPECT_EQ(log.System(), "tool");
}

TEST(LogErrInit, AppendsOrStartsAfreshOrWritesNothing) {
  const struct {
    const char* name;
    LogInitArgs args;
    bool keepsOld;
    bool starts;
  } cases[] = {{"by default it appends", {}, true, true},
               {"bAppend False starts afresh", {.bAppend = kFalse}, false, true},
               {"bCreate False writes nothing", {.bAppend = kFalse, .bCreate = kFalse}, true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::TestWorld w;
    cLogErr log{{w.files, w.clock, w.messages, w.shell}};
    std::string& file = w.files.files[kDefaultLog].bytes;
    file = "old line\r\n";
    log.Init(c.args);
    EXPECT_EQ(file.starts_with("old line\r\n"), c.keepsOld);
    EXPECT_EQ(file.find("...Logging Initialised...") != std::string::npos, c.starts);
  }
}

TEST_F(LogErr, LinesJoinPartsOfAnyTypeEachWithATabAndLevelsUseTheLowFourBits) {
  log.Init({.sLogFile = "C:\\log.txt", .sVer = "v2", .bAppend = kFalse});
  w.files.files.clear();
  log.LogIt(8);
  log.LogIt(8, {"Error SaveSetting, error:", std::int32_t{-5}, "Settings", "Mode", "2"});
  for (int type : {0, 9, 15, 24, 25}) log.LogIt(static_cast<std::int16_t>(type), {"m"});
  EXPECT_EQ(File("C:\\log.txt"),
            "05-Dec-26 07:19:07\tv2\t8\t\r\n"
            "05-Dec-26 07:19:07\tv2\t8\tError SaveSetting, error:\t-5\tSettings\tMode\t2\t\r\n"
            "05-Dec-26 07:19:07\tv2\t0\tm\t\r\n"
            "05-Dec-26 07:19:07\tv2\t24\tm\t\r\n");
  log.SetLogLevel(-1);
  log.LogIt(0, {"dropped"});
  EXPECT_EQ(File("C:\\log.txt").find("dropped"), std::string::npos);
}

TEST_F(LogErr, TheBoxBitShowsTheMessageTextWhenShowMsgIsOn) {
  log.Init();
  log.LogIt(40, {"a", 1});
  ASSERT_EQ(w.messages.shown.size(), 1u);
  const auto& m = w.messages.shown[0];
  EXPECT_EQ(std::tuple(m.text, m.title, m.style), std::tuple("a\t1\t", "Vesperkit", platform::kMbOk));
  EXPECT_NE(File().find("\t40\ta\t1\t\r\n"), std::string::npos);

  log.SetCreateFile(kFalse);
  log.LogIt(32, {"boxed without a file"});
  EXPECT_EQ(w.messages.shown.back().text, "boxed without a file\t");
  log.SetShowMsg(kFalse);
  log.DbgBox("hidden");
  EXPECT_EQ(w.messages.shown.size(), 2u);
}

TEST_F(LogErr, AFileThatCannotBeWrittenOrReadIsNoFailure) {
  log.Init();
  w.files.failWrite = true;
  log.LogIt(1, {"lost"});
  log.SetLogFile("");
  log.LogIt(1, {"nowhere"});
  EXPECT_EQ(log.Display(), "");
  log.SetLogFile("C:\\missing.txt");
  EXPECT_EQ(log.Display(), "");
}

}  // namespace
}  // namespace vk::persistence
