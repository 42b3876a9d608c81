// Start-up, and the tray record it sends (88 bytes in the 32-bit program, 104
// in the 64-bit build).
#include "app/startup.h"

#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/tray_icon_record.h"
#include "fakes/test_world.h"
#include "forceclose/force_list_file.h"

namespace vk::app {
namespace {

TEST(Startup, RunsItsStepsInOrderReadsTheSettingsAndTheListAndLeavesTheProgramHidden) {
  fakes::TestWorld w;
  w.registry.Put("Software\\Quillfield Systems Ltd\\Vesperkit\\Settings", "Mode", std::string("1\0", 2));
  w.files.files["C:\\Program Files\\Vesperkit\\Files.dat"].bytes =
      forceclose::EncodeAppList({forceclose::MakeAppEntry("C:\\a.exe"), forceclose::MakeAppEntry("C:\\b.exe")});
  ASSERT_EQ(Startup(w.state), 0);
  std::string steps;  // the Close item's own steps are the window helpers' business
  for (const std::string& e : w.journal.entries) steps += e.find("Menu") == std::string::npos ? e + "|" : "";
  EXPECT_EQ(steps,
            "Pointer 11|Title Vesperkit|Create PowerControl|Create ProcessControl|Load FrmMain|IsWindow|SendNcActivate|"
            "Power.HibernateSupported|Tray Add|Hide FrmMain|Pointer 0|");
  const WindowHandle main = w.state.gFrmMain->Host().Handle();
  EXPECT_EQ(std::tuple(w.windows.closeItems[main].id, w.state.schedule.Mode, w.state.AppEntries.size(),
                       w.state.gFrmMain->Host().Visible(), w.state.gFrmMain->Model().Get("Timer1").enabled),
            std::tuple(platform::kClosedItemId, 1, 2u, false, false));
  const TrayIconRecord& r = w.state.gTrayIcon;
  EXPECT_EQ(std::tuple(r.cbSize, r.hWnd, r.uID, r.uFlags, r.uCallbackMessage, r.hIcon, r.szTip.substr(0, 10)),
            std::tuple(kTrayLayout.size, main, 1u, 7u, 0x200u, w.forms.LoadIconResource(1), std::string("Vesperkit") + '\0'));
  EXPECT_EQ(w.tray.record, r.Pack());
  EXPECT_EQ(w.registry.OpenKeys(), 0);
}

TEST(Startup, AMissingComponentEndsBeforeTheIconWithAMessageNamingIt) {
  for (bool powerMissing : {true, false}) {
    SCOPED_TRACE(powerMissing ? "PowerControl missing" : "ProcessControl missing");
    fakes::TestWorld w;
    (powerMissing ? w.components.powerInstalled : w.components.processInstalled) = false;
    EXPECT_EQ(Startup(w.state), kExitMissingComponent);
    EXPECT_FALSE(w.state.gFrmMain || w.state.gPowerControl);
    const std::string component = powerMissing ? "PowerControl" : "ProcessControl";
    std::string steps;
    for (const std::string& e : w.journal.entries) steps += e + "|";
    EXPECT_EQ(steps, "Pointer 11|Title Vesperkit|Create PowerControl|" +
                         std::string(powerMissing ? "" : "Create ProcessControl|") + "Pointer 0|" +
                         "MessageBox Vesperkit 16: The " + component +
                         " component of Vesperkit could not be created (error 0x80040154).\r\n"
                         "Reinstalling Vesperkit registers it again.|" + (powerMissing ? "" : "Power.Released|"));
  }
}

TEST(TrayIconRecord, PacksTheFieldsLittleEndianAtTheOffsetsOfEachPointerWidthAndCutsTheTipAt64) {
  const struct {
    const TrayLayout& layout;
    std::uint64_t hWnd, hIcon;
    std::string head;  // the bytes before the tip
  } rows[] = {
      {kTrayLayout32, 0x00123456, 0xCAFEBABE,
       std::string("\x58\0\0\0\x56\x34\x12\0\x01\0\0\0\x07\0\0\0\0\x02\0\0\xBE\xBA\xFE\xCA", 24)},
      {kTrayLayout64, 0x0000123456789ABC, 0xFEDCBA9876543210,
       std::string("\x68\0\0\0\0\0\0\0"                      // cbSize 104, padding
                   "\xBC\x9A\x78\x56\x34\x12\0\0"             // hWnd
                   "\x01\0\0\0\x07\0\0\0\0\x02\0\0\0\0\0\0"   // uID, uFlags, uCallbackMessage, padding
                   "\x10\x32\x54\x76\x98\xBA\xDC\xFE",        // hIcon
                   40)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.layout.size);
    for (std::size_t length : {9u, 63u, 64u, 100u}) {
      TrayIconRecord r;
      r.cbSize = row.layout.size;
      r.hWnd = static_cast<WindowHandle>(row.hWnd);
      r.uID = 1;
      r.uFlags = 7;
      r.uCallbackMessage = 0x200;
      r.hIcon = static_cast<IconHandle>(row.hIcon);
      r.SetTip(std::string(length, 'x'));
      const std::string tip =
          length < 64 ? std::string(length, 'x') + '\0' + std::string(63 - length, ' ') : std::string(64, 'x');
      const platform::TrayRecordBytes bytes = r.Pack(row.layout);
      EXPECT_EQ(std::string(bytes.begin(), bytes.end()), row.head + tip) << length;
    }
  }
  EXPECT_EQ(&kTrayLayout, sizeof(void*) == 8 ? &kTrayLayout64 : &kTrayLayout32) << "the program sends its own width";
}

}  // namespace
}  // namespace vk::app
