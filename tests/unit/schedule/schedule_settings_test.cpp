// The schedule values' registry side and the building of a schedule.
#include "schedule/schedule_settings.h"

#include <gtest/gtest.h>

#include "fakes/test_world.h"
#include "schedule/schedule_builder.h"

namespace vk::schedule {
namespace {

constexpr const char* kSettingsPath = "Software\\Quillfield Systems Ltd\\Vesperkit\\Settings";
constexpr const char* kLogPath = "C:\\Program Files\\Vesperkit\\vesperkit.txt";

class ScheduleSettings : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(w.registry.OpenKeyCount(), 0) << "a key was left open"; }
  void Store(const char* name, const std::string& text) { w.registry.Put(kSettingsPath, name, text + '\0'); }
  std::string Stored(const char* name) {
    const auto* value = w.registry.FindValue(kSettingsPath, name);
    return value == nullptr ? "<missing>" : value->bytes;
  }

  fakes::TestWorld w;
  persistence::CRegSettings store{w.registry, w.state.gLogErr};
  ScheduleValues values;
};

TEST_F(ScheduleSettings, AnEmptyStoreGivesTheDefaultsAndWritesNothing) {
  values.CancelTime = 99;
  values.Mode = 2;
  values.DayTime = values.ForceShutdown = values.ForceAppClose = kTrue;
  ReadSavedSettings(store, w.state.gLogErr, values);
  EXPECT_EQ(values.DayTime, kFalse);
  EXPECT_EQ(values.CancelTime, 30);
  EXPECT_EQ(values.Mode, 0);
  EXPECT_EQ(values.ForceShutdown, kFalse);
  EXPECT_EQ(values.ForceAppClose, kFalse);
  EXPECT_EQ(values.TimeSet, kFalse);
  EXPECT_EQ(w.registry.Find(kSettingsPath), nullptr);
  EXPECT_EQ(w.registry.CallCount("OpenKey"), 5);
  EXPECT_EQ(w.registry.CallCount("CreateKey"), 0);
}

TEST_F(ScheduleSettings, StoredTextsConvertByTheTextRules) {
  Store("DayTime", "true");
  Store("CancelTime", " 12.5 ");
  Store("Force", "1");
  Store("ForceList", "FALSE");
  Store("Mode", "-1");
  ReadSavedSettings(store, w.state.gLogErr, values);
  EXPECT_EQ(values.DayTime, kTrue);
  EXPECT_EQ(values.CancelTime, 12);
  EXPECT_EQ(values.ForceShutdown, kTrue);
  EXPECT_EQ(values.ForceAppClose, kFalse);
  EXPECT_EQ(values.Mode, -1);
}

TEST_F(ScheduleSettings, UnconvertibleTextsReadAsTheDefaultAndAreLogged) {
  w.state.gLogErr->Init({.bAppend = kFalse});
  Store("DayTime", "");
  Store("CancelTime", "abc");
  Store("Force", "yes");
  Store("ForceList", "2");
  Store("Mode", "99999999999");
  values.CancelTime = 7;
  ReadSavedSettings(store, w.state.gLogErr, values);
  EXPECT_EQ(values.DayTime, kFalse);
  EXPECT_EQ(values.CancelTime, 30);
  EXPECT_EQ(values.ForceShutdown, kFalse);
  EXPECT_EQ(values.ForceAppClose, kTrue);
  EXPECT_EQ(values.Mode, 0);
  const std::string& log = w.files.files[kLogPath].bytes;
  EXPECT_NE(log.find("\t8\tError converting setting:\tSettings\tDayTime\t\t\r\n"), std::string::npos);
  EXPECT_NE(log.find("\t8\tError converting setting:\tSettings\tCancelTime\tabc\t\r\n"), std::string::npos);
  EXPECT_NE(log.find("\t8\tError converting setting:\tSettings\tForce\tyes\t\r\n"), std::string::npos);
  EXPECT_NE(log.find("\tMode\t99999999999\t\r\n"), std::string::npos);
  EXPECT_EQ(log.find("ForceList"), std::string::npos);
}

