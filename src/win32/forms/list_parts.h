#pragma once
// What combo boxes and list boxes share: their entries, the chosen one, and
// the user's choice reported to the form. The drive, folder and file lists
// build on these (file_system_parts.cpp).
#include <string>
#include <vector>

#include "win32/forms/control_part.h"

namespace vk::win32 {

// A combo box: editable text over a drop-down list, or (a drive list) the
// list alone.
class ComboPart : public ControlPart {
 public:
  ComboPart(Win32FormHost& host, const platform::ControlDef& def, bool editable);
  void Show(platform::ModelChange change) override;
  void OnCommand(int code) override;

 protected:
  int ExtraHeight() const override;

 private:
  void ShowItems();
  void ShowListIndex();

  bool editable_;
  std::vector<std::string> shown_;  // the entries as last put into the control
};

// A list box; LBS_OWNERDRAWFIXED lists draw their items themselves.
class ListPart : public ControlPart {
 public:
  ListPart(Win32FormHost& host, const platform::ControlDef& def, DWORD style);
  void Show(platform::ModelChange change) override;
  void OnCommand(int code) override;

 private:
  void ShowItems();

  std::vector<std::string> shown_;
};

}  // namespace vk::win32
