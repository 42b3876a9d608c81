// The About box on the real binding and Wine's registry: the unavailable
// message Wine gives (there is no system information tool), and StartSysInfo
// with values planted where the tool is looked for.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "support.h"
#include "ui/frm_about.h"
#include "win32/files.h"
#include "win32/registry.h"
#include "win32/shell.h"

namespace vk::wintest {
namespace {

using Strings = std::vector<std::string>;

constexpr char kMsInfo[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kLocation[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
const Strings kUnavailable = {"Vesperkit: System Information Is Unavailable At This Time"};

class Recording : public platform::MessageBoxes, public platform::ProgramLauncher {
 public:
  int Show(const std::string& text, const std::string& title, std::uint32_t) override {
    shown.push_back(title + ": " + text);
    return platform::kIdOk;
  }
  bool Start(const std::string& path) override {
    started.push_back(path);
    return true;
  }
  Strings shown;
  Strings started;
};

class AboutOnWine : public ::testing::Test {
 protected:
  void SetUp() override { shell_.SetTitle("Vesperkit"); }
  ui::AboutContext Context() {
    return {forms_, registry_, files_, recording_, recording_, shell_, menuDefault_, lastMenuDefault_};
  }

  win32::Win32Registry registry_;
  win32::Win32FileSystem files_;
  Recording recording_;
  win32::Win32AppShell shell_;
  win32::Win32FormToolkit forms_{GetModuleHandleA(nullptr)};
  std::int16_t menuDefault_ = 2;
  std::int16_t lastMenuDefault_ = 1;
};

TEST_F(AboutOnWine, TheOpenBoxSaysSystemInformationIsUnavailableAndEscClosesIt) {
  ui::AboutBoxes boxes;
  boxes.Open(Context());
  HWND about = FindWindowA("VesperkitForm", "About Vesperkit");
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(IsWindowVisible(about));
  PumpMessages(forms_);
  SendMessageA(FindWindowExA(about, nullptr, "Button", "&System Info..."), BM_CLICK, 0, 0);
  EXPECT_EQ(recording_.shown, kUnavailable) << "Wine has no system information tool";
  EXPECT_TRUE(IsWindow(about)) << "the box stays open after the message";
  SetFocus(FindWindowExA(about, nullptr, "Button", "OK"));
  PressKey(forms_, VK_ESCAPE);
  EXPECT_FALSE(IsWindow(about));
  EXPECT_EQ(menuDefault_, lastMenuDefault_);
  EXPECT_EQ(boxes.OpenCount(), 0);
}

TEST_F(AboutOnWine, SysInfoFollowsThePlantedRegistryValues) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder(temp, std::strlen(temp) - 1);  // the location is stored without its last backslash
  const std::string tool = folder + "\\MSINFO32.EXE";
  std::ofstream(tool) << "MZ";
  struct Case {
    const char* what;
    std::optional<std::string> path;
    DWORD type;
    std::optional<std::string> location;
    Strings started;  // none: unavailable
  };
  for (const Case& c : {Case{"the path", "C:\\Tools\\msinfo32.exe", REG_SZ, {}, {"C:\\Tools\\msinfo32.exe"}},
                        Case{"an empty path ends the search", "", REG_SZ, folder, {}},
                        Case{"another type leaves the path empty", "%SystemRoot%\\msinfo32.exe", REG_EXPAND_SZ, {}, {}},
                        Case{"only the location", {}, REG_SZ, folder, {tool}},
                        Case{"the location without the tool", {}, REG_SZ, folder + "\\none", {}}}) {
    SCOPED_TRACE(c.what);
    WriteValue(HKEY_LOCAL_MACHINE, kMsInfo, "PATH", c.path ? std::optional(*c.path + '\0') : std::nullopt, c.type);
    WriteValue(HKEY_LOCAL_MACHINE, kLocation, "MSINFO", c.location ? std::optional(*c.location + '\0') : std::nullopt);
    recording_ = {};
    ui::FrmAbout box(Context());
    box.Load();
    box.StartSysInfo();
    EXPECT_EQ(recording_.started, c.started);
    EXPECT_EQ(recording_.shown, c.started.empty() ? kUnavailable : Strings{});
  }
  WriteValue(HKEY_LOCAL_MACHINE, kMsInfo, "PATH", std::nullopt);
  DeleteTree(HKEY_LOCAL_MACHINE, kLocation);
  DeleteFileA(tool.c_str());
}

}  // namespace
}  // namespace vk::wintest
