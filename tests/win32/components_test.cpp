// The component DLLs as the program meets them: registered, created by class
// identifier through the adapter, called by vtable slot and by name; then the
// recording doubles in their place.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "component_test_support.h"
#include "power_control_idl.h"
#include "process_control_idl.h"
#include "win32/com_components.h"
#include "com_ptr.h"

namespace vk::comtest {
namespace {

using com::Bstr;
using com::ComPtr;
using Strings = std::vector<std::string>;

using GetLong = HRESULT(STDMETHODCALLTYPE*)(void*, LONG*);
using PutLongByRef = HRESULT(STDMETHODCALLTYPE*)(void*, LONG*);
using PutLongByValue = HRESULT(STDMETHODCALLTYPE*)(void*, LONG);
using GetBool = HRESULT(STDMETHODCALLTYPE*)(void*, VARIANT_BOOL*);
using GetText = HRESULT(STDMETHODCALLTYPE*)(void*, BSTR*);
using PutTextByRef = HRESULT(STDMETHODCALLTYPE*)(void*, BSTR*);

constexpr const char* kPowerDll = "PowerControl.dll";
constexpr const char* kProcessDll = "ProcessControl.dll";
constexpr const char* kPowerDoubleDll = "PowerControlDouble.dll";
constexpr const char* kProcessDoubleDll = "ProcessControlDouble.dll";
constexpr const char* kPowerClassKey = "CLSID\\{45499485-FBF0-4D44-9B6C-0C6693FF2ECB}";
constexpr const char* kProcessClassKey = "CLSID\\{C913EC9D-9067-4BF9-BBE0-2C5054D29F2E}";

std::string Lower(std::string text) {
  CharLowerA(text.data());
  return text;
}

VARIANT_BOOL SystemAllowsHibernation() {
  HMODULE powrprof = LoadLibraryA("powrprof.dll");
  if (powrprof == nullptr) return VARIANT_FALSE;
  using Query = BOOLEAN(WINAPI*)();
  auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(powrprof, "IsPwrHibernateAllowed")));
  const bool allowed = query != nullptr && query() != FALSE;
  FreeLibrary(powrprof);
  return allowed ? VARIANT_TRUE : VARIANT_FALSE;
}

VARIANT_BOOL SystemHasAltShutdown() {
  return GetProcAddress(GetModuleHandleA("advapi32.dll"), "InitiateShutdownA") != nullptr ? VARIANT_TRUE
                                                                                         : VARIANT_FALSE;
}

template <class Interface>
ComPtr<Interface> CreateRaw(const CLSID& class_id, const IID& interface_id) {
  ComPtr<Interface> object;
  CoCreateInstance(class_id, nullptr, CLSCTX_INPROC_SERVER, interface_id, object.PutVoid());
  return object;
}

DISPID IdOf(IDispatch* object, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << "no member named";
  return id;
}

HRESULT PutByName(IDispatch* object, const wchar_t* name, VARIANT value) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&value, &named, 1, 1};
  return object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                        nullptr, nullptr);
}

HRESULT GetByName(IDispatch* object, const wchar_t* name, VARIANT& result) {
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  return object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                        nullptr, nullptr);
}

// The member's own HRESULT, whether Invoke hands it back directly or wrapped
// in an exception.
HRESULT CallByName(IDispatch* object, const wchar_t* name) {
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO exception{};
  HRESULT hr = object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result,
                              &exception, nullptr);
  if (hr == DISP_E_EXCEPTION) hr = exception.scode;
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  VariantClear(&result);
  return hr;
}

VARIANT LongVariant(LONG value) {
  VARIANT variant;
  VariantInit(&variant);
  V_VT(&variant) = VT_I4;
  V_I4(&variant) = value;
  return variant;
}

// Every test runs in its own apartment and leaves the real DLLs registered.
class ComponentTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override {
    EXPECT_EQ(RegisterDll(kPowerDll), S_OK);
    EXPECT_EQ(RegisterDll(kProcessDll), S_OK);
    CoUninitialize();
  }
  win32::ComComponentFactory factory_;
};

class RealComponents : public ComponentTest {
 protected:
  void SetUp() override {
    ComponentTest::SetUp();
    ASSERT_EQ(RegisterDll(kPowerDll), S_OK) << ComponentFolder();
    ASSERT_EQ(RegisterDll(kProcessDll), S_OK) << ComponentFolder();
  }
};

