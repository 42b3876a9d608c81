// The window helpers on real windows: the Close item of a system menu as the
// menu functions read it back, the top-most style, and the major version as
// Wine reports it for the Windows version it is set to imitate.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ui/window_helpers.h"
#include "win32/handles.h"
#include "win32/unique_handle.h"
#include "win32/window_services.h"

namespace vk::win32 {
namespace {

constexpr UINT kClosedId = 0xFFFFFFF6u;  // the Close item's identifier while disabled (-10)

// A top-level window with a title bar and a system menu, destroyed on every path.
class TestWindow {
 public:
  explicit TestWindow(DWORD exStyle = 0) {
    WNDCLASSA type{};
    type.lpfnWndProc = DefWindowProcA;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "VesperkitHelperTestWindow";
    RegisterClassA(&type);  // fails harmlessly when already registered
    window_ = CreateWindowExA(exStyle, type.lpszClassName, "helper test", WS_OVERLAPPEDWINDOW, 40, 50, 300, 200,
                              nullptr, nullptr, type.hInstance, nullptr);
  }
  ~TestWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Get() const { return window_; }
  WindowHandle Handle() const { return FromHwnd(window_); }

 private:
  HWND window_ = nullptr;
};

struct MenuItem {
  UINT id;
  UINT state;
};

// The item with command identifier `id` of the window's own system menu.
std::optional<MenuItem> SystemMenuItem(HWND window, UINT id) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_STATE;
  if (!GetMenuItemInfoA(GetSystemMenu(window, FALSE), id, FALSE, &info)) return std::nullopt;
  return MenuItem{info.wID, info.fState};
}

// Position of the item carrying `id`, or -1.
int SystemMenuPosition(HWND window, UINT id) {
  HMENU menu = GetSystemMenu(window, FALSE);
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    if (GetMenuItemID(menu, position) == id) return position;
  }
  return -1;
}

class CloseItemState : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(window_.Get(), nullptr);
    const std::optional<MenuItem> close = SystemMenuItem(window_.Get(), SC_CLOSE);
    ASSERT_TRUE(close.has_value()) << "a fresh system menu has its Close item";
    ASSERT_EQ(close->state & 3u, 0u) << "and it starts enabled";
    closePosition_ = SystemMenuPosition(window_.Get(), SC_CLOSE);
    itemCount_ = GetMenuItemCount(GetSystemMenu(window_.Get(), FALSE));
  }

  void SetState(VbBool enable) { ui::SetCloseItemState(services_, window_.Handle(), enable); }

  Win32WindowServices services_;
  TestWindow window_;
  int closePosition_ = -1;
  int itemCount_ = 0;
};

TEST_F(CloseItemState, DisablingGraysTheItemAndGivesItTheIdentifierMinusTen) {
  SetState(kFalse);

  EXPECT_FALSE(SystemMenuItem(window_.Get(), SC_CLOSE).has_value()) << "no item answers to SC_CLOSE any more";
  const std::optional<MenuItem> closed = SystemMenuItem(window_.Get(), kClosedId);
  ASSERT_TRUE(closed.has_value());
  EXPECT_EQ(closed->state & 3u, 3u) << "both low state bits set: MFS_GRAYED";
  EXPECT_EQ(SystemMenuPosition(window_.Get(), kClosedId), closePosition_) << "the same item, in its place";
  EXPECT_EQ(GetMenuItemCount(GetSystemMenu(window_.Get(), FALSE)), itemCount_);
  EXPECT_EQ(GetMenuState(GetSystemMenu(window_.Get(), FALSE), SC_CLOSE, MF_BYCOMMAND), 0xFFFFFFFFu)
      << "the window manager no longer finds a Close command";
}

TEST_F(CloseItemState, DisablingTwiceLeavesTheFirstResult) {
  SetState(kFalse);
  const std::optional<MenuItem> once = SystemMenuItem(window_.Get(), kClosedId);
  SetState(kFalse);
  const std::optional<MenuItem> twice = SystemMenuItem(window_.Get(), kClosedId);

  ASSERT_TRUE(once.has_value());
  ASSERT_TRUE(twice.has_value());
  EXPECT_EQ(twice->state, once->state);
  EXPECT_FALSE(SystemMenuItem(window_.Get(), SC_CLOSE).has_value());
  EXPECT_EQ(SystemMenuPosition(window_.Get(), kClosedId), closePosition_);
  EXPECT_EQ(GetMenuItemCount(GetSystemMenu(window_.Get(), FALSE)), itemCount_);
}

TEST_F(CloseItemState, EnablingAfterDisablingRestoresTheCloseItem) {
  SetState(kFalse);
  SetState(kTrue);

  EXPECT_FALSE(SystemMenuItem(window_.Get(), kClosedId).has_value());
  const std::optional<MenuItem> close = SystemMenuItem(window_.Get(), SC_CLOSE);
  ASSERT_TRUE(close.has_value());
  EXPECT_EQ(close->state & 3u, 0u) << "both low state bits clear";
  EXPECT_EQ(SystemMenuPosition(window_.Get(), SC_CLOSE), closePosition_);
}

TEST_F(CloseItemState, AnyNonZeroValueEnables) {
  SetState(kFalse);
  SetState(1);

  const std::optional<MenuItem> close = SystemMenuItem(window_.Get(), SC_CLOSE);
  ASSERT_TRUE(close.has_value());
  EXPECT_EQ(close->state & 3u, 0u);
}

TEST_F(CloseItemState, EnablingAnItemNeverDisabledChangesNothing) {
  const std::optional<MenuItem> before = SystemMenuItem(window_.Get(), SC_CLOSE);
  SetState(kTrue);

  const std::optional<MenuItem> after = SystemMenuItem(window_.Get(), SC_CLOSE);
  ASSERT_TRUE(after.has_value());
  EXPECT_EQ(after->state, before->state);
  EXPECT_FALSE(SystemMenuItem(window_.Get(), kClosedId).has_value());
  EXPECT_EQ(GetMenuItemCount(GetSystemMenu(window_.Get(), FALSE)), itemCount_);
}

