// The text rules of the stored values, the time and date conversions, and
// how the stored schedule values are read. What the dialogs save is pinned by
// their stories.
#include <gtest/gtest.h>

#include "fakes/fake_shell.h"
#include "fakes/test_world.h"
#include "schedule/schedule_settings.h"
#include "schedule/setting_text.h"
#include "schedule/time_conversions.h"
#include "schedule/validate_time.h"

namespace vk::schedule {
namespace {

std::string Shown(std::optional<std::int64_t> value) { return value ? std::to_string(*value) : "none"; }

// "text=value|text=value|..." as pairs.
std::vector<std::pair<std::string, std::string>> Rows(const std::string& table) {
  std::vector<std::pair<std::string, std::string>> rows;
  for (std::size_t at = 0, bar; at <= table.size(); at = bar + 1) {
    bar = std::min(table.find('|', at), table.size());
    const std::size_t is = table.rfind('=', bar);
    rows.emplace_back(table.substr(at, is - at), table.substr(is + 1, bar - is - 1));
  }
  return rows;
}

TEST(SettingText, BooleansReadInAnyCaseOrAsNumbersAndIntegersRoundHalfToEvenWithinTheirRange) {
  EXPECT_EQ(BooleanText(kTrue) + BooleanText(kFalse), "TrueFalse");
  for (const auto& [text, value] : Rows("tRUE=-1|FALSE=0| 2 =-1|-0=0|0.4=-1|Truee=none|1x=none|.=none|=none|yes=none"))
    EXPECT_EQ(Shown(ParseBoolean(text)), value) << text;
  for (const auto& [text, value] :
       Rows("  45 =45|-1=-1|+007=7|2.5=2|3.5=4|2.51=3|-2.5=-2|-3.5=-4|.5=0|32767=32767|-32768=-32768|32767.5=none|"
            "-32769=none|1 000=none|--1=none|   =none|123456789012345678901234567890=none"))
    EXPECT_EQ(Shown(ParseInteger(text, -32768, 32767)), value) << text;
}

TEST(TimeConversions, PeriodsTimesAndDatesAsTheScheduleWritesAndReadsThem) {
  for (const auto& [text, time] :
       Rows("15 Mins=0:15|45 Mins=0:45|60 Mins=1:00|150 Mins=2:30|180 Mins=3:00|15=0:15|15Mins=|75 Mins=|015 Mins="))
    EXPECT_EQ(PeriodToTime(text), time) << text;
  for (const auto& [text, time] : Rows("23:59=23:59|24:0=0:0|27:44=3:44")) EXPECT_EQ(NormaliseTime(text), time) << text;
  for (const auto& [text, time] :
       Rows("9:05=09:05|0:0=00:00|__:__=__:__|9:60=9:60|24:00=24:00|7=7|1:2:3=1:2:3|123:4=123:4"))
    EXPECT_EQ(TwoDigitTime(text), time) << text;
  const platform::DateTime t{2102, 6, 9, 7, 5, 59};
  EXPECT_EQ(ClockText(t) + " " + DateText(t, "."), "07:05 09.06.02");
  for (const auto& [text, day] : Rows("09.06.02=2002-6-9|9/6/2=2002-6-9|06/012/26=none|123/1/1=none|1/1/123=none|"
                                      "30/2/26=none|1/1=none")) {
    const auto read = ReadDateText(text);
    const std::string shown =
        read ? std::to_string(read->year) + "-" + std::to_string(read->month) + "-" + std::to_string(read->day)
             : "none";
    EXPECT_EQ(shown, day) << text;
  }
}

TEST(ValidateTime, OnlyHoursUpTo23AndMinutesUpTo59AreATimeOfDay) {
  for (const auto& [text, valid] : {std::pair{"23:59", true},
                                    {"00:00", true},
                                    {"24:00", false},
                                    {"23:60", false},
                                    {"1a:30", false},
                                    {"7:30", false},
                                    {"12345", false},
                                    {"07:3:", false}})
    EXPECT_EQ(IsValidTimeOfDay(text), valid) << text;
  platform::FormDef def;
  platform::FormModel form(def);
  fakes::Journal journal;
  fakes::FakeShell boxes(journal);
  EXPECT_EQ(ValidateTime(form, "mskMissing", boxes, "Vesperkit"), kFalse);
  EXPECT_EQ(journal.entries, std::vector<std::string>{"MessageBox Vesperkit 0: Error Validating Time"});
}

using namespace std::string_literals;

// Each row: the value stored, then DayTime CancelTime Mode Force ForceList as read.
TEST(ScheduleSettings, StoredTextsConvertByTheTextRulesOrReadAsTheDefault) {
  for (const auto& [name, text, read] : {std::tuple{"", "", "0 30 0 0 0"}, {"DayTime", "true", "-1 30 0 0 0"},
                                         {"DayTime", "", "0 30 0 0 0"}, {"CancelTime", "99999", "0 30 0 0 0"},
                                         {"Force", "1", "0 30 0 -1 0"}, {"ForceList", "2", "0 30 0 0 -1"},
                                         {"Mode", "70000", "0 30 70000 0 0"}, {"Mode", "99999999999", "0 30 0 0 0"}}) {
    fakes::TestWorld w;
    persistence::CRegSettings store{w.registry, w.state.gLogErr};
    if (*name) w.registry.Put(fakes::kSettingsPath, name, text + "\0"s);
    ScheduleValues v;
    v.CancelTime = 99;
    v.Mode = 2;
    v.DayTime = v.ForceShutdown = v.ForceAppClose = kTrue;
    ReadSavedSettings(store, w.state.gLogErr, v);
    EXPECT_EQ(std::to_string(v.DayTime) + " " + std::to_string(v.CancelTime) + " " + std::to_string(v.Mode) + " " +
                  std::to_string(v.ForceShutdown) + " " + std::to_string(v.ForceAppClose),
              read)
        << name << "=" << text;
    EXPECT_EQ(w.registry.Find(fakes::kSettingsPath) != nullptr, *name != '\0') << "reading writes nothing";
  }
}

}  // namespace
}  // namespace vk::schedule