TEST_F(RealComponents, RegistrationNamesTheDllAnApartmentAndTheProgIds) {
  for (const auto& [class_key, dll] : {std::pair{kPowerClassKey, kPowerDll}, std::pair{kProcessClassKey, kProcessDll}}) {
    const std::string inproc = std::string(class_key) + "\\InprocServer32";
    EXPECT_EQ(Lower(ClassesRootText(inproc)), Lower(ComponentFolder() + dll));
    EXPECT_EQ(ClassesRootText(inproc, "ThreadingModel"), "Apartment");
  }
  CLSID found{};
  ASSERT_EQ(CLSIDFromProgID(L"Vesperkit.PowerControl", &found), S_OK);
  EXPECT_TRUE(IsEqualCLSID(found, CLSID_PowerControl));
  ASSERT_EQ(CLSIDFromProgID(L"Vesperkit.ProcessControl", &found), S_OK);
  EXPECT_TRUE(IsEqualCLSID(found, CLSID_ProcessControl));

  ComPtr<ITypeLib> library;
  EXPECT_EQ(LoadRegTypeLib(LIBID_VesperkitPowerControl, 1, 0, 0, library.Put()), S_OK);
  EXPECT_EQ(LoadRegTypeLib(LIBID_VesperkitProcessControl, 1, 0, 0, library.Put()), S_OK);
}

TEST_F(RealComponents, PowerControlThroughTheAdapterStoresAndRefusesUnknownActions) {
  HResult error = kE_FAIL;
  auto power = factory_.CreatePowerControl(error);
  ASSERT_NE(power, nullptr);
  EXPECT_EQ(error, kS_OK);

  std::int32_t code = 16;
  std::int32_t force = -1;
  EXPECT_EQ(power->SetPowerAction(code), kS_OK);
  EXPECT_EQ(code, 16);
  EXPECT_EQ(power->SetForceAction(force), kS_OK);
  EXPECT_EQ(force, -1);

  VbBool hibernate = 1;
  VbBool alt_shutdown = 1;
  EXPECT_EQ(power->GetHibernateSupported(hibernate), kS_OK);
  EXPECT_EQ(hibernate, SystemAllowsHibernation());
  EXPECT_EQ(power->GetAltShutdownSupported(alt_shutdown), kS_OK);
  EXPECT_EQ(alt_shutdown, SystemHasAltShutdown());

  // Checks that do not act: a code the contract does not know does nothing.
  std::int32_t unknown = 7;
  EXPECT_EQ(power->SetPowerAction(unknown), kS_OK);
  std::int32_t result = 99;
  EXPECT_EQ(power->DoPowerAction(result), static_cast<HResult>(E_INVALIDARG));
  EXPECT_EQ(result, 0);
}

TEST_F(RealComponents, PowerControlMembersSitInTheirSlots) {
  auto power = CreateRaw<IUnknown>(CLSID_PowerControl, IID_IPowerControl);
  ASSERT_TRUE(power);
  void* self = power.Get();

  LONG value = 64;
  EXPECT_EQ(Slot<PutLongByRef>(self, 8)(self, &value), S_OK);
  value = 0;
  EXPECT_EQ(Slot<GetLong>(self, 7)(self, &value), S_OK);
  EXPECT_EQ(value, 64);

  value = -1;
  EXPECT_EQ(Slot<PutLongByRef>(self, 10)(self, &value), S_OK);
  value = 0;
  EXPECT_EQ(Slot<GetLong>(self, 9)(self, &value), S_OK);
  EXPECT_EQ(value, -1);

  VARIANT_BOOL answer = 1;
  EXPECT_EQ(Slot<GetBool>(self, 11)(self, &answer), S_OK);
  EXPECT_EQ(answer, SystemHasAltShutdown());
  answer = 1;
  EXPECT_EQ(Slot<GetBool>(self, 12)(self, &answer), S_OK);
  EXPECT_EQ(answer, SystemAllowsHibernation());

  value = 0;  // no action: DoPowerAction refuses without acting
  EXPECT_EQ(Slot<PutLongByRef>(self, 8)(self, &value), S_OK);
  EXPECT_EQ(Slot<GetLong>(self, 13)(self, &value), E_INVALIDARG);
}

