#pragma once
// The class object DllGetClassObject hands out for one class: it makes fresh
// instances of Object (default-constructed, born with one reference).
#include <windows.h>
#include <unknwn.h>

#include <new>

#include "boundary_guard.h"
#include "module_state.h"

namespace vk::com {

template <class Object>
class ClassFactory final : public IClassFactory {
 public:
  ClassFactory() { LockModule(); }
  ClassFactory(const ClassFactory&) = delete;
  ClassFactory& operator=(const ClassFactory&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    return win32::GuardedCom("IClassFactory::CreateInstance", [&] {
      if (out == nullptr) return E_POINTER;
      *out = nullptr;
      if (outer != nullptr) return CLASS_E_NOAGGREGATION;
      Object* object = new (std::nothrow) Object();
      if (object == nullptr) return E_OUTOFMEMORY;
      const HRESULT hr = object->QueryInterface(iid, out);
      object->Release();
      return hr;
    });
  }

  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    return win32::GuardedCom("IClassFactory::LockServer", [&] {
      if (lock) {
        LockModule();
      } else {
        UnlockModule();
      }
      return S_OK;
    });
  }

 private:
  ~ClassFactory() { UnlockModule(); }
  LONG references_ = 1;
};

// A fresh class object for Object, asked for by DllGetClassObject.
template <class Object>
HRESULT NewClassFactory(REFIID iid, void** out) {
  auto* factory = new (std::nothrow) ClassFactory<Object>();
  if (factory == nullptr) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(iid, out);
  factory->Release();
  return hr;
}

}  // namespace vk::com
