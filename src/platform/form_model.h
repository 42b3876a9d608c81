#pragma once
// The toolkit-neutral state of a form's controls. Handlers read and write it;
// the Win32 binding mirrors every change onto the real control, and tests read
// it directly. Programmatic changes never raise handler events by themselves.
// The model knows only the controls of its table: any other name is a
// programming error and throws UnknownControl at once, never a silent no-op.
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/folder_tree.h"
#include "platform/form_def.h"

namespace vk::platform {

struct ControlState {
  ControlKind kind = ControlKind::Label;
  std::string container;  // empty: the form itself
  std::string text;       // caption or text
  // Check box: 0 unchecked, 1 checked, 2 grayed. Option button: 0 or 1.
  // Up-down: its position.
  int value = 0;
  bool enabled = true;
  bool visible = true;
  int left = 0, top = 0, width = 0, height = 0;  // twips, relative to the container
  std::vector<std::string> items;                // list and combo entries
  std::vector<bool> checks;                      // check marks of a checked list
  int listIndex = -1;                            // selected entry, -1 for none
  int interval = 0;                              // timers
  int horizontalExtent = 0;                      // list boxes, in pixels
  int minimum = 0, maximum = 100;                // up-down range
  DateTime date{};                               // date picker: the chosen day
  std::optional<DateTime> minDate, maxDate;      // date picker: selectable range
  std::string path;     // drive list: "c:"; folder and file lists: the folder shown
  std::string pattern;  // file list: the files it shows ("*.exe")
  std::string buddy;    // up-down: the text box whose number it steps
  std::vector<std::string> itemFolders;  // folder list: the folder each line stands for
};

// A name that is not a control of the form's table (nor "Form" where the
// form itself is meant), or a table that names such a container or one
// name twice.
class UnknownControl : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// What changed, so the binding touches only that on the real control.
enum class ModelChange {
  Text, Value, Enabled, Visible, Geometry, Items, Checks, ListIndex, Interval, Extent, Date, Range, Path,
  Focus, Caption, FormHeight,
};

class FormModel {
 public:
  // control is "Form" for the form's own caption and height.
  using Observer = std::function<void(const std::string& control, ModelChange change)>;

  explicit FormModel(const FormDef& def);

  // Throws UnknownControl for a name that is not in the table.
  const ControlState& Get(const std::string& control) const;
  bool Has(const std::string& control) const { return controls_.count(control) != 0; }

  // A combo box's entry with exactly this text becomes selected; any other
  // text leaves no entry selected.
  void SetText(const std::string& control, const std::string& text);
  // Selecting an option button clears the other option buttons of its
  // container; an up-down keeps its value inside its range.
  void SetValue(const std::string& control, int value);
  void SetEnabled(const std::string& control, bool enabled);
  void SetVisible(const std::string& control, bool visible);
  void SetLeft(const std::string& control, int left);
  void SetTop(const std::string& control, int top);
  void SetWidth(const std::string& control, int width);
  void SetHeight(const std::string& control, int height);
  void ClearItems(const std::string& control);
  void AddItem(const std::string& control, const std::string& item);
  // Replaces every entry at once, unchecked and with none selected.
  void SetItems(const std::string& control, std::vector<std::string> items);
  void SetItemChecked(const std::string& control, int index, bool checked);
  // An index outside the list selects nothing; a combo box shows the entry.
  void SetListIndex(const std::string& control, int index);
  void SetHorizontalExtent(const std::string& control, int pixels);
  void SetInterval(const std::string& control, int milliseconds);
  void SetRange(const std::string& control, int minimum, int maximum);
  // The chosen day is kept inside the selectable range.
  void SetDate(const std::string& control, const DateTime& date);
  void SetMinDate(const std::string& control, const DateTime& date);
  void SetMaxDate(const std::string& control, const DateTime& date);
  void SetPath(const std::string& control, const std::string& path);
  // A folder list's lines, each with the folder it stands for; the open one
  // is selected.
  void SetFolderLines(const std::string& control, const std::vector<FolderLine>& lines, int open);

  // The form's caption and its own height in twips (ArrangeFrames changes it).
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  int FormHeight() const { return formHeight_; }
  void SetFormHeight(int twips);

  // The control that has the focus, or had it last while the focus is in
  // another window (empty: none yet).
  const std::string& Focus() const { return focus_; }
  void SetFocus(const std::string& control);

  // Position on the form, through the frames that contain the control.
  int FormLeft(const std::string& control) const;
  int FormTop(const std::string& control) const;
  // Visible itself and inside visible frames.
  bool Shown(const std::string& control) const;
  // Enabled itself and inside enabled frames, and shown.
  bool Usable(const std::string& control) const;

  // The binding observes changes.
  void SetObserver(Observer observer) { observer_ = std::move(observer); }

 private:
  ControlState& Mutable(const std::string& control);
  void Notify(const std::string& control, ModelChange change);
  void ClearOtherOptions(const std::string& selected);
  void KeepDateInRange(const std::string& control);
  // The chain of containers above the control, nearest first (bounded, so a
  // table whose frames contain each other cannot loop).
  std::vector<const ControlState*> Containers(const std::string& control) const;

  std::map<std::string, ControlState> controls_;
  std::string caption_;
  int formHeight_ = 0;
  std::string focus_;
  Observer observer_;
};

// Calendar order of two moments.
bool DateBefore(const DateTime& a, const DateTime& b);

}  // namespace vk::platform
