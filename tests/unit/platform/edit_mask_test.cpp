// Typing into the "##:##" box: digits overwrite, the colon stays put; text
// set by code is shaped to the mask first.
#include "platform/edit_mask.h"

#include <gtest/gtest.h>

namespace vk::platform {
namespace {

constexpr char kMask[] = "##:##";
constexpr char kDelete = 0x7F;

TEST(EditMask, KeysOverwriteDigitsStepOverTheColonAndLeavePlaceholders) {
  const struct {
    MaskedText box;
    char key;  // '\b' backspace, kDelete delete, any other is typed
    std::string after;  // text, caret, and whether a typed key was taken
  } keys[] = {
      {{"__:__", 0}, '2', "2_:__ 1 1"},         {{"2_:__", 1}, '3', "23:__ 3 1"},
      {{"23:45", 5}, '6', "23:45 5 0"},         {{"23:45", 0}, '1', "13:45 1 1"},
      {{"1_:__", 1}, 'a', "1_:__ 1 0"},         {{"1_:__", 1}, ':', "1_:__ 1 0"},
      {{"1_:__", 2}, ':', "1_:__ 3 1"},         {{"garbage text", 99}, '7', "__:__ 5 0"},
      {{"12:34", 3}, '\b', "1_:34 1 1"},        {{"__:34", 0}, '\b', "__:34 0 1"},
      {{"12:34", 2}, kDelete, "12:_4 2 1"},     {{"1x;3", 0}, kDelete, "__:3_ 0 1"},
      {{"12:345678", 5}, '\b', "12:3_ 4 1"},
  };
  for (const auto& k : keys) {
    SCOPED_TRACE(k.box.text + " at " + std::to_string(k.box.caret) + ", key " + std::to_string(k.key));
    MaskedText box = k.box;
    bool taken = true;
    if (k.key == '\b') BackspaceInMask(kMask, '_', box);
    else if (k.key == kDelete) DeleteInMask(kMask, '_', box);
    else taken = TypeIntoMask(kMask, '_', box, k.key);
    EXPECT_EQ(box.text + " " + std::to_string(box.caret) + " " + std::to_string(taken), k.after);
  }
  MaskedText box{"12:34", 0};
  ClearMaskRange(kMask, '_', box, 4, 1);
  EXPECT_EQ(box.text + " " + std::to_string(box.caret) + " " + EmptyMaskText(kMask, '_'), "1_:_4 1 __:__");
}

}  // namespace
}  // namespace vk::platform
