#pragma once
// frmAbout: the About box. Title, version and description, the feedback
// addresses as links, a note on the program's ownership, OK, and System Info,
// which starts the system's information tool found through the registry.
// Modeless: each use of the tray's About item opens another one.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/forms.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace vk::ui {

// The services and the application state the box uses.
struct AboutContext {
  platform::FormToolkit& forms;
  platform::Registry& registry;
  platform::FileSystem& files;
  platform::ProgramLauncher& launcher;
  platform::MessageBoxes& messages;
  platform::AppShell& shell;
  std::int16_t& MenuDefault;
  const std::int16_t& LastMenuDefault;
};

class FrmAbout : public platform::FormHandlers {
 public:
  explicit FrmAbout(const AboutContext& context);
  ~FrmAbout() override;

  static const platform::FormDef& Definition();

  // Creates the window and runs Form_Load; the caller shows it.
  void Load();
  platform::FormHost& Host() { return *host_; }
  platform::FormModel& Model() { return model_; }
  bool Unloaded() const { return unloaded_; }

  void OnEvent(const std::string& control, platform::FormEvent event, platform::EventArgs& args) override;

  void Form_Load();
  void Form_Unload();
  void CmdOK_Click();
  void cmdSysInfo_Click();

  // Starts the system information tool, or tells the user it is unavailable.
  void StartSysInfo();
  // Reads one registry value as text into KeyVal: a string as it is, a
  // DWORD as decimal digits; any other type leaves KeyVal as it was. False,
  // with KeyVal empty, when the key cannot be opened or the value read.
  VbBool GetKeyValue(platform::RegKey KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                     std::string& KeyVal);

 private:
  void ShowUnavailable();

  AboutContext context_;
  platform::FormModel model_;
  std::unique_ptr<platform::FormHost> host_;
  bool unloaded_ = false;
};

// The open About boxes. Each Open makes a new one, shown modeless, which lives
// until it is unloaded; boxes unloaded since are released at the next Open.
class AboutBoxes {
 public:
  AboutBoxes();
  ~AboutBoxes();
  void Open(const AboutContext& context);
  // Boxes not unloaded yet.
  int OpenCount() const;

 private:
  std::vector<std::unique_ptr<FrmAbout>> boxes_;
};

}  // namespace vk::ui
