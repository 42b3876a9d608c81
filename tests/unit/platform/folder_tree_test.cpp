// The lines of a folder list: the way down to the open folder, then its subfolders.
#include "platform/folder_tree.h"

#include <gtest/gtest.h>

namespace vk::platform {
namespace {

TEST(FolderTree, ShowsTheWayDownThenTheSubfoldersOneLevelDeeper) {
  int open = -2;
  const auto lines = FolderTreeLines("C:\\Windows\\System32\\", {"drivers", "wbem"}, open);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].text, "C:\\");
  EXPECT_EQ(lines[1].text, "  Windows");
  EXPECT_EQ(lines[2].text, "    System32");
  EXPECT_EQ(lines[3].text, "      drivers");
  EXPECT_EQ(lines[2].path, "C:\\Windows\\System32");
  EXPECT_EQ(lines[4].path, "C:\\Windows\\System32\\wbem");
  EXPECT_EQ(open, 2);

  const auto root = FolderTreeLines("C:\\", {"Tools"}, open);
  ASSERT_EQ(root.size(), 2u);
  EXPECT_EQ(open, 0);
  EXPECT_EQ(root[1].path, "C:\\Tools");
  EXPECT_TRUE(FolderTreeLines("", {"x"}, open).empty());
  EXPECT_EQ(open, -1);
}

}  // namespace
}  // namespace vk::platform
