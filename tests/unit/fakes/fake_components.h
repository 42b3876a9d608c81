#pragma once
// Recording doubles of the two components: every member call goes into the
// journal as "Power.<member> <argument>" or "Process.<member> <argument>".
#include <memory>
#include <set>
#include <string>

#include "app/component_factory.h"
#include "fakes/journal.h"

namespace vk::fakes {

// Notes each call and answers E_FAIL for the members named in `failing`.
struct CallRecorder {
  Journal& journal;
  std::string component;
  const std::set<std::string>& failing;
  ~CallRecorder() { journal.Add(component + ".Released"); }
  HResult operator()(const std::string& member, const std::string& argument = "") {
    journal.Add(component + "." + member + (argument.empty() ? "" : " " + argument));
    return failing.count(member) ? kE_FAIL : kS_OK;
  }
};

class FakeComponentFactory : public app::ComponentFactory {
 public:
  struct Power : shutdown::PowerControl {
    explicit Power(FakeComponentFactory& factory) : f(factory), call{f.journal_, "Power", f.failing} {}
    HResult SetPowerAction(std::int32_t& code) override { return call("PowerAction", std::to_string(code)); }
    HResult SetForceAction(std::int32_t& force) override { return call("ForceAction", std::to_string(force)); }
    HResult GetAltShutdownSupported(VbBool& supported) override {
      supported = f.altShutdownSupported;
      return call("AltShutdownSupported");
    }
    HResult GetHibernateSupported(VbBool& supported) override {
      supported = f.hibernateSupported;
      return call("HibernateSupported");
    }
    HResult DoPowerAction(std::int32_t& result) override { return call("DoPowerAction", (result = 0, "")); }
    FakeComponentFactory& f;
    CallRecorder call;
  };
  struct Process : forceclose::ProcessControl {
    explicit Process(FakeComponentFactory& f) : call{f.journal_, "Process", f.failing} {}
    HResult SetFlags(std::int32_t& flags) override { return call("Flags", std::to_string(flags)); }
    HResult SetProcessPath(std::string& path) override { return call("ProcessPath", path); }
    HResult EndProcess(std::int32_t& result) override { return call("EndProcess", (result = 0, "")); }
    CallRecorder call;
  };

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
  std::set<std::string> failing;  // member names that return E_FAIL

 private:
  template <class T>
  std::unique_ptr<T> Create(const std::string& name, bool installed, HResult& error) {
    journal_.Add("Create " + name);
    if (!installed) error = static_cast<HResult>(0x80040154u);  // class not registered
    return installed ? std::make_unique<T>(*this) : nullptr;
  }
  Journal& journal_;
};

}  // namespace vk::fakes
