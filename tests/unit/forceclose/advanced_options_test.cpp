// The Advanced Options dialog and the application picker, opened modally as
// the Set Sleep Time dialog opens them and played by scripts, on an in-memory
// registry and "Files.dat". A restart is what a fresh read of both gives.
#include "forceclose/frm_advanced.h"

#include <gtest/gtest.h>

#include "fakes/test_world.h"
#include "forceclose/force_list.h"
#include "platform/text.h"
#include "schedule/schedule_settings.h"

namespace vk::forceclose {
namespace {

using fakes::FakeFormHost;
using Strings = std::vector<std::string>;
using Script = std::function<void(FakeFormHost&)>;

// Each entry's path, " (off)" after an unchecked one.
std::string Paths(const AppEntryList& entries) {
  std::string paths;
  for (const AppEntry& e : entries) paths += " " + platform::TrimBlanks(e.FilePath) + (e.Checked ? "" : " (off)");
  return paths;
}

// The picker on a folder of one file.
Script Picker(const std::string& folder, const std::string& file, const Script& then) {
  return [=](FakeFormHost& picker) {
    picker.Model().SetPath("File1", folder);
    picker.Model().SetItems("File1", {file});
    then(picker);
  };
}

struct World {
  World(VbBool force, VbBool forceApp, const Strings& paths) {
    w.shell.SetTitle("Vesperkit");
    values.ForceShutdown = force;
    values.ForceAppClose = forceApp;
    for (const std::string& path : paths) entries.push_back(MakeAppEntry(path));
    SaveAppList(w.files, entries);
    w.journal.entries.clear();
  }
  // `advanced` plays the user in the dialog, `picker` in each picker it opens;
  // gives what the dialog showed when its script ended.
  std::string Open(const Script& advanced, const Script& picker = {}) {
    std::string shown;
    w.forms.onModal = [&](FakeFormHost& form) {
      if (form.Def().name != "FrmAdvanced") return picker(form);
      advanced(form);
      const platform::FormModel& m = form.Model();
      const platform::ControlState& list = m.Get("lstApps");
      shown = std::to_string(m.Get("chkForce").value) + std::to_string(m.Get("chkForceApp").value) +
              (list.enabled ? "L" : "l") + (m.Get("cmdDel").enabled ? "D" : "d");
      for (std::size_t i = 0; i < list.items.size(); ++i) shown += " " + list.items[i] + (list.checks[i] ? "*" : "");
    };
    ShowAdvancedOptions({{w.forms, w.windows, w.shell, w.shell, w.files, entries}, values.ForceShutdown,
                         values.ForceAppClose, [this] { schedule::SaveForceSettings(store, values); }},
                        0x777);
    return shown;
  }
  // "Force", "ForceList" and "Files.dat" as a restart reads them ("-": not saved).
  std::string Saved() {
    AppEntryList loaded;
    LoadAppList(w.files, loaded);
    return store.GetSetting("Settings", "Force", "-") + " " + store.GetSetting("Settings", "ForceList", "-") + Paths(loaded);
  }
  // The journal, a "W" for the warning.
  std::string Journal() {
    std::string journal;
    for (const std::string& e : w.journal.entries)
      journal += (e.ends_with("Use with caution!") ? "W" : e.starts_with("MessageBox") ? e.substr(0, 80) : e) + "|";
    return journal;
  }

