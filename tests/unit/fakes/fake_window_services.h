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
  bool IsWindow(WindowHandle window) override { return Note("IsWindow") && closeItems.count(window); }
  MenuHandle GetSystemMenu(WindowHandle window, bool) override { return Note("GetSystemMenu") ? window : 0; }
  bool ReadMenuItem(MenuHandle menu, std::uint32_t id, bool byPosition, platform::MenuItemInfo& info) override {
    MenuItem* item = Find("GetMenuItemInfo", menu, id, byPosition);
    if (item != nullptr && (info.fMask & platform::kMiimState)) info.fState = item->state;
    if (item != nullptr && (info.fMask & platform::kMiimId)) info.wID = item->id;
    return item != nullptr;
  }
  bool WriteMenuItem(MenuHandle menu, std::uint32_t id, bool byPosition, platform::MenuItemInfo& info) override {
    MenuItem* item = Find("SetMenuItemInfo", menu, id, byPosition);
    if (item != nullptr && (info.fMask & platform::kMiimState)) item->state = info.fState;
    if (item != nullptr && (info.fMask & platform::kMiimId)) item->id = info.wID;
    return item != nullptr;
  }
  void SendNcActivate(WindowHandle) override { Note("SendNcActivate"); }
  bool SetWindowPos(WindowHandle, std::int32_t insertAfter, std::uint32_t flags) override {
    return Note("SetWindowPos " + std::to_string(insertAfter) + " " + std::to_string(flags));
  }
  bool FlashWindow(WindowHandle, bool) override { return Note("Flash"); }
  bool SetForegroundWindow(WindowHandle window) override {
    return Note("SetForegroundWindow " + std::to_string(window));
  }
  std::uint32_t VersionExMajor() override { return majorVersion; }

  std::map<WindowHandle, MenuItem> closeItems;  // the windows there are
  std::uint32_t majorVersion = 6;

 private:
  bool Note(const std::string& call) {
    journal_.Add(call);
    return true;
  }
  // The item of that id in the window's menu, found by id only.
  MenuItem* Find(const std::string& call, MenuHandle menu, std::uint32_t id, bool refused) {
    Note(call);
    auto it = closeItems.find(menu);
    return it == closeItems.end() || refused || it->second.id != id ? nullptr : &it->second;
  }

  Journal& journal_;
};

}  // namespace vk::fakes