TEST_F(ScheduleSettings, SixteenBitCancelTimeRejectsWhatDoesNotFit) {
  Store("CancelTime", "99999");
  ReadSavedSettings(store, w.state.gLogErr, values);
  EXPECT_EQ(values.CancelTime, 30);
  Store("CancelTime", "-32768");
  ReadSavedSettings(store, w.state.gLogErr, values);
  EXPECT_EQ(values.CancelTime, -32768);
}

TEST_F(ScheduleSettings, SaveWritesThreeValuesAndReadBackRestoresOnlyThem) {
  values.DayTime = kTrue;
  values.CancelTime = 45;
  values.Mode = 1;
  values.ForceShutdown = kTrue;
  SaveSettings(store, values);
  EXPECT_EQ(Stored("DayTime"), std::string("True\0", 5));
  EXPECT_EQ(Stored("CancelTime"), std::string("45\0", 3));
  EXPECT_EQ(Stored("Mode"), std::string("1\0", 2));
  EXPECT_EQ(Stored("Force"), "<missing>");

  ScheduleValues edited;
  edited.ForceShutdown = kTrue;  // not read back
  edited.SleepTime = "07:30";
  ReadBackSettings(store, w.state.gLogErr, edited);
  EXPECT_EQ(edited.DayTime, kTrue);
  EXPECT_EQ(edited.CancelTime, 45);
  EXPECT_EQ(edited.Mode, 1);
  EXPECT_EQ(edited.ForceShutdown, kTrue);
  EXPECT_EQ(edited.SleepTime, "07:30");
  EXPECT_EQ(w.registry.CallCount("OpenKey"), 3);
}

TEST_F(ScheduleSettings, ForceFlagsAreWrittenForceFirst) {
  values.ForceShutdown = kFalse;
  values.ForceAppClose = kTrue;
  SaveForceSettings(store, values);
  const auto* key = w.registry.Find(kSettingsPath);
  ASSERT_EQ(key->values.size(), 2u);
  EXPECT_EQ(key->values[0].name, "Force");
  EXPECT_EQ(key->values[0].bytes, std::string("False\0", 6));
  EXPECT_EQ(key->values[1].bytes, std::string("True\0", 5));
}

TEST(BuildSchedule, TimeAndDateTakesTheBoxAndTheChosenDay) {
  ScheduleValues v;
  v.DayTime = kTrue;
  const auto tip = BuildSchedule(v, {"07:30", {2002, 6, 19}, "/", "90 Mins"});
  EXPECT_EQ(tip, "Shutdown set for 07:30 on the 19/06/02");
  EXPECT_EQ(v.SleepTime, "07:30");
  EXPECT_EQ(v.SleepDate, "19/06/02");
  EXPECT_EQ(v.TimeSet, kTrue);
}

TEST(BuildSchedule, AnEmptyTimeBoxUnsetsTheScheduleAndKeepsDateAndTip) {
  ScheduleValues v;
  v.DayTime = kTrue;
  v.TimeSet = kTrue;
  v.SleepDate = "18/06/02";
  EXPECT_FALSE(BuildSchedule(v, {"__:__", {2002, 6, 19}, "/", ""}).has_value());
  EXPECT_EQ(v.SleepTime, "__:__");
  EXPECT_EQ(v.SleepDate, "18/06/02");
  EXPECT_EQ(v.TimeSet, kFalse);
}

TEST(BuildSchedule, PeriodTakesThePeriodTextEvenWhenUnrecognised) {
  ScheduleValues v;
  EXPECT_EQ(BuildSchedule(v, {"10:00", {}, "/", "90 Mins"}), "Shutdown period set as: 90 Mins.");
  EXPECT_EQ(v.SleepTime, "1:30");
  EXPECT_EQ(v.TimeSet, kTrue);
  EXPECT_EQ(BuildSchedule(v, {"10:00", {}, "/", "2 hours"}), "Shutdown period set as: 2 hours.");
  EXPECT_EQ(v.SleepTime, "");
  EXPECT_EQ(v.TimeSet, kTrue);
  EXPECT_EQ(v.SleepDate, "");
}

}  // namespace
}  // namespace vk::schedule
