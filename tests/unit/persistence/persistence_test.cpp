// The diagnostic log and the settings store, on the in-memory file system,
// registry and a fixed clock: key layout, the string format, failure reports
// and that every key is closed.
#include <gtest/gtest.h>

#include "fakes/test_world.h"
#include "persistence/log_err.h"
#include "persistence/reg_settings.h"

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

using namespace std::string_literals;

constexpr const char* kSettingsPath = "Software\\Quillfield Systems Ltd\\Vesperkit\\Settings";

class RegSettings : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(w.registry.OpenKeys(), 0) << "a key was left open"; }

  fakes::TestWorld w;
  CRegSettings store{w.registry, w.state.gLogErr};
};

TEST_F(RegSettings, TextsAreStoredWithTheirNulAndReadBackUnchangedOtherDataByItsShape) {
  for (const std::string& text : {"True"s, ""s, " 30 "s, "\xE9t\xE9"s, std::string(300, 'x')}) {
    ASSERT_EQ(store.SaveSetting("Settings", "Any", text), kTrue);
    const auto* value = w.registry.FindValue(kSettingsPath, "Any");
    EXPECT_EQ(std::tuple(value->type, value->bytes), std::tuple(platform::kRegSz, text + '\0'));
    EXPECT_EQ(store.GetSetting("SETTINGS", "any", "default"), text);
  }
  for (const auto& [stored, read] : {std::pair{""s, "d"s}, {"45"s, "45"s}, {"\x2D\0\0\0"s, "\x2D\0\0"s}}) {
    w.registry.Put(kSettingsPath, "Shape", stored, platform::kRegDword);
    EXPECT_EQ(store.GetSetting("Settings", "Shape", "d"), read) << stored.size();
  }
}

TEST_F(RegSettings, CompanyAppNameAndSectionShapeTheKeyAndStarNamesTheDefaultValue) {
  const struct {
    const char *company, *app, *section, *key, *path;
  } rows[] = {{"", "", "Settings", "*", kSettingsPath},
              {"  Acme  ", "Tool", "S", "v", "Software\\Acme\\Tool\\S"},
              {"   ", "", "S", "v", "Software\\Vesperkit\\S"},  // the registry reads the empty level as none
              {"", "", "", "v", "Software\\Quillfield Systems Ltd\\Vesperkit"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    store.SetCompany(row.company);
    store.SetAppName(row.app);
    EXPECT_EQ(store.SaveSetting(row.section, row.key, "x"), kTrue);
    const auto* value = w.registry.FindValue(row.path, row.key == "*"s ? "" : row.key);
    EXPECT_EQ(value == nullptr ? "none" : value->bytes, "x\0"s);
    EXPECT_EQ(store.GetSetting(row.section, row.key, "d"), "x");
    EXPECT_EQ(store.DeleteSetting(row.section, row.key), kTrue);
    EXPECT_EQ(w.registry.FindValue(row.path, row.key == "*"s ? "" : row.key), nullptr);
  }
}

TEST_F(RegSettings, FailuresFallBackAndTheReportedOnesReachAnInitialisedLog) {
  EXPECT_EQ(store.GetSetting("Settings", "Mode", "0"), "0");
  EXPECT_TRUE(w.files.files.empty()) << "an uninitialised log writes nothing";
  w.state.gLogErr->Init({.bAppend = kFalse});
  EXPECT_EQ(store.GetSetting("Settings", "Mode", "0"), "0");  // no key yet
  store.SaveSetting("Settings", "Mode", "1");
  EXPECT_EQ(store.GetSetting("Settings", "*", "0"), "0");           // key there, value missing
  w.registry.Fail("QueryValue", platform::kErrorInvalidHandle, 1);  // the data query only
  EXPECT_EQ(store.GetSetting("Settings", "Mode", "0"), "0");
  w.registry.Fail("SetValue", platform::kErrorAccessDenied);
  EXPECT_EQ(store.SaveSetting("Settings", "Mode", "2"), kFalse);
  w.registry.Fail("CreateKey", platform::kErrorAccessDenied);
  EXPECT_EQ(store.SaveSetting("Settings", "Mode", "2"), kFalse);
  EXPECT_EQ(store.DeleteSetting("Settings", "Missing"), kFalse);
  EXPECT_EQ(store.DeleteSetting("Nowhere", "Mode"), kFalse);
  EXPECT_FALSE(store.GetAllSettings("Nowhere").has_value());
  store.SetAppName("Elsewhere");
  EXPECT_EQ(store.DeleteSetting("Settings", ""), kFalse);  // no application key, no report

  const std::string stamp = "06-Dec-26 10:00:00\t Build 1\t";
  EXPECT_EQ(w.files.files["C:\\Program Files\\Vesperkit\\vesperkit.txt"].bytes,
            stamp + "0\tInit\t...Logging Initialised...\t\r\n" +                      //
                stamp + "8\tError GetSetting, error:\t2\tSettings\tMode\t\r\n" +      //
                stamp + "8\tError GetSetting, error:\t2\tSettings\t\t\r\n" +          //
                stamp + "8\tError SaveSetting, error:\t5\tSettings\tMode\t2\t\r\n" +  //
                stamp + "8\tError deleting key, error:\t2\tNowhere\t\r\n" +           //
                stamp + "8\tError GetAllKeys, error:\t2\tNowhere\t\r\n");
}

TEST_F(RegSettings, DeleteSettingRemovesTheWholeSectionAndGetAllSettingsListsItInStoreOrder) {
  store.SaveSetting("Settings", "Mode", "2");
  store.SaveSetting("Settings", "DayTime", "False");
  w.registry.Put(kSettingsPath, "Raw", "ab");
  store.SaveSetting("Settings", "Mode", "3");
  const auto table = store.GetAllSettings("Settings");
  ASSERT_TRUE(table.has_value());
  EXPECT_EQ(std::pair((*table)[0], (*table)[1]), std::pair(std::vector<std::string>{"Mode", "DayTime", "Raw"},
                                                           std::vector<std::string>{"3\0"s, "False\0"s, "ab"}));
  w.registry.Fail("EnumValue", platform::kErrorAccessDenied, 1);
  EXPECT_EQ((*store.GetAllSettings("Settings"))[0], std::vector<std::string>{"Mode"}) << "up to a failure";
  EXPECT_EQ(store.DeleteSetting("Settings", ""), kTrue);
  EXPECT_EQ(std::pair(w.registry.Find(kSettingsPath) == nullptr, store.DeleteSetting("Settings", "")),
            std::pair(true, kFalse));
  EXPECT_FALSE(store.GetAllSettings("").has_value()) << "a key without values gives no table";
}

}  // namespace
}  // namespace vk::persistence
