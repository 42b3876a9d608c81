// The diagnostic log on the in-memory file system and a fixed clock.
#include "persistence/log_err.h"

#include <gtest/gtest.h>

#include "fakes/test_world.h"

namespace vk::persistence {
namespace {

constexpr const char* kLog = "C:\\Program Files\\Vesperkit\\vesperkit.txt";

TEST(LogErr, WritesTabbedLinesUpToItsLevelAndShowsTheBoxBitAsInitSays) {
  const std::string stamp = "05-Dec-26 07:19:07\t Build 1\t";
  const std::string lines = stamp + "8\tError\t-5\tS\t\r\n" + stamp + "40\ta\t1\t\r\n";
  const std::string start = stamp + "0\tInit\t...Logging Initialised...\t\r\n";
  const std::string box = "MessageBox Vesperkit 0: a\t1\t";
  const struct {
    const char* name;
    std::optional<LogInitArgs> init;
    std::string log, other, shown;  // the default file, tool.txt, the message box
  } rows[] = {
      {"a fresh instance writes and shows nothing", std::nullopt, "old\r\n", "", ""},
      {"by default it appends", LogInitArgs{}, "old\r\n" + start + lines, "", box},
      {"bAppend False starts afresh", LogInitArgs{.bAppend = kFalse}, start + lines, "", box},
      {"bCreate False writes nothing", LogInitArgs{.bCreate = kFalse}, "old\r\n", "", box},
      {"bMsg False shows nothing", LogInitArgs{.bMsg = kFalse}, "old\r\n" + start + lines, "", ""},
      {"the file is named after the program", LogInitArgs{.sProg = "tool"}, "old\r\n", start + lines, box},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    fakes::TestWorld w;
    w.clock.now = {2026, 12, 5, 7, 19, 7};
    w.shell.title = "Vesperkit";
    w.files.files[kLog].bytes = "old\r\n";
    cLogErr log{{w.files, w.clock, w.shell, w.shell}};
    if (row.init) log.Init(*row.init);
    log.LogIt(8, {"Error", std::int32_t{-5}, "S"});
    log.LogIt(9, {"above the level"});
    log.LogIt(40, {"a", 1});
    EXPECT_EQ(std::tuple(w.files.files[kLog].bytes, w.files.files["C:\\Program Files\\Vesperkit\\tool.txt"].bytes,
                         w.journal.With("MessageBox").empty() ? "" : "MessageBox" + w.journal.With("MessageBox")[0]),
              std::tuple(row.log, row.other, row.shown));
  }
}

}  // namespace
}  // namespace vk::persistence
