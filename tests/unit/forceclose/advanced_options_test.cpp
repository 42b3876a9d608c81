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

constexpr WindowHandle kOwner = 0x777;
const std::string kWarning =
    "Enabling this option will force the system to shutdown.\r\nThis will result in any unsaved work being lost.\r\n"
    "Use with caution!";

// Each entry's path, " (off)" after an unchecked one.
Strings Paths(const AppEntryList& entries) {
  Strings paths;
  for (const AppEntry& e : entries) paths.push_back(platform::TrimBlanks(e.FilePath) + (e.Checked ? "" : " (off)"));
  return paths;
}

struct World {
  World(VbBool force, VbBool forceApp, const Strings& paths) {
    w.shell.SetTitle("Vesperkit");
    values.ForceShutdown = force;
    values.ForceAppClose = forceApp;
    for (const std::string& path : paths) entries.push_back(MakeAppEntry(path));
  }
  // `advanced` plays the user in the dialog, `picker` in each picker it opens.
  void Open(const Script& advanced, const Script& picker = {}) {
    w.forms.onModal = [&](FakeFormHost& form) { form.Def().name == "FrmAdvanced" ? advanced(form) : picker(form); };
    ShowAdvancedOptions({{w.forms, w.windows, w.messages, w.shell, w.files, entries}, values.ForceShutdown,
                         values.ForceAppClose, [this] { schedule::SaveForceSettings(store, values); }},
                        kOwner);
  }
  // "Force", "ForceList" and "Files.dat" as a restart reads them ("-": not saved).
  Strings Saved() {
    AppEntryList loaded;
    LoadAppList(w.files, loaded);
    Strings saved = {store.GetSetting("Settings", "Force", "-"), store.GetSetting("Settings", "ForceList", "-")};
    for (const std::string& path : Paths(loaded)) saved.push_back(path);
    return saved;
  }

  fakes::TestWorld w;
  schedule::ScheduleValues values;
  AppEntryList entries;
  persistence::CRegSettings store{w.registry, w.state.gLogErr};
};

TEST(AdvancedOptions, OpensWithTheSwitchesAsTheyAreAndOkWritesNothingWhenNothingChanged) {
  for (auto [force, forceApp] : {std::pair{kFalse, kFalse}, {kTrue, kFalse}, {kFalse, kTrue}, {kTrue, kTrue}}) {
    SCOPED_TRACE(std::to_string(force) + " " + std::to_string(forceApp));
    World x(force, forceApp, {"C:\\Tools\\app.exe"});
    x.Open([&](FakeFormHost& form) {
      EXPECT_EQ(form.Owner(), kOwner);
      const platform::FormModel& m = form.Model();
      EXPECT_EQ(std::tuple(m.Get("chkForce").value, m.Get("chkForceApp").value, m.Get("lstApps").enabled),
                std::tuple(force ? 1 : 0, forceApp ? 1 : 0, forceApp == kTrue));
      EXPECT_TRUE(form.UserClick("CmdOK") && form.Unloaded());
    });
    EXPECT_EQ(x.Saved(), (Strings{"-", "-"}));
    EXPECT_TRUE(x.w.messages.shown.empty());
    ASSERT_EQ(x.w.windows.topMostCalls.size(), 2u);
    EXPECT_EQ(x.w.windows.topMostCalls[0].insertAfter, platform::kHwndTopMost);
    EXPECT_EQ(x.w.windows.topMostCalls[1].insertAfter, platform::kHwndNoTopMost);
  }
}

