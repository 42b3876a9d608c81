#pragma once
// Window manager double: each registered window has a system menu whose Close
// item it keeps; every call goes into the journal.
#include <map>
#include <string>

#include "fakes/journal.h"
#include "platform/window_services.h"

namespace vk::fakes {

class FakeWindowServices : public platform::WindowServices {
 public:
  struct MenuItem {
    std::uint32_t id = platform::kScClose;
    std::uint32_t state = 0;
  };

  explicit FakeWindowServices(Journal& journal) : journal_(journal) {}

  bool IsWindow(WindowHandle window) override {
    journal_.Add("IsWindow");
    return closeItems.count(window) != 0;
  }
  MenuHandle GetSystemMenu(WindowHandle window, bool) override {
    journal_.Add("GetSystemMenu");
    return window;  // one menu per window: reuse its number
  }
  bool ReadMenuItem(MenuHandle menu, std::uint32_t id, bool byPosition, platform::MenuItemInfo& info) override {
    journal_.Add("GetMenuItemInfo");
    MenuItem* item = Find(menu, id, byPosition);
    if (item == nullptr) return false;
    if (info.fMask & platform::kMiimState) info.fState = item->state;
    if (info.fMask & platform::kMiimId) info.wID = item->id;
    return true;
  }
  bool WriteMenuItem(MenuHandle menu, std::uint32_t id, bool byPosition, platform::MenuItemInfo& info) override {
    journal_.Add("SetMenuItemInfo");
    MenuItem* item = failSetMenuItemInfo ? nullptr : Find(menu, id, byPosition);
    if (item == nullptr) return false;
    if (info.fMask & platform::kMiimState) item->state = info.fState;
    if (info.fMask & platform::kMiimId) item->id = info.wID;
    return true;
  }
  void SendNcActivate(WindowHandle) override { journal_.Add("SendNcActivate"); }
  bool SetWindowPos(WindowHandle, std::int32_t insertAfter, std::uint32_t flags) override {
    journal_.Add("SetWindowPos " + std::to_string(insertAfter) + " " + std::to_string(flags));
    return true;
  }
  bool FlashWindow(WindowHandle, bool) override {
    journal_.Add("Flash");
    return true;
  }
  bool SetForegroundWindow(WindowHandle window) override {
    journal_.Add("SetForegroundWindow " + std::to_string(window));
    return true;
  }
  std::uint32_t VersionExMajor() override { return majorVersion; }

  std::map<WindowHandle, MenuItem> closeItems;  // the windows there are
  std::uint32_t majorVersion = 6;
  bool failSetMenuItemInfo = false;

 private:
  MenuItem* Find(MenuHandle menu, std::uint32_t id, bool byPosition) {
    auto it = closeItems.find(menu);
    return it == closeItems.end() || byPosition || it->second.id != id ? nullptr : &it->second;
  }

  Journal& journal_;
};

}  // namespace vk::fakes
