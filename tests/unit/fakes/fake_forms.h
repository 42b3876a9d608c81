#pragma once
// Forms toolkit double: forms live only as their models. A modal show runs a
// scripted interaction (a callback that plays the user) and returns when the
// script is done; a pop-up menu runs a script too. What the user's actions
// cause is decided by the same input rules the Win32 binding calls
// (platform/form_input.h); this double only holds state.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_window_services.h"
#include "fakes/journal.h"
#include "platform/edit_mask.h"
#include "platform/form_input.h"
#include "platform/forms.h"

namespace vk::fakes {

class FakeFormHost;

class FakeFormToolkit : public platform::FormToolkit {
 public:
  FakeFormToolkit(Journal& j, FakeWindowServices& windows) : journal(j), windows_(windows) {}

  void Load(const platform::FormDef& def, platform::FormModel& model, platform::FormHandlers& handlers,
            std::unique_ptr<platform::FormHost>& host) override;
  void EndProgram(int exitCode) override { journal.Add("EndProgram " + std::to_string(exitCode)); }
  IconHandle LoadIconResource(int resourceId) override { return 0x5000u + static_cast<IconHandle>(resourceId); }
  platform::FormHost* TopModal() override;
  // The last loaded form of that name, or null.
  FakeFormHost* Find(const std::string& formName);

  // Scripts that play the user: in the form just shown modally, and in the
  // pop-up menu of a form.
  std::function<void(FakeFormHost&)> onModal;
  std::function<void(FakeFormHost&)> onMenu;
  std::vector<FakeFormHost*> hosts;
  std::vector<FakeFormHost*> modalStack;
  Journal& journal;

 private:
  FakeWindowServices& windows_;
  WindowHandle nextHandle_ = 0x1000;
};

// Notes "Show <form> <owner>", "Hide <form>", "BringToFront <form>" and
// "PopupMenu <menu> <default item>".
class FakeFormHost : public platform::FormHost {
 public:
  FakeFormHost(FakeFormToolkit& toolkit, const platform::FormDef& def, platform::FormModel& model,
               platform::FormHandlers& handlers, WindowHandle handle)
      : toolkit_(toolkit), def_(def), model_(model), handlers_(handlers), handle_(handle) {
    input_.SetLoaded(true);
  }
  // A released form is no longer found by the toolkit.
  ~FakeFormHost() override {
    std::erase(toolkit_.hosts, this);
    std::erase(toolkit_.modalStack, this);
  }

  WindowHandle Handle() override { return handle_; }
  void Show(platform::ShowMode mode, WindowHandle owner) override {
    const std::string first = input_.FirstFocus();
    if (!visible_ && !first.empty()) Done(input_.MoveFocus(first));
    visible_ = true;
    toolkit_.journal.Add("Show " + def_.name + " " + std::to_string(owner));
    if (mode != platform::ShowMode::Modal) return;
    toolkit_.modalStack.push_back(this);
    if (toolkit_.onModal) toolkit_.onModal(*this);
    std::erase(toolkit_.modalStack, this);
  }
  void Hide() override {
    visible_ = false;
    input_.FocusLeftForm();
    toolkit_.journal.Add("Hide " + def_.name);
  }
  void Unload() override {
    if (!input_.Loaded()) return;  // as the real toolkit: Form_Unload runs once
    Fire("Form", platform::FormEvent::Unload);
    visible_ = false;
    input_.SetLoaded(false);
  }
  bool Visible() override { return visible_; }
  void BringToFront() override { toolkit_.journal.Add("BringToFront " + def_.name); }
  void PopupMenu(const std::string& menu, const std::string& defaultItem) override {
    toolkit_.journal.Add("PopupMenu " + menu + " " + defaultItem);
    if (toolkit_.onMenu) toolkit_.onMenu(*this);
  }
  int ScaleMode() override { return platform::kScaleTwips; }
  double TwipsPerPixelX() override { return 15; }
  int TextWidth(const std::string& text) override { return static_cast<int>(text.size()) * 6; }

  // Raises the event on the form's handlers, as a test that calls a handler.
  void Fire(const std::string& control, platform::FormEvent event, platform::EventArgs args = {}) {
    handlers_.OnEvent(control, event, args);
  }
  void Click(const std::string& control) { Fire(control, platform::FormEvent::Click); }

