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
  for (const char* text : {"True", "true", "TRUE", "1", "-1", "0.4", " 2 "}) EXPECT_EQ(ParseBoolean(text), kTrue) << text;
  for (const char* text : {"False", "fALSE", "0", "-0", "0.0"}) EXPECT_EQ(ParseBoolean(text), kFalse) << text;
  for (const char* text : {"", "yes", "on", "Truee", "1x", "."}) EXPECT_FALSE(ParseBoolean(text)) << text;
}

TEST(SettingText, IntegersIgnoreBlanksAndRoundHalfToEven) {
  auto parse = [](const char* text) { return ParseInteger(text, -32768, 32767); };
  EXPECT_EQ(parse("30"), 30);
  EXPECT_EQ(parse("  45 "), 45);
  EXPECT_EQ(parse("-1"), -1);
  EXPECT_EQ(parse("007"), 7);
  EXPECT_EQ(parse("2.5"), 2);
  EXPECT_EQ(parse("3.5"), 4);
  EXPECT_EQ(parse("2.51"), 3);
  EXPECT_EQ(parse("-2.5"), -2);
  EXPECT_EQ(parse("-3.5"), -4);
  EXPECT_EQ(parse("0.49999"), 0);
  EXPECT_EQ(parse(".5"), 0);
  EXPECT_EQ(parse("32767"), 32767);
  EXPECT_EQ(parse("-32768"), -32768);
  for (const char* text : {"", "   ", "abc", "99999", "32767.5", "-32769", "1 000", "1,5", "12a", "--1",
                           "123456789012345678901234567890"})
    EXPECT_FALSE(parse(text)) << text;
}

TEST(PeriodToTime, TakesTheFirstWordOfAPeriodEntry) {
  EXPECT_EQ(PeriodToTime("15 Mins"), "0:15");
  EXPECT_EQ(PeriodToTime("45 Mins"), "0:45");
  EXPECT_EQ(PeriodToTime("60 Mins"), "1:00");
  EXPECT_EQ(PeriodToTime("150 Mins"), "2:30");
  EXPECT_EQ(PeriodToTime("180 Mins"), "3:00");
  EXPECT_EQ(PeriodToTime("15"), "0:15");
  for (const char* text : {"15Mins", " 15 Mins", "75 Mins", "", "2 hours", "015 Mins"})
    EXPECT_EQ(PeriodToTime(text), "") << text;
}

TEST(NormaliseTime, WrapsHoursPastMidnightOnly) {
  EXPECT_EQ(NormaliseTime("23:59"), "23:59");
  EXPECT_EQ(NormaliseTime("10:5"), "10:5");
  EXPECT_EQ(NormaliseTime("24:0"), "0:0");
  EXPECT_EQ(NormaliseTime("24:15"), "0:15");
  EXPECT_EQ(NormaliseTime("27:44"), "3:44");
}

TEST(TimeTexts, ClockAndDateTextsHaveTwoDigitsAndTheRegionalSeparator) {
  const platform::DateTime t{2002, 6, 9, 7, 5, 59};
  EXPECT_EQ(ClockText(t), "07:05");
  EXPECT_EQ(DateText(t, "/"), "09/06/02");
  EXPECT_EQ(DateText(t, "."), "09.06.02");
  EXPECT_EQ(DateText({2100, 12, 31}, "-"), "31-12-00");
}

TEST(TimeTexts, TwoDigitTimeRewritesOnlyTimesOfDay) {
  EXPECT_EQ(TwoDigitTime("9:05"), "09:05");
  EXPECT_EQ(TwoDigitTime("0:0"), "00:00");
  EXPECT_EQ(TwoDigitTime("23:59"), "23:59");
  for (const char* text : {"", "__:__", "24:00", "7", "1:2:3", "ab:cd"}) EXPECT_EQ(TwoDigitTime(text), text);
}

TEST(TimeTexts, SplitTimeNeedsAColonAndReadsWhatIsNumeric) {
  TimeParts p;
  EXPECT_TRUE(SplitTime("1:30", p));
  EXPECT_EQ(p.hours, 1);
  EXPECT_EQ(p.minutes, 30);
  EXPECT_TRUE(SplitTime("__:7_", p));
  EXPECT_EQ(p.hours, 0);
  EXPECT_EQ(p.minutes, 7);
  EXPECT_FALSE(SplitTime("", p));
  EXPECT_FALSE(SplitTime("90", p));
}

TEST(ValidateTime, FillsPlaceholdersWritesBackAndChecksTheTime) {
  platform::FormDef def;
  platform::ControlDef box;
  box.name = "mskTime";
  box.kind = platform::ControlKind::MaskedEdit;
  def.controls.push_back(box);
  platform::FormModel form(def);
  fakes::Journal journal;
  fakes::FakeMessageBoxes boxes(journal);
  auto check = [&](const std::string& typed) {
    form.SetText("mskTime", typed);
    return ValidateTime(form, "mskTime", boxes, "Vesperkit");
  };
  EXPECT_EQ(check("__:__"), kTrue);
  EXPECT_EQ(form.Get("mskTime").text, "00:00");
  EXPECT_EQ(check("2_:7_"), kFalse);
  EXPECT_EQ(form.Get("mskTime").text, "20:70");
  EXPECT_EQ(check("23:59"), kTrue);
  EXPECT_EQ(check("24:00"), kFalse);
  EXPECT_EQ(check("1_:3_"), kTrue);
  EXPECT_EQ(form.Get("mskTime").text, "10:30");
  EXPECT_TRUE(boxes.shown.empty());

  EXPECT_EQ(ValidateTime(form, "mskMissing", boxes, "Vesperkit"), kFalse);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "Error Validating Time");
  EXPECT_EQ(boxes.shown[0].title, "Vesperkit");
  EXPECT_EQ(boxes.shown[0].style, platform::kMbOk);
}

}  // namespace
}  // namespace vk::schedule