  fakes::TestWorld w;
  schedule::ScheduleValues values;
  AppEntryList entries;
  persistence::CRegSettings store{w.registry, w.state.gLogErr};
};

TEST(AdvancedOptions, PlaysTheUsersStories) {
  const Strings one = {"C:\\Tools\\app.exe"}, three = {"C:\\a.exe", "C:\\b.exe", "C:\\c.exe"};
  auto click = [](Strings controls) {
    return [=](FakeFormHost& f) {
      for (const std::string& c : controls) EXPECT_TRUE(c.starts_with("sel") ? f.UserChoose("lstApps", c[3] - '0') : f.UserClick(c)) << c;
    };
  };
  const Script pickFirst = [](FakeFormHost& p) { EXPECT_TRUE(p.UserDoubleClick("File1", 0)); };
  const std::string topMost = "Load FrmAdvanced|SetWindowPos -1 3|Show FrmAdvanced 1911|";
  const std::string unload = "SetWindowPos -2 3|";
  const std::string picker = "Load FrmAppList|SetWindowPos -1 3|Show FrmAppList 4096|";
  const std::string warning = "MessageBox Vesperkit 4112: Enabling this option will force the system to shutdown.\r";
  struct Row {
    const char* name;
    VbBool force, forceApp;
    Strings paths;
    Script advanced, picker = {};
    std::string shown, now, saved, journal;  // the dialog, the values and entries, the store, the journal
  };
  const Row rows[] = {
      {"opened with neither flag, OK writes nothing", kFalse, kFalse, one, click({"CmdOK"}), {}, "00lD app.exe*",
       "0 0 C:\\Tools\\app.exe", "- - C:\\Tools\\app.exe", topMost + unload},
      {"opened with Force", kTrue, kFalse, one, click({"CmdOK"}), {}, "10lD app.exe*", "-1 0 C:\\Tools\\app.exe",
       "- - C:\\Tools\\app.exe", topMost + unload},
      {"opened with ForceList", kFalse, kTrue, one, click({"CmdOK"}), {}, "01LD app.exe*", "0 -1 C:\\Tools\\app.exe",
       "- - C:\\Tools\\app.exe", topMost + unload},
      {"opened with both", kTrue, kTrue, one, click({"CmdOK"}), {}, "11LD app.exe*", "-1 -1 C:\\Tools\\app.exe",
       "- - C:\\Tools\\app.exe", topMost + unload},
      {"checking ForceList clears Force with one warning", kTrue, kFalse, one, click({"chkForceApp", "CmdOK"}), {},
       "01LD app.exe*", "0 -1 C:\\Tools\\app.exe", "False True C:\\Tools\\app.exe", topMost + "W|" + unload},
      {"checking Force clears ForceList with one warning", kFalse, kTrue, one, click({"chkForce", "CmdOK"}), {},
       "10lD app.exe*", "-1 0 C:\\Tools\\app.exe", "True False C:\\Tools\\app.exe", topMost + "W|" + unload},
      {"unchecking says nothing", kTrue, kFalse, one, click({"chkForce", "CmdOK"}), {}, "00lD app.exe*",
       "0 0 C:\\Tools\\app.exe", "False False C:\\Tools\\app.exe", topMost + unload},
      {"unchecking ForceList says nothing", kFalse, kTrue, one, click({"chkForceApp", "CmdOK"}), {}, "00lD app.exe*",
       "0 0 C:\\Tools\\app.exe", "False False C:\\Tools\\app.exe", topMost + unload},
      {"Cancel after changes keeps them in memory only", kFalse, kFalse, {"C:\\a\\one.exe", "C:\\b\\two.exe"},
       [](FakeFormHost& f) {
         f.UserClick("chkForceApp");
         f.UserCheckItem("lstApps", 0);
         f.UserClick("cmdAdd");
         f.UserClick("CmdCancel");
       },
       Picker("D:\\New", "new.exe", pickFirst), "01LD one.exe two.exe* new.exe*",
       "0 -1 C:\\a\\one.exe (off) C:\\b\\two.exe D:\\New\\new.exe", "- - C:\\a\\one.exe C:\\b\\two.exe",
       topMost + "W|" + picker + unload + unload},
      {"add then cancel the picker counts as a change", kFalse, kTrue, one, click({"cmdAdd", "CmdOK"}),
       click({"CmdCancel"}), "01LD app.exe*", "0 -1 C:\\Tools\\app.exe", "False True C:\\Tools\\app.exe",
       topMost + picker + unload + unload},
      {"delete in a one-entry list without a selection empties it", kFalse, kTrue, one, click({"cmdDel", "CmdOK"}), {},
       "01ld Empty", "0 -1", "False True", topMost + unload},
      {"delete the middle of three", kFalse, kTrue, three, click({"sel1", "cmdDel"}), {}, "01LD a.exe* c.exe*",
       "0 -1 C:\\a.exe C:\\c.exe", "- - C:\\a.exe C:\\b.exe C:\\c.exe", topMost},
      {"delete without a selection in a longer list deletes nothing", kFalse, kTrue, three, click({"cmdDel"}), {},
       "01LD a.exe* b.exe* c.exe*", "0 -1 C:\\a.exe C:\\b.exe C:\\c.exe", "- - C:\\a.exe C:\\b.exe C:\\c.exe", topMost},
      {"OK in the picker without a file appends nothing and stays open", kFalse, kTrue, one, click({"cmdAdd"}),
       Picker("C:\\Windows", "notepad.exe", click({"CmdOK"})), "01LD app.exe*", "0 -1 C:\\Tools\\app.exe",
       "- - C:\\Tools\\app.exe", topMost + picker},
      {"picked in a drive root", kFalse, kTrue, one, click({"cmdAdd"}),
       Picker("C:\\", "new.exe", [](FakeFormHost& p) { EXPECT_TRUE(p.UserChoose("File1", 0) && p.UserClick("CmdOK")); }),
       "01LD app.exe* new.exe*", "0 -1 C:\\Tools\\app.exe C:\\new.exe", "- - C:\\Tools\\app.exe",
       topMost + picker + unload},
      {"a path of 100 characters is kept whole", kFalse, kTrue, one, click({"cmdAdd"}),
       Picker("C:\\" + std::string(91, 'f'), "a.exe", pickFirst), "01LD app.exe* a.exe*",
       "0 -1 C:\\Tools\\app.exe C:\\" + std::string(91, 'f') + "\\a.exe", "- - C:\\Tools\\app.exe",
       topMost + picker + unload},
      {"and one of 101 refused", kFalse, kTrue, one, click({"cmdAdd"}),
       Picker("C:\\" + std::string(91, 'f'), "ab.exe", pickFirst), "01LD app.exe*", "0 -1 C:\\Tools\\app.exe",
       "- - C:\\Tools\\app.exe",
       topMost + picker + "MessageBox Vesperkit 48: The list of programs to close holds paths of up to 100 |"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    World x(row.force, row.forceApp, row.paths);
    x.store.DeleteSetting("Settings", "");
    EXPECT_EQ(x.Open(row.advanced, row.picker), row.shown);
    EXPECT_EQ(std::to_string(x.values.ForceShutdown) + " " + std::to_string(x.values.ForceAppClose) + Paths(x.entries),
              row.now);
    EXPECT_EQ(x.Saved(), row.saved);
    EXPECT_EQ(x.Journal(), row.journal);
  }
}

TEST(AdvancedOptions, ListShowsFileNamesWithTheirMarksAndScrollsAsFarAsTheWidestName) {
  World x(kFalse, kTrue, {"C:\\Tools\\medium.exe", "D:\\x\\the-widest-one.exe", "bare name.exe", "C:\\z.exe"});
  x.entries[1].Checked = kFalse;
  x.entries[2].Checked = 1;  // only -1 is closed, so only -1 shows a mark
  x.Open([&](FakeFormHost& form) {
    EXPECT_EQ(form.Model().Get("lstApps").horizontalExtent, form.TextWidth("the-widest-one.exe  "));
    for (int i : {1, 2, 3}) form.UserCheckItem("lstApps", i);
  });
  EXPECT_EQ(Paths(x.entries), " C:\\Tools\\medium.exe D:\\x\\the-widest-one.exe bare name.exe C:\\z.exe (off)");
  EXPECT_EQ(x.entries[2].Checked, kTrue);
}

TEST(AppPicker, ADriveWithoutAMediumLeavesTheListsWhereTheyWere) {
  for (bool readable : {true, false}) {
    SCOPED_TRACE(readable);
    World x(kFalse, kFalse, {});
    if (readable) x.w.files.driveFolders["d:"] = "D:\\Games";
    x.Open([](FakeFormHost& form) { form.UserClick("cmdAdd"); },
           [&](FakeFormHost& picker) {
             platform::FormModel& m = picker.Model();
             m.SetItems("Drive1", {"c:", "d:"});
             m.SetListIndex("Drive1", 0);
             m.SetPath("Dir1", "C:\\Tools");
             m.SetPath("File1", "C:\\Tools");
             EXPECT_TRUE(picker.UserChoose("Drive1", 1));
             const std::string folder = readable ? "D:\\Games" : "C:\\Tools";
             EXPECT_EQ(std::tuple(m.Get("Drive1").path, m.Get("Dir1").path, m.Get("File1").path),
                       std::tuple(readable ? "d:" : "C:", folder, folder));
             m.SetFolderLines("Dir1", {{"C:\\", "C:\\"}, {"  Tools", "C:\\Tools"}}, 1);
             picker.UserDoubleClick("Dir1", 0);
             EXPECT_EQ(m.Get("File1").path, "C:\\") << "a folder opened in the tree is shown in the file list";
           });
    EXPECT_TRUE(x.w.journal.With("MessageBox").empty());
  }
}

}  // namespace
}  // namespace vk::forceclose
