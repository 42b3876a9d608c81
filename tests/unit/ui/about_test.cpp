// The About box from the tray menu, and the registry reads behind System Info.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/startup.h"
#include "fakes/test_world.h"

namespace vk::ui {
namespace {

using fakes::FakeFormHost;

constexpr char kMsInfo[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kLocation[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char kUnavailable[] = "System Information Is Unavailable At This Time";

std::string Sz(const std::string& text) { return text + '\0'; }

class About : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(app::Startup(w.state), 0); }

  FakeFormHost& Main() { return static_cast<FakeFormHost&>(w.state.gFrmMain->Host()); }
  // The tray's About item; the newest box.
  FakeFormHost& Open() {
    Main().Click("mnuAbout");
    FakeFormHost* box = w.forms.Find("frmAbout");
    EXPECT_NE(box, nullptr);
    return *box;
  }
  // System Info pressed; the messages it showed.
  std::vector<std::string> SysInfo() {
    w.messages.shown.clear();
    EXPECT_TRUE(Open().UserClick("cmdSysInfo"));
    std::vector<std::string> texts;
    for (const auto& m : w.messages.shown) texts.push_back(m.text);
    return texts;
  }
  VbBool Read(const std::string& key, const std::string& value, std::string& text) {
    FrmAbout box({w.forms, w.registry, w.files, w.launcher, w.messages, w.shell, w.state.MenuDefault,
                  w.state.LastMenuDefault});
    return box.GetKeyValue(platform::kHkeyLocalMachine, key, value, text);
  }

  fakes::TestWorld w;
};

TEST_F(About, ShowsTitleVersionTextsAndLinksModeless) {
  FakeFormHost& box = Open();
  const platform::FormModel& m = box.Model();
  EXPECT_EQ(m.Caption(), "About Vesperkit");
  EXPECT_EQ(m.Get("lblTitle").text, "Vesperkit");
  EXPECT_EQ(m.Get("lblVersion").text, "Version 1.0.1");
  EXPECT_EQ(m.Get("lblDescription").text, "Windows 9x Shutdown Sleep Timer");
  EXPECT_EQ(m.Get("lblSupport").text, "Feedback:");
  EXPECT_EQ(m.Get("cmdSysInfo").text, "&System Info...");
  EXPECT_TRUE(box.Visible());
  EXPECT_TRUE(w.forms.modalStack.empty());
  for (const platform::ControlDef& c : box.Def().controls) {
    if (c.kind != platform::ControlKind::Hyperlink) continue;
    EXPECT_NE(c.extra.find("example.com"), std::string::npos) << c.name;
    if (c.name == "hypEmail") {
      EXPECT_EQ(c.extra, "mailto:" + c.caption);
    }
  }
}

TEST_F(About, SeveralBoxesCloseEachOnItsOwnAndGiveTheMenuItsDefaultBack) {
  w.state.LastMenuDefault = app::kDefaultTimerStart;
  FakeFormHost& first = Open();
  FakeFormHost& second = Open();
  FakeFormHost& third = Open();
  EXPECT_EQ(w.state.aboutBoxes.OpenCount(), 3);
  w.state.MenuDefault = app::kDefaultTimerStop;
  EXPECT_TRUE(second.PressEscape());
  EXPECT_EQ(w.state.MenuDefault, app::kDefaultTimerStart);
  EXPECT_TRUE(first.PressEnter());
  third.CloseFrame();
  EXPECT_TRUE(first.Unloaded() && second.Unloaded() && third.Unloaded());
  EXPECT_EQ(w.state.aboutBoxes.OpenCount(), 0);
  Open();
  EXPECT_EQ(w.state.aboutBoxes.OpenCount(), 1);
}

TEST_F(About, NotOpenedOverAModalDialog) {
  w.forms.onModal = [&](FakeFormHost&) {
    Main().Click("mnuAbout");
    EXPECT_EQ(w.forms.Find("frmAbout"), nullptr);
    EXPECT_EQ(w.forms.broughtToFront.size(), 1u);
  };
  w.state.schedule.CancelTime = 5;
  w.state.ShowCountdown();
}

TEST_F(About, SysInfoStartsThePathFromTheRegistry) {
  w.registry.Put(kMsInfo, "PATH", Sz("C:\\Tools\\msinfo32.exe"));
  w.registry.Put(kLocation, "MSINFO", Sz("C:\\Other"));
  EXPECT_TRUE(SysInfo().empty());
  EXPECT_EQ(w.launcher.started, std::vector<std::string>{"C:\\Tools\\msinfo32.exe"});
  EXPECT_EQ(w.registry.OpenKeyCount(), 0);
}

TEST_F(About, SysInfoFallsBackToTheLocationWhenThePathIsMissing) {
  w.registry.Put(kLocation, "MSINFO", Sz("C:\\Shared\\MSInfo"));
  w.files.files["C:\\Shared\\MSInfo\\MSINFO32.EXE"] = {};
  EXPECT_TRUE(SysInfo().empty());
  EXPECT_EQ(w.launcher.started, std::vector<std::string>{"C:\\Shared\\MSInfo\\MSINFO32.EXE"});
}

TEST_F(About, SysInfoIsUnavailableForAnEmptyOrUnreadablePathWithoutTryingTheLocation) {
  // An empty PATH is read and ends there: the location is not tried.
  w.registry.Put(kMsInfo, "PATH", Sz(""));
  w.registry.Put(kLocation, "MSINFO", Sz("C:\\Shared\\MSInfo"));
  w.files.files["C:\\Shared\\MSInfo\\MSINFO32.EXE"] = {};
  EXPECT_EQ(SysInfo(), std::vector<std::string>{kUnavailable});
  EXPECT_TRUE(w.launcher.started.empty());
  EXPECT_EQ(w.messages.shown[0].title, "Vesperkit");
  EXPECT_EQ(w.messages.shown[0].style, platform::kMbOk);

  // A path of another type leaves the text empty.
  w.registry.Put(kMsInfo, "PATH", Sz("%ProgramFiles%\\msinfo32.exe"), platform::kRegExpandSz);
  EXPECT_EQ(SysInfo(), std::vector<std::string>{kUnavailable});
  EXPECT_TRUE(w.launcher.started.empty());
}

TEST_F(About, SysInfoIsUnavailableWithoutTheToolOrWhenItWillNotStart) {
  EXPECT_EQ(SysInfo(), std::vector<std::string>{kUnavailable}) << "no registry value at all";
  w.registry.Put(kLocation, "MSINFO", Sz("C:\\Shared\\MSInfo"));
  EXPECT_EQ(SysInfo(), std::vector<std::string>{kUnavailable}) << "the location without the tool";
  w.files.files["C:\\Shared\\MSInfo\\MSINFO32.EXE"].hidden = true;
  EXPECT_EQ(SysInfo(), std::vector<std::string>{kUnavailable}) << "only a normal file counts";
  w.files.files["C:\\Shared\\MSInfo\\MSINFO32.EXE"].hidden = false;
  w.launcher.succeed = false;  // found but it would not start
  EXPECT_EQ(SysInfo(), std::vector<std::string>{kUnavailable});
  EXPECT_EQ(w.launcher.started.size(), 1u);
}

TEST_F(About, GetKeyValueReadsStringsWholeOrWithoutTheirNulAndDwordsAsDecimal) {
  std::string text = "old";
  w.registry.Put("K", "sz", Sz("C:\\a b"));
  EXPECT_EQ(Read("K", "sz", text), kTrue);
  EXPECT_EQ(text, "C:\\a b");
  w.registry.Put("K", "raw", "no terminator");
  EXPECT_EQ(Read("K", "raw", text), kTrue);
  EXPECT_EQ(text, "no terminator");
  w.registry.Put("K", "empty", "");
  EXPECT_EQ(Read("K", "empty", text), kTrue);
  EXPECT_EQ(text, "");
  w.registry.Put("K", "dword", std::string("\x05\x00\x00\x00", 4), platform::kRegDword);
  EXPECT_EQ(Read("K", "dword", text), kTrue);
  EXPECT_EQ(text, "5");
  w.registry.Put("K", "big", std::string("\xff\xff\xff\xff", 4), platform::kRegDword);
  EXPECT_EQ(Read("K", "big", text), kTrue);
  EXPECT_EQ(text, "4294967295");
  w.registry.Put("K", "high", std::string("\x00\x00\x00\x01", 4), platform::kRegDword);
  EXPECT_EQ(Read("K", "high", text), kTrue);
  EXPECT_EQ(text, "16777216");
  w.registry.Put("K", "binary", "xyz", platform::kRegBinary);
  EXPECT_EQ(Read("K", "binary", text), kTrue);
  EXPECT_EQ(text, "16777216") << "another type leaves the text as it was";
  EXPECT_EQ(w.registry.OpenKeyCount(), 0);
}

TEST_F(About, GetKeyValueFailsEmptyOnAMissingKeyValueOrTooMuchData) {
  std::string text = "old";
  EXPECT_EQ(Read("Missing", "x", text), kFalse);
  EXPECT_EQ(text, "");
  w.registry.Put("K", "sz", Sz("a"));
  text = "old";
  EXPECT_EQ(Read("K", "other", text), kFalse);
  EXPECT_EQ(text, "");
  w.registry.Put("K", "long", std::string(1025, 'x'));
  text = "old";
  EXPECT_EQ(Read("K", "long", text), kFalse);
  EXPECT_EQ(text, "");
  w.registry.Put("K", "full", std::string(1024, 'x'));
  EXPECT_EQ(Read("K", "full", text), kTrue);
  EXPECT_EQ(text.size(), 1024u);
  EXPECT_EQ(w.registry.OpenKeyCount(), 0);
}

}  // namespace
}  // namespace vk::ui