TEST(AdvancedOptions, CheckingOneSwitchWarnsOnceAndClearsTheOtherUncheckingSaysNothing) {
  struct Case {
    VbBool force, forceApp;
    Strings paths, clicks;
    VbBool forceAfter, forceAppAfter;
    size_t warnings;
  };
  const Strings one = {"C:\\Tools\\app.exe"};
  for (const Case& c : {Case{kTrue, kFalse, one, {"chkForceApp"}, kFalse, kTrue, 1},
                        Case{kFalse, kTrue, one, {"chkForce"}, kTrue, kFalse, 1},
                        Case{kTrue, kFalse, one, {"chkForce"}, kFalse, kFalse, 0},
                        Case{kFalse, kTrue, one, {"chkForceApp"}, kFalse, kFalse, 0},
                        // An empty list ("Empty") leaves the boxes working.
                        Case{kFalse, kFalse, {}, {"chkForceApp", "chkForceApp", "chkForce"}, kTrue, kFalse, 2}}) {
    SCOPED_TRACE(c.clicks[0] + " from " + std::to_string(c.force) + " " + std::to_string(c.forceApp));
    World x(c.force, c.forceApp, c.paths);
    x.Open([&](FakeFormHost& form) {
      for (const std::string& box : c.clicks) EXPECT_TRUE(form.UserClick(box)) << box;
      const platform::FormModel& m = form.Model();
      EXPECT_EQ(std::tuple(m.Get("chkForce").value, m.Get("chkForceApp").value, m.Get("lstApps").enabled),
                std::tuple(c.forceAfter ? 1 : 0, c.forceAppAfter ? 1 : 0, c.forceAppAfter && !c.paths.empty()));
      EXPECT_EQ(m.Get("lstApps").items, c.paths.empty() ? Strings{"Empty"} : Strings{"app.exe"});
      form.UserClick("CmdOK");
    });
    EXPECT_EQ(std::pair(x.values.ForceShutdown, x.values.ForceAppClose), std::pair(c.forceAfter, c.forceAppAfter));
    ASSERT_EQ(x.w.messages.shown.size(), c.warnings);
    for (const fakes::ShownMessage& m : x.w.messages.shown)
      EXPECT_EQ(std::tuple(m.text, m.title, m.style), std::tuple(kWarning, "Vesperkit", 0x1010u));
    EXPECT_EQ(x.Saved()[0], c.forceAfter ? "True" : "False") << "a change is saved on OK";
  }
}

// Changes are in effect at once; OK saves them, Cancel leaves the saved state,
// and a visit to the picker counts as a change even when it adds nothing.
TEST(AdvancedOptions, OkSavesWhatChangedCancelKeepsItForThisRunOnly) {
  struct Case {
    const char* button;
    bool picks;
    Strings now, saved;
  };
  const Strings before = {"C:\\a\\one.exe", "C:\\b\\two.exe"};
  const Strings changed = {"C:\\a\\one.exe (off)", "C:\\b\\two.exe", "D:\\New\\new.exe"};
  for (const Case& c : {Case{"CmdOK", true, changed, {"False", "True", changed[0], changed[1], changed[2]}},
                        Case{"CmdCancel", true, changed, {"False", "-", before[0], before[1]}},
                        Case{"CmdOK", false, {before[0] + " (off)", before[1]}, {"False", "True", changed[0], changed[1]}}}) {
    SCOPED_TRACE(std::string(c.button) + (c.picks ? " after picking" : " after cancelling the picker"));
    World x(kFalse, kFalse, before);
    x.store.SaveSetting("Settings", "Force", "False");
    SaveAppList(x.w.files, x.entries);
    x.Open(
        [&](FakeFormHost& form) {
          form.UserClick("chkForceApp");
          form.UserCheckItem("lstApps", 0);
          form.UserClick("cmdAdd");
          EXPECT_EQ(form.Model().Get("lstApps").items.size(), c.now.size());
          form.UserClick(c.button);
        },
        [&](FakeFormHost& picker) {
          picker.Model().SetPath("File1", "D:\\New");
          picker.Model().SetItems("File1", {"new.exe"});
          EXPECT_TRUE(c.picks ? picker.UserDoubleClick("File1", 0) : picker.UserClick("CmdCancel"));
        });
    EXPECT_EQ(Paths(x.entries), c.now);
    EXPECT_EQ(x.values.ForceAppClose, kTrue);
    EXPECT_EQ(x.Saved(), c.saved);
  }
}

TEST(AdvancedOptions, DeleteRemovesTheSelectedEntryOrWithOneEntryEmptiesTheList) {
  struct Case {
    Strings paths;
    int selected;
    Strings after, shown;
  };
  for (const Case& c : {Case{{"C:\\a.exe"}, -1, {}, {"Empty"}},
                        Case{{"C:\\a.exe", "C:\\b.exe", "C:\\c.exe"}, 1, {"C:\\a.exe", "C:\\c.exe"}, {"a.exe", "c.exe"}},
                        Case{{"C:\\a.exe", "C:\\b.exe"}, -1, {"C:\\a.exe", "C:\\b.exe"}, {"a.exe", "b.exe"}}}) {
    SCOPED_TRACE(c.paths.size());
    World x(kFalse, kTrue, c.paths);
    x.Open([&](FakeFormHost& form) {
      if (c.selected >= 0) form.UserChoose("lstApps", c.selected);
      EXPECT_TRUE(form.UserClick("cmdDel"));
      const platform::FormModel& m = form.Model();
      EXPECT_EQ(m.Get("lstApps").items, c.shown);
      EXPECT_EQ(std::pair(m.Get("cmdDel").enabled, m.Get("lstApps").enabled), std::pair(!c.after.empty(), !c.after.empty()));
    });
    EXPECT_EQ(Paths(x.entries), c.after);
  }
}

