#include "forceclose/frm_advanced.h"

#include <algorithm>

#include "forceclose/force_list.h"
#include "platform/text.h"
#include "ui/window_helpers.h"

namespace vk::forceclose {

using platform::EventArgs;
using platform::FormEvent;

namespace {

constexpr int kChecked = 1;

const char kWarning[] =
    "Enabling this option will force the system to shutdown.\r\n"
    "This will result in any unsaved work being lost.\r\n"
    "Use with caution!";

}  // namespace

FrmAdvanced::FrmAdvanced(const AdvancedContext& context)
    : context_(context), entries_(context.picker.AppEntries), model_(Definition()) {}

FrmAdvanced::~FrmAdvanced() = default;

void FrmAdvanced::Load() { context_.picker.forms.Load(Definition(), model_, *this, host_); }

void FrmAdvanced::OnEvent(const std::string& control, FormEvent event, EventArgs& args) {
  if (control == "Form" && event == FormEvent::Load) Form_Load();
  if (control == "Form" && event == FormEvent::Unload) Form_Unload();
  if (event == FormEvent::Click) {
    if (control == "chkForce") chkForce_Click();
    if (control == "chkForceApp") chkForceApp_Click();
    if (control == "cmdAdd") cmdAdd_Click();
    if (control == "cmdDel") cmdDel_Click();
    if (control == "CmdOK") CmdOK_Click();
    if (control == "CmdCancel") CmdCancel_Click();
  }
  if (control == "lstApps" && event == FormEvent::ItemCheck) lstApps_ItemCheck(args.index);
}

// Setting the boxes here raises no Click, so nothing counts as changed.
void FrmAdvanced::Form_Load() {
  ui::SetTopMost(context_.picker.windows, host_->Handle(), kTrue);
  bFilling = kTrue;
  model_.SetValue("chkForce", context_.ForceShutdown == kTrue ? kChecked : 0);
  model_.SetValue("chkForceApp", context_.ForceAppClose == kTrue ? kChecked : 0);
  model_.SetEnabled("lstApps", context_.ForceAppClose == kTrue);
  FillAppList();
  bFilling = kFalse;
}

void FrmAdvanced::Form_Unload() { ui::SetTopMost(context_.picker.windows, host_->Handle(), kFalse); }

void FrmAdvanced::chkForce_Click() {
  if (bFilling == kTrue) return;
  bChanged = kTrue;
  if (model_.Get("chkForce").value != kChecked) {
    context_.ForceShutdown = kFalse;
    return;
  }
  ShowWarning();
  context_.ForceShutdown = kTrue;
  context_.ForceAppClose = kFalse;
  Uncheck("chkForceApp");
}

void FrmAdvanced::chkForceApp_Click() {
  if (bFilling == kFalse) {
    bChanged = kTrue;
    if (model_.Get("chkForceApp").value == kChecked) {
      ShowWarning();
      context_.ForceAppClose = kTrue;
      Uncheck("chkForce");
      context_.ForceShutdown = kFalse;
    } else {
      context_.ForceAppClose = kFalse;
    }
  }
  FillAppList();
}

// Only a box that was checked raises its Click when code unchecks it.
void FrmAdvanced::Uncheck(const std::string& box) {
  if (model_.Get(box).value == 0) return;
  model_.SetValue(box, 0);
  if (box == "chkForce") {
    chkForce_Click();
  } else {
    chkForceApp_Click();
  }
}

// The entry turns to the other state than the one shown, which is what the
// closing acts on (exactly -1); any other stored value shows unchecked.
void FrmAdvanced::lstApps_ItemCheck(int Item) {
  if (bFilling == kTrue) return;
  bChanged = kTrue;
  if (Item < 0 || Item >= static_cast<int>(entries_.size())) return;
  VbBool& checked = entries_[static_cast<std::size_t>(Item)].Checked;
  checked = checked == kTrue ? kFalse : kTrue;
}

void FrmAdvanced::cmdAdd_Click() {
  bChanged = kTrue;
  ShowAppList(context_.picker, host_->Handle());
  FillAppList();
}

// With one entry the selection does not matter; with more, nothing selected
// deletes nothing.
void FrmAdvanced::cmdDel_Click() {
  bChanged = kTrue;
  const int selected = model_.Get("lstApps").listIndex;
  if (entries_.size() <= 1) {
    entries_.clear();
  } else if (selected >= 0 && selected < static_cast<int>(entries_.size())) {
    entries_.erase(entries_.begin() + selected);
  }
  FillAppList();
}

void FrmAdvanced::CmdOK_Click() {
  if (bChanged == kTrue) {
    if (context_.SaveForceSettings) context_.SaveForceSettings();
    SaveAppList(context_.picker.files, entries_);
  }
  host_->Unload();
}

// Nothing is written and nothing reverted: what changed stays in effect for
// the rest of the run.
void FrmAdvanced::CmdCancel_Click() { host_->Unload(); }

// Entries are shown by file name. The scroll range is the widest shown name
// with two blanks after it, so the widest entry can be scrolled into view and
// a list of short names needs no scrolling.
void FrmAdvanced::FillAppList() {
  bFilling = kTrue;
  if (entries_.empty()) {
    model_.SetItems("lstApps", {"Empty"});
    model_.SetHorizontalExtent("lstApps", 0);
    model_.SetEnabled("lstApps", false);
    model_.SetEnabled("cmdDel", false);
    bFilling = kFalse;
    return;
  }
  std::vector<std::string> names;
  int widest = 0;
  for (const AppEntry& entry : entries_) {
    names.push_back(platform::TrimBlanks(FileNameOf(entry.FilePath)));
    widest = std::max(widest, host_->TextWidth(names.back() + "  "));
  }
  model_.SetItems("lstApps", std::move(names));
  for (std::size_t i = 0; i < entries_.size(); ++i)
    model_.SetItemChecked("lstApps", static_cast<int>(i), entries_[i].Checked == kTrue);
  model_.SetHorizontalExtent("lstApps", widest);
  model_.SetEnabled("lstApps", context_.ForceAppClose == kTrue);
  model_.SetEnabled("cmdDel", true);
  bFilling = kFalse;
}

void FrmAdvanced::ShowWarning() {
  context_.picker.messages.Show(kWarning, context_.picker.shell.Title(),
                                platform::kMbOk | platform::kMbIconStop | platform::kMbSystemModal);
}

void ShowAdvancedOptions(const AdvancedContext& context, WindowHandle owner) {
  FrmAdvanced form(context);
  form.Load();
  form.Host().Show(platform::ShowMode::Modal, owner);
}

}  // namespace vk::forceclose
