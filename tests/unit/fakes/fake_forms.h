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
#include "platform/form_user.h"
#include "platform/forms.h"

namespace vk::fakes {

class FakeFormToolkit;

class FakeFormHost : public platform::FormHost {
 public:
  FakeFormHost(FakeFormToolkit& toolkit, const platform::FormDef& def, platform::FormModel& model,
               platform::FormHandlers& handlers, WindowHandle handle)
      : toolkit_(toolkit), def_(def), model_(model), handlers_(handlers), handle_(handle) {}
  ~FakeFormHost() override;

  WindowHandle Handle() override { return handle_; }
  void Show(platform::ShowMode mode, WindowHandle owner) override;
  void Hide() override;
  void Unload() override;
  bool Visible() override { return visible_; }
  void BringToFront() override;
  void PopupMenu(const std::string& menu, const std::string& defaultItem) override;
  int ScaleMode() override { return scaleMode; }
  double TwipsPerPixelX() override { return twipsPerPixelX; }
  int TextWidth(const std::string& text) override { return static_cast<int>(text.size()) * pixelsPerCharacter; }

  // Plays a user action: raises the event on the form's handlers.
  void Fire(const std::string& control, platform::FormEvent event, platform::EventArgs args = {}) {
    handlers_.OnEvent(control, event, args);
  }
  void Click(const std::string& control) { Fire(control, platform::FormEvent::Click); }

  // The user, as the real toolkit lets them act: only on a loaded form and a
  // control that is enabled and shown; the focus moves to the control first,
  // and a Validate that keeps the focus elsewhere stops the action. Each
  // returns false when nothing happened.
  bool MoveFocus(const std::string& control);
  bool UserClick(const std::string& control);
  bool UserType(const std::string& control, const std::string& text);
  bool UserChoose(const std::string& control, int index);
  bool UserCheckItem(const std::string& control, int index);
  bool UserStep(const std::string& upDown, int delta);
  bool UserDate(const std::string& control, const platform::DateTime& date);
  bool PressEnter() { return UserClick(ButtonWith(&platform::ControlDef::isDefault)); }
  bool PressEscape() { return UserClick(ButtonWith(&platform::ControlDef::isCancel)); }
  // The frame's Close: QueryUnload, then Unload unless the form kept itself.
  void CloseFrame();
  // The timer's interval has passed: raises Timer only while the timer runs.
  bool Tick(const std::string& timer);

  const platform::FormDef& Def() const { return def_; }
  platform::FormModel& Model() { return model_; }
  bool Unloaded() const { return unloaded_; }
  WindowHandle Owner() const { return owner_; }

  int scaleMode = platform::kScaleTwips;
  double twipsPerPixelX = 15;
  int pixelsPerCharacter = 6;

 private:
  bool CanAct(const std::string& control) { return !unloaded_ && model_.Usable(control); }
  std::string ButtonWith(bool platform::ControlDef::*flag) const {
    for (const platform::ControlDef& c : def_.controls)
      if (c.*flag) return c.name;
    return {};
  }

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

// A released form is no longer found by the toolkit.
inline FakeFormHost::~FakeFormHost() {
  std::erase(toolkit_.hosts, this);
  std::erase(toolkit_.modalStack, this);
}

inline void FakeFormHost::Show(platform::ShowMode mode, WindowHandle owner) {
  owner_ = owner;
  visible_ = true;
  if (model_.Focus().empty() && !def_.initialFocus.empty()) model_.SetFocus(def_.initialFocus);
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
  if (unloaded_) return;  // as the real toolkit: Form_Unload runs once
  Fire("Form", platform::FormEvent::Unload);
  visible_ = false;
  unloaded_ = true;
}

inline bool FakeFormHost::MoveFocus(const std::string& control) {
  if (!CanAct(control)) return false;
  const std::string from = model_.Focus();
  if (!from.empty() && from != control) {
    platform::EventArgs args;
    handlers_.OnEvent(from, platform::FormEvent::Validate, args);
    if (args.cancel) return false;
  }
  model_.SetFocus(control);
  return true;
}

inline bool FakeFormHost::UserClick(const std::string& control) {
  if (!MoveFocus(control)) return false;
  if (platform::UserClickEffect(model_, control)) Fire(control, platform::FormEvent::Click);
  return true;
}

inline bool FakeFormHost::UserType(const std::string& control, const std::string& text) {
  if (!MoveFocus(control)) return false;
  platform::UserTypeEffect(model_, control, text);
  Fire(control, platform::FormEvent::Change);
  return true;
}

inline bool FakeFormHost::UserChoose(const std::string& control, int index) {
  if (!MoveFocus(control) || !platform::UserChooseEffect(model_, control, index)) return false;
  Fire(control, platform::FormEvent::Click);
  return true;
}

inline bool FakeFormHost::UserCheckItem(const std::string& control, int index) {
  if (!MoveFocus(control) || !platform::UserCheckEffect(model_, control, index)) return false;
  platform::EventArgs args;
  args.index = index;
  Fire(control, platform::FormEvent::ItemCheck, args);
  return true;
}

inline bool FakeFormHost::UserStep(const std::string& upDown, int delta) {
  if (!CanAct(upDown) || !platform::UserStepEffect(model_, upDown, delta)) return false;
  const std::string buddy = model_.Get(upDown).buddy;
  if (!buddy.empty()) Fire(buddy, platform::FormEvent::Change);
  Fire(upDown, platform::FormEvent::Change);
  return true;
}

inline bool FakeFormHost::UserDate(const std::string& control, const platform::DateTime& date) {
  if (!MoveFocus(control)) return false;
  platform::UserDateEffect(model_, control, date);
  Fire(control, platform::FormEvent::Change);
  return true;
}

inline void FakeFormHost::CloseFrame() {
  if (unloaded_) return;
  platform::EventArgs args;
  handlers_.OnEvent("Form", platform::FormEvent::QueryUnload, args);
  if (!args.cancel) Unload();
}

inline bool FakeFormHost::Tick(const std::string& timer) {
  const platform::ControlState& t = model_.Get(timer);
  if (unloaded_ || !t.enabled || t.interval <= 0) return false;
  Fire(timer, platform::FormEvent::Timer);
  return true;
}

inline void FakeFormHost::BringToFront() { toolkit_.broughtToFront.push_back(handle_); }

inline void FakeFormHost::PopupMenu(const std::string& menu, const std::string& defaultItem) {
  toolkit_.menusShown.push_back({menu, defaultItem});
  toolkit_.journal().Add("PopupMenu " + defaultItem);
  if (toolkit_.onMenu) toolkit_.onMenu(*this, defaultItem);
}

}  // namespace vk::fakes
