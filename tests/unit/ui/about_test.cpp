// The About box from the tray menu, and the registry reads behind System Info.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/startup.h"
#include "fakes/test_world.h"

namespace vk::ui {
namespace {

using fakes::FakeFormHost;
using namespace std::string_literals;

// A started program; Open() is the tray's About item and gives the newest box.
struct Program {
  Program() { EXPECT_EQ(app::Startup(w.state), 0); }
  FakeFormHost& Open() {
    static_cast<FakeFormHost&>(w.state.gFrmMain->Host()).Click("mnuAbout");
    return *w.forms.Find("frmAbout");
  }
  fakes::TestWorld w;
};

TEST(About, ShowsTitleAndVersionModelessAndSeveralBoxesCloseEachOnItsOwn) {
  Program p;
  p.w.state.LastMenuDefault = app::kDefaultTimerStart;
  FakeFormHost& first = p.Open();
  const platform::FormModel& m = first.Model();
  EXPECT_EQ(std::tuple(m.Caption(), m.Get("lblTitle").text, m.Get("lblVersion").text, first.Visible()),
            std::tuple("About Vesperkit", "Vesperkit", "Version 1.0.1", true));
  FakeFormHost& second = p.Open();
  FakeFormHost& third = p.Open();
  EXPECT_EQ(std::tuple(p.w.state.aboutBoxes.OpenCount(), p.w.forms.modalStack.size()), std::tuple(3, 0u));
  p.w.state.MenuDefault = app::kDefaultTimerStop;
  EXPECT_TRUE(second.PressEscape() && second.Unloaded() && !first.Unloaded());
  EXPECT_EQ(p.w.state.MenuDefault, app::kDefaultTimerStart) << "the menu gets its default back";
  EXPECT_TRUE(first.PressEnter());
  third.CloseFrame();
  EXPECT_EQ(p.w.state.aboutBoxes.OpenCount(), 0);
}

TEST(About, SysInfoStartsTheToolFromTheRegistryOrSaysItIsUnavailable) {
  const std::string found = "C:\\Shared\\MSInfo\\MSINFO32.EXE";
  const std::string unavailable = "MessageBox Vesperkit 0: System Information Is Unavailable At This Time";
  const struct {
    const char* name;
    const char* path;      // the PATH value, or none
    const char* location;  // the MSINFO location, or none
    bool tool, hidden, starts;
    std::string journal;
  } cases[] = {
      {"the PATH", "C:\\Tools\\msinfo32.exe", "C:\\Other", false, false, true, "Start C:\\Tools\\msinfo32.exe"},
      {"the location's tool", nullptr, "C:\\Shared\\MSInfo", true, false, true, "Start " + found},
      {"a PATH that is read ends the search, even empty", "", "C:\\Shared\\MSInfo", true, false, true, unavailable},
      {"neither value", nullptr, nullptr, false, false, true, unavailable},
      {"no tool at the location", nullptr, "C:\\Shared\\MSInfo", false, false, true, unavailable},
      {"a hidden tool", nullptr, "C:\\Shared\\MSInfo", true, true, true, unavailable},
      {"a tool that does not start", nullptr, "C:\\Shared\\MSInfo", true, false, false, "Start " + found + unavailable},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Program p;
    if (c.path) p.w.registry.Put("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", c.path + "\0"s);
    if (c.location) p.w.registry.Put("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", c.location + "\0"s);
    if (c.tool) p.w.files.files[found].hidden = c.hidden;
    p.w.shell.startSucceeds = c.starts;
    FakeFormHost& box = p.Open();
    p.w.journal.entries.clear();
    EXPECT_TRUE(box.UserClick("cmdSysInfo"));
    std::string journal;
    for (const std::string& e : p.w.journal.entries) journal += e;
    EXPECT_EQ(journal, c.journal);
    EXPECT_EQ(p.w.registry.OpenKeys(), 0);
  }
}

TEST(About, GetKeyValueReadsStringsAndDwordsUpTo1024Bytes) {
  const struct {
    const char* name;
    std::string bytes;
    std::uint32_t type;  // 0: no such value
    VbBool result;
    std::string text;    // read into "old"
  } cases[] = {
      {"a string", "C:\\a b\0"s, platform::kRegSz, kTrue, "C:\\a b"},
      {"without its NUL", "no terminator", platform::kRegSz, kTrue, "no terminator"},
      {"a DWORD, unsigned", "\x05\x01\0\x80"s, platform::kRegDword, kTrue, "2147483909"},
      {"another type leaves the text as it was", "xyz", platform::kRegBinary, kTrue, "old"},
      {"1024 bytes", std::string(1024, 'x'), platform::kRegSz, kTrue, std::string(1024, 'x')},
      {"1025 bytes", std::string(1025, 'x'), platform::kRegSz, kFalse, ""},
      {"no such value", "", 0, kFalse, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::TestWorld w;
    w.registry.Put("K", c.type ? "v" : "other", c.bytes, c.type);
    FrmAbout box({w.forms, w.registry, w.files, w.shell, w.shell, w.shell, w.state.MenuDefault, w.state.LastMenuDefault});
    std::string text = "old";
    EXPECT_EQ(box.GetKeyValue(platform::kHkeyLocalMachine, "K", "v", text), c.result);
    EXPECT_EQ(text, c.text);
    text = "old";
    EXPECT_EQ(std::pair(box.GetKeyValue(platform::kHkeyLocalMachine, "None", "v", text), text), std::pair(kFalse, ""s));
  }
}

}  // namespace
}  // namespace vk::ui
