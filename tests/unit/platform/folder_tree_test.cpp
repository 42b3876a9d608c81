// The lines of a folder list: the way down to the open folder, then its subfolders.
#include "platform/folder_tree.h"

#include <gtest/gtest.h>

namespace vk::platform {
namespace {

TEST(FolderTree, ShowsTheWayDownThenTheSubfoldersOneLevelDeeper) {
  for (const auto& [path, lines] :
       {std::pair<std::string, std::string>{"C:\\Windows\\System32\\",
                                            "C:\\=C:\\|  Windows=C:\\Windows|    System32=C:\\Windows\\System32|"
                                            "      sub=C:\\Windows\\System32\\sub|open 2"},
        {"C:\\", "C:\\=C:\\|  sub=C:\\sub|open 0"}, {"", "open -1"}}) {
    int open = -2;
    std::string shown;
    for (const FolderLine& line : FolderTreeLines(path, {"sub"}, open)) shown += line.text + "=" + line.path + "|";
    EXPECT_EQ(shown + "open " + std::to_string(open), lines);
  }
}

}  // namespace
}  // namespace vk::platform
