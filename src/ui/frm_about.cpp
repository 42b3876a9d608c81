#include "ui/frm_about.h"

#include <algorithm>

#include "version.h"

namespace vk::ui {

using platform::EventArgs;
using platform::FormEvent;

FrmAbout::FrmAbout(const AboutContext& context) : context_(context), model_(Definition()) {}

FrmAbout::~FrmAbout() = default;

void FrmAbout::Load() { context_.forms.Load(Definition(), model_, *this, host_); }

void FrmAbout::OnEvent(const std::string& control, FormEvent event, EventArgs&) {
  if (control == "Form" && event == FormEvent::Load) Form_Load();
  if (control == "Form" && event == FormEvent::Unload) Form_Unload();
  if (control == "CmdOK" && event == FormEvent::Click) CmdOK_Click();
  if (control == "cmdSysInfo" && event == FormEvent::Click) cmdSysInfo_Click();
}

void FrmAbout::Form_Load() {
  const std::string title = context_.shell.Title();
  model_.SetCaption("About " + title);
  model_.SetText("lblVersion", "Version " + std::to_string(VESPERKIT_VERSION_MAJOR) + "." +
                                   std::to_string(VESPERKIT_VERSION_MINOR) + "." +
                                   std::to_string(VESPERKIT_VERSION_REVISION));
  model_.SetText("lblTitle", title);
}

// The tray menu opens with the default it had before the box came up.
void FrmAbout::Form_Unload() {
  context_.MenuDefault = context_.LastMenuDefault;
  unloaded_ = true;
}

void FrmAbout::CmdOK_Click() { host_->Unload(); }

void FrmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void FrmAbout::StartSysInfo() {
  std::string path;
  if (GetKeyValue(platform::kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path) == kFalse) {
    std::string folder;
    if (GetKeyValue(platform::kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", folder) ==
        kFalse) {
      ShowUnavailable();
      return;
    }
    path = folder + "\\MSINFO32.EXE";
    if (!context_.files.ExistsAsNormalFile(path)) {
      ShowUnavailable();
      return;
    }
  }
  // An empty path cannot be started any more than a missing program.
  if (path.empty() || !context_.launcher.Start(path)) ShowUnavailable();
}

void FrmAbout::ShowUnavailable() {
  context_.messages.Show("System Information Is Unavailable At This Time", context_.shell.Title(), platform::kMbOk);
}

}  // namespace vk::ui
