// The About box from the tray menu and the registry reads behind System Info
// (strings and DWORDs of up to 1024 bytes).
#include <gtest/gtest.h>

#include "app/startup.h"
#include "fakes/test_world.h"

namespace vk::ui {
namespace {

using fakes::FakeFormHost;
using namespace std::string_literals;

// The tray's About item in a started program; gives the newest box.
FakeFormHost& Open(fakes::TestWorld& w) {
  if (!w.state.gFrmMain) app::Startup(w.state);
  w.Main().Click("mnuAbout");
  return *w.forms.Find("frmAbout");
}

TEST(About, ShowsTitleAndVersionModelessAndSeveralBoxesCloseEachOnItsOwn) {
  fakes::TestWorld w;
  w.state.LastMenuDefault = app::kDefaultTimerStart;
  FakeFormHost& first = Open(w);
  const platform::FormModel& m = first.Model();
  EXPECT_EQ(std::tuple(m.Caption(), m.Get("lblTitle").text, m.Get("lblVersion").text, first.Visible()),
            std::tuple("About Vesperkit", "Vesperkit", "Version 1.0.1", true));
  FakeFormHost& second = Open(w);
  FakeFormHost& third = Open(w);
  EXPECT_EQ(std::tuple(w.state.aboutBoxes.OpenCount(), w.forms.modalStack.size()), std::tuple(3, 0u));
  w.state.MenuDefault = app::kDefaultTimerStop;
  EXPECT_TRUE(second.PressEscape() && second.Unloaded() && !first.Unloaded());
  EXPECT_EQ(w.state.MenuDefault, app::kDefaultTimerStart) << "the menu gets its default back";
  EXPECT_TRUE(first.PressEnter());
  third.CloseFrame();
  EXPECT_EQ(w.state.aboutBoxes.OpenCount(), 0);
}

// Each row: the PATH value (its bytes and type; "-" no key, "?" no value),
// whether the MSINFO location is stored, the tool there (and whether hidden),
// and whether it starts.
TEST(About, SysInfoStartsTheToolFromTheRegistryOrSaysItIsUnavailable) {
  const std::string found = "Start C:\\Shared\\MSInfo\\MSINFO32.EXE|", x1024(1024, 'x');
  const std::string unavailable = "MessageBox Vesperkit 0: System Information Is Unavailable At This Time|";
  const auto sz = platform::kRegSz;
  const struct {
    std::string path;
    std::uint32_t type;
    bool location, tool, hidden, starts;
    std::string journal;
  } cases[] = {
      {"C:\\msinfo32.exe\0"s, sz, true, true, false, true, "Start C:\\msinfo32.exe|"},
      {"no NUL", sz, false, false, false, true, "Start no NUL|"},
      {x1024, sz, false, false, false, true, "Start " + x1024 + "|"},
      {x1024 + "x", sz, true, true, false, true, found},  // too long to read: the location is asked
      {"\x05\x01\0\x80"s, platform::kRegDword, false, false, false, true, "Start 2147483909|"},
      {"xyz", platform::kRegBinary, true, true, false, true, unavailable},  // read, as nothing
      {"\0"s, sz, true, true, false, true, unavailable},                   // a PATH read ends the search
      {"-", sz, true, true, false, true, found},
      {"?", sz, true, true, false, true, found},
      {"-", sz, false, false, false, true, unavailable},
      {"-", sz, true, false, false, true, unavailable},
      {"-", sz, true, true, true, true, unavailable},
      {"-", sz, true, true, false, false, found + unavailable},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.substr(0, 20) + " " + std::to_string(c.type));
    fakes::TestWorld w;
    const std::string key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    if (c.path != "-") w.registry.Put(key, c.path == "?" ? "Other" : "PATH", c.path, c.type);
    if (c.location) w.registry.Put("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", "C:\\Shared\\MSInfo\0"s);
    if (c.tool) w.files.files["C:\\Shared\\MSInfo\\MSINFO32.EXE"].hidden = c.hidden;
    w.shell.startSucceeds = c.starts;
    FakeFormHost& box = Open(w);
    w.journal.entries.clear();
    EXPECT_TRUE(box.UserClick("cmdSysInfo"));
    EXPECT_EQ(std::pair(w.journal.Take(), w.registry.OpenKeys()), std::pair(c.journal, 0));
  }
  fakes::TestWorld w;  // a value that cannot be read leaves no text behind
  FrmAbout box({w.forms, w.registry, w.files, w.shell, w.shell, w.shell, w.state.MenuDefault, w.state.LastMenuDefault});
  std::string text = "old";
  w.registry.Put("K", "other", "x");
  EXPECT_EQ(std::to_string(box.GetKeyValue(platform::kHkeyLocalMachine, "K", "v", text)) + text, "0");
}

}  // namespace
}  // namespace vk::ui
