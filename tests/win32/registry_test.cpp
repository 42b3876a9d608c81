// The settings store on the registry adapter, against Wine's real registry:
// the key below HKEY_LOCAL_MACHINE, the stored bytes, the odd values another
// program may leave, deletion and enumeration.
#include <gtest/gtest.h>

#include <map>

#include "persistence/reg_settings.h"
#include "persistence/shared_log.h"
#include "support.h"
#include "win32/clock.h"
#include "win32/files.h"
#include "win32/registry.h"
#include "win32/shell.h"

namespace vk::wintest {
namespace {

constexpr const char* kCompanyPath = "Software\\Quillfield Systems Ltd";
constexpr const char* kAppPath = "Software\\Quillfield Systems Ltd\\Vesperkit";
constexpr const char* kSettingsPath = "Software\\Quillfield Systems Ltd\\Vesperkit\\Settings";

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteTree(HKEY_LOCAL_MACHINE, kCompanyPath); }
  void TearDown() override { DeleteTree(HKEY_LOCAL_MACHINE, kCompanyPath); }
  std::optional<std::string> Raw(const char* name, DWORD* type = nullptr) {
    return ReadValue(HKEY_LOCAL_MACHINE, kSettingsPath, name, type);
  }
  void Plant(const char* name, DWORD type, const std::string& bytes) {
    WriteValue(HKEY_LOCAL_MACHINE, kSettingsPath, name, bytes, type);
  }
  std::string Get(const char* name) { return store.GetSetting("Settings", name, "d"); }

  win32::Win32Registry registry;
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  win32::Win32MessageBoxes messages;
  win32::Win32AppShell shell;
  persistence::SharedLog log{{files, clock, messages, shell}};
  persistence::CRegSettings store{registry, log};
};

TEST_F(RegistryTest, FirstWriteCreatesEveryMissingLevelAndTextsKeepTheirBytesAndNul) {
  EXPECT_EQ(Get("DayTime"), "d");
  EXPECT_EQ(store.SaveSetting("Settings", "DayTime", "True"), kTrue);
  DWORD type = 0;
  EXPECT_EQ(Raw("DayTime", &type), std::string("True\0", 5));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(store.GetSetting("SETTINGS", "daytime", "d"), "True");
  // Longer than a small buffer, and bytes above 127.
  const std::string text = " \xE9t\xE9\t" + std::string(400, 'x');
  ASSERT_EQ(store.SaveSetting("Settings", "Text", text), kTrue);
  EXPECT_EQ(Get("Text"), text);
  EXPECT_EQ(store.SaveSetting("Settings", "Empty", ""), kTrue);
  EXPECT_EQ(Raw("Empty"), std::string(1, '\0'));
  EXPECT_EQ(Get("Empty"), "");
}

TEST_F(RegistryTest, StarReadsWritesAndDeletesTheDefaultValue) {
  EXPECT_EQ(store.SaveSetting("Settings", "*", "unnamed"), kTrue);
  EXPECT_EQ(Raw(nullptr), std::string("unnamed\0", 8));
  EXPECT_FALSE(Raw("*").has_value()) << "no value is called \"*\"";
  EXPECT_EQ(Get("*"), "unnamed");
  EXPECT_EQ(store.DeleteSetting("Settings", "*"), kTrue);
  EXPECT_EQ(Get("*"), "d");
}

TEST_F(RegistryTest, ValuesOtherProgramsLeaveReadAsTheirText) {
  Plant("ZeroLength", REG_SZ, "");
  Plant("NoNul", REG_SZ, "45");
  Plant("Binary", REG_BINARY, std::string("ab\0", 3));
  Plant("Number", REG_DWORD, "1234");
  EXPECT_EQ(Get("ZeroLength"), "d");
  EXPECT_EQ(Get("NoNul"), "45");
  EXPECT_EQ(Get("Binary"), "ab");
  EXPECT_EQ(Get("Number"), "1234");
}

TEST_F(RegistryTest, DeleteSettingRemovesAValueAndThenTheSection) {
  store.SaveSetting("Settings", "A", "1");
  store.SaveSetting("Settings", "B", "2");
  EXPECT_EQ(store.DeleteSetting("Settings", "A"), kTrue);
  EXPECT_FALSE(Raw("A").has_value());
  EXPECT_EQ(store.DeleteSetting("Settings", "A"), kFalse);
  EXPECT_EQ(store.DeleteSetting("Settings", ""), kTrue) << "with a value still in it";
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsPath));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kAppPath));
  EXPECT_EQ(store.DeleteSetting("Settings", ""), kFalse);
  DeleteTree(HKEY_LOCAL_MACHINE, kCompanyPath);
  EXPECT_EQ(store.DeleteSetting("Settings", ""), kFalse) << "no application key";
}

TEST_F(RegistryTest, GetAllSettingsFollowsTheRegistrysOrderAndKeepsTheNul) {
  EXPECT_FALSE(store.GetAllSettings("Settings").has_value());
  const std::map<std::string, std::string> stored = {
      {"Mode", std::string("2\0", 2)}, {"DayTime", std::string("False\0", 6)}, {"Raw", "ab"}};
  store.SaveSetting("Settings", "Mode", "2");
  store.SaveSetting("Settings", "DayTime", "False");
  Plant("Raw", REG_BINARY, "ab");

  std::vector<std::string> registryOrder;
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsPath, 0, KEY_READ, &key), ERROR_SUCCESS);
  char name[64];
  for (DWORD length = sizeof name; RegEnumValueA(key, static_cast<DWORD>(registryOrder.size()), name, &length,
                                                 nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       length = sizeof name)
    registryOrder.emplace_back(name, length);
  RegCloseKey(key);

  const auto table = store.GetAllSettings("Settings");
  ASSERT_TRUE(table.has_value());
  ASSERT_EQ((*table)[0], registryOrder);
  ASSERT_EQ((*table)[1].size(), stored.size());
  for (std::size_t i = 0; i < stored.size(); ++i) EXPECT_EQ((*table)[1][i], stored.at((*table)[0][i]));
}

}  // namespace
}  // namespace vk::wintest
