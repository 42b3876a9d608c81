#include "app/startup.h"

#include <cstdio>
#include <string>

#include "app/frm_main.h"
#include "resource_ids.h"

namespace vk::app {

namespace {

constexpr const char* kTitle = "Vesperkit";

std::string HexCode(HResult code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
  return text;
}

// The program cannot work without its components; say which one and how the
// user gets it back, then end before any icon appears.
int ReportMissingComponent(AppState& state, const std::string& component, HResult error) {
  state.platform.shell.SetMousePointer(platform::kPointerDefault);
  state.platform.messages.Show("The " + component + " component of Vesperkit could not be created (error " +
                                   HexCode(error) + ").\r\nReinstalling Vesperkit registers it again.",
                               kTitle, platform::kMbOk | platform::kMbIconStop);
  state.gPowerControl.reset();
  state.gProcessControl.reset();
  return kExitMissingComponent;
}

void FillTrayIcon(AppState& state, WindowHandle window, IconHandle icon) {
  TrayIconRecord& tray = state.gTrayIcon;
  tray.cbSize = kTrayLayout.size;
  tray.hWnd = window;
  tray.uID = kTrayIconId;
  tray.uFlags = kTrayFlags;
  tray.uCallbackMessage = kTrayCallbackMessage;
  tray.hIcon = icon;
  tray.SetTip(kTitle);
}

}  // namespace

int Startup(AppState& state) {
  PlatformServices& p = state.platform;
  p.shell.SetMousePointer(platform::kPointerHourglass);
  p.shell.SetTitle(kTitle);

  state.gRegSettings = std::make_unique<persistence::CRegSettings>(p.registry, state.gLogErr);
  state.gRegSettings->SetCompany("Quillfield Systems Ltd");
  state.gRegSettings->SetAppName("Vesperkit");

  HResult error = kS_OK;
  state.gPowerControl = p.components.CreatePowerControl(error);
  if (!state.gPowerControl) return ReportMissingComponent(state, "PowerControl", error);
  state.gProcessControl = p.components.CreateProcessControl(error);
  if (!state.gProcessControl) return ReportMissingComponent(state, "ProcessControl", error);
  state.gFrmMain = std::make_unique<FrmMain>(state);

  state.gFrmMain->Load();

  FillTrayIcon(state, state.gFrmMain->Host().Handle(), p.forms.LoadIconResource(IDI_VESPERKIT));
  p.tray.Notify(platform::TrayMessage::Add, state.gTrayIcon.Pack());

  state.gFrmMain->Host().Hide();
  p.shell.SetMousePointer(platform::kPointerDefault);
  return 0;
}

}  // namespace vk::app
