#include "app/tray_icon_record.h"

#include <gtest/gtest.h>

namespace vk::app {
namespace {

std::uint32_t Word(const platform::TrayRecordBytes& b, std::size_t offset) {
  return b[offset] | (b[offset + 1] << 8) | (b[offset + 2] << 16) | (static_cast<std::uint32_t>(b[offset + 3]) << 24);
}

TEST(TrayIconRecord, PacksTheFieldsLittleEndianAtTheirOffsets) {
  TrayIconRecord r;
  r.cbSize = 88;
  r.hWnd = 0x00123456;
  r.uID = 1;
  r.uFlags = 7;
  r.uCallbackMessage = 0x200;
  r.hIcon = 0xCAFEBABE;
  r.SetTip("Vesperkit");
  const auto b = r.Pack();
  ASSERT_EQ(b.size(), 88u);
  EXPECT_EQ(Word(b, 0), 88u);
  EXPECT_EQ(b[4], 0x56);
  EXPECT_EQ(Word(b, 4), 0x00123456u);
  EXPECT_EQ(Word(b, 8), 1u);
  EXPECT_EQ(Word(b, 12), 7u);
  EXPECT_EQ(Word(b, 16), 0x200u);
  EXPECT_EQ(Word(b, 20), 0xCAFEBABEu);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[24]), 9), "Vesperkit");
  EXPECT_EQ(b[33], 0);    // the NUL that ends the visible tip
  EXPECT_EQ(b[34], ' ');  // blanks fill the rest of the field
  EXPECT_EQ(b[87], ' ');
}

TEST(TrayIconRecord, TipKeepsItsNulUpTo63CharactersAndIsCutFrom64) {
  struct Case {
    std::size_t length;
    bool endsWithNul;
  };
  for (Case c : {Case{62, true}, Case{63, true}, Case{64, false}, Case{100, false}}) {
    TrayIconRecord r;
    const std::string text(c.length, 'x');
    r.SetTip(text);
    ASSERT_EQ(r.szTip.size(), 64u) << c.length;
    const auto b = r.Pack();
    const std::string field(reinterpret_cast<const char*>(&b[24]), 64);
    if (c.endsWithNul) {
      EXPECT_EQ(field.substr(0, c.length), text);
      EXPECT_EQ(field[c.length], '\0') << c.length;
      EXPECT_EQ(field.substr(c.length + 1), std::string(63 - c.length, ' ')) << c.length;
    } else {
      EXPECT_EQ(field, std::string(64, 'x')) << c.length;
    }
  }
}

TEST(TrayIconRecord, StartsAllZero) {
  const auto b = TrayIconRecord{}.Pack();
  for (auto byte : b) EXPECT_EQ(byte, 0);
}

}  // namespace
}  // namespace vk::app
