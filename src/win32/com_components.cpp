#include "win32/com_components.h"

#include <windows.h>
#include <oleauto.h>

#include <new>
#include <string>
#include <utility>

#include "power_control_idl.h"
#include "process_control_idl.h"
#include "owners.h"

namespace vk::win32 {
namespace {

using com::Bstr;
using com::ComPtr;

// The program's texts are ANSI; the component takes UTF-16. Null on failure.
BSTR AnsiToBstr(const std::string& text) {
  if (text.empty()) return SysAllocStringLen(L"", 0);
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return nullptr;
  Bstr wide(SysAllocStringLen(nullptr, static_cast<UINT>(length)));
  if (wide.Get() == nullptr || MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.Get(), length) != length) {
    return nullptr;
  }
  return wide.Detach();
}

// Calls a member taking a 32-bit value by reference and hands back what the
// component left in it.
template <class Member>
HResult CallWithLong(Member member, std::int32_t& value) {
  LONG passed = value;
  const HRESULT hr = member(&passed);
  value = static_cast<std::int32_t>(passed);
  return hr;
}

class ComPowerControl final : public shutdown::PowerControl {
 public:
  explicit ComPowerControl(ComPtr<IPowerControl> component) : component_(std::move(component)) {}

  HResult SetPowerAction(std::int32_t& code) override {
    return CallWithLong([this](LONG* value) { return component_->put_PowerAction(value); }, code);
  }
  HResult SetForceAction(std::int32_t& force) override {
    return CallWithLong([this](LONG* value) { return component_->put_ForceAction(value); }, force);
  }
  HResult GetAltShutdownSupported(VbBool& supported) override {
    return component_->get_AltShutdownSupported(&supported);
  }
  HResult GetHibernateSupported(VbBool& supported) override { return component_->get_HibernateSupported(&supported); }
  HResult DoPowerAction(std::int32_t& result) override {
    return CallWithLong([this](LONG* value) { return component_->DoPowerAction(value); }, result);
  }

 private:
  ComPtr<IPowerControl> component_;
};

class ComProcessControl final : public forceclose::ProcessControl {
 public:
  explicit ComProcessControl(ComPtr<IProcessControl> component) : component_(std::move(component)) {}

  HResult SetFlags(std::int32_t& flags) override {
    return CallWithLong([this](LONG* value) { return component_->put_Flags(value); }, flags);
  }
  HResult SetProcessPath(std::string& path) override {
    // The component gets a copy of its own, freed here once it has returned.
    Bstr copy(AnsiToBstr(path));
    if (copy.Get() == nullptr) return E_OUTOFMEMORY;
    BSTR passed = copy.Get();
    return component_->put_ProcessPath(&passed);
  }
  HResult EndProcess(std::int32_t& result) override {
    return CallWithLong([this](LONG* value) { return component_->EndProcess(value); }, result);
  }

 private:
  ComPtr<IProcessControl> component_;
};

// The component behind its adapter; none, with the reason in error, when it
// cannot be created. Nothing here throws: a failed allocation is E_OUTOFMEMORY.
template <class Adapter, class Interface>
Adapter* Create(const CLSID& class_id, const IID& interface_id, HResult& error) {
  ComPtr<Interface> component;
  error = CoCreateInstance(class_id, nullptr, CLSCTX_INPROC_SERVER, interface_id,
                           reinterpret_cast<void**>(component.Put()));
  if (FAILED(error)) return nullptr;
  if (!component) {
    error = E_NOINTERFACE;
    return nullptr;
  }
  auto* adapter = new (std::nothrow) Adapter(std::move(component));
  if (adapter == nullptr) error = E_OUTOFMEMORY;
  return adapter;
}

}  // namespace

std::unique_ptr<shutdown::PowerControl> ComComponentFactory::CreatePowerControl(HResult& error) {
  return std::unique_ptr<shutdown::PowerControl>(
      Create<ComPowerControl, IPowerControl>(CLSID_PowerControl, IID_IPowerControl, error));
}

std::unique_ptr<forceclose::ProcessControl> ComComponentFactory::CreateProcessControl(HResult& error) {
  return std::unique_ptr<forceclose::ProcessControl>(
      Create<ComProcessControl, IProcessControl>(CLSID_ProcessControl, IID_IProcessControl, error));
}

}  // namespace vk::win32
