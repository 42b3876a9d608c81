// The settings store on the in-memory registry: key layout, the default-value
// rule, the string format, failure reports and that every key is closed.
#include "persistence/reg_settings.h"

#include <gtest/gtest.h>

#include "fakes/test_world.h"

namespace vk::persistence {
namespace {

constexpr const char* kSettingsPath = "Software\\Quillfield Systems Ltd\\Vesperkit\\Settings";
constexpr const char* kAppPath = "Software\\Quillfield Systems Ltd\\Vesperkit";
constexpr const char* kLogPath = "C:\\Program Files\\Vesperkit\\vesperkit.txt";

class RegSettings : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(w.registry.OpenKeyCount(), 0) << "a key was left open"; }

  // Turns the shared log on with everything at its defaults.
  void InitLog() { w.state.gLogErr->Init(); }
  // The log's lines after the start line, each without its timestamp and version.
  std::vector<std::string> Reports() {
    std::vector<std::string> lines;
    const std::string& text = w.files.files[kLogPath].bytes;
    for (std::size_t start = 0; start < text.size();) {
      const std::size_t end = text.find("\r\n", start);
      const std::string line = text.substr(start, end - start);
      const std::size_t type = line.find('\t', line.find('\t') + 1) + 1;
      lines.push_back(line.substr(type));
      start = end + 2;
    }
    if (!lines.empty()) lines.erase(lines.begin());
    return lines;
  }

  fakes::TestWorld w;
  CRegSettings store{w.registry, w.state.gLogErr};
};

TEST_F(RegSettings, FirstWriteCreatesEveryLevelAndStoresTextWithItsNul) {
  EXPECT_EQ(store.GetSetting("Settings", "DayTime", "False"), "False");
  EXPECT_EQ(store.SaveSetting("Settings", "DayTime", "True"), kTrue);
  const auto* value = w.registry.FindValue(kSettingsPath, "DayTime");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->type, platform::kRegSz);
  EXPECT_EQ(value->bytes, std::string("True\0", 5));
  EXPECT_EQ(store.GetSetting("Settings", "DayTime", "False"), "True");
  EXPECT_EQ(store.GetSetting("SETTINGS", "daytime", "False"), "True");
}

TEST_F(RegSettings, SavedTextsReadBackUnchanged) {
  for (const std::string& text : std::vector<std::string>{"", " 30 ", "a\tb", "\xE9t\xE9", std::string(300, 'x')}) {
    ASSERT_EQ(store.SaveSetting("Settings", "Any", text), kTrue);
    EXPECT_EQ(store.GetSetting("Settings", "Any", "default"), text);
  }
}

TEST_F(RegSettings, StarAddressesTheDefaultValue) {
  EXPECT_EQ(store.SaveSetting("Settings", "*", "unnamed"), kTrue);
  EXPECT_EQ(w.registry.FindValue(kSettingsPath, "")->bytes, std::string("unnamed\0", 8));
  EXPECT_EQ(store.GetSetting("Settings", "*", "d"), "unnamed");
  EXPECT_EQ(store.DeleteSetting("Settings", "*"), kTrue);
  EXPECT_EQ(w.registry.FindValue(kSettingsPath, ""), nullptr);
}

TEST_F(RegSettings, EmptySectionAddressesTheApplicationKey) {
  store.SaveSetting("", "Top", "1");
  EXPECT_NE(w.registry.FindValue(kAppPath, "Top"), nullptr);
  EXPECT_EQ(store.GetSetting("", "Top", "0"), "1");
}

TEST_F(RegSettings, CompanyAndAppNameShapeTheKeyPath) {
  store.SetCompany("  Acme  ");
  store.SetAppName("Tool");
  store.SaveSetting("S", "v", "x");
  EXPECT_NE(w.registry.FindValue("Software\\Acme\\Tool\\S", "v"), nullptr);

  store.SetCompany("");
  EXPECT_EQ(store.Company(), "Quillfield Systems Ltd");
  store.SetAppName("");
  EXPECT_EQ(store.AppName(), "Vesperkit");
  store.SetCompany("   ");
  EXPECT_EQ(store.Company(), "");
  EXPECT_EQ(store.SaveSetting("S", "w", "x"), kTrue);  // the registry reads the empty level as none
  EXPECT_NE(w.registry.FindValue("Software\\Vesperkit\\S", "w"), nullptr);
}

TEST_F(RegSettings, StoredDataReadsAsTextWhatEverItsShape) {
  w.registry.Put(kSettingsPath, "Empty", std::string("\0", 1));
  w.registry.Put(kSettingsPath, "ZeroLength", "");
  w.registry.Put(kSettingsPath, "NoNul", "45");
  w.registry.Put(kSettingsPath, "Dword", std::string("\x2D\0\0\0", 4), platform::kRegDword);
  EXPECT_EQ(store.GetSetting("Settings", "Empty", "d"), "");
  EXPECT_EQ(store.GetSetting("Settings", "ZeroLength", "d"), "d");
  EXPECT_EQ(store.GetSetting("Settings", "NoNul", "d"), "45");  // keeps its last character
  EXPECT_EQ(store.GetSetting("Settings", "Dword", "d"), std::string("\x2D\0\0", 3));
}

