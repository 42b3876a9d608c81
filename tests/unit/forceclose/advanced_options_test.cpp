// The Advanced Options dialog and the application picker, opened modally as
// the Set Sleep Time dialog opens them and played by scripts, on an in-memory
// registry and "Files.dat". A restart is what a fresh read of both gives.
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

#include "fakes/test_world.h"
#include "forceclose/force_list.h"
#include "forceclose/frm_advanced.h"
#include "platform/text.h"
#include "schedule/schedule_settings.h"

namespace vk::forceclose {
namespace {

using fakes::FakeFormHost;
using Script = std::function<void(FakeFormHost&)>;

// Each entry's path, " (off)" after an unchecked one.
std::string Paths(const AppEntryList& entries) {
  std::string paths;
  for (const AppEntry& e : entries) paths += " " + platform::TrimBlanks(e.FilePath) + (e.Checked ? "" : " (off)");
  return paths;
}

// Clicks the controls in turn; "list=n" chooses entry n of the list, "list+n"
// checks or unchecks it.
Script Click(const std::string& controls) {
  return [=](FakeFormHost& f) {
    std::istringstream in(controls);
    for (std::string c; in >> c;) {
      const auto at = c.find_first_of("=+");
      const int n = at == std::string::npos ? 0 : std::stoi(c.substr(at + 1));
      const std::string list = c.substr(0, at);
      EXPECT_TRUE(at == std::string::npos ? f.UserClick(c)
                  : c[at] == '='          ? f.UserChoose(list, n)
                                          : f.UserCheckItem(list, n))
          << c;
    }
  };
}
// The picker on a folder of one file.
Script Pick(const std::string& folder, const std::string& file, const Script& then) {
  return [=](FakeFormHost& picker) {
    picker.Model().SetPath("File1", folder);
    picker.Model().SetItems("File1", {file});
    then(picker);
  };
}

struct World : fakes::TestWorld {
  World(VbBool force, VbBool forceApp, const std::vector<std::string>& paths) {
    shell.SetTitle("Vesperkit");
    values.ForceShutdown = force;
    values.ForceAppClose = forceApp;
    for (const std::string& path : paths) {  // "path=n": an entry checked with n
      const std::size_t is = path.find('=');
      entries.push_back(MakeAppEntry(path.substr(0, is)));
      if (is != std::string::npos) entries.back().Checked = static_cast<VbBool>(std::stoi(path.substr(is + 1)));
    }
    SaveAppList(files, entries);
    journal.entries.clear();
  }
  // `advanced` plays the user in the dialog, `picker` in each picker it opens.
  // Gives what the dialog showed when its script ended (the list's marks and,
  // in <>, how many characters it scrolls), the switches and the entries,
  // what a restart reads ("-": not saved), and the journal.
  std::string Open(const Script& advanced, const Script& picker = {}) {
    std::string shown;
    forms.onModal = [&](FakeFormHost& form) {
      if (form.Def().name != "FrmAdvanced") return picker(form);
      advanced(form);
      const platform::FormModel& m = form.Model();
      const platform::ControlState& list = m.Get("lstApps");
      shown = std::to_string(m.Get("chkForce").value) + std::to_string(m.Get("chkForceApp").value) +
              (list.enabled ? "L" : "l") + (m.Get("cmdDel").enabled ? "D" : "d");
      for (std::size_t i = 0; i < list.items.size(); ++i) shown += " " + list.items[i] + (list.checks[i] ? "*" : "");
      shown += " <" + std::to_string(list.horizontalExtent / form.TextWidth(" ")) + ">";
    };
    ShowAdvancedOptions({{forms, windows, shell, shell, files, entries},
                         values.ForceShutdown,
                         values.ForceAppClose,
                         [this] { schedule::SaveForceSettings(store, values); }},
                        0x777);
    AppEntryList loaded;
    LoadAppList(files, loaded);
    return shown + " | " + std::to_string(values.ForceShutdown) + " " + std::to_string(values.ForceAppClose) +
           Paths(entries) + " | " + store.GetSetting("Settings", "Force", "-") + " " +
           store.GetSetting("Settings", "ForceList", "-") + Paths(loaded) + "\n" + journal.Take();
  }