TEST_F(RealComponents, ProcessControlMembersSitInTheirSlots) {
  auto process = CreateRaw<IUnknown>(CLSID_ProcessControl, IID_IProcessControl);
  ASSERT_TRUE(process);
  void* self = process.Get();

  LONG value = 4;
  EXPECT_EQ(Slot<PutLongByRef>(self, 8)(self, &value), S_OK);
  value = 0;
  EXPECT_EQ(Slot<GetLong>(self, 7)(self, &value), S_OK);
  EXPECT_EQ(value, 4);

  {
    // The component keeps a copy: the caller's string is freed right after.
    Bstr path(SysAllocString(L"C:\\Program Files\\Tool\\app.exe"));
    BSTR passed = path.Get();
    EXPECT_EQ(Slot<PutTextByRef>(self, 10)(self, &passed), S_OK);
  }
  Bstr read;
  EXPECT_EQ(Slot<GetText>(self, 9)(self, read.Put()), S_OK);
  ASSERT_NE(read.Get(), nullptr);
  EXPECT_EQ(std::wstring(read.Get(), SysStringLen(read.Get())), L"C:\\Program Files\\Tool\\app.exe");

  EXPECT_EQ(Slot<GetLong>(self, 11)(self, &value), S_OK);
  EXPECT_EQ(value, 0);
  EXPECT_EQ(Slot<PutLongByValue>(self, 13)(self, 250), S_OK);
  EXPECT_EQ(Slot<PutLongByValue>(self, 13)(self, -1), E_INVALIDARG);
  EXPECT_EQ(Slot<GetLong>(self, 12)(self, &value), S_OK);
  EXPECT_EQ(value, 250);
  EXPECT_EQ(Slot<GetLong>(self, 14)(self, &value), S_OK);
  EXPECT_EQ(value, 0);

  // Nothing runs from that path: nothing to end, and nothing found.
  EXPECT_EQ(Slot<GetLong>(self, 15)(self, &value), S_OK);
  EXPECT_EQ(Slot<GetLong>(self, 11)(self, &value), S_OK);
  EXPECT_EQ(value, 0);
}

TEST_F(RealComponents, ProcessControlThroughTheAdapterStoresAndEndsNothingForAnEmptyPath) {
  HResult error = kE_FAIL;
  auto process = factory_.CreateProcessControl(error);
  ASSERT_NE(process, nullptr);
  EXPECT_EQ(error, kS_OK);
  std::int32_t flags = 4;
  EXPECT_EQ(process->SetFlags(flags), kS_OK);
  std::string path = "C:\\x\\y.exe";
  EXPECT_EQ(process->SetProcessPath(path), kS_OK);
  std::string empty;
  EXPECT_EQ(process->SetProcessPath(empty), kS_OK);
  std::int32_t result = 0;
  EXPECT_EQ(process->EndProcess(result), kS_OK);
}

TEST_F(RealComponents, DispatchByNameReachesTheSameMembers) {
  auto power = CreateRaw<IDispatch>(CLSID_PowerControl, IID_IPowerControl);
  ASSERT_TRUE(power);
  UINT count = 0;
  EXPECT_EQ(power->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);

  EXPECT_EQ(PutByName(power.Get(), L"PowerAction", LongVariant(32)), S_OK);
  LONG by_slot = 0;
  EXPECT_EQ(Slot<GetLong>(power.Get(), 7)(power.Get(), &by_slot), S_OK);
  EXPECT_EQ(by_slot, 32);
  VARIANT read;
  VariantInit(&read);
  EXPECT_EQ(GetByName(power.Get(), L"PowerAction", read), S_OK);
  EXPECT_EQ(V_VT(&read), VT_I4);
  EXPECT_EQ(V_I4(&read), 32);
  EXPECT_EQ(GetByName(power.Get(), L"HibernateSupported", read), S_OK);
  EXPECT_EQ(V_VT(&read), VT_BOOL);
  EXPECT_EQ(PutByName(power.Get(), L"ForceAction", LongVariant(5)), S_OK);  // no such force: nothing acts
  EXPECT_EQ(CallByName(power.Get(), L"DoPowerAction"), E_INVALIDARG);

  auto process = CreateRaw<IDispatch>(CLSID_ProcessControl, IID_IProcessControl);
  ASSERT_TRUE(process);
  VARIANT path;
  VariantInit(&path);
  V_VT(&path) = VT_BSTR;
  V_BSTR(&path) = SysAllocString(L"C:\\x\\y.exe");
  EXPECT_EQ(PutByName(process.Get(), L"ProcessPath", path), S_OK);
  VariantClear(&path);
  EXPECT_EQ(GetByName(process.Get(), L"ProcessPath", read), S_OK);
  ASSERT_EQ(V_VT(&read), VT_BSTR);
  EXPECT_EQ(std::wstring(V_BSTR(&read)), L"C:\\x\\y.exe");
  VariantClear(&read);
  EXPECT_EQ(PutByName(process.Get(), L"Flags", LongVariant(4)), S_OK);
  EXPECT_EQ(CallByName(process.Get(), L"EndProcess"), S_OK);
}

