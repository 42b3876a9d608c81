#pragma once
// FrmAppList, the application picker: drive, folder and file lists that
// browse for one program ("*.exe"), appended to the force list as a checked
// entry. Its only output is that entry.
#include <memory>
#include <string>

#include "forceclose/app_entry.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/shell.h"
#include "platform/window_services.h"

namespace vk::forceclose {

// The services the picker uses and the list it appends to.
struct AppListContext {
  platform::FormToolkit& forms;
  platform::WindowServices& windows;
  platform::MessageBoxes& messages;
  platform::AppShell& shell;
  platform::FileSystem& files;
  AppEntryList& AppEntries;
};

class FrmAppList : public platform::FormHandlers {
 public:
  explicit FrmAppList(const AppListContext& context);
  ~FrmAppList() override;

  static const platform::FormDef& Definition();

  // Creates the window and runs Form_Load; the caller shows it.
  void Load();
  platform::FormHost& Host() { return *host_; }

  void OnEvent(const std::string& control, platform::FormEvent event, platform::EventArgs& args) override;

  void Form_Load();
  void Form_Unload();
  void Drive1_Change();
  void Dir1_Change();
  void File1_DblClick();
  void CmdOK_Click();
  void CmdCancel_Click();

 private:
  AppListContext context_;
  platform::FormModel model_;
  std::unique_ptr<platform::FormHost> host_;
};

// Loads a fresh picker, shows it modally over the owner window and returns
// once it has closed; the form is released afterwards.
void ShowAppList(const AppListContext& context, WindowHandle owner);

}  // namespace vk::forceclose
