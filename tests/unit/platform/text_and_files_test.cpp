// Typing into the "##:##" box (digits overwrite, the colon stays put, text set
// by code is shaped to the mask first), the lines of a folder list, and
// replacing a file through a temporary one beside it, on steps that can fail.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/atomic_replace.h"
#include "platform/edit_mask.h"
#include "platform/folder_tree.h"

namespace vk::platform {
namespace {

constexpr char kMask[] = "##:##";
constexpr char kDelete = 0x7F;

TEST(EditMask, KeysOverwriteDigitsStepOverTheColonAndLeavePlaceholders) {
  const struct {
    MaskedText box;
    char key;           // '\b' backspace, kDelete delete, any other is typed
    std::string after;  // text, caret, and whether a typed key was taken
  } keys[] = {
      {{"__:__", 0}, '2', "2_:__ 1 1"},      {{"2_:__", 1}, '3', "23:__ 3 1"},
      {{"23:45", 5}, '6', "23:45 5 0"},      {{"23:45", 0}, '1', "13:45 1 1"},
      {{"1_:__", 1}, 'a', "1_:__ 1 0"},      {{"1_:__", 1}, ':', "1_:__ 1 0"},
      {{"1_:__", 2}, ':', "1_:__ 3 1"},      {{"garbage text", 99}, '7', "__:__ 5 0"},
      {{"12:34", 3}, '\b', "1_:34 1 1"},     {{"__:34", 0}, '\b', "__:34 0 1"},
      {{"12:34", 2}, kDelete, "12:_4 2 1"},  {{"1x;3", 0}, kDelete, "__:3_ 0 1"},
      {{"12:345678", 5}, '\b', "12:3_ 4 1"},
  };
  for (const auto& k : keys) {
    SCOPED_TRACE(k.box.text + " at " + std::to_string(k.box.caret) + ", key " + std::to_string(k.key));
    MaskedText box = k.box;
    bool taken = true;
    if (k.key == '\b')
      BackspaceInMask(kMask, '_', box);
    else if (k.key == kDelete)
      DeleteInMask(kMask, '_', box);
    else
      taken = TypeIntoMask(kMask, '_', box, k.key);
    EXPECT_EQ(box.text + " " + std::to_string(box.caret) + " " + std::to_string(taken), k.after);
  }
  MaskedText box{"12:34", 0};
  ClearMaskRange(kMask, '_', box, 4, 1);
  EXPECT_EQ(box.text + " " + std::to_string(box.caret) + " " + EmptyMaskText(kMask, '_'), "1_:_4 1 __:__");
}

TEST(FolderTree, ShowsTheWayDownThenTheSubfoldersOneLevelDeeper) {
  for (const auto& [path, lines] :
       {std::pair<std::string, std::string>{"C:\\Windows\\System32\\",
                                            "C:\\=C:\\|  Windows=C:\\Windows|    System32=C:\\Windows\\System32|"
                                            "      sub=C:\\Windows\\System32\\sub|open 2"},
        {"C:\\", "C:\\=C:\\|  sub=C:\\sub|open 0"},
        {"", "open -1"}}) {
    int open = -2;
    std::string shown;
    for (const FolderLine& line : FolderTreeLines(path, {"sub"}, open)) shown += line.text + "=" + line.path + "|";
    EXPECT_EQ(shown + "open " + std::to_string(open), lines);
  }
}

// A folder in memory whose every step can be made to fail; a failed write
// leaves half the bytes, as a disk that fills up.
struct FakeSteps : ReplaceSteps {
  FileAttributes Attributes(const std::string& path) override {
    return files.count(path) ? marks[path] : FileAttributes{};
  }
  bool CreateTemporary(const std::string& folder, std::string& temporaryPath) override {
    files[temporary = temporaryPath = folder + "\\vk1.tmp"] = "";
    return failing != "CreateTemporary";
  }
  bool WriteAll(const std::string& path, const std::string& bytes) override {
    files[path] = failing == "WriteAll" ? bytes.substr(0, bytes.size() / 2) : bytes;
    return failing != "WriteAll";
  }
  bool SetHiddenSystem(const std::string& path, bool hidden, bool system) override {
    marks[path] = {true, false, hidden, system};
    return failing != "SetHiddenSystem";
  }
  bool MoveOver(const std::string& from, const std::string& to) override {
    if (failing == "MoveOver") return false;
    files[to] = files[from];
    marks[to] = marks[from];
    return files.erase(from);
  }
  bool Remove(const std::string& path) override { return files.erase(path); }

  std::map<std::string, std::string> files;
  std::map<std::string, FileAttributes> marks;
  std::string failing, temporary;
};

TEST(AtomicReplace, ReplacesTheWholeContentThroughATemporaryFileBesideItKeepingItsMarksOrLeavesItAsItWas) {
  const std::string app = "C:\\App\\vk1.tmp ", target = "C:\\App\\Files.dat";
  const FileAttributes plain{true}, hidden{true, false, true, false}, system{true, false, false, true};
  const struct {
    std::string path;
    std::optional<FileAttributes> target;
    const char* failing;
    std::string after;  // the temporary file, the result, then each file with its marks
  } rows[] = {
      {target, std::nullopt, "", app + "1 " + target + "=new00 "},
      {"C:\\Files.dat", plain, "", "C:\\\\vk1.tmp 1 C:\\Files.dat=new00 "},
      {target, hidden, "", app + "1 " + target + "=new10 "},
      {target, system, "", app + "1 " + target + "=new01 "},
      {target, FileAttributes{true, true, true, false}, "", " 0 " + target + "=old10 "},  // read-only
      {target, hidden, "WriteAll", app + "0 " + target + "=old10 "},
      {target, hidden, "SetHiddenSystem", app + "0 " + target + "=old10 "},
      {target, hidden, "MoveOver", app + "0 " + target + "=old10 "},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path + " " + row.failing);
    FakeSteps steps;
    if (row.target) {
      steps.files[row.path] = "old, and longer";
      steps.marks[row.path] = *row.target;
    }
    steps.failing = row.failing;
    std::string after = steps.temporary + " " + std::to_string(ReplaceAtomically(steps, row.path, "new")) + " ";
    for (const auto& [path, bytes] : steps.files)
      after += path + "=" + bytes.substr(0, 3) + std::to_string(steps.marks[path].hidden) +
               std::to_string(steps.marks[path].system) + " ";
    EXPECT_EQ(after, row.after);
  }
}

}  // namespace
}  // namespace vk::platform
