#pragma once
// Window manager double: a system menu per registered window, with the Close
// item, and a record of the other calls.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fakes/journal.h"
#include "platform/window_services.h"

namespace vk::fakes {

class FakeWindowServices : public platform::WindowServices {
 public:
  struct MenuItem {
    std::uint32_t id;
    std::uint32_t state;
  };

  explicit FakeWindowServices(Journal& journal) : journal_(journal) {}

  // A window with a system menu holding Restore, Move and Close.
  void AddWindow(WindowHandle window) {
    windows_.insert(window);
    menus_[window] = {{0xF120, 0}, {0xF010, 0}, {platform::kScClose, 0}};
  }
  std::vector<MenuItem>& SystemMenu(WindowHandle window) { return menus_[window]; }

  bool IsWindow(WindowHandle window) override {
    journal_.Add("IsWindow");
    return windows_.count(window) != 0;
  }
  MenuHandle GetSystemMenu(WindowHandle window, bool) override {
    journal_.Add("GetSystemMenu");
    return window;  // one menu per window: reuse its number
  }
  bool ReadMenuItem(MenuHandle menu, std::uint32_t item, bool, platform::MenuItemInfo& info) override {
    journal_.Add("GetMenuItemInfo");
    MenuItem* found = Find(menu, item);
    if (found == nullptr) return false;
    if (info.fMask & platform::kMiimState) info.fState = found->state;
    if (info.fMask & platform::kMiimId) info.wID = found->id;
    return true;
  }
  bool WriteMenuItem(MenuHandle menu, std::uint32_t item, bool, platform::MenuItemInfo& info) override {
    journal_.Add("SetMenuItemInfo");
    if (failSetMenuItemInfo) return false;
    MenuItem* found = Find(menu, item);
    if (found == nullptr) return false;
    if (info.fMask & platform::kMiimState) found->state = info.fState;
    if (info.fMask & platform::kMiimId) found->id = info.wID;
    return true;
  }
  void SendNcActivate(WindowHandle) override { journal_.Add("SendNcActivate"); }
  bool SetWindowPos(WindowHandle window, std::int32_t insertAfter, std::uint32_t flags) override {
    topMostCalls.push_back({window, insertAfter, flags});
    journal_.Add("SetWindowPos " + std::to_string(insertAfter));
    return true;
  }
  bool FlashWindow(WindowHandle window, bool) override {
    flashed.push_back(window);
    return true;
  }
  bool SetForegroundWindow(WindowHandle window) override {
    journal_.Add("SetForegroundWindow " + std::to_string(window));
    return true;
  }
  std::uint32_t VersionExMajor() override { return majorVersion; }

  struct TopMostCall {
    WindowHandle window;
    std::int32_t insertAfter;
    std::uint32_t flags;
  };
  std::vector<TopMostCall> topMostCalls;
  std::vector<WindowHandle> flashed;
  std::uint32_t majorVersion = 6;
  bool failSetMenuItemInfo = false;

 private:
  MenuItem* Find(MenuHandle menu, std::uint32_t id) {
    auto it = menus_.find(menu);
    if (it == menus_.end()) return nullptr;
    for (MenuItem& m : it->second)
      if (m.id == id) return &m;
    return nullptr;
  }

  Journal& journal_;
  std::set<WindowHandle> windows_;
  std::map<WindowHandle, std::vector<MenuItem>> menus_;
};

}  // namespace vk::fakes
