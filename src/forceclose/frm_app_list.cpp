#include "forceclose/frm_app_list.h"

#include "forceclose/force_list.h"
#include "ui/window_helpers.h"

namespace vk::forceclose {

using platform::EventArgs;
using platform::FormEvent;

namespace {

// Every pair of backslashes becomes one, left to right without overlap, so
// the root folder "C:\" joined with "\" and a name gives a single separator.
std::string CollapseDoubledBackslashes(const std::string& path) {
  std::string collapsed;
  for (std::size_t i = 0; i < path.size(); ++i) {
    collapsed += path[i];
    if (path[i] == '\\' && i + 1 < path.size() && path[i + 1] == '\\') ++i;
  }
  return collapsed;
}

}  // namespace

FrmAppList::FrmAppList(const AppListContext& context) : context_(context), model_(Definition()) {}

FrmAppList::~FrmAppList() = default;

void FrmAppList::Load() { context_.forms.Load(Definition(), model_, *this, host_); }

void FrmAppList::OnEvent(const std::string& control, FormEvent event, EventArgs&) {
  if (control == "Form" && event == FormEvent::Load) Form_Load();
  if (control == "Form" && event == FormEvent::Unload) Form_Unload();
  if (control == "Drive1" && event == FormEvent::Change) Drive1_Change();
  if (control == "Dir1" && event == FormEvent::Change) Dir1_Change();
  if (control == "File1" && event == FormEvent::DblClick) File1_DblClick();
  if (control == "CmdOK" && event == FormEvent::Click) CmdOK_Click();
  if (control == "CmdCancel" && event == FormEvent::Click) CmdCancel_Click();
}

// The three lists start at the process's current folder, which the picker
// never changes, so every opening starts there again.
void FrmAppList::Form_Load() { ui::SetTopMost(context_.windows, host_->Handle(), kTrue); }

void FrmAppList::Form_Unload() { ui::SetTopMost(context_.windows, host_->Handle(), kFalse); }

// A drive that cannot be read (no medium) leaves the lists where they were,
// silently. Putting the selector back raises nothing, so the folder list
// stays on the very folder it showed rather than the old drive's current one.
void FrmAppList::Drive1_Change() {
  const std::string previous = model_.Get("Dir1").path;
  std::string folder;
  if (!context_.files.FolderOnDrive(model_.Get("Drive1").path, folder)) {
    model_.SetPath("Drive1", previous.substr(0, 2));
    return;
  }
  model_.SetPath("Dir1", folder);
  Dir1_Change();
}

void FrmAppList::Dir1_Change() { model_.SetPath("File1", model_.Get("Dir1").path); }

// Nothing chosen appends nothing and the picker stays. A path longer than a
// record holds is refused: cut, it would name no program and the user's
// program would never be closed.
void FrmAppList::File1_DblClick() {
  const platform::ControlState& list = model_.Get("File1");
  if (list.listIndex < 0 || list.listIndex >= static_cast<int>(list.items.size())) return;
  const std::string path =
      CollapseDoubledBackslashes(list.path + "\\" + list.items[static_cast<std::size_t>(list.listIndex)]);
  if (path.size() > kFilePathLength) {
    context_.messages.Show("The list of programs to close holds paths of up to " + std::to_string(kFilePathLength) +
                               " characters; this one has " + std::to_string(path.size()) + ":\r\n" + path,
                           context_.shell.Title(), platform::kMbOk | platform::kMbIconExclamation);
    return;
  }
  context_.AppEntries.push_back(MakeAppEntry(path));
  host_->Unload();
}

void FrmAppList::CmdOK_Click() { File1_DblClick(); }

void FrmAppList::CmdCancel_Click() { host_->Unload(); }

void ShowAppList(const AppListContext& context, WindowHandle owner) {
  FrmAppList form(context);
  form.Load();
  form.Host().Show(platform::ShowMode::Modal, owner);
}

}  // namespace vk::forceclose
