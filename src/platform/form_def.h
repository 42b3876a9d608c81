#pragma once
// A form as a table of controls. Geometry is in twips relative to the
// control's container, as the dialogs are designed.
#include <string>
#include <vector>

namespace vk::platform {

enum class ControlKind {
  Frame,
  Label,
  Button,
  OptionButton,
  CheckBox,
  TextBox,
  ComboBox,        // editable text with a drop-down list
  CheckedListBox,  // a list box with a check box per item
  MaskedEdit,      // extra: the mask ("#" a digit, anything else a literal)
  DatePicker,
  UpDown,          // extra: the buddy text box whose number it steps
  DriveList,
  FolderList,
  FileList,        // extra: the file pattern ("*.exe")
  Hyperlink,       // extra: the link target
  PictureBox,      // iconResource: the icon it shows
  Line,            // an etched horizontal rule: one grey and one white line
  Timer,
  Menu,            // a pop-up menu; its items name it as their container
  MenuItem,        // caption "-" is a separator
};

struct FontDef {
  std::string name;  // empty: the dialog font
  int points = 0;
  bool bold = false;
};

struct ControlDef {
  std::string name;
  ControlKind kind = ControlKind::Label;
  std::string container;  // empty: the form itself
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::string caption;
  std::string toolTip;
  FontDef font;
  bool enabled = true;
  bool visible = true;
  bool isDefault = false;  // buttons: Enter
  bool isCancel = false;   // buttons: Esc
  int interval = 0;        // timers, in milliseconds
  std::string extra;       // mask, file pattern, link target or buddy control, by kind
  int iconResource = 0;    // picture boxes
  int minimum = 0;         // up-down range
  int maximum = 100;
  char placeholder = '_';  // masked edit: stands for a position not typed yet
};

// A control at its design position (twips, relative to its container).
inline ControlDef Control(std::string name, ControlKind kind, int left, int top, int width, int height,
                          std::string caption = {}) {
  ControlDef c;
  c.name = std::move(name);
  c.kind = kind;
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  c.caption = std::move(caption);
  return c;
}

// The control placed in a frame (or another container) of the form.
inline ControlDef In(std::string container, ControlDef control) {
  control.container = std::move(container);
  return control;
}

struct FormDef {
  std::string name;
  std::string caption;
  int clientWidth = 0;   // twips
  int clientHeight = 0;  // twips
  // The form's height (clientHeight, then the model's FormHeight) is the
  // whole window's, caption bar and border included, as a dialog laid out
  // with room for them below its last control is designed.
  bool heightIncludesFrame = false;
  int iconResource = 0;
  bool showInTaskbar = false;
  // The control that has the focus when the form is shown; empty: the first
  // control that takes the focus, in table order (the tab order).
  std::string initialFocus;
  std::vector<ControlDef> controls;
};

}  // namespace vk::platform
