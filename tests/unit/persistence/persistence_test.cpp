// The settings store on the in-memory registry: the string format, failures
// and their reports, and that every key is closed.
#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/test_world.h"
#include "persistence/reg_settings.h"

namespace vk::persistence {
namespace {

using namespace std::string_literals;

class RegSettings : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(w.registry.OpenKeys(), 0) << "a key was left open"; }

  fakes::TestWorld w;
  CRegSettings store{w.registry, w.state.gLogErr};
};

TEST_F(RegSettings, TextsAreStoredWithTheirNulAndReadBackUnchangedOtherDataByItsShape) {
  for (const std::string& text : {"True"s, ""s, " 30 "s, "\xE9t\xE9"s, std::string(300, 'x')}) {
    ASSERT_EQ(store.SaveSetting("Settings", "Any", text), kTrue);
    const auto* value = w.registry.FindValue(fakes::kSettingsPath, "Any");
    EXPECT_EQ(std::tuple(value->type, value->bytes), std::tuple(platform::kRegSz, text + '\0'));
    EXPECT_EQ(store.GetSetting("SETTINGS", "any", "default"), text);
  }
  for (const auto& [stored, read] : {std::pair{""s, "d"s}, {"45"s, "45"s}, {"\x2D\0\0\0"s, "\x2D\0\0"s}}) {
    w.registry.Put(fakes::kSettingsPath, "Shape", stored, platform::kRegDword);
    EXPECT_EQ(store.GetSetting("Settings", "Shape", "d"), read) << stored.size();
  }
}

// The program never starts its diagnostic log; started, it notes the failures.
TEST_F(RegSettings, FailuresFallBackAndTheReportedOnesReachAStartedLog) {
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
  const std::string& log = w.files.files["C:\\Program Files\\Vesperkit\\vesperkit.txt"].bytes;
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4) << log;  // started, two reads and a save failed
}

}  // namespace
}  // namespace vk::persistence