TEST(AdvancedOptions, ListShowsFileNamesWithTheirMarksAndScrollsAsFarAsTheWidestName) {
  World x(kFalse, kTrue, {"C:\\Tools\\medium.exe", "D:\\x\\the-widest-one.exe", "bare name.exe", "C:\\z.exe"});
  x.entries[1].Checked = kFalse;
  x.entries[2].Checked = 1;  // only -1 is closed, so only -1 shows a mark
  x.Open([&](FakeFormHost& form) {
    const platform::ControlState& list = form.Model().Get("lstApps");
    EXPECT_EQ(list.items, (Strings{"medium.exe", "the-widest-one.exe", "bare name.exe", "z.exe"}));
    EXPECT_EQ(list.checks, (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(list.horizontalExtent, form.TextWidth("the-widest-one.exe  "));
    for (int i : {1, 2, 3}) form.UserCheckItem("lstApps", i);
  });
  EXPECT_EQ(Paths(x.entries), (Strings{"C:\\Tools\\medium.exe", "D:\\x\\the-widest-one.exe", "bare name.exe", "C:\\z.exe (off)"}));
  EXPECT_EQ(x.entries[2].Checked, kTrue);
}

TEST(AppPicker, AppendsTheChosenFileCheckedWithOneBackslashBetweenFolderAndName) {
  const Script doubleClick = [](FakeFormHost& p) { EXPECT_TRUE(p.UserDoubleClick("File1", 0)); };
  const Script chooseAndOk = [](FakeFormHost& p) { EXPECT_TRUE(p.UserChoose("File1", 0) && p.UserClick("CmdOK")); };
  const std::string name97 = std::string(93, 'n') + ".exe";
  const std::string folder94 = "C:\\" + std::string(91, 'f');
  struct Case {
    std::string folder, file;
    Script act;
    std::string appended;  // empty: nothing, and the picker stays open
  };
  for (const Case& c : {Case{"C:\\Windows", "notepad.exe", doubleClick, "C:\\Windows\\notepad.exe"},
                        Case{"C:\\", "app.exe", chooseAndOk, "C:\\app.exe"},
                        Case{"C:\\", name97, doubleClick, "C:\\" + name97},  // 100 once the root's "\\" is one
                        Case{folder94, "a.exe", doubleClick, folder94 + "\\a.exe"},
                        Case{folder94, "ab.exe", doubleClick, ""},
                        Case{"C:\\Windows", "notepad.exe", [](FakeFormHost& p) { p.UserClick("CmdOK"); }, ""}}) {
    SCOPED_TRACE(c.folder + " " + c.file);
    World x(kFalse, kTrue, {"C:\\old.exe"});
    bool closed = false;
    x.Open([](FakeFormHost& form) { form.UserClick("cmdAdd"); },
           [&](FakeFormHost& picker) {
             picker.Model().SetPath("File1", c.folder);
             picker.Model().SetItems("File1", {c.file});
             c.act(picker);
             closed = picker.Unloaded();
           });
    EXPECT_EQ(Paths(x.entries), (c.appended.empty() ? Strings{"C:\\old.exe"} : Strings{"C:\\old.exe", c.appended}));
    EXPECT_EQ(closed, !c.appended.empty());
    const std::string refused = "The list of programs to close holds paths of up to 100 characters; this one has 101:\r\n";
    Strings messages;
    for (const fakes::ShownMessage& m : x.w.messages.shown) messages.push_back(m.title + ": " + m.text);
    EXPECT_EQ(messages, c.file == "ab.exe" ? Strings{"Vesperkit: " + refused + folder94 + "\\ab.exe"} : Strings{});
  }
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
             EXPECT_EQ(m.Get("Drive1").path, readable ? "d:" : "C:");
             EXPECT_EQ(std::pair(m.Get("Dir1").path, m.Get("File1").path), std::pair(folder, folder));
             m.SetFolderLines("Dir1", {{"C:\\", "C:\\"}, {"  Tools", "C:\\Tools"}}, 1);
             picker.UserDoubleClick("Dir1", 0);
             EXPECT_EQ(m.Get("File1").path, "C:\\") << "a folder opened in the tree is shown in the file list";
           });
    EXPECT_TRUE(x.w.messages.shown.empty());
  }
}

}  // namespace
}  // namespace vk::forceclose
