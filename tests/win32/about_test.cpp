// The About box on the real binding and Wine's registry: its texts, the
// unavailable message Wine gives (there is no system information tool), and
// StartSysInfo with values planted where the tool is looked for.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>

#include "form_test_support.h"
#include "ui/frm_about.h"
#include "win32/files.h"
#include "win32/form_binding.h"
#include "win32/registry.h"
#include "win32/shell.h"

namespace vk::formtest {
namespace {

using Strings = std::vector<std::string>;

constexpr char kMsInfo[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kLocation[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char kUnavailable[] = "System Information Is Unavailable At This Time";

class RecordingMessages : public platform::MessageBoxes {
 public:
  int Show(const std::string& text, const std::string& title, std::uint32_t) override {
    shown.push_back(title + ": " + text);
    return platform::kIdOk;
  }
  Strings shown;
};

class RecordingLauncher : public platform::ProgramLauncher {
 public:
  bool Start(const std::string& path) override {
    started.push_back(path);
    return true;
  }
  Strings started;
};

// Plants a value under HKEY_LOCAL_MACHINE and takes it away again.
class PlantedValue {
 public:
  PlantedValue(const std::string& key, const std::string& name, DWORD type, const std::string& bytes)
      : key_(key), name_(name) {
    HKEY opened = nullptr;
    created_ = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS;
    if (opened != nullptr) RegCloseKey(opened);
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr);
    RegSetValueExA(opened, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(opened);
  }
  ~PlantedValue() {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_ALL_ACCESS, &opened) == ERROR_SUCCESS) {
      RegDeleteValueA(opened, name_.c_str());
      RegCloseKey(opened);
    }
    if (created_) RegDeleteKeyA(HKEY_LOCAL_MACHINE, key_.c_str());
  }
  PlantedValue(const PlantedValue&) = delete;
  PlantedValue& operator=(const PlantedValue&) = delete;

 private:
  std::string key_;
  std::string name_;
  bool created_ = false;
};

std::string Sz(const std::string& text) { return text + '\0'; }

class AboutOnWine : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    shell_.SetTitle("Vesperkit");
  }
  ui::AboutContext Context() {
    return {forms_, registry_, files_, launcher_, messages_, shell_, menuDefault_, lastMenuDefault_};
  }
  // StartSysInfo of a fresh box; what it started and what it said.
  void SysInfo() {
    launcher_.started.clear();
    messages_.shown.clear();
    ui::FrmAbout box(Context());
    box.Load();
    box.StartSysInfo();
  }
  static Strings Unavailable() { return {std::string("Vesperkit: ") + kUnavailable}; }

  win32::Win32Registry registry_;
  win32::Win32FileSystem files_;
  RecordingLauncher launcher_;
  RecordingMessages messages_;
  win32::Win32AppShell shell_;
  win32::Win32FormToolkit forms_{GetModuleHandleA(nullptr)};
  std::int16_t menuDefault_ = 2;
  std::int16_t lastMenuDefault_ = 1;
};

TEST_F(AboutOnWine, ShowsItsTextsModelessAndWineHasNoSystemInformationTool) {
  ui::AboutBoxes boxes;
  boxes.Open(Context());
  boxes.Open(Context());
  HWND about = FindWindowA("VesperkitForm", "About Vesperkit");
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(IsWindowVisible(about));
  EXPECT_EQ(boxes.OpenCount(), 2);
  for (const char* text : {"Vesperkit", "Version 1.0.1", "Windows 9x Shutdown Sleep Timer", "Feedback:",
                           "feedback@example.com", "www.example.com", "OK", "&System Info..."}) {
    EXPECT_NE(DescendantWithText(about, text), nullptr) << text;
  }
  PumpMessages(forms_);
  std::printf("About screenshot: %s\n", SaveWindowShot(about, "about").c_str());

  SendMessageA(DescendantWithText(about, "&System Info..."), BM_CLICK, 0, 0);
  EXPECT_EQ(messages_.shown, Unavailable());
  EXPECT_TRUE(IsWindow(about)) << "the box stays open after the message";

  SetFocus(DescendantWithText(about, "OK"));
  PressKey(forms_, VK_ESCAPE);
  EXPECT_FALSE(IsWindow(about));
  EXPECT_EQ(menuDefault_, lastMenuDefault_);
  EXPECT_EQ(boxes.OpenCount(), 1);
}

TEST_F(AboutOnWine, SysInfoFollowsThePlantedRegistryValues) {
  {
    PlantedValue path(kMsInfo, "PATH", REG_SZ, Sz("C:\\Tools\\msinfo32.exe"));
    SysInfo();
    EXPECT_EQ(launcher_.started, Strings{"C:\\Tools\\msinfo32.exe"});
    EXPECT_TRUE(messages_.shown.empty());
  }
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder(temp);
  folder.pop_back();  // the location is stored without its last backslash
  const std::string tool = folder + "\\MSINFO32.EXE";
  {
    PlantedValue empty(kMsInfo, "PATH", REG_SZ, Sz(""));
    PlantedValue location(kLocation, "MSINFO", REG_SZ, Sz(folder));
    std::ofstream(tool) << "MZ";
    SysInfo();
    EXPECT_EQ(messages_.shown, Unavailable()) << "an empty PATH ends the search";
    EXPECT_TRUE(launcher_.started.empty());
  }
  {
    PlantedValue expandable(kMsInfo, "PATH", REG_EXPAND_SZ, Sz("%SystemRoot%\\msinfo32.exe"));
    SysInfo();
    EXPECT_EQ(messages_.shown, Unavailable()) << "another type leaves the path empty";
  }
  {
    PlantedValue location(kLocation, "MSINFO", REG_SZ, Sz(folder));
    SysInfo();
    EXPECT_EQ(launcher_.started, Strings{tool}) << "only the location";
    DeleteFileA(tool.c_str());
    SysInfo();
    EXPECT_EQ(messages_.shown, Unavailable()) << "the location without the tool";
  }
}

}  // namespace
}  // namespace vk::formtest
