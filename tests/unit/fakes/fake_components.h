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
class CallRecorder {
 public:
  CallRecorder(Journal& journal, std::string component, const std::set<std::string>& failing)
      : journal_(journal), component_(std::move(component)), failing_(failing) {}
  ~CallRecorder() { journal_.Add(component_ + ".Released"); }
  HResult Record(const std::string& member, const std::string& argument = "") {
    journal_.Add(component_ + "." + member + (argument.empty() ? "" : " " + argument));
    return failing_.count(member) ? kE_FAIL : kS_OK;
  }

 private:
  Journal& journal_;
  std::string component_;
  const std::set<std::string>& failing_;
};

class RecordingPowerControl : public shutdown::PowerControl {
 public:
  RecordingPowerControl(Journal& journal, const std::set<std::string>& failing, VbBool alt, VbBool hibernate)
      : calls_(journal, "Power", failing), alt_(alt), hibernate_(hibernate) {}
  HResult SetPowerAction(std::int32_t& code) override { return calls_.Record("PowerAction", std::to_string(code)); }
  HResult SetForceAction(std::int32_t& force) override { return calls_.Record("ForceAction", std::to_string(force)); }
  HResult GetAltShutdownSupported(VbBool& supported) override {
    supported = alt_;
    return calls_.Record("AltShutdownSupported");
  }
  HResult GetHibernateSupported(VbBool& supported) override {
    supported = hibernate_;
    return calls_.Record("HibernateSupported");
  }
  HResult DoPowerAction(std::int32_t& result) override {
    result = 0;
    return calls_.Record("DoPowerAction");
  }

 private:
  CallRecorder calls_;
  VbBool alt_;
  VbBool hibernate_;
};

class RecordingProcessControl : public forceclose::ProcessControl {
 public:
  RecordingProcessControl(Journal& journal, const std::set<std::string>& failing) : calls_(journal, "Process", failing) {}
  HResult SetFlags(std::int32_t& flags) override { return calls_.Record("Flags", std::to_string(flags)); }
  HResult SetProcessPath(std::string& path) override { return calls_.Record("ProcessPath", path); }
  HResult EndProcess(std::int32_t& result) override {
    result = 0;
    return calls_.Record("EndProcess");
  }

 private:
  CallRecorder calls_;
};

class FakeComponentFactory : public app::ComponentFactory {
 public:
  explicit FakeComponentFactory(Journal& journal) : journal_(journal) {}

  std::unique_ptr<shutdown::PowerControl> CreatePowerControl(HResult& error) override {
    journal_.Add("Create PowerControl");
    if (!powerInstalled) {
      error = kClassNotRegistered;
      return nullptr;
    }
    return std::make_unique<RecordingPowerControl>(journal_, failing, altShutdownSupported, hibernateSupported);
  }
  std::unique_ptr<forceclose::ProcessControl> CreateProcessControl(HResult& error) override {
    journal_.Add("Create ProcessControl");
    if (!processInstalled) {
      error = kClassNotRegistered;
      return nullptr;
    }
    return std::make_unique<RecordingProcessControl>(journal_, failing);
  }

  static constexpr HResult kClassNotRegistered = static_cast<HResult>(0x80040154u);
  bool powerInstalled = true;
  bool processInstalled = true;
  VbBool altShutdownSupported = kTrue;
  VbBool hibernateSupported = kTrue;
  std::set<std::string> failing;  // member names that return E_FAIL

 private:
  Journal& journal_;
};

}  // namespace vk::fakes
