// The registration table: which part makes the window of each kind of
// control. Each maker lives in its part's file.
#include <map>

#include "win32/forms/control_part.h"

namespace vk::win32 {

using platform::ControlDef;
using platform::ControlKind;

std::unique_ptr<ControlPart> MakeFrame(Win32FormHost&, const ControlDef&);           // frame_part.cpp
std::unique_ptr<ControlPart> MakeLabel(Win32FormHost&, const ControlDef&);           // static_parts.cpp
std::unique_ptr<ControlPart> MakeHyperlink(Win32FormHost&, const ControlDef&);       // static_parts.cpp
std::unique_ptr<ControlPart> MakePictureBox(Win32FormHost&, const ControlDef&);      // static_parts.cpp
std::unique_ptr<ControlPart> MakeLine(Win32FormHost&, const ControlDef&);            // static_parts.cpp
std::unique_ptr<ControlPart> MakeButton(Win32FormHost&, const ControlDef&);          // button_parts.cpp
std::unique_ptr<ControlPart> MakeOptionButton(Win32FormHost&, const ControlDef&);    // button_parts.cpp
std::unique_ptr<ControlPart> MakeCheckBox(Win32FormHost&, const ControlDef&);        // button_parts.cpp
std::unique_ptr<ControlPart> MakeTextBox(Win32FormHost&, const ControlDef&);         // edit_parts.cpp
std::unique_ptr<ControlPart> MakeMaskedEdit(Win32FormHost&, const ControlDef&);      // edit_parts.cpp
std::unique_ptr<ControlPart> MakeComboBox(Win32FormHost&, const ControlDef&);        // list_parts.cpp
std::unique_ptr<ControlPart> MakeCheckedListBox(Win32FormHost&, const ControlDef&);  // list_parts.cpp
std::unique_ptr<ControlPart> MakeDriveList(Win32FormHost&, const ControlDef&);       // file_system_parts.cpp
std::unique_ptr<ControlPart> MakeFolderList(Win32FormHost&, const ControlDef&);      // file_system_parts.cpp
std::unique_ptr<ControlPart> MakeFileList(Win32FormHost&, const ControlDef&);        // file_system_parts.cpp
std::unique_ptr<ControlPart> MakeDatePicker(Win32FormHost&, const ControlDef&);      // date_part.cpp
std::unique_ptr<ControlPart> MakeUpDown(Win32FormHost&, const ControlDef&);          // up_down_part.cpp

PartMaker PartFor(ControlKind kind) {
  static const std::map<ControlKind, PartMaker> kParts = {
      {ControlKind::Frame, MakeFrame},
      {ControlKind::Label, MakeLabel},
      {ControlKind::Hyperlink, MakeHyperlink},
      {ControlKind::PictureBox, MakePictureBox},
      {ControlKind::Line, MakeLine},
      {ControlKind::Button, MakeButton},
      {ControlKind::OptionButton, MakeOptionButton},
      {ControlKind::CheckBox, MakeCheckBox},
      {ControlKind::TextBox, MakeTextBox},
      {ControlKind::MaskedEdit, MakeMaskedEdit},
      {ControlKind::ComboBox, MakeComboBox},
      {ControlKind::CheckedListBox, MakeCheckedListBox},
      {ControlKind::DriveList, MakeDriveList},
      {ControlKind::FolderList, MakeFolderList},
      {ControlKind::FileList, MakeFileList},
      {ControlKind::DatePicker, MakeDatePicker},
      {ControlKind::UpDown, MakeUpDown},
  };
  auto it = kParts.find(kind);
  return it == kParts.end() ? nullptr : it->second;
}

}  // namespace vk::win32
