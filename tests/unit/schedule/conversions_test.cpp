// Text rules of the stored values and the time and date conversions.
#include <gtest/gtest.h>

#include "fakes/fake_shell.h"
#include "schedule/setting_text.h"
#include "schedule/time_conversions.h"
#include "schedule/validate_time.h"

namespace vk::schedule {
namespace {

TEST(SettingText, BooleansWriteEnglishAndReadInAnyCaseOrAsNumbers) {
  EXPECT_EQ(BooleanText(kTrue), "True");
  EXPECT_EQ(BooleanText(kFalse), "False");
  for (const char* text : {"True", "true", "TRUE", "1", "-1", "0.4", " 2 "})
    EXPECT_EQ(ParseBoolean(text), kTrue) << text;
  for (const char* text : {"False", "fALSE", "0", "-0", "0.0"}) EXPECT_EQ(ParseBoolean(text), kFalse) << text;
  for (const char* text : {"", "yes", "on", "Truee", "1x", "."}) EXPECT_FALSE(ParseBoolean(text)) << text;
}

TEST(SettingText, IntegersIgnoreBlanksAndRoundHalfToEvenWithinTheirRange) {
  const std::pair<const char*, std::int64_t> numbers[] = {
      {"30", 30},   {"  45 ", 45}, {"-1", -1},     {"007", 7}, {"2.5", 2},       {"3.5", 4},        {"2.51", 3},
      {"-2.5", -2}, {"-3.5", -4},  {"0.49999", 0}, {".5", 0},  {"32767", 32767}, {"-32768", -32768}};
  for (const auto& [text, value] : numbers) EXPECT_EQ(ParseInteger(text, -32768, 32767), value) << text;
  for (const char* text :
       {"", "   ", "abc", "99999", "32767.5", "-32769", "1 000", "1,5", "12a", "--1", "123456789012345678901234567890"})
    EXPECT_FALSE(ParseInteger(text, -32768, 32767)) << text;
}

TEST(TimeConversions, PeriodToTimeAndNormaliseTime) {
  const std::pair<const char*, const char*> periods[] = {
      {"15 Mins", "0:15"}, {"45 Mins", "0:45"}, {"60 Mins", "1:00"}, {"150 Mins", "2:30"}, {"180 Mins", "3:00"},
      {"15", "0:15"},      {"15Mins", ""},      {" 15 Mins", ""},    {"75 Mins", ""},      {"", ""},
      {"2 hours", ""},     {"015 Mins", ""}};
  for (const auto& [text, time] : periods) EXPECT_EQ(PeriodToTime(text), time) << text;
  const std::pair<const char*, const char*> times[] = {
      {"23:59", "23:59"}, {"10:5", "10:5"}, {"24:0", "0:0"}, {"24:15", "0:15"}, {"27:44", "3:44"}};
  for (const auto& [text, time] : times) EXPECT_EQ(NormaliseTime(text), time) << text;
}

TEST(TimeConversions, ClockDateAndTwoDigitTextsAndSplitTime) {
  const platform::DateTime t{2002, 6, 9, 7, 5, 59};
  EXPECT_EQ(ClockText(t), "07:05");
  EXPECT_EQ(DateText(t, "."), "09.06.02");
  EXPECT_EQ(DateText({2100, 12, 31}, "-"), "31-12-00");
  const std::pair<const char*, const char*> twoDigit[] = {
      {"9:05", "09:05"},  {"0:0", "00:00"}, {"23:59", "23:59"}, {"", ""},           {"__:__", "__:__"},
      {"9:60", "9:60"},   {"24:00", "24:00"}, {"7", "7"},       {"1:2:3", "1:2:3"}, {"ab:cd", "ab:cd"}, {"123:4", "123:4"}};
  for (const auto& [text, time] : twoDigit) EXPECT_EQ(TwoDigitTime(text), time) << text;

  const struct {
    const char* text;
    bool colon;
    int hours, minutes;
  } splits[] = {{"1:30", true, 1, 30}, {"__:7_", true, 0, 7}, {"", false, 0, 0}, {"90", false, 90, 0}};
  for (const auto& s : splits) {
    TimeParts p;
    EXPECT_EQ(SplitTime(s.text, p), s.colon) << s.text;
    EXPECT_EQ(std::pair(p.hours, p.minutes), std::pair(s.hours, s.minutes)) << s.text;
  }
}

TEST(ValidateTime, FillsPlaceholdersWritesBackAndChecksTheTime) {
  platform::FormDef def;
  def.controls.push_back(platform::Control("mskTime", platform::ControlKind::MaskedEdit, 0, 0, 0, 0));
  const struct {
    const char* typed;
    const char* after;
    VbBool valid;
  } cases[] = {{"__:__", "00:00", kTrue}, {"2_:7_", "20:70", kFalse}, {"23:59", "23:59", kTrue},
               {"24:00", "24:00", kFalse}, {"1_:3_", "10:30", kTrue}, {"1a:30", "1a:30", kFalse}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    platform::FormModel form(def);
    fakes::Journal journal;
    fakes::FakeMessageBoxes boxes(journal);
    form.SetText("mskTime", c.typed);
    EXPECT_EQ(ValidateTime(form, "mskTime", boxes, "Vesperkit"), c.valid);
    EXPECT_EQ(form.Get("mskTime").text, c.after);
    EXPECT_TRUE(boxes.shown.empty());
  }
  platform::FormModel form(def);
  fakes::Journal journal;
  fakes::FakeMessageBoxes boxes(journal);
  EXPECT_EQ(ValidateTime(form, "mskMissing", boxes, "Vesperkit"), kFalse);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(std::tuple(boxes.shown[0].text, boxes.shown[0].title, boxes.shown[0].style),
            std::tuple("Error Validating Time", "Vesperkit", platform::kMbOk));
}

}  // namespace
}  // namespace vk::schedule
