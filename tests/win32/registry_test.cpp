// The settings store on the registry adapter, against Wine's real registry:
// the key below HKEY_LOCAL_MACHINE, the stored bytes, the odd values another
// program may leave, deletion, enumeration and a failure reaching the log.
#include <windows.h>
#undef CreateFile

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "persistence/reg_settings.h"
#include "persistence/shared_log.h"
#include "win32/clock.h"
#include "win32/files.h"
#include "win32/registry.h"
#include "win32/shell.h"

namespace vk::win32 {
namespace {

constexpr const char* kCompanyPath = "Software\\Quillfield Systems Ltd";
constexpr const char* kAppPath = "Software\\Quillfield Systems Ltd\\Vesperkit";
constexpr const char* kSettingsPath = "Software\\Quillfield Systems Ltd\\Vesperkit\\Settings";

// Removes a key with everything below it.
void DeleteTree(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  std::vector<std::string> children;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    children.emplace_back(name, length);
  }
  RegCloseKey(key);
  for (const std::string& child : children) DeleteTree(root, path + "\\" + child);
  RegDeleteKeyA(root, path.c_str());
}

bool KeyExists(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

struct RawValue {
  LONG rc = 0;
  DWORD type = 0;
  std::string bytes;
};

// A value of the settings key read straight from the registry; null name: the default value.
RawValue ReadRaw(const char* name) {
  RawValue value;
  HKEY key = nullptr;
  value.rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsPath, 0, KEY_QUERY_VALUE, &key);
  if (value.rc != ERROR_SUCCESS) return value;
  BYTE data[512];
  DWORD size = sizeof data;
  value.rc = RegQueryValueExA(key, name, nullptr, &value.type, data, &size);
  if (value.rc == ERROR_SUCCESS) value.bytes.assign(reinterpret_cast<char*>(data), size);
  RegCloseKey(key);
  return value;
}

// Stores a value as another program might: any type, any bytes.
void WriteRaw(const char* name, DWORD type, const std::string& bytes) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                           static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

// The real adapter, counting the keys it opened and not closed again, and
// failing a chosen call on request.
class CountingRegistry : public platform::Registry {
 public:
  long OpenKey(platform::RegKey root, const std::string& path, std::uint32_t access, platform::RegKey& opened) override {
    return Count(real_.OpenKey(root, path, access, opened));
  }
  long CreateKey(platform::RegKey root, const std::string& path, std::uint32_t access,
                 platform::RegKey& opened) override {
    if (failCreateWith != 0) return failCreateWith;
    return Count(real_.CreateKey(root, path, access, opened));
  }
  long QueryValue(platform::RegKey key, const platform::ValueName& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    return real_.QueryValue(key, name, type, data, size);
  }
  long QueryInfoKey(platform::RegKey key, std::uint32_t& maxName, std::uint32_t& maxData) override {
    return real_.QueryInfoKey(key, maxName, maxData);
  }
  long EnumValue(platform::RegKey key, std::uint32_t index, char* name, std::uint32_t& nameLength, std::uint32_t* type,
                 std::uint8_t* data, std::uint32_t& dataLength) override {
    return real_.EnumValue(key, index, name, nameLength, type, data, dataLength);
  }
  long SetValue(platform::RegKey key, const platform::ValueName& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override {
    return real_.SetValue(key, name, type, data, size);
  }
  long DeleteValue(platform::RegKey key, const platform::ValueName& name) override {
    return real_.DeleteValue(key, name);
  }
  long DeleteKey(platform::RegKey key, const std::string& subKey) override { return real_.DeleteKey(key, subKey); }
  long CloseKey(platform::RegKey key) override {
    const long rc = real_.CloseKey(key);
    if (rc == ERROR_SUCCESS) --open;
    return rc;
  }

  int open = 0;
  long failCreateWith = 0;

 private:
  long Count(long rc) {
    if (rc == ERROR_SUCCESS) ++open;
    return rc;
  }
  Win32Registry real_;
};

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteTree(HKEY_LOCAL_MACHINE, kCompanyPath); }
  void TearDown() override {
    EXPECT_EQ(registry.open, 0) << "a key was left open";
    DeleteTree(HKEY_LOCAL_MACHINE, kCompanyPath);
  }

