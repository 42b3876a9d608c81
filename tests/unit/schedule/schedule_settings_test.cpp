// The schedule values' registry side and the building of a schedule.
#include "schedule/schedule_settings.h"

#include <gtest/gtest.h>

#include "fakes/test_world.h"
#include "schedule/schedule_builder.h"

namespace vk::schedule {
namespace {

using namespace std::string_literals;

constexpr const char* kSettingsPath = "Software\\Quillfield Systems Ltd\\Vesperkit\\Settings";

// The values the store reads, as one comparable piece.
auto Read(const ScheduleValues& v) { return std::tuple(v.DayTime, v.CancelTime, v.Mode, v.ForceShutdown, v.ForceAppClose); }

class ScheduleSettings : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(w.registry.OpenKeyCount(), 0) << "a key was left open"; }
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
  EXPECT_EQ(Read(values), std::tuple(kFalse, std::int16_t{30}, 0, kFalse, kFalse));
  EXPECT_EQ(w.registry.Find(kSettingsPath), nullptr);
  EXPECT_EQ(w.registry.CallCount("CreateKey"), 0);
}

TEST(ScheduleSettingsRead, StoredTextsConvertByTheTextRulesOrReadAsTheDefaultAndAreLogged) {
  struct Case {
    const char* name;
    const char* text;
    std::int64_t value;
    bool logged;
  };
  const Case cases[] = {
      {"DayTime", "true", kTrue, false}, {"DayTime", "1", kTrue, false},        {"DayTime", "0", kFalse, false},
      {"DayTime", "", kFalse, true},     {"CancelTime", " 12.5 ", 12, false},   {"CancelTime", "-32768", -32768, false},
      {"CancelTime", "abc", 30, true},   {"CancelTime", "99999", 30, true},     {"Force", "1", kTrue, false},
      {"Force", "yes", kFalse, true},    {"ForceList", "FALSE", kFalse, false}, {"ForceList", "2", kTrue, false},
      {"Mode", "-1", -1, false},         {"Mode", "70000", 70000, false},       {"Mode", "99999999999", 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name + "="s + c.text);
    fakes::TestWorld w;
    persistence::CRegSettings store{w.registry, w.state.gLogErr};
    w.state.gLogErr->Init({.bAppend = kFalse});
    w.registry.Put(kSettingsPath, c.name, c.text + "\0"s);
    ScheduleValues values;
    ReadSavedSettings(store, w.state.gLogErr, values);
    const auto [dayTime, cancelTime, mode, force, forceList] = Read(values);
    const std::map<std::string, std::int64_t> read = {
        {"DayTime", dayTime}, {"CancelTime", cancelTime}, {"Mode", mode}, {"Force", force}, {"ForceList", forceList}};
    EXPECT_EQ(read.at(c.name), c.value);
    const std::string line = "\t8\tError converting setting:\tSettings\t"s + c.name + "\t" + c.text + "\t\r\n";
    const std::string& log = w.files.files["C:\\Program Files\\Vesperkit\\vesperkit.txt"].bytes;
    EXPECT_EQ(log.find(line) != std::string::npos, c.logged);
  }
}

TEST_F(ScheduleSettings, SaveWritesThreeValuesAndReadBackRestoresOnlyThem) {
  values.DayTime = kTrue;
  values.CancelTime = 45;
  values.Mode = 1;
  values.ForceShutdown = kTrue;
  SaveSettings(store, values);
  EXPECT_EQ(std::tuple(Stored("DayTime"), Stored("CancelTime"), Stored("Mode"), Stored("Force")),
            std::tuple("True\0"s, "45\0"s, "1\0"s, "<missing>"s));

  ScheduleValues edited;
  edited.ForceShutdown = kTrue;  // not read back
  edited.SleepTime = "07:30";
  ReadBackSettings(store, w.state.gLogErr, edited);
  EXPECT_EQ(Read(edited), std::tuple(kTrue, std::int16_t{45}, 1, kTrue, kFalse));
  EXPECT_EQ(edited.SleepTime, "07:30");
  EXPECT_EQ(w.registry.CallCount("OpenKey"), 3);
}

TEST_F(ScheduleSettings, ForceFlagsAreWrittenForceFirst) {
  values.ForceAppClose = kTrue;
  SaveForceSettings(store, values);
  const auto* key = w.registry.Find(kSettingsPath);
  ASSERT_EQ(key->values.size(), 2u);
  EXPECT_EQ(key->values[0].name, "Force");
  EXPECT_EQ(key->values[0].bytes, "False\0"s);
  EXPECT_EQ(key->values[1].bytes, "True\0"s);
}

TEST(BuildSchedule, TakesTheTimeAndDayOrThePeriodAndGivesTheTip) {
  struct Case {
    bool dayTime;
    const char* timeBox;
    const char* period;
    std::optional<std::string> tip;
    const char* sleepTime;
    const char* sleepDate;
    VbBool timeSet;
  };
  const Case cases[] = {
      {true, "07:30", "90 Mins", "Shutdown set for 07:30 on the 19.06.02", "07:30", "19.06.02", kTrue},
      // An empty time box unsets the schedule and keeps the date and the tip.
      {true, "__:__", "", std::nullopt, "__:__", "18.06.02", kFalse},
      {false, "10:00", "90 Mins", "Shutdown period set as: 90 Mins.", "1:30", "18.06.02", kTrue},
      // A period typed by the user still counts as set; starting the timer says what is wrong.
      {false, "10:00", "2 hours", "Shutdown period set as: 2 hours.", "", "18.06.02", kTrue},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dayTime ? c.timeBox : c.period);
    ScheduleValues v;
    v.DayTime = ToVbBool(c.dayTime);
    v.TimeSet = ToVbBool(!c.timeSet);
    v.SleepDate = "18.06.02";
    EXPECT_EQ(BuildSchedule(v, {c.timeBox, {2002, 6, 19}, ".", c.period}), c.tip);
    EXPECT_EQ(v.SleepTime, c.sleepTime);
    EXPECT_EQ(v.SleepDate, c.sleepDate);
    EXPECT_EQ(v.TimeSet, c.timeSet);
  }
}

}  // namespace
}  // namespace vk::schedule
