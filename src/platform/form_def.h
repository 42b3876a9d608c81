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
  MaskedEdit,
  DatePicker,
  UpDown,
  DriveList,
  FolderList,
  FileList,
  Hyperlink,
  PictureBox,
  Line,
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
};

struct FormDef {
  std::string name;
  std::string caption;
  int clientWidth = 0;   // twips
  int clientHeight = 0;  // twips
  int iconResource = 0;
  bool showInTaskbar = false;
  std::vector<ControlDef> controls;
};

}  // namespace vk::platform
