// The About box from the tray menu, and the registry reads behind System Info.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/startup.h"
#include "fakes/test_world.h"

namespace vk::ui {
namespace {

using fakes::FakeFormHost;
using namespace std::string_literals;

constexpr char kMsInfo[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kLocation[] = "SOFTWARE\\Microsoft\\Shared Tools Location";

// A started program; Open() is the tray's About item and gives the newest box.
struct Program {
  Program() { EXPECT_EQ(app::Startup(w.state), 0); }
  FakeFormHost& Open() {
    static_cast<FakeFormHost&>(w.state.gFrmMain->Host()).Click("mnuAbout");
    FakeFormHost* box = w.forms.Find("frmAbout");
    EXPECT_NE(box, nullptr);
    return *box;
  }
  fakes::TestWorld w;
};

TEST(About, ShowsTitleAndVersionModelessAndSeveralBoxesCloseEachOnItsOwn) {
  Program p;
  p.w.state.LastMenuDefault = app::kDefaultTimerStart;
  FakeFormHost& first = p.Open();
  EXPECT_EQ(first.Model().Caption(), "About Vesperkit");
  EXPECT_EQ(first.Model().Get("lblTitle").text, "Vesperkit");
  EXPECT_EQ(first.Model().Get("lblVersion").text, "Version 1.0.1");
  EXPECT_TRUE(first.Visible() && p.w.forms.modalStack.empty());
  FakeFormHost& second = p.Open();
  FakeFormHost& third = p.Open();
  EXPECT_EQ(p.w.state.aboutBoxes.OpenCount(), 3);
  p.w.state.MenuDefault = app::kDefaultTimerStop;
  EXPECT_TRUE(second.PressEscape());
  EXPECT_EQ(p.w.state.MenuDefault, app::kDefaultTimerStart) << "the menu gets its default back";
  EXPECT_TRUE(first.PressEnter());
  third.CloseFrame();
  EXPECT_TRUE(first.Unloaded() && second.Unloaded() && third.Unloaded());
  EXPECT_EQ(p.w.state.aboutBoxes.OpenCount(), 0);
  p.Open();
  EXPECT_EQ(p.w.state.aboutBoxes.OpenCount(), 1);
}

TEST(About, SysInfoStartsTheToolFromTheRegistryOrSaysItIsUnavailable) {
  enum Tool { kNoTool, kTool, kHiddenTool };
  struct Case {
    const char* name;
    const char* path;  // the PATH value, or none
    std::uint32_t pathType;
    const char* location;  // the MSINFO location, or none
    Tool tool;
    bool starts;
    std::vector<std::string> started;
  };
  const std::string found = "C:\\Shared\\MSInfo\\MSINFO32.EXE";
  const Case cases[] = {
      {"the PATH", "C:\\Tools\\msinfo32.exe", platform::kRegSz, "C:\\Other", kNoTool, true, {"C:\\Tools\\msinfo32.exe"}},
      {"the location's tool", nullptr, 0, "C:\\Shared\\MSInfo", kTool, true, {found}},
      {"a PATH that is read ends the search, even empty", "", platform::kRegSz, "C:\\Shared\\MSInfo", kTool, true, {}},
      {"or of another type", "%ProgramFiles%\\msinfo32.exe", platform::kRegExpandSz, "C:\\Shared\\MSInfo", kTool,
       true, {}},
      {"neither value", nullptr, 0, nullptr, kNoTool, true, {}},
      {"no tool at the location", nullptr, 0, "C:\\Shared\\MSInfo", kNoTool, true, {}},
      {"a hidden tool", nullptr, 0, "C:\\Shared\\MSInfo", kHiddenTool, true, {}},
      {"a tool that does not start", nullptr, 0, "C:\\Shared\\MSInfo", kTool, false, {found}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Program p;
    if (c.path) p.w.registry.Put(kMsInfo, "PATH", c.path + "\0"s, c.pathType);
    if (c.location) p.w.registry.Put(kLocation, "MSINFO", c.location + "\0"s);
    if (c.tool != kNoTool) p.w.files.files[found].hidden = c.tool == kHiddenTool;
    p.w.launcher.succeed = c.starts;
    EXPECT_TRUE(p.Open().UserClick("cmdSysInfo"));
    EXPECT_EQ(p.w.launcher.started, c.started);
    const bool unavailable = !c.starts || c.started.empty();
    EXPECT_EQ(p.w.messages.shown.size(), unavailable ? 1u : 0u);
    if (unavailable && !p.w.messages.shown.empty()) {
      const auto& m = p.w.messages.shown[0];
      EXPECT_EQ(std::tuple(m.text, m.title, m.style),
                std::tuple("System Information Is Unavailable At This Time", "Vesperkit", platform::kMbOk));
    }
    EXPECT_EQ(p.w.registry.OpenKeyCount(), 0);
  }
}

TEST(About, GetKeyValueReadsStringsAndDwordsUpTo1024Bytes) {
  struct Case {
    const char* name;
    std::string bytes;
    std::uint32_t type;
    VbBool result;
    std::string text;  // read into "old"
  };
  const Case cases[] = {
      {"a string", "C:\\a b\0"s, platform::kRegSz, kTrue, "C:\\a b"},
      {"without its NUL", "no terminator", platform::kRegSz, kTrue, "no terminator"},
      {"empty", "", platform::kRegSz, kTrue, ""},
      {"a DWORD, unsigned", "\x05\0\0\x80"s, platform::kRegDword, kTrue, "2147483653"},
      {"another type leaves the text as it was", "xyz", platform::kRegBinary, kTrue, "old"},
      {"1024 bytes", std::string(1024, 'x'), platform::kRegSz, kTrue, std::string(1024, 'x')},
      {"1025 bytes", std::string(1025, 'x'), platform::kRegSz, kFalse, ""},
      {"no such value", "", 0, kFalse, ""},
      {"no such key", "", 0, kFalse, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::TestWorld w;
    if (c.type != 0) w.registry.Put("K", "v", c.bytes, c.type);
    if (c.name == std::string("no such value")) w.registry.Put("K", "other", "x");
    FrmAbout box(
        {w.forms, w.registry, w.files, w.launcher, w.messages, w.shell, w.state.MenuDefault, w.state.LastMenuDefault});
    std::string text = "old";
    EXPECT_EQ(box.GetKeyValue(platform::kHkeyLocalMachine, "K", "v", text), c.result);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(w.registry.OpenKeyCount(), 0);
  }
}

}  // namespace
}  // namespace vk::ui
