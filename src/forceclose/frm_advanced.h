#pragma once
// FrmAdvanced, the Advanced Options dialog: the two forcing switches, which
// exclude each other and warn when switched on, and the force list, whose
// programs can be checked, unchecked, added through the picker and deleted.
// Every change is in effect at once; OK also saves them when anything changed.
#include <functional>
#include <memory>
#include <string>

#include "forceclose/frm_app_list.h"

namespace vk::forceclose {

// The application state the dialog edits, and its services. The switches'
// registry values belong to the schedule settings above this layer, so their
// write is handed in.
struct AdvancedContext {
  AppListContext picker;  // the services, and the force list
  VbBool& ForceShutdown;
  VbBool& ForceAppClose;
  // Writes "Force", then "ForceList", from the two switches as they stand.
  std::function<void()> SaveForceSettings;
};

class FrmAdvanced : public platform::FormHandlers {
 public:
  explicit FrmAdvanced(const AdvancedContext& context);
  ~FrmAdvanced() override;

  static const platform::FormDef& Definition();

  // Creates the window and runs Form_Load; the caller shows it.
  void Load();
  platform::FormHost& Host() { return *host_; }

  void OnEvent(const std::string& control, platform::FormEvent event, platform::EventArgs& args) override;

  void Form_Load();
  void Form_Unload();
  void chkForce_Click();
  void chkForceApp_Click();
  void lstApps_ItemCheck(int Item);
  void cmdAdd_Click();
  void cmdDel_Click();
  void CmdOK_Click();
  void CmdCancel_Click();

 private:
  void FillAppList();
  void ShowWarning();
  // Unchecks the box, and runs its Click as a user's uncheck would, when it was checked.
  void Uncheck(const std::string& box);

  AdvancedContext context_;
  AppEntryList& entries_;
  platform::FormModel model_;
  std::unique_ptr<platform::FormHost> host_;
  VbBool bChanged = kFalse;
  VbBool bFilling = kFalse;
};

// Loads a fresh dialog, shows it modally over the owner window and returns
// once it has closed; the form is released afterwards, so every opening
// starts with fresh state.
void ShowAdvancedOptions(const AdvancedContext& context, WindowHandle owner);

}  // namespace vk::forceclose
