// The schedule values' registry side.
#include "schedule/schedule_settings.h"

#include <gtest/gtest.h>

#include "fakes/test_world.h"

namespace vk::schedule {
namespace {

using namespace std::string_literals;

constexpr const char* kSettingsPath = "Software\\Quillfield Systems Ltd\\Vesperkit\\Settings";

// "DayTime CancelTime Mode Force ForceList" as numbers.
std::string Read(const ScheduleValues& v) {
  return std::to_string(v.DayTime) + " " + std::to_string(v.CancelTime) + " " + std::to_string(v.Mode) + " " +
         std::to_string(v.ForceShutdown) + " " + std::to_string(v.ForceAppClose);
}

TEST(ScheduleSettings, StoredTextsConvertByTheTextRulesOrReadAsTheDefaultAndAreLogged) {
  const struct {
    const char *name, *text, *read;
    bool logged;
  } rows[] = {
      {"", "", "0 30 0 0 0", false},  // an empty store: the defaults, and nothing written
      {"DayTime", "true", "-1 30 0 0 0", false},      {"DayTime", "", "0 30 0 0 0", true},
      {"CancelTime", " 12.5 ", "0 12 0 0 0", false},  {"CancelTime", "99999", "0 30 0 0 0", true},
      {"Force", "1", "0 30 0 -1 0", false},           {"Force", "yes", "0 30 0 0 0", true},
      {"ForceList", "2", "0 30 0 0 -1", false},       {"Mode", "70000", "0 30 70000 0 0", false},
      {"Mode", "99999999999", "0 30 0 0 0", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name + "="s + row.text);
    fakes::TestWorld w;
    persistence::CRegSettings store{w.registry, w.state.gLogErr};
    w.state.gLogErr->Init({.bAppend = kFalse});
    if (*row.name) w.registry.Put(kSettingsPath, row.name, row.text + "\0"s);
    ScheduleValues values;
    values.CancelTime = 99;
    values.Mode = 2;
    values.DayTime = values.ForceShutdown = values.ForceAppClose = kTrue;
    ReadSavedSettings(store, w.state.gLogErr, values);
    EXPECT_EQ(Read(values), row.read);
    const std::string line = "\t8\tError converting setting:\tSettings\t"s + row.name + "\t" + row.text + "\t\r\n";
    EXPECT_EQ(w.files.files["C:\\Program Files\\Vesperkit\\vesperkit.txt"].bytes.find(line) != std::string::npos,
              row.logged);
    EXPECT_EQ(w.registry.Find(kSettingsPath) != nullptr, *row.name != '\0');
  }
}

TEST(ScheduleSettings, SaveWritesItsValuesForceFirstAndReadBackRestoresOnlyTheThreeOfTheDialog) {
  fakes::TestWorld w;
  persistence::CRegSettings store{w.registry, w.state.gLogErr};
  ScheduleValues values;
  values.DayTime = values.ForceAppClose = kTrue;
  values.CancelTime = 45;
  values.Mode = 1;
  SaveForceSettings(store, values);
  SaveSettings(store, values);
  std::string saved;
  for (const auto& v : *w.registry.Find(kSettingsPath)) saved += v.name + "=" + v.bytes.c_str() + " ";
  EXPECT_EQ(saved, "Force=False ForceList=True DayTime=True CancelTime=45 Mode=1 ");

  ScheduleValues edited;
  edited.ForceShutdown = kTrue;  // not read back
  ReadBackSettings(store, w.state.gLogErr, edited);
  EXPECT_EQ(Read(edited), "-1 45 1 -1 0");
  EXPECT_EQ(w.registry.OpenKeys(), 0);
}

}  // namespace
}  // namespace vk::schedule