TEST_F(RealComponents, UnregisteredClassesCannotBeCreated) {
  EXPECT_EQ(UnregisterDll(kPowerDll), S_OK);
  EXPECT_EQ(UnregisterDll(kProcessDll), S_OK);
  EXPECT_FALSE(ClassesRootKeyExists(kPowerClassKey));
  EXPECT_FALSE(ClassesRootKeyExists("Vesperkit.ProcessControl"));

  HResult error = kS_OK;
  EXPECT_EQ(factory_.CreatePowerControl(error), nullptr);
  EXPECT_EQ(error, REGDB_E_CLASSNOTREG);
  error = kS_OK;
  EXPECT_EQ(factory_.CreateProcessControl(error), nullptr);
  EXPECT_EQ(error, REGDB_E_CLASSNOTREG);

  // Unregistering what is not registered is no error.
  EXPECT_EQ(UnregisterDll(kPowerDll), S_OK);
}

TEST_F(RealComponents, Regsvr32RegistersAndUnregisters) {
  const std::string dll = "\"" + ComponentFolder() + kPowerDll + "\"";
  EXPECT_EQ(RunRegsvr32("/s /u " + dll), 0);
  EXPECT_FALSE(ClassesRootKeyExists(kPowerClassKey));
  EXPECT_EQ(RunRegsvr32("/s " + dll), 0);
  EXPECT_EQ(Lower(ClassesRootText(std::string(kPowerClassKey) + "\\InprocServer32")),
            Lower(ComponentFolder() + kPowerDll));
}

class DoubleComponents : public ComponentTest {
 protected:
  void SetUp() override {
    ComponentTest::SetUp();
    ASSERT_EQ(RegisterDll(kPowerDoubleDll), S_OK) << ComponentFolder();
    ASSERT_EQ(RegisterDll(kProcessDoubleDll), S_OK) << ComponentFolder();
    record_file_ = TemporaryFileName();
    SetEnvironmentVariableA("VESPERKIT_RECORD_FILE", record_file_.c_str());
  }
  void TearDown() override {
    for (const char* name : {"VESPERKIT_RECORD_FILE", "VESPERKIT_DOUBLE_FAIL", "VESPERKIT_DOUBLE_ALTSHUTDOWN",
                             "VESPERKIT_DOUBLE_HIBERNATE"}) {
      SetEnvironmentVariableA(name, nullptr);
    }
    DeleteFileA(record_file_.c_str());
    ComponentTest::TearDown();
  }
  Strings Recorded() const { return ReadLines(record_file_); }

  std::string record_file_;
};

TEST_F(DoubleComponents, RecordThePowerSequenceInOrder) {
  HResult error = kE_FAIL;
  auto power = factory_.CreatePowerControl(error);
  ASSERT_NE(power, nullptr);
  VbBool alt = 0;
  std::int32_t code = 2;
  std::int32_t force = -1;
  std::int32_t result = 7;
  EXPECT_EQ(power->GetAltShutdownSupported(alt), kS_OK);
  EXPECT_EQ(alt, kTrue);
  EXPECT_EQ(power->SetPowerAction(code), kS_OK);
  EXPECT_EQ(power->SetForceAction(force), kS_OK);
  EXPECT_EQ(power->DoPowerAction(result), kS_OK);
  power.reset();
  EXPECT_EQ(Recorded(), (Strings{"PowerControl.Created", "PowerControl.AltShutdownSupported",
                                 "PowerControl.PowerAction=2", "PowerControl.ForceAction=-1",
                                 "PowerControl.DoPowerAction", "PowerControl.Released"}));
}

TEST_F(DoubleComponents, RecordEachProcessTripleWithItsPath) {
  HResult error = kE_FAIL;
  auto process = factory_.CreateProcessControl(error);
  ASSERT_NE(process, nullptr);
  for (std::string path : {"C:\\x\\y.exe", "C:\\Program Files\\Tool\\app.exe"}) {
    std::int32_t flags = 4;
    std::int32_t result = 0;
    EXPECT_EQ(process->SetFlags(flags), kS_OK);
    EXPECT_EQ(process->SetProcessPath(path), kS_OK);
    EXPECT_EQ(process->EndProcess(result), kS_OK);
  }
  process.reset();
  EXPECT_EQ(Recorded(), (Strings{"ProcessControl.Created", "ProcessControl.Flags=4",
                                 "ProcessControl.ProcessPath=C:\\x\\y.exe", "ProcessControl.EndProcess",
                                 "ProcessControl.Flags=4",
                                 "ProcessControl.ProcessPath=C:\\Program Files\\Tool\\app.exe",
                                 "ProcessControl.EndProcess", "ProcessControl.Released"}));
}

