// The settings store on the in-memory registry: key layout, the default-value
// rule, the string format, failure reports and that every key is closed.
#include "persistence/reg_settings.h"

#include <gtest/gtest.h>

#include "fakes/test_world.h"

namespace vk::persistence {
namespace {

using namespace std::string_literals;

constexpr const char* kSettingsPath = "Software\\Quillfield Systems Ltd\\Vesperkit\\Settings";
constexpr const char* kAppPath = "Software\\Quillfield Systems Ltd\\Vesperkit";

class RegSettings : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(w.registry.OpenKeyCount(), 0) << "a key was left open"; }

  fakes::TestWorld w;
  CRegSettings store{w.registry, w.state.gLogErr};
};

TEST_F(RegSettings, TextsAreStoredWithTheirNulAndReadBackUnchangedOtherDataByItsShape) {
  for (const std::string& text : {"True"s, ""s, " 30 "s, "a\tb"s, "\xE9t\xE9"s, std::string(300, 'x')}) {
    ASSERT_EQ(store.SaveSetting("Settings", "Any", text), kTrue);
    const auto* value = w.registry.FindValue(kSettingsPath, "Any");
    EXPECT_EQ(std::tuple(value->type, value->bytes), std::tuple(platform::kRegSz, text + '\0'));
    EXPECT_EQ(store.GetSetting("SETTINGS", "any", "default"), text);
  }
  const std::tuple<std::string, std::uint32_t, std::string> shapes[] = {
      {"", platform::kRegSz, "d"},                          // no data at all: the default
      {"45", platform::kRegSz, "45"},                       // written without its NUL: keeps its last character
      {"\x2D\0\0\0"s, platform::kRegDword, "\x2D\0\0"s}};  // anything else by its bytes
  for (const auto& [stored, type, read] : shapes) {
    w.registry.Put(kSettingsPath, "Shape", stored, type);
    EXPECT_EQ(store.GetSetting("Settings", "Shape", "d"), read) << stored.size();
  }
}

TEST_F(RegSettings, StarNamesTheDefaultValueAndCompanyAndAppNameShapeTheKey) {
  EXPECT_EQ(store.SaveSetting("Settings", "*", "unnamed"), kTrue);
  EXPECT_EQ(w.registry.FindValue(kSettingsPath, "")->bytes, "unnamed\0"s);
  EXPECT_EQ(store.GetSetting("Settings", "*", "d"), "unnamed");
  EXPECT_EQ(store.DeleteSetting("Settings", "*"), kTrue);
  EXPECT_EQ(w.registry.FindValue(kSettingsPath, ""), nullptr);

  store.SaveSetting("", "Top", "1");
  EXPECT_NE(w.registry.FindValue(kAppPath, "Top"), nullptr);
  store.SetCompany("  Acme  ");
  store.SetAppName("Tool");
  store.SaveSetting("S", "v", "x");
  EXPECT_NE(w.registry.FindValue("Software\\Acme\\Tool\\S", "v"), nullptr);
  store.SetCompany("");
  store.SetAppName("");
  EXPECT_EQ(std::pair(store.Company(), store.AppName()), std::pair("Quillfield Systems Ltd"s, "Vesperkit"s));
  store.SetCompany("   ");
  EXPECT_EQ(store.Company(), "");
  EXPECT_EQ(store.SaveSetting("S", "w", "x"), kTrue);  // the registry reads the empty level as none
  EXPECT_NE(w.registry.FindValue("Software\\Vesperkit\\S", "w"), nullptr);
}

TEST_F(RegSettings, FailuresFallBackAndTheReportedOnesReachAnInitialisedLog) {
  EXPECT_EQ(store.GetSetting("Settings", "Mode", "0"), "0");
  EXPECT_TRUE(w.state.gLogErr.Exists()) << "the first report makes the log";
  EXPECT_TRUE(w.files.files.empty()) << "but an uninitialised log writes nothing";

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
  EXPECT_EQ(store.DeleteSetting("Missing", ""), kFalse);
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

TEST_F(RegSettings, GetAllSettingsListsNamesAndRawDataInStoreOrderUntilAFailure) {
  store.SaveSetting("Settings", "*", "");
  EXPECT_TRUE(store.DeleteSetting("Settings", "*"));
  EXPECT_FALSE(store.GetAllSettings("Settings").has_value()) << "a key without values gives no table";

  store.SaveSetting("Settings", "Mode", "2");
  store.SaveSetting("Settings", "DayTime", "False");
  w.registry.Put(kSettingsPath, "Raw", "ab");
  auto table = store.GetAllSettings("Settings");
  ASSERT_TRUE(table.has_value());
  EXPECT_EQ((*table)[0], (std::vector<std::string>{"Mode", "DayTime", "Raw"}));
  EXPECT_EQ((*table)[1], (std::vector<std::string>{"2\0"s, "False\0"s, "ab"}));

  w.registry.Fail("EnumValue", platform::kErrorAccessDenied, 1);
  table = store.GetAllSettings("Settings");
  ASSERT_TRUE(table.has_value());
  EXPECT_EQ((*table)[0], std::vector<std::string>{"Mode"});
  w.registry.Fail("QueryInfoKey", platform::kErrorAccessDenied);
  EXPECT_FALSE(store.GetAllSettings("Settings").has_value());
}

}  // namespace
}  // namespace vk::persistence
