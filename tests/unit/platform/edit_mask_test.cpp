// Typing into the "##:##" box: digits overwrite, the colon stays put.
#include "platform/edit_mask.h"

#include <gtest/gtest.h>

namespace vk::platform {
namespace {

constexpr char kMask[] = "##:##";

TEST(EditMask, DigitsOverwriteTheCaretStepsOverTheColonAndOtherKeysAreRefused) {
  EXPECT_EQ(EmptyMaskText(kMask, '_'), "__:__");
  const struct {
    MaskedText box;
    char key;
    bool taken;
    MaskedText after;
  } keys[] = {
      {{"__:__", 0}, '2', true, {"2_:__", 1}},
      {{"2_:__", 1}, '3', true, {"23:__", 3}},  // past the colon
      {{"23:__", 3}, '4', true, {"23:4_", 4}},
      {{"23:4_", 4}, '5', true, {"23:45", 5}},   // the caret ends after the last position
      {{"23:45", 5}, '6', false, {"23:45", 5}},  // no digit position left
      {{"23:45", 0}, '1', true, {"13:45", 1}},
      {{"1_:__", 1}, 'a', false, {"1_:__", 1}},
      {{"1_:__", 1}, ':', false, {"1_:__", 1}},  // the caret is not before the colon
      {{"1_:__", 2}, ':', true, {"1_:__", 3}},
      {{"garbage text", 99}, '7', false, {"__:__", 5}},
      {{"garbage text", 0}, '7', true, {"7_:__", 1}},
  };
  for (const auto& k : keys) {
    SCOPED_TRACE(k.box.text + " at " + std::to_string(k.box.caret) + ", key " + k.key);
    MaskedText box = k.box;
    EXPECT_EQ(TypeIntoMask(kMask, '_', box, k.key), k.taken);
    EXPECT_EQ(std::pair(box.text, box.caret), std::pair(k.after.text, k.after.caret));
  }
}

TEST(EditMask, BackspaceDeleteAndClearingLeavePlaceholders) {
  MaskedText box{"12:34", 3};
  BackspaceInMask(kMask, '_', box);
  EXPECT_EQ(std::pair(box.text, box.caret), std::pair(std::string("1_:34"), 1));
  BackspaceInMask(kMask, '_', box);
  BackspaceInMask(kMask, '_', box);
  EXPECT_EQ(std::pair(box.text, box.caret), std::pair(std::string("__:34"), 0));
  box.caret = 2;
  DeleteInMask(kMask, '_', box);
  EXPECT_EQ(box.text, "__:_4");
  box = {"12:34", 0};
  ClearMaskRange(kMask, '_', box, 4, 1);
  EXPECT_EQ(std::pair(box.text, box.caret), std::pair(std::string("1_:_4"), 1));
}

TEST(EditMask, TextSetByCodeIsShapedToTheMask) {
  const std::pair<const char*, const char*> texts[] = {
      {"12:30", "12:30"}, {"", "__:__"}, {"1x;3", "1_:3_"}, {"12:345678", "12:34"}};
  for (const auto& [text, shaped] : texts) EXPECT_EQ(FitToMask(kMask, '_', text), shaped) << text;
}

}  // namespace
}  // namespace vk::platform
