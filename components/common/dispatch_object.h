#pragma once
// IUnknown and IDispatch for one dual interface. The dispatch half is answered
// by the type library the DLL carries as resource 1 TYPELIB, through
// ITypeInfo::Invoke, so a call by name lands in the same vtable member as a
// call by slot and the two can never drift apart.
//
// Derived is the concrete class (it is what Release deletes); Interface is the
// dual interface it implements. No virtual function is added here, so the
// vtable is exactly Interface's. Every IDispatch member runs behind the COM
// guard; the interface's own members are guarded by the interface's COM face
// (power_control_com.h, process_control_com.h), which derives from this.
#include <windows.h>
#include <oleauto.h>

#include "boundary_guard.h"
#include "module_state.h"
#include "owners.h"

namespace vk::com {

template <class Derived, class Interface>
class DispatchObject : public Interface {
 public:
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) && !IsEqualIID(iid, interface_id_)) {
      return E_NOINTERFACE;
    }
    *out = static_cast<Interface*>(this);
    AddRef();
    return S_OK;
  }

  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete static_cast<Derived*>(this);
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return win32::GuardedCom("IDispatch::GetTypeInfoCount", [&] {
      if (count == nullptr) return E_POINTER;
      *count = 1;
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    return win32::GuardedCom("IDispatch::GetTypeInfo", [&] {
      if (info == nullptr) return E_POINTER;
      *info = nullptr;
      if (index != 0) return DISP_E_BADINDEX;
      const HRESULT hr = LoadTypeInfo();
      if (FAILED(hr)) return hr;
      type_info_->AddRef();
      *info = type_info_.Get();
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    return win32::GuardedCom("IDispatch::GetIDsOfNames", [&] {
      if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
      const HRESULT hr = LoadTypeInfo();
      if (FAILED(hr)) return hr;
      return type_info_->GetIDsOfNames(names, count, ids);
    });
  }

  // The member called lands in its vtable slot, behind its own guard.
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* bad_argument) override {
    return win32::GuardedCom("IDispatch::Invoke", [&] {
      if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
      const HRESULT hr = LoadTypeInfo();
      if (FAILED(hr)) return hr;
      return type_info_->Invoke(static_cast<Interface*>(this), id, flags, params, result, exception, bad_argument);
    });
  }

 protected:
  explicit DispatchObject(const IID& interface_id) : interface_id_(interface_id) { LockModule(); }
  ~DispatchObject() { UnlockModule(); }

 private:
  // Loaded on first use: calls by slot never need it.
  HRESULT LoadTypeInfo() {
    if (type_info_) return S_OK;
    const std::wstring path = ModulePath();
    if (path.empty()) return E_UNEXPECTED;
    ComPtr<ITypeLib> library;
    const HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Put());
    if (FAILED(hr)) return hr;
    return library->GetTypeInfoOfGuid(interface_id_, type_info_.Put());
  }

  const IID& interface_id_;
  LONG references_ = 1;
  ComPtr<ITypeInfo> type_info_;
};

}  // namespace vk::com
