#pragma once
// Forms toolkit double: forms live only as their models. A modal show runs a
// scripted interaction (a callback that plays the user) and returns when the
// script is done; a pop-up menu runs a script that may choose an item.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_window_services.h"
#include "fakes/journal.h"
#include "platform/forms.h"

namespace vk::fakes {

class FakeFormToolkit;

class FakeFormHost : public platform::FormHost {
 public:
  FakeFormHost(FakeFormToolkit& toolkit, const platform::FormDef& def, platform::FormModel& model,
               platform::FormHandlers& handlers, WindowHandle handle)
      : toolkit_(toolkit), def_(def), model_(model), handlers_(handlers), handle_(handle) {}

  WindowHandle Handle() override { return handle_; }
  void Show(platform::ShowMode mode, WindowHandle owner) override;
  void Hide() override;
  void Unload() override;
  bool Visible() override { return visible_; }
  void BringToFront() override;
  void PopupMenu(const std::string& menu, const std::string& defaultItem) override;
  int ScaleMode() override { return scaleMode; }
  double TwipsPerPixelX() override { return twipsPerPixelX; }

  // Plays a user action: raises the event on the form's handlers.
  void Fire(const std::string& control, platform::FormEvent event, platform::EventArgs args = {}) {
    handlers_.OnEvent(control, event, args);
  }
  void Click(const std::string& control) { Fire(control, platform::FormEvent::Click); }

  const platform::FormDef& Def() const { return def_; }
  platform::FormModel& Model() { return model_; }
  bool Unloaded() const { return unloaded_; }
  WindowHandle Owner() const { return owner_; }

  int scaleMode = platform::kScaleTwips;
  double twipsPerPixelX = 15;

 private:
  FakeFormToolkit& toolkit_;
  const platform::FormDef& def_;
  platform::FormModel& model_;
  platform::FormHandlers& handlers_;
  WindowHandle handle_;
  WindowHandle owner_ = 0;
  bool visible_ = false;
  bool unloaded_ = false;
};

class FakeFormToolkit : public platform::FormToolkit {
 public:
  FakeFormToolkit(Journal& journal, FakeWindowServices& windows) : journal_(journal), windows_(windows) {}

  void Load(const platform::FormDef& def, platform::FormModel& model, platform::FormHandlers& handlers,
            std::unique_ptr<platform::FormHost>& host) override {
    auto* fake = new FakeFormHost(*this, def, model, handlers, nextHandle_);
    host.reset(fake);
    windows_.AddWindow(nextHandle_);
    nextHandle_ += 0x10;
    hosts.push_back(fake);
    journal_.Add("Load " + def.name);
    fake->Fire("Form", platform::FormEvent::Load);
  }
  void EndProgram(int exitCode) override {
    endedWith = exitCode;
    journal_.Add("EndProgram " + std::to_string(exitCode));
  }
  IconHandle LoadIconResource(int resourceId) override { return 0x5000u + static_cast<IconHandle>(resourceId); }
  platform::FormHost* TopModal() override { return modalStack.empty() ? nullptr : modalStack.back(); }

  // The last loaded form of that name, or null.
  FakeFormHost* Find(const std::string& formName) {
    for (auto it = hosts.rbegin(); it != hosts.rend(); ++it)
      if ((*it)->Def().name == formName) return *it;
    return nullptr;
  }

  // Scripts that play the user. The modal script gets the form just shown.
  std::function<void(FakeFormHost&)> onModal;
  // The menu script gets the form and the default item.
  std::function<void(FakeFormHost&, const std::string& defaultItem)> onMenu;

  struct MenuShown {
    std::string menu;
    std::string defaultItem;
  };
  std::vector<MenuShown> menusShown;
  std::vector<FakeFormHost*> hosts;
  std::vector<FakeFormHost*> modalStack;
  std::vector<WindowHandle> broughtToFront;
  int endedWith = -1;
  Journal& journal() { return journal_; }

 private:
  Journal& journal_;
  FakeWindowServices& windows_;
  WindowHandle nextHandle_ = 0x1000;
};

inline void FakeFormHost::Show(platform::ShowMode mode, WindowHandle owner) {
  owner_ = owner;
  visible_ = true;
  toolkit_.journal().Add("Show " + def_.name);
  if (mode != platform::ShowMode::Modal) return;
  toolkit_.modalStack.push_back(this);
  if (toolkit_.onModal) toolkit_.onModal(*this);
  std::erase(toolkit_.modalStack, this);
}

inline void FakeFormHost::Hide() {
  visible_ = false;
  toolkit_.journal().Add("Hide " + def_.name);
}

inline void FakeFormHost::Unload() {
  Fire("Form", platform::FormEvent::Unload);
  visible_ = false;
  unloaded_ = true;
}

inline void FakeFormHost::BringToFront() { toolkit_.broughtToFront.push_back(handle_); }

inline void FakeFormHost::PopupMenu(const std::string& menu, const std::string& defaultItem) {
  toolkit_.menusShown.push_back({menu, defaultItem});
  toolkit_.journal().Add("PopupMenu " + defaultItem);
  if (toolkit_.onMenu) toolkit_.onMenu(*this, defaultItem);
}

}  // namespace vk::fakes