TEST_F(RegSettings, FailuresFallBackAndReachAnInitialisedLog) {
  InitLog();
  EXPECT_EQ(store.GetSetting("Settings", "Mode", "0"), "0");  // no key yet
  store.SaveSetting("Settings", "Other", "1");
  EXPECT_EQ(store.GetSetting("Settings", "*", "0"), "0");  // key there, value missing
  w.registry.Fail("CreateKey", platform::kErrorAccessDenied);
  EXPECT_EQ(store.SaveSetting("Settings", "Mode", "2"), kFalse);
  EXPECT_EQ(store.DeleteSetting("Nowhere", "Mode"), kFalse);
  EXPECT_FALSE(store.GetAllSettings("Nowhere").has_value());
  const std::vector<std::string> expected = {
      "8\tError GetSetting, error:\t2\tSettings\tMode\t",
      "8\tError GetSetting, error:\t2\tSettings\t\t",
      "8\tError SaveSetting, error:\t5\tSettings\tMode\t2\t",
      "8\tError deleting key, error:\t2\tNowhere\t",
      "8\tError GetAllKeys, error:\t2\tNowhere\t",
  };
  EXPECT_EQ(Reports(), expected);
}

TEST_F(RegSettings, FailuresThatTheStoreDoesNotReport) {
  InitLog();
  store.SaveSetting("Settings", "Mode", "1");
  w.registry.Fail("QueryValue", platform::kErrorInvalidHandle, 1);  // the data query only
  EXPECT_EQ(store.GetSetting("Settings", "Mode", "0"), "0");
  w.registry.Fail("SetValue", platform::kErrorAccessDenied);
  EXPECT_EQ(store.SaveSetting("Settings", "Mode", "2"), kFalse);
  EXPECT_EQ(store.DeleteSetting("Settings", "Missing"), kFalse);
  EXPECT_EQ(store.DeleteSetting("Missing", ""), kFalse);
  store.SetAppName("Elsewhere");
  EXPECT_EQ(store.DeleteSetting("Settings", ""), kFalse);  // no application key
  EXPECT_TRUE(Reports().empty());
}

TEST_F(RegSettings, AnUninitialisedLogDropsReportsWithoutTouchingFiles) {
  EXPECT_EQ(store.GetSetting("Settings", "Mode", "0"), "0");
  EXPECT_TRUE(w.state.gLogErr.Exists());
  EXPECT_TRUE(w.files.files.empty());
}

TEST_F(RegSettings, DeleteSettingRemovesAValueOrTheWholeSection) {
  store.SaveSetting("Settings", "A", "1");
  store.SaveSetting("Settings", "B", "2");
  EXPECT_EQ(store.DeleteSetting("Settings", "a"), kTrue);
  EXPECT_EQ(store.GetSetting("Settings", "A", "gone"), "gone");
  EXPECT_EQ(store.GetSetting("Settings", "B", "gone"), "2");
  EXPECT_EQ(store.DeleteSetting("Settings", ""), kTrue);
  EXPECT_EQ(w.registry.Find(kSettingsPath), nullptr);
  EXPECT_NE(w.registry.Find(kAppPath), nullptr);
  EXPECT_EQ(store.DeleteSetting("Settings", ""), kFalse);
}

TEST_F(RegSettings, GetAllSettingsListsNamesAndRawDataInStoreOrder) {
  EXPECT_FALSE(store.GetAllSettings("Settings").has_value());
  store.SaveSetting("Settings", "*", "");
  EXPECT_TRUE(store.DeleteSetting("Settings", "*"));
  EXPECT_FALSE(store.GetAllSettings("Settings").has_value()) << "a key without values gives no table";

  store.SaveSetting("Settings", "Mode", "2");
  store.SaveSetting("Settings", "DayTime", "False");
  w.registry.Put(kSettingsPath, "Raw", "ab");
  const auto table = store.GetAllSettings("Settings");
  ASSERT_TRUE(table.has_value());
  EXPECT_EQ((*table)[0], (std::vector<std::string>{"Mode", "DayTime", "Raw"}));
  EXPECT_EQ((*table)[1], (std::vector<std::string>{std::string("2\0", 2), std::string("False\0", 6), "ab"}));
}

TEST_F(RegSettings, AFailingEnumerationEndsTheTableWhereItFailed) {
  store.SaveSetting("Settings", "A", "1");
  store.SaveSetting("Settings", "B", "2");
  w.registry.Fail("EnumValue", platform::kErrorAccessDenied, 1);
  const auto table = store.GetAllSettings("Settings");
  ASSERT_TRUE(table.has_value());
  EXPECT_EQ((*table)[0], std::vector<std::string>{"A"});
  w.registry.Fail("QueryInfoKey", platform::kErrorAccessDenied);
  EXPECT_FALSE(store.GetAllSettings("Settings").has_value());
}

}  // namespace
}  // namespace vk::persistence
