#pragma once
// Recording doubles of the two components: every member call goes into the
// journal as "Power.<member> <argument>" or "Process.<member> <argument>",
// and the members named in `failing` answer E_FAIL.
#include <memory>
#include <set>
#include <string>

#include "app/component_factory.h"
#include "fakes/journal.h"

namespace vk::fakes {

class FakeComponentFactory : public app::ComponentFactory {
 public:
  explicit FakeComponentFactory(Journal& journal) : journal_(journal) {}
  std::unique_ptr<shutdown::PowerControl> CreatePowerControl(HResult& error) override {
    return Create<Power>("PowerControl", powerInstalled, error);
  }
  std::unique_ptr<forceclose::ProcessControl> CreateProcessControl(HResult& error) override {
    return Create<Process>("ProcessControl", processInstalled, error);
  }

  bool powerInstalled = true;
  bool processInstalled = true;
  VbBool altShutdownSupported = kTrue;
  VbBool hibernateSupported = kTrue;
  std::set<std::string> failing;

 private:
  struct Recorder {
    Recorder(FakeComponentFactory& factory, std::string name) : f(factory), component(std::move(name)) {}
    FakeComponentFactory& f;
    std::string component;
    ~Recorder() { f.journal_.Add(component + ".Released"); }
    HResult Call(const std::string& member, const std::string& argument = "", VbBool* answer = nullptr,
                 VbBool value = 0) {
      f.journal_.Add(component + "." + member + (argument.empty() ? "" : " " + argument));
      if (answer != nullptr) *answer = value;
      return f.failing.count(member) ? kE_FAIL : kS_OK;
    }
  };
  struct Power : shutdown::PowerControl, Recorder {
    using Recorder::Recorder;
    HResult SetPowerAction(std::int32_t& code) override { return Call("PowerAction", std::to_string(code)); }
    HResult SetForceAction(std::int32_t& force) override { return Call("ForceAction", std::to_string(force)); }
    HResult GetAltShutdownSupported(VbBool& is) override {
      return Call("AltShutdownSupported", "", &is, f.altShutdownSupported);
    }
    HResult GetHibernateSupported(VbBool& is) override {
      return Call("HibernateSupported", "", &is, f.hibernateSupported);
    }
    HResult DoPowerAction(std::int32_t& result) override {
      result = 0;
      return Call("DoPowerAction");
    }
  };
  struct Process : forceclose::ProcessControl, Recorder {
    using Recorder::Recorder;
    HResult SetFlags(std::int32_t& flags) override { return Call("Flags", std::to_string(flags)); }
    HResult SetProcessPath(std::string& path) override { return Call("ProcessPath", path); }
    HResult EndProcess(std::int32_t& result) override {
      result = 0;
      return Call("EndProcess");
    }
  };
  template <class T>
  std::unique_ptr<T> Create(const std::string& name, bool installed, HResult& error) {
    journal_.Add("Create " + name);
    if (!installed) error = static_cast<HResult>(0x80040154u);  // class not registered
    return installed ? std::make_unique<T>(*this, name.substr(0, name.size() - 7)) : nullptr;
  }

  Journal& journal_;
};

}  // namespace vk::fakes