TEST_F(CloseItemState, OtherStateBitsSurviveTheRoundTrip) {
  // A checked Close item stays checked through disable and enable: only the
  // two low bits are the routine's business.
  CheckMenuItem(GetSystemMenu(window_.Get(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_CHECKED);
  const UINT checked = SystemMenuItem(window_.Get(), SC_CLOSE)->state;
  ASSERT_NE(checked & MFS_CHECKED, 0u);

  SetState(kFalse);
  EXPECT_EQ(SystemMenuItem(window_.Get(), kClosedId)->state, checked | 3u);
  SetState(kTrue);
  EXPECT_EQ(SystemMenuItem(window_.Get(), SC_CLOSE)->state, checked & ~3u);
}

TEST_F(CloseItemState, AHandleThatIsNoLongerAWindowIsIgnored) {
  HWND gone = nullptr;
  {
    TestWindow other;
    gone = other.Get();
  }
  ASSERT_FALSE(IsWindow(gone));
  ui::SetCloseItemState(services_, FromHwnd(gone), kFalse);

  EXPECT_TRUE(SystemMenuItem(window_.Get(), SC_CLOSE).has_value()) << "no other window was touched";
}

LONG ExStyle(HWND window) { return GetWindowLongA(window, GWL_EXSTYLE); }

RECT Placement(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(TopMost, SetsAndClearsTheTopMostStyleWithoutMovingTheWindow) {
  Win32WindowServices services;
  TestWindow window;
  ASSERT_NE(window.Get(), nullptr);
  ShowWindow(window.Get(), SW_SHOWNOACTIVATE);
  const RECT placed = Placement(window.Get());
  ASSERT_EQ(ExStyle(window.Get()) & WS_EX_TOPMOST, 0);

  ui::SetTopMost(services, window.Handle(), kTrue);
  EXPECT_NE(ExStyle(window.Get()) & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(SameRect(Placement(window.Get()), placed));

  ui::SetTopMost(services, window.Handle(), kFalse);
  EXPECT_EQ(ExStyle(window.Get()) & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(SameRect(Placement(window.Get()), placed));

  ui::SetTopMost(services, window.Handle(), 1);
  EXPECT_NE(ExStyle(window.Get()) & WS_EX_TOPMOST, 0) << "1 counts as True";
  EXPECT_TRUE(SameRect(Placement(window.Get()), placed));
}

TEST(TopMost, ClearsAWindowCreatedTopMost) {
  Win32WindowServices services;
  TestWindow window(WS_EX_TOPMOST);
  ASSERT_NE(ExStyle(window.Get()) & WS_EX_TOPMOST, 0);

  ui::SetTopMost(services, window.Handle(), kFalse);
  EXPECT_EQ(ExStyle(window.Get()) & WS_EX_TOPMOST, 0);
}

// HKCU\Software\Wine "Version" for as long as it lives; the earlier value (or
// its absence) comes back afterwards.
class WineVersionSetting {
 public:
  explicit WineVersionSetting(const std::string& version) {
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
    char old[64] = {};
    DWORD size = sizeof old - 1;
    DWORD type = 0;
    hadValue_ =
        RegQueryValueExA(key_, "Version", nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS &&
        type == REG_SZ;
    if (hadValue_) old_ = old;
    written_ = RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                              static_cast<DWORD>(version.size() + 1)) == ERROR_SUCCESS;
  }
  ~WineVersionSetting() {
    if (hadValue_) {
      RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                     static_cast<DWORD>(old_.size() + 1));
    } else {
      RegDeleteValueA(key_, "Version");
    }
    RegCloseKey(key_);
  }
  WineVersionSetting(const WineVersionSetting&) = delete;
  WineVersionSetting& operator=(const WineVersionSetting&) = delete;
  bool Written() const { return written_; }

 private:
  HKEY key_ = nullptr;
  bool hadValue_ = false;
  bool written_ = false;
  std::string old_;
};

std::string OwnFolder() {
  char path[MAX_PATH * 2];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

// Wine decides the version a process sees when the process starts, so the
// answer comes from a fresh process: the probe's exit code is its
// OSMajorVersion(). -1 when it could not run.
long MajorVersionOfANewProcess() {
  std::string command = "\"" + OwnFolder() + "vesperkit_os_major_probe.exe\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return -1;
  }
  UniqueHandle thread(process.hThread);
  UniqueHandle child(process.hProcess);
  if (WaitForSingleObject(child.Get(), 60000) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(child.Get(), &code);
  return static_cast<long>(code);
}

TEST(OSMajorVersion, FollowsTheWindowsVersionWineImitates) {
  struct Case {
    const char* wineVersion;
    long major;
  };
  for (const Case& c : {Case{"nt40", 4}, Case{"win2k", 5}, Case{"winxp", 5}, Case{"win7", 6}}) {
    WineVersionSetting setting(c.wineVersion);
    ASSERT_TRUE(setting.Written());
    EXPECT_EQ(MajorVersionOfANewProcess(), c.major) << "Wine set to " << c.wineVersion;
  }
}

TEST(OSMajorVersion, ThisProcessGetsTheSameAnswerEveryTime) {
  Win32WindowServices services;
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  ASSERT_TRUE(GetVersionExA(&version));
  EXPECT_EQ(ui::OSMajorVersion(services), version.dwMajorVersion);
  EXPECT_EQ(ui::OSMajorVersion(services), version.dwMajorVersion);
}

}  // namespace
}  // namespace vk::win32