  Win32FileSystem files;
  Win32Clock clock;
  Win32MessageBoxes messages;
  Win32AppShell shell;
  persistence::SharedLog log{{files, clock, messages, shell}};
  CountingRegistry registry;
  persistence::CRegSettings store{registry, log};
};

TEST_F(RegistryTest, FirstWriteCreatesEveryMissingLevelAndStoresTextWithItsNul) {
  ASSERT_FALSE(KeyExists(kCompanyPath));
  EXPECT_EQ(store.GetSetting("Settings", "DayTime", "False"), "False");
  EXPECT_EQ(store.SaveSetting("Settings", "DayTime", "True"), kTrue);
  EXPECT_TRUE(KeyExists(kSettingsPath));
  const RawValue raw = ReadRaw("DayTime");
  ASSERT_EQ(raw.rc, ERROR_SUCCESS);
  EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(raw.bytes, std::string("True\0", 5));
  EXPECT_EQ(store.GetSetting("Settings", "DayTime", "False"), "True");
  EXPECT_EQ(store.GetSetting("SETTINGS", "daytime", "False"), "True");
}

TEST_F(RegistryTest, StarReadsWritesAndDeletesTheDefaultValue) {
  EXPECT_EQ(store.SaveSetting("Settings", "*", "unnamed"), kTrue);
  EXPECT_EQ(ReadRaw(nullptr).bytes, std::string("unnamed\0", 8));
  EXPECT_EQ(ReadRaw("*").rc, ERROR_FILE_NOT_FOUND) << "no value is called \"*\"";
  EXPECT_EQ(store.GetSetting("Settings", "*", "d"), "unnamed");
  EXPECT_EQ(store.DeleteSetting("Settings", "*"), kTrue);
  EXPECT_EQ(store.GetSetting("Settings", "*", "d"), "d");
}

TEST_F(RegistryTest, AnEmptyStringIsStoredAsItsNulAndReadsBackEmpty) {
  EXPECT_EQ(store.SaveSetting("Settings", "Empty", ""), kTrue);
  EXPECT_EQ(ReadRaw("Empty").bytes, std::string(1, '\0'));
  EXPECT_EQ(store.GetSetting("Settings", "Empty", "d"), "");
}

TEST_F(RegistryTest, TextsRoundTripUnchanged) {
  for (const std::string& text : std::vector<std::string>{" 30 ", "a\tb", "\xE9t\xE9", std::string(400, 'x')}) {
    ASSERT_EQ(store.SaveSetting("Settings", "Text", text), kTrue);
    EXPECT_EQ(store.GetSetting("Settings", "Text", "d"), text);
  }
}

TEST_F(RegistryTest, ValuesOtherProgramsLeaveReadAsTheirText) {
  WriteRaw("ZeroLength", REG_SZ, "");
  WriteRaw("NoNul", REG_SZ, "45");
  WriteRaw("Binary", REG_BINARY, std::string("ab\0", 3));
  WriteRaw("Number", REG_DWORD, "1234");
  EXPECT_EQ(store.GetSetting("Settings", "ZeroLength", "d"), "d");
  EXPECT_EQ(store.GetSetting("Settings", "NoNul", "d"), "45");
  EXPECT_EQ(store.GetSetting("Settings", "Binary", "d"), "ab");
  EXPECT_EQ(store.GetSetting("Settings", "Number", "d"), "1234");
}

