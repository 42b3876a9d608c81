// Typing into the "##:##" box: digits overwrite, the colon stays put.
#include <gtest/gtest.h>

#include "platform/edit_mask.h"

namespace vk::platform {
namespace {

constexpr char kMask[] = "##:##";

MaskedText Typed(MaskedText box, const std::string& keys) {
  for (char k : keys) TypeIntoMask(kMask, '_', box, k);
  return box;
}

TEST(EditMask, DigitsOverwriteAndTheCaretStepsOverTheColon) {
  EXPECT_EQ(EmptyMaskText(kMask, '_'), "__:__");
  MaskedText box = Typed({"__:__", 0}, "2");
  EXPECT_EQ(box.text, "2_:__");
  box = Typed(box, "3");
  EXPECT_EQ(box.caret, 3) << "past the colon";
  box = Typed(box, "45");
  EXPECT_EQ(box.text, "23:45");
  EXPECT_FALSE(TypeIntoMask(kMask, '_', box, '6')) << "no digit position left";
  box = Typed({"23:45", 0}, "1");
  EXPECT_EQ(box.text, "13:45");
}

TEST(EditMask, OnlyDigitsOrTheLiteralInItsPlaceAreTaken) {
  MaskedText box{"1_:__", 1};
  EXPECT_FALSE(TypeIntoMask(kMask, '_', box, 'a'));
  EXPECT_FALSE(TypeIntoMask(kMask, '_', box, ':')) << "the caret is not before the colon";
  box.caret = 2;
  EXPECT_TRUE(TypeIntoMask(kMask, '_', box, ':'));
  EXPECT_EQ(box.caret, 3);
  EXPECT_EQ(box.text, "1_:__");
}

TEST(EditMask, BackspaceAndDeleteLeavePlaceholders) {
  MaskedText box{"12:34", 3};
  BackspaceInMask(kMask, '_', box);
  EXPECT_EQ(box.text, "1_:34");
  EXPECT_EQ(box.caret, 1);
  BackspaceInMask(kMask, '_', box);
  BackspaceInMask(kMask, '_', box);
  EXPECT_EQ(box.text, "__:34");
  EXPECT_EQ(box.caret, 0);
  box.caret = 2;
  DeleteInMask(kMask, '_', box);
  EXPECT_EQ(box.text, "__:_4");
  box = {"12:34", 0};
  ClearMaskRange(kMask, '_', box, 4, 1);
  EXPECT_EQ(box.text, "1_:_4");
  EXPECT_EQ(box.caret, 1);
}

TEST(EditMask, TextSetByCodeIsShapedToTheMask) {
  EXPECT_EQ(FitToMask(kMask, '_', "12:30"), "12:30");
  EXPECT_EQ(FitToMask(kMask, '_', ""), "__:__");
  EXPECT_EQ(FitToMask(kMask, '_', "1x;3"), "1_:3_");
  EXPECT_EQ(FitToMask(kMask, '_', "12:345678"), "12:34");
  MaskedText odd{"garbage text", 99};
  EXPECT_TRUE(TypeIntoMask(kMask, '_', odd, '7') == false);
  odd.caret = 0;
  EXPECT_TRUE(TypeIntoMask(kMask, '_', odd, '7'));
  EXPECT_EQ(odd.text, "7_:__");
}

}  // namespace
}  // namespace vk::platform
