// The About box from the tray menu and the registry reads behind System Info.
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

TEST(About, SysInfoStartsTheToolFromTheRegistryOrSaysItIsUnavailable) {
  const std::string found = "Start C:\\Shared\\MSInfo\\MSINFO32.EXE|";
  const std::string unavailable = "MessageBox Vesperkit 0: System Information Is Unavailable At This Time|";
  const struct {
    const char *name, *path, *location;  // the PATH value and the MSINFO location, or none
    bool tool, hidden, starts;
    std::string journal;
  } cases[] = {
      {"the PATH", "C:\\msinfo32.exe", "C:\\Shared\\MSInfo", true, false, true, "Start C:\\msinfo32.exe|"},
      {"the location's tool", nullptr, "C:\\Shared\\MSInfo", true, false, true, found},
      {"a PATH that is read ends the search, even empty", "", "C:\\Shared\\MSInfo", true, false, true, unavailable},
      {"neither value", nullptr, nullptr, false, false, true, unavailable},
      {"no tool at the location", nullptr, "C:\\Shared\\MSInfo", false, false, true, unavailable},
      {"a hidden tool", nullptr, "C:\\Shared\\MSInfo", true, true, true, unavailable},
      {"a tool that does not start", nullptr, "C:\\Shared\\MSInfo", true, false, false, found + unavailable},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::TestWorld w;
    if (c.path) w.registry.Put("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", c.path + "\0"s);
    if (c.location) w.registry.Put("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", c.location + "\0"s);
    if (c.tool) w.files.files["C:\\Shared\\MSInfo\\MSINFO32.EXE"].hidden = c.hidden;
    w.shell.startSucceeds = c.starts;
    FakeFormHost& box = Open(w);
    w.journal.entries.clear();
    EXPECT_TRUE(box.UserClick("cmdSysInfo"));
    EXPECT_EQ(std::pair(w.journal.Take(), w.registry.OpenKeys()), std::pair(c.journal, 0));
  }
}

TEST(About, GetKeyValueReadsStringsAndDwordsUpTo1024Bytes) {
  const struct {
    std::string bytes;
    std::uint32_t type;  // 0: no such value
    std::string read;    // the result, and the text read into "old"
  } cases[] = {{"C:\\a b\0"s, platform::kRegSz, "-1 C:\\a b"},
               {"no NUL", platform::kRegSz, "-1 no NUL"},
               {"\x05\x01\0\x80"s, platform::kRegDword, "-1 2147483909"},
               {"xyz", platform::kRegBinary, "-1 old"},
               {std::string(1024, 'x'), platform::kRegSz, "-1 " + std::string(1024, 'x')},
               {std::string(1025, 'x'), platform::kRegSz, "0 "},
               {"", 0, "0 "}};
  for (const auto& c : cases) {
    fakes::TestWorld w;
    w.registry.Put("K", c.type ? "v" : "other", c.bytes, c.type);
    FrmAbout box(
        {w.forms, w.registry, w.files, w.shell, w.shell, w.shell, w.state.MenuDefault, w.state.LastMenuDefault});
    std::string text = "old", none = "old";
    const VbBool read = box.GetKeyValue(platform::kHkeyLocalMachine, "K", "v", text);
    EXPECT_EQ(std::to_string(read) + " " + text, c.read) << c.type;
    EXPECT_EQ(std::to_string(box.GetKeyValue(platform::kHkeyLocalMachine, "None", "v", none)) + none, "0") << "no key";
  }
}

}  // namespace
}  // namespace vk::ui