  schedule::ScheduleValues values;
  AppEntryList entries;
  persistence::CRegSettings store{registry, state.gLogErr};
};

// Each row: the switches Force and ForceList, the listed paths, and what the
// user clicks in the dialog; then the script of any picker it opens.
TEST(AdvancedOptions, PlaysTheUsersStories) {
  const std::string open = "\nLoad FrmAdvanced|SetWindowPos -1 3|Show FrmAdvanced 1911|", off = "SetWindowPos -2 3|";
  const std::string picker = "Load FrmAppList|SetWindowPos -1 3|Show FrmAppList 4096|";
  const std::string warning = fakes::kForceWarning;
  const std::string saved = " | - - C:\\app.exe" + open, picked = saved + picker;
  const std::string f = "C:\\" + std::string(91, 'f');  // with "\\a.exe", 100 characters
  const Script pickFirst = [](FakeFormHost& p) { EXPECT_TRUE(p.UserDoubleClick("File1", 0)); };
  const struct {
    std::string script;
    Script picker;
    std::string outcome;
  } rows[] = {
      // Opened with each pair of switches, OK writes nothing.
      {"00 C:\\app.exe | CmdOK", {}, "00lD app.exe* <9> | 0 0 C:\\app.exe" + saved + off},
      {"10 C:\\app.exe | CmdOK", {}, "10lD app.exe* <9> | -1 0 C:\\app.exe" + saved + off},
      {"01 C:\\app.exe | CmdOK", {}, "01LD app.exe* <9> | 0 -1 C:\\app.exe" + saved + off},
      {"11 C:\\app.exe | CmdOK", {}, "11LD app.exe* <9> | -1 -1 C:\\app.exe" + saved + off},
      // Checking one switch warns once and clears the other; unchecking says nothing.
      {"10 C:\\app.exe | chkForceApp CmdOK",
       {},
       "01LD app.exe* <9> | 0 -1 C:\\app.exe | False True C:\\app.exe" + open + warning + off},
      {"01 C:\\app.exe | chkForce CmdOK",
       {},
       "10lD app.exe* <9> | -1 0 C:\\app.exe | True False C:\\app.exe" + open + warning + off},
      {"10 C:\\app.exe | chkForce CmdOK",
       {},
       "00lD app.exe* <9> | 0 0 C:\\app.exe | False False C:\\app.exe" + open + off},
      {"01 C:\\app.exe | chkForceApp CmdOK",
       {},
       "00lD app.exe* <9> | 0 0 C:\\app.exe | False False C:\\app.exe" + open + off},
      // Cancel keeps the changes for this run only; a picker cancelled counts as a change.
      {"00 C:\\a\\one.exe C:\\b\\two.exe | chkForceApp lstApps+0 cmdAdd CmdCancel",
       Pick("D:\\New", "new.exe", pickFirst),
       "01LD one.exe two.exe* new.exe* <9> | 0 -1 C:\\a\\one.exe (off) C:\\b\\two.exe D:\\New\\new.exe | - - "
       "C:\\a\\one.exe C:\\b\\two.exe" +
           open + warning + picker + off + off},
      {"01 C:\\app.exe | cmdAdd CmdOK", Click("CmdCancel"),
       "01LD app.exe* <9> | 0 -1 C:\\app.exe | False True C:\\app.exe" + open + picker + off + off},
      // Delete: with one entry whatever is selected, with more only the selected one.
      {"01 C:\\app.exe | cmdDel CmdOK", {}, "01ld Empty <0> | 0 -1 | False True" + open + off},
      {"01 C:\\a.exe C:\\b.exe C:\\c.exe | lstApps=1 cmdDel",
       {},
       "01LD a.exe* c.exe* <7> | 0 -1 C:\\a.exe C:\\c.exe | - - C:\\a.exe C:\\b.exe C:\\c.exe" + open},
      {"01 C:\\a.exe C:\\b.exe C:\\c.exe | cmdDel",
       {},
       "01LD a.exe* b.exe* c.exe* <7> | 0 -1 C:\\a.exe C:\\b.exe C:\\c.exe | - - C:\\a.exe C:\\b.exe C:\\c.exe" + open},
      // Only entries checked with -1 show a mark; the list scrolls as far as the widest name.
      {"01 C:\\medium.exe D:\\x\\the-widest-one.exe=0 bare.exe=1 C:\\z.exe | lstApps+1 lstApps+2 lstApps+3",
       {},
       "01LD medium.exe* the-widest-one.exe* bare.exe* z.exe <20> | 0 -1 C:\\medium.exe D:\\x\\the-widest-one.exe "
       "bare.exe C:\\z.exe (off) | - - C:\\medium.exe D:\\x\\the-widest-one.exe (off) bare.exe C:\\z.exe" +
           open},
      // The picker: OK without a file appends nothing and stays open; a path is
      // joined in a drive root and in a folder, and kept whole up to 100 characters.
      {"01 C:\\app.exe | cmdAdd", Pick("C:\\Windows", "notepad.exe", Click("CmdOK")),
       "01LD app.exe* <9> | 0 -1 C:\\app.exe" + picked},
      {"01 C:\\app.exe | cmdAdd", Pick("C:\\", "new.exe", Click("File1=0 CmdOK")),
       "01LD app.exe* new.exe* <9> | 0 -1 C:\\app.exe C:\\new.exe" + picked + off},
      {"01 C:\\app.exe | cmdAdd", Pick(f, "a.exe", pickFirst),
       "01LD app.exe* a.exe* <9> | 0 -1 C:\\app.exe " + f + "\\a.exe" + picked + off},
      {"01 C:\\app.exe | cmdAdd", Pick(f, "ab.exe", pickFirst),
       "01LD app.exe* <9> | 0 -1 C:\\app.exe" + picked +
           "MessageBox Vesperkit 48: The list of programs to close holds "
           "paths of up to 100 characters; this one has 101:\r\n" +
           f + "\\ab.exe|"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.script);
    std::istringstream start(row.script.substr(3, row.script.find(" | ") - 3));
    std::vector<std::string> paths{std::istream_iterator<std::string>(start), {}};
    World world(-(row.script[0] - '0'), -(row.script[1] - '0'), paths);
    EXPECT_EQ(world.Open(Click(row.script.substr(row.script.find(" | ") + 3)), row.picker), row.outcome);
  }
}

TEST(AppPicker, ADriveWithoutAMediumLeavesTheListsWhereTheyWere) {
  for (bool readable : {true, false}) {
    World x(kFalse, kFalse, {});
    if (readable) x.files.driveFolders["d:"] = "D:\\Games";
    x.Open(Click("cmdAdd"), [&](FakeFormHost& picker) {
      platform::FormModel& m = picker.Model();
      m.SetItems("Drive1", {"c:", "d:"});
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
  }
}

}  // namespace
}  // namespace vk::forceclose