  // The user, played through the form's input rules, which decide all that
  // the real toolkit decides. Each returns false when nothing happened.
  bool MoveFocus(const std::string& control) { return Done(input_.MoveFocus(control)); }
  bool UserClick(const std::string& control) { return Done(input_.Press(control) && input_.Click(control)); }
  // Selects the box's whole text and types the keys over it, one at a time,
  // as an edit box takes them (a masked box by its mask).
  bool UserType(const std::string& control, const std::string& keys) {
    bool acted = input_.Press(control);
    const auto def =
        std::find_if(def_.controls.begin(), def_.controls.end(), [&](auto& c) { return c.name == control; });
    if (def == def_.controls.end() || def->kind != platform::ControlKind::MaskedEdit) {
      std::string text;  // what is typed replaces the selected text
      for (size_t i = 0; acted && i < keys.size(); ++i) {
        if (keys[i] == '\b' && text.empty()) continue;
        keys[i] == '\b' ? text.pop_back() : text.push_back(keys[i]);
        acted = input_.Type(control, text);
      }
      return Done(acted);
    }
    const std::string& mask = def->extra;
    platform::MaskedText box{model_.Get(control).text, 0};
    platform::ClearMaskRange(mask, def->placeholder, box, 0, static_cast<int>(mask.size()));
    for (size_t i = 0; acted && i < keys.size(); ++i) {
      if (keys[i] == '\b') platform::BackspaceInMask(mask, def->placeholder, box);
      if (keys[i] == '\b' || platform::TypeIntoMask(mask, def->placeholder, box, keys[i]))
        acted = input_.Type(control, box.text);
    }
    return Done(acted);
  }
  bool UserChoose(const std::string& control, int index) { return Done(input_.Choose(control, index)); }
  bool UserDoubleClick(const std::string& control, int index) {
    input_.Choose(control, index);
    return Done(input_.DoubleClick(control));
  }
  bool UserCheckItem(const std::string& control, int index) { return Done(input_.CheckItem(control, index)); }
  bool UserStep(const std::string& upDown, int delta) { return Done(input_.Step(upDown, delta)); }
  bool UserDate(const std::string& control, const platform::DateTime& date) {
    return Done(input_.PickDate(control, date));
  }
  bool PressEnter() { return Done(input_.PressEnter()); }
  bool PressEscape() { return Done(input_.PressEscape()); }
  // The frame's Close: QueryUnload, then Unload unless the form kept itself.
  void CloseFrame() {
    if (input_.Close()) Unload();
  }
  // The timer's interval has passed: raises Timer only while the timer runs.
  bool Tick(const std::string& timer) {
    const platform::ControlState& t = model_.Get(timer);
    if (!input_.Loaded() || !t.enabled || t.interval <= 0) return false;
    Fire(timer, platform::FormEvent::Timer);
    return true;
  }

  const platform::FormDef& Def() const { return def_; }
  platform::FormModel& Model() { return model_; }
  bool Unloaded() const { return !input_.Loaded(); }

 private:
  // The focus of this toolkit never leaves before the rules let it, so a
  // refused move has nothing to give back.
  bool Done(bool acted) {
    input_.FocusBack();
    return acted;
  }

  FakeFormToolkit& toolkit_;
  const platform::FormDef& def_;
  platform::FormModel& model_;
  platform::FormHandlers& handlers_;
  platform::FormInput input_{def_, model_, handlers_};
  WindowHandle handle_;
  bool visible_ = false;
};

inline void FakeFormToolkit::Load(const platform::FormDef& def, platform::FormModel& model,
                                  platform::FormHandlers& handlers, std::unique_ptr<platform::FormHost>& host) {
  hosts.push_back(new FakeFormHost(*this, def, model, handlers, nextHandle_));
  host.reset(hosts.back());
  windows_.closeItems[nextHandle_] = {};
  nextHandle_ += 0x10;
  journal.Add("Load " + def.name);
  hosts.back()->Fire("Form", platform::FormEvent::Load);
}

inline platform::FormHost* FakeFormToolkit::TopModal() { return modalStack.empty() ? nullptr : modalStack.back(); }

inline FakeFormHost* FakeFormToolkit::Find(const std::string& formName) {
  for (auto it = hosts.rbegin(); it != hosts.rend(); ++it)
    if ((*it)->Def().name == formName) return *it;
  return nullptr;
}

}  // namespace vk::fakes
