// Start-up, and the tray record it sends (88 bytes in the 32-bit program, 104
// in the 64-bit build).
#include "app/startup.h"

#include <gtest/gtest.h>

#include <set>

#include "app/frm_main.h"
#include "app/tray_icon_record.h"
#include "fakes/test_world.h"
#include "forceclose/force_list_file.h"

namespace vk::app {
namespace {

using fakes::TestWorld;

TEST(Startup, RunsItsStepsInOrderReadsTheSettingsAndTheListAndLeavesTheProgramHidden) {
  TestWorld w;
  w.registry.Put("Software\\Quillfield Systems Ltd\\Vesperkit\\Settings", "Mode", std::string("1\0", 2));
  w.files.files["C:\\Program Files\\Vesperkit\\Files.dat"].bytes =
      forceclose::EncodeAppList({forceclose::MakeAppEntry("C:\\a.exe"), forceclose::MakeAppEntry("C:\\b.exe")});
  ASSERT_EQ(Startup(w.state), 0);
  // The Close item's own steps are the window helpers' table's business.
  const std::set<std::string> closeItem = {"IsWindow", "GetSystemMenu", "GetMenuItemInfo", "SetMenuItemInfo",
                                           "SendNcActivate"};
  std::erase_if(w.journal.entries, [&](const std::string& e) { return closeItem.count(e) != 0; });
  EXPECT_EQ(w.journal.entries, (std::vector<std::string>{"Pointer 11", "Title Vesperkit", "Create PowerControl",
                                                         "Create ProcessControl", "Load FrmMain",
                                                         "Power.HibernateSupported", "Tray Add", "Hide FrmMain",
                                                         "Pointer 0"}));
  EXPECT_EQ(w.windows.SystemMenu(w.state.gFrmMain->Host().Handle()).back().id, platform::kClosedItemId)
      << "the Close item is disabled";
  EXPECT_EQ(w.state.schedule.Mode, 1);
  EXPECT_EQ(w.registry.CallCount("OpenKey"), 5) << "one read of each value";
  EXPECT_EQ(w.registry.OpenKeyCount(), 0);
  ASSERT_EQ(w.state.AppEntries.size(), 2u);
  EXPECT_EQ(w.state.AppEntries[1].FilePath, forceclose::PaddedFilePath("C:\\b.exe"));
  EXPECT_FALSE(w.state.gFrmMain->Host().Visible());
  EXPECT_FALSE(w.state.gFrmMain->Model().Get("Timer1").enabled);

  const TrayIconRecord& r = w.state.gTrayIcon;
  EXPECT_EQ(std::tuple(r.cbSize, r.hWnd, r.uID, r.uFlags, r.uCallbackMessage, r.hIcon),
            std::tuple(kTrayLayout.size, w.state.gFrmMain->Host().Handle(), 1u, 7u, 0x200u, w.forms.LoadIconResource(1)));
  EXPECT_EQ(r.szTip.substr(0, 10), std::string("Vesperkit") + '\0');
  ASSERT_EQ(w.tray.calls.size(), 1u);
  EXPECT_EQ(w.tray.calls[0].record, r.Pack());
}

TEST(Startup, AMissingComponentEndsBeforeTheIconWithAMessageNamingIt) {
  for (bool powerMissing : {true, false}) {
    SCOPED_TRACE(powerMissing ? "PowerControl missing" : "ProcessControl missing");
    TestWorld w;
    (powerMissing ? w.components.powerInstalled : w.components.processInstalled) = false;
    EXPECT_EQ(Startup(w.state), kExitMissingComponent);
    EXPECT_TRUE(w.tray.calls.empty());
    EXPECT_FALSE(w.state.gFrmMain);
    EXPECT_FALSE(w.state.gPowerControl);
    EXPECT_EQ(w.shell.pointer, platform::kPointerDefault);
    ASSERT_EQ(w.messages.shown.size(), 1u);
    const std::string component = powerMissing ? "PowerControl" : "ProcessControl";
    EXPECT_EQ(std::tuple(w.messages.shown[0].title, w.messages.shown[0].text),
              std::tuple("Vesperkit", "The " + component + " component of Vesperkit could not be created (error " +
                                          "0x80040154).\r\nReinstalling Vesperkit registers it again."));
    EXPECT_EQ(w.journal.Contains("Create ProcessControl"), !powerMissing);
  }
}

std::string Bytes(const platform::TrayRecordBytes& b) { return std::string(b.begin(), b.end()); }

TEST(TrayIconRecord, PacksTheFieldsLittleEndianAtTheOffsetsOfEachPointerWidth) {
  struct Row {
    const char* name;
    const TrayLayout& layout;
    std::uint64_t hWnd, hIcon;
    std::string head;  // the bytes before the tip
  };
  const Row rows[] = {
      {"32-bit, the product", kTrayLayout32, 0x00123456, 0xCAFEBABE,
       std::string("\x58\0\0\0\x56\x34\x12\0\x01\0\0\0\x07\0\0\0\0\x02\0\0\xBE\xBA\xFE\xCA", 24)},
      {"64-bit, full-width handles", kTrayLayout64, 0x0000123456789ABC, 0xFEDCBA9876543210,
       std::string("\x68\0\0\0\0\0\0\0"                  // cbSize 104, padding
                   "\xBC\x9A\x78\x56\x34\x12\0\0"         // hWnd
                   "\x01\0\0\0\x07\0\0\0\0\x02\0\0\0\0\0\0"  // uID, uFlags, uCallbackMessage, padding
                   "\x10\x32\x54\x76\x98\xBA\xDC\xFE",         // hIcon
                   40)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TrayIconRecord r;
    r.cbSize = row.layout.size;
    r.hWnd = static_cast<WindowHandle>(row.hWnd);
    r.uID = 1;
    r.uFlags = 7;
    r.uCallbackMessage = 0x200;
    r.hIcon = static_cast<IconHandle>(row.hIcon);
    r.SetTip("Vesperkit");
    EXPECT_EQ(Bytes(r.Pack(row.layout)), row.head + "Vesperkit" + '\0' + std::string(54, ' '));
  }
  EXPECT_EQ(&kTrayLayout, sizeof(void*) == 8 ? &kTrayLayout64 : &kTrayLayout32) << "the program sends its own width";
}

TEST(TrayIconRecord, TipKeepsItsNulUpTo63CharactersAndIsCutFrom64) {
  for (std::size_t length : {62u, 63u, 64u, 100u}) {
    SCOPED_TRACE(length);
    TrayIconRecord r;
    r.SetTip(std::string(length, 'x'));
    const std::string expected =
        length < 64 ? std::string(length, 'x') + '\0' + std::string(63 - length, ' ') : std::string(64, 'x');
    EXPECT_EQ(r.szTip, expected);
    EXPECT_EQ(Bytes(r.Pack(kTrayLayout32)).substr(24), expected);
    EXPECT_EQ(Bytes(r.Pack(kTrayLayout64)).substr(40), expected);
  }
}

}  // namespace
}  // namespace vk::app
