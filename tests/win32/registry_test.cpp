// The settings store on the registry adapter, against Wine's real registry:
// what the native suite's in-memory registry assumes of it (the key below
// HKEY_LOCAL_MACHINE, the stored bytes and types, the default value, odd
// values another program may leave, deleting a section, enumeration order).
#include <gtest/gtest.h>

#include "persistence/reg_settings.h"
#include "persistence/shared_log.h"
#include "support.h"
#include "win32/clock.h"
#include "win32/files.h"
#include "win32/registry.h"
#include "win32/shell.h"

namespace vk::wintest {
namespace {

using namespace std::string_literals;

constexpr const char* kCompanyPath = "Software\\Quillfield Systems Ltd";
constexpr const char* kSettingsPath = "Software\\Quillfield Systems Ltd\\Vesperkit\\Settings";

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteTree(HKEY_LOCAL_MACHINE, kCompanyPath); }
  void TearDown() override { DeleteTree(HKEY_LOCAL_MACHINE, kCompanyPath); }
  std::optional<std::string> Raw(const char* name, DWORD* type = nullptr) {
    return ReadValue(HKEY_LOCAL_MACHINE, kSettingsPath, name, type);
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

TEST_F(RegistryTest, TextsAreStoredWithTheirNulAndOtherValuesReadByTheirBytes) {
  const std::string text = " \xE9t\xE9\t" + std::string(400, 'x');  // longer than a small buffer
  for (const std::string& saved : {"True"s, text, ""s}) {
    ASSERT_EQ(store.SaveSetting("Settings", "Text", saved), kTrue);
    DWORD type = 0;
    EXPECT_EQ(Raw("Text", &type), saved + '\0');
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(store.GetSetting("SETTINGS", "text", "d"), saved);
  }
  EXPECT_EQ(store.SaveSetting("Settings", "*", "unnamed"), kTrue);
  EXPECT_EQ(Raw(nullptr), "unnamed\0"s) << "the default value";
  EXPECT_FALSE(Raw("*").has_value());
  const std::tuple<const char*, DWORD, std::string, std::string> others[] = {
      {"ZeroLength", REG_SZ, "", "d"}, {"NoNul", REG_SZ, "45", "45"}, {"Binary", REG_BINARY, "ab\0"s, "ab"},
      {"Number", REG_DWORD, "1234", "1234"}};
  for (const auto& [name, type, bytes, read] : others) {
    WriteValue(HKEY_LOCAL_MACHINE, kSettingsPath, name, bytes, type);
    EXPECT_EQ(Get(name), read) << name;
  }
}

TEST_F(RegistryTest, GetAllSettingsFollowsTheRegistrysOrderAndDeleteSettingTakesASectionWithItsValues) {
  store.SaveSetting("Settings", "Mode", "2");
  store.SaveSetting("Settings", "DayTime", "False");
  std::vector<std::string> names;
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsPath, 0, KEY_READ, &key), ERROR_SUCCESS);
  char name[64];
  for (DWORD length = sizeof name; RegEnumValueA(key, static_cast<DWORD>(names.size()), name, &length, nullptr,
                                                 nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       length = sizeof name)
    names.emplace_back(name, length);
  RegCloseKey(key);
  const auto table = store.GetAllSettings("Settings");
  ASSERT_TRUE(table.has_value());
  EXPECT_EQ((*table)[0], names);
  EXPECT_EQ((*table)[1][names[0] == "Mode" ? 0 : 1], "2\0"s);

  EXPECT_EQ(store.DeleteSetting("Settings", "Mode"), kTrue);
  EXPECT_FALSE(Raw("Mode").has_value());
  EXPECT_EQ(store.DeleteSetting("Settings", ""), kTrue) << "with a value still in it";
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsPath));
  DeleteTree(HKEY_LOCAL_MACHINE, kCompanyPath);
  EXPECT_EQ(store.DeleteSetting("Settings", ""), kFalse) << "no application key";
}

}  // namespace
}  // namespace vk::wintest