TEST_F(RegistryTest, DeleteSettingRemovesAValueAndThenTheSection) {
  store.SaveSetting("Settings", "A", "1");
  store.SaveSetting("Settings", "B", "2");
  EXPECT_EQ(store.DeleteSetting("Settings", "A"), kTrue);
  EXPECT_EQ(ReadRaw("A").rc, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(store.DeleteSetting("Settings", "A"), kFalse);
  EXPECT_EQ(store.DeleteSetting("Settings", ""), kTrue);
  EXPECT_FALSE(KeyExists(kSettingsPath));
  EXPECT_TRUE(KeyExists(kAppPath));
  EXPECT_EQ(store.DeleteSetting("Settings", ""), kFalse);
  DeleteTree(HKEY_LOCAL_MACHINE, kCompanyPath);
  EXPECT_EQ(store.DeleteSetting("Settings", ""), kFalse) << "no application key";
}

TEST_F(RegistryTest, GetAllSettingsFollowsTheRegistrysOrderAndKeepsTheNul) {
  EXPECT_FALSE(store.GetAllSettings("Settings").has_value());
  store.SaveSetting("Settings", "Mode", "2");
  store.SaveSetting("Settings", "DayTime", "False");
  store.SaveSetting("Settings", "CancelTime", "30");
  WriteRaw("Raw", REG_BINARY, "ab");

  std::vector<std::string> registryOrder;
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsPath, 0, KEY_READ, &key), ERROR_SUCCESS);
  char name[64];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    registryOrder.emplace_back(name, length);
  }
  RegCloseKey(key);

  const auto table = store.GetAllSettings("Settings");
  ASSERT_TRUE(table.has_value());
  EXPECT_EQ((*table)[0], registryOrder);
  ASSERT_EQ((*table)[0].size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    const std::string& n = (*table)[0][i];
    const std::string expected = n == "Mode" ? std::string("2\0", 2)
                                 : n == "DayTime" ? std::string("False\0", 6)
                                 : n == "CancelTime" ? std::string("30\0", 3)
                                                     : "ab";
    EXPECT_EQ((*table)[1][i], expected) << n;
  }
}

// The log file beside the test program, removed before and after.
class RegistryFailureTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    path_ = files.ProgramFolder() + "\\registry_failures.txt";
    DeleteFileA(path_.c_str());
  }
  void TearDown() override {
    DeleteFileA(path_.c_str());
    RegistryTest::TearDown();
  }
  // The log's lines after the start line, each from its message type on.
  std::vector<std::string> Reports() {
    std::vector<std::string> lines;
    const std::string text = log->Display();
    for (std::size_t start = 0; start < text.size();) {
      const std::size_t end = text.find("\r\n", start);
      if (end == std::string::npos) break;
      const std::string line = text.substr(start, end - start);
      lines.push_back(line.substr(line.find('\t', line.find('\t') + 1) + 1));
      start = end + 2;
    }
    if (!lines.empty()) lines.erase(lines.begin());
    return lines;
  }
  std::string path_;
};

TEST_F(RegistryFailureTest, RegistryFailuresReachAnInitialisedLogAsTheirLines) {
  log->Init({.sLogFile = path_});
  EXPECT_EQ(store.GetSetting("Settings", "Mode", "0"), "0");       // no key: the open fails
  EXPECT_EQ(store.SaveSetting("Settings", "Other", "1"), kTrue);
  EXPECT_EQ(store.GetSetting("Settings", "Mode", "0"), "0");       // no value: the size query fails
  EXPECT_EQ(store.DeleteSetting("Missing", "Mode"), kFalse);
  registry.failCreateWith = ERROR_ACCESS_DENIED;
  EXPECT_EQ(store.SaveSetting("Settings", "Mode", "2"), kFalse);
  const std::vector<std::string> expected = {
      "8\tError GetSetting, error:\t2\tSettings\tMode\t",
      "8\tError GetSetting, error:\t2\tSettings\tMode\t",
      "8\tError deleting key, error:\t2\tMissing\t",
      "8\tError SaveSetting, error:\t5\tSettings\tMode\t2\t",
  };
  EXPECT_EQ(Reports(), expected);
}

TEST_F(RegistryFailureTest, AnUninitialisedLogWritesNothing) {
  const std::string defaultLog = files.ProgramFolder() + "\\" + files.ExecutableBaseName() + ".txt";
  DeleteFileA(defaultLog.c_str());
  EXPECT_EQ(store.GetSetting("Settings", "Mode", "0"), "0");
  EXPECT_TRUE(log.Exists());
  EXPECT_EQ(GetFileAttributesA(defaultLog.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace vk::win32