TEST_F(DoubleComponents, PathsCrossTheBoundaryInTheAnsiCodePage) {
  if (GetACP() == CP_UTF8) GTEST_SKIP() << "needs a single-byte ANSI code page";
  HResult error = kE_FAIL;
  auto process = factory_.CreateProcessControl(error);
  ASSERT_NE(process, nullptr);
  std::string path = "C:\\Caf\xE9\\men\xFC.exe";
  EXPECT_EQ(process->SetProcessPath(path), kS_OK);
  EXPECT_EQ(Recorded().at(1), "ProcessControl.ProcessPath=" + path);
}

TEST_F(DoubleComponents, AnswerAsTheEnvironmentSays) {
  HResult error = kE_FAIL;
  auto power = factory_.CreatePowerControl(error);
  ASSERT_NE(power, nullptr);
  VbBool answer = 1;
  EXPECT_EQ(power->GetHibernateSupported(answer), kS_OK);
  EXPECT_EQ(answer, kTrue);
  SetEnvironmentVariableA("VESPERKIT_DOUBLE_HIBERNATE", "0");
  SetEnvironmentVariableA("VESPERKIT_DOUBLE_ALTSHUTDOWN", "0");
  EXPECT_EQ(power->GetHibernateSupported(answer), kS_OK);
  EXPECT_EQ(answer, kFalse);
  EXPECT_EQ(power->GetAltShutdownSupported(answer), kS_OK);
  EXPECT_EQ(answer, kFalse);
  SetEnvironmentVariableA("VESPERKIT_DOUBLE_ALTSHUTDOWN", "yes");
  EXPECT_EQ(power->GetAltShutdownSupported(answer), kS_OK);
  EXPECT_EQ(answer, kTrue);
}

TEST_F(DoubleComponents, NamedMemberFailsAfterBeingRecorded) {
  SetEnvironmentVariableA("VESPERKIT_DOUBLE_FAIL", "ProcessPath");
  HResult error = kE_FAIL;
  auto process = factory_.CreateProcessControl(error);
  ASSERT_NE(process, nullptr);
  std::int32_t flags = 4;
  std::string path = "C:\\x\\y.exe";
  std::int32_t result = 0;
  EXPECT_EQ(process->SetFlags(flags), kS_OK);
  EXPECT_EQ(process->SetProcessPath(path), kE_FAIL);
  EXPECT_EQ(process->EndProcess(result), kS_OK);
  EXPECT_EQ(Recorded(), (Strings{"ProcessControl.Created", "ProcessControl.Flags=4",
                                 "ProcessControl.ProcessPath=C:\\x\\y.exe", "ProcessControl.EndProcess"}));

  SetEnvironmentVariableA("VESPERKIT_DOUBLE_FAIL", "PowerControl.DoPowerAction");
  auto power = factory_.CreatePowerControl(error);
  ASSERT_NE(power, nullptr);
  std::int32_t code = 64;
  EXPECT_EQ(power->SetPowerAction(code), kS_OK);
  EXPECT_EQ(power->DoPowerAction(result), kE_FAIL);
  EXPECT_EQ(Recorded().back(), "PowerControl.DoPowerAction");
}

TEST_F(DoubleComponents, RecordCallsMadeByName) {
  auto power = CreateRaw<IDispatch>(CLSID_PowerControl, IID_IPowerControl);
  ASSERT_TRUE(power);
  EXPECT_EQ(PutByName(power.Get(), L"PowerAction", LongVariant(16)), S_OK);
  EXPECT_EQ(CallByName(power.Get(), L"DoPowerAction"), S_OK);
  EXPECT_EQ(Recorded(), (Strings{"PowerControl.Created", "PowerControl.PowerAction=16", "PowerControl.DoPowerAction"}));
}

TEST_F(DoubleComponents, RecordBesideTheDllWhenNoFileIsNamed) {
  SetEnvironmentVariableA("VESPERKIT_RECORD_FILE", nullptr);
  const std::string beside = ComponentFolder() + "calls.log";
  DeleteFileA(beside.c_str());
  HResult error = kE_FAIL;
  factory_.CreateProcessControl(error).reset();
  EXPECT_EQ(ReadLines(beside), (Strings{"ProcessControl.Created", "ProcessControl.Released"}));
  DeleteFileA(beside.c_str());
}

}  // namespace
}  // namespace vk::comtest
