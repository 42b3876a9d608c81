// The component DLLs as the program meets them: registered by regsvr32,
// created by class identifier through the adapter, called by vtable slot and
// by name; then the recording doubles in their place.
#include <windows.h>
#include <oleauto.h>
#include <powrprof.h>

#include <gtest/gtest.h>

#include "owners.h"
#include "power_control_idl.h"
#include "process_control_idl.h"
#include "support.h"
#include "win32/com_components.h"

namespace vk::wintest {
namespace {

using com::Bstr;
using com::ComPtr;
using Strings = std::vector<std::string>;
using LongRef = HRESULT(STDMETHODCALLTYPE*)(void*, LONG*);  // a get, or a put by reference
using LongValue = HRESULT(STDMETHODCALLTYPE*)(void*, LONG);
using BoolRef = HRESULT(STDMETHODCALLTYPE*)(void*, VARIANT_BOOL*);
using TextRef = HRESULT(STDMETHODCALLTYPE*)(void*, BSTR*);

std::string Lower(std::string text) {
  CharLowerA(text.data());
  return text;
}

VARIANT_BOOL AsVariantBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }
bool SystemHasAltShutdown() { return GetProcAddress(GetModuleHandleA("advapi32.dll"), "InitiateShutdownA") != nullptr; }

ComPtr<IDispatch> Create(const CLSID& classId, const IID& interfaceId) {
  ComPtr<IDispatch> object;
  CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId, object.PutVoid());
  return object;
}

// A member called by name: a property put when `argument` is given, else a
// get or method into `result`; the member's own HRESULT, also when Invoke
// wraps it in an exception.
HRESULT ByName(IDispatch* object, const wchar_t* name, VARIANT* argument, VARIANT* result = nullptr) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << "no member named";
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = argument ? DISPPARAMS{argument, &named, 1, 1} : DISPPARAMS{nullptr, nullptr, 0, 0};
  VARIANT ignored;
  VariantInit(&ignored);
  EXCEPINFO exception{};
  const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT,
                                    argument ? DISPATCH_PROPERTYPUT : DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                                    argument ? nullptr : (result ? result : &ignored), &exception, nullptr);
  VariantClear(&ignored);
  for (BSTR text : {exception.bstrSource, exception.bstrDescription, exception.bstrHelpFile}) SysFreeString(text);
  return hr == DISP_E_EXCEPTION ? exception.scode : hr;
}

VARIANT Long(LONG value) {
  VARIANT variant;
  VariantInit(&variant);
  V_VT(&variant) = VT_I4;
  V_I4(&variant) = value;
  return variant;
}

// Every test runs in its own apartment with the real DLLs registered, and leaves them registered.
class Components : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    Register("PowerControl.dll", "ProcessControl.dll");
  }
  void TearDown() override {
    Register("PowerControl.dll", "ProcessControl.dll");
    CoUninitialize();
  }
  static void Register(const char* power, const char* process) {
    for (const char* dll : {power, process}) ASSERT_EQ(RegisterDll(dll), S_OK) << OwnFolder() << dll;
  }

  win32::ComComponentFactory factory_;
};

TEST_F(Components, Regsvr32RegistersThemForCreationByClassIdentifierAndUnregistersThem) {
  struct Component {
    const char* dll;
    const wchar_t* progId;
    CLSID classId;
    GUID library;
  };
  for (const Component& c : {Component{"PowerControl.dll", L"Vesperkit.PowerControl", CLSID_PowerControl,
                                       LIBID_VesperkitPowerControl},
                             Component{"ProcessControl.dll", L"Vesperkit.ProcessControl", CLSID_ProcessControl,
                                       LIBID_VesperkitProcessControl}}) {
    SCOPED_TRACE(c.dll);
    const std::string dll = OwnFolder() + c.dll;
    wchar_t wideId[40];
    StringFromGUID2(c.classId, wideId, 40);
    const std::string classKey = "CLSID\\" + std::string(wideId, wideId + 38);
    auto create = [&](HResult& error) {
      return IsEqualCLSID(c.classId, CLSID_PowerControl) ? factory_.CreatePowerControl(error) != nullptr
                                                         : factory_.CreateProcessControl(error) != nullptr;
    };
    HResult error = kS_OK;
    EXPECT_EQ(RunAndWait("regsvr32.exe /s /u \"" + dll + "\""), 0);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, classKey));
    EXPECT_FALSE(create(error));
    EXPECT_EQ(error, REGDB_E_CLASSNOTREG);
    EXPECT_EQ(UnregisterDll(c.dll), S_OK) << "unregistering what is not registered is no error";

    EXPECT_EQ(RunAndWait("regsvr32.exe /s \"" + dll + "\""), 0);
    const std::string inproc = classKey + "\\InprocServer32";
    EXPECT_EQ(Lower(ReadValue(HKEY_CLASSES_ROOT, inproc, nullptr).value_or("")), Lower(dll + '\0'));
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, inproc, "ThreadingModel"), std::string("Apartment", 10));
    CLSID found{};
    EXPECT_EQ(CLSIDFromProgID(c.progId, &found), S_OK);
    EXPECT_TRUE(IsEqualCLSID(found, c.classId));
    ComPtr<ITypeLib> library;
    EXPECT_EQ(LoadRegTypeLib(c.library, 1, 0, 0, library.Put()), S_OK);
    error = kE_FAIL;
    EXPECT_TRUE(create(error));
    EXPECT_EQ(error, kS_OK);
  }
}

TEST_F(Components, MembersSitInTheirSlotsAndAnswerToTheirNames) {
  auto power = Create(CLSID_PowerControl, IID_IPowerControl);
  auto process = Create(CLSID_ProcessControl, IID_IProcessControl);
  ASSERT_TRUE(power && process);
  // Long properties: put by reference, then get.
  for (auto [self, put, get, stored] : {std::tuple<void*, int, int, LONG>{power.Get(), 8, 7, 64},
                                        std::tuple<void*, int, int, LONG>{power.Get(), 10, 9, -1},
                                        std::tuple<void*, int, int, LONG>{process.Get(), 8, 7, 4}}) {
    LONG value = stored;
    EXPECT_EQ(Slot<LongRef>(self, put)(self, &value), S_OK);
    value = 0;
    EXPECT_EQ(Slot<LongRef>(self, get)(self, &value), S_OK);
    EXPECT_EQ(value, stored) << "slots " << put << " and " << get;
  }
  VARIANT_BOOL answer = 1;
  EXPECT_EQ(Slot<BoolRef>(power.Get(), 11)(power.Get(), &answer), S_OK);
  EXPECT_EQ(answer, AsVariantBool(SystemHasAltShutdown()));
  EXPECT_EQ(Slot<BoolRef>(power.Get(), 12)(power.Get(), &answer), S_OK);
  EXPECT_EQ(answer, AsVariantBool(IsPwrHibernateAllowed()));
  LONG none = 0;  // no action: DoPowerAction refuses without acting
  EXPECT_EQ(Slot<LongRef>(power.Get(), 8)(power.Get(), &none), S_OK);
  EXPECT_EQ(Slot<LongRef>(power.Get(), 13)(power.Get(), &none), E_INVALIDARG);

  void* self = process.Get();
  {
    // The component keeps a copy: the caller's string is freed right after.
    Bstr path(SysAllocString(L"C:\\Program Files\\Tool\\app.exe"));
    BSTR passed = path.Get();
    EXPECT_EQ(Slot<TextRef>(self, 10)(self, &passed), S_OK);
  }
  Bstr read;
  EXPECT_EQ(Slot<TextRef>(self, 9)(self, read.Put()), S_OK);
  EXPECT_EQ(std::wstring(read.Get(), read.Length()), L"C:\\Program Files\\Tool\\app.exe");
  EXPECT_EQ(Slot<LongValue>(self, 13)(self, 250), S_OK);
  EXPECT_EQ(Slot<LongValue>(self, 13)(self, -1), E_INVALIDARG);
  LONG value = 0;
  EXPECT_EQ(Slot<LongRef>(self, 12)(self, &value), S_OK);
  EXPECT_EQ(value, 250);
  // Nothing runs from that path: nothing found, no error.
  EXPECT_EQ(Slot<LongRef>(self, 15)(self, &value), S_OK);
  for (int slot : {11, 14}) {
    value = -1;
    EXPECT_EQ(Slot<LongRef>(self, slot)(self, &value), S_OK);
    EXPECT_EQ(value, 0) << "slot " << slot;
  }

  // By name, the same members.
  VARIANT argument = Long(32);
  EXPECT_EQ(ByName(power.Get(), L"PowerAction", &argument), S_OK);
  LONG bySlot = 0;
  EXPECT_EQ(Slot<LongRef>(power.Get(), 7)(power.Get(), &bySlot), S_OK);
  EXPECT_EQ(bySlot, 32);
  VARIANT answered;
  VariantInit(&answered);
  EXPECT_EQ(ByName(power.Get(), L"HibernateSupported", nullptr, &answered), S_OK);
  EXPECT_EQ(V_VT(&answered), VT_BOOL);
  argument = Long(5);  // no such force: nothing acts
  EXPECT_EQ(ByName(power.Get(), L"ForceAction", &argument), S_OK);
  EXPECT_EQ(ByName(power.Get(), L"DoPowerAction", nullptr), E_INVALIDARG);

  V_VT(&argument) = VT_BSTR;
  V_BSTR(&argument) = SysAllocString(L"C:\\x\\y.exe");
  EXPECT_EQ(ByName(process.Get(), L"ProcessPath", &argument), S_OK);
  VariantClear(&argument);
  EXPECT_EQ(ByName(process.Get(), L"ProcessPath", nullptr, &answered), S_OK);
  ASSERT_EQ(V_VT(&answered), VT_BSTR);
  EXPECT_EQ(std::wstring(V_BSTR(&answered)), L"C:\\x\\y.exe");
  VariantClear(&answered);
  EXPECT_EQ(ByName(process.Get(), L"EndProcess", nullptr), S_OK);
}

TEST_F(Components, TheDoublesInTheirPlaceRecordTheAdaptersCallsInOrderAndFailuresComeBack) {
  Register("PowerControlDouble.dll", "ProcessControlDouble.dll");
  const std::string record = TemporaryName();
  SetEnvironmentVariableA("VESPERKIT_RECORD_FILE", record.c_str());
  HResult error = kE_FAIL;
  auto power = factory_.CreatePowerControl(error);
  ASSERT_NE(power, nullptr);
  VbBool alt = 0;
  VbBool hibernate = 0;
  std::int32_t code = 2;
  std::int32_t force = -1;
  std::int32_t result = 7;
  EXPECT_EQ(power->GetAltShutdownSupported(alt), kS_OK);
  EXPECT_EQ(power->GetHibernateSupported(hibernate), kS_OK);
  EXPECT_EQ(alt, kTrue);
  EXPECT_EQ(hibernate, kTrue);
  EXPECT_EQ(power->SetPowerAction(code), kS_OK);
  EXPECT_EQ(power->SetForceAction(force), kS_OK);
  EXPECT_EQ(power->DoPowerAction(result), kS_OK);
  EXPECT_EQ(result, 0) << "what the member left in it";
  power.reset();
  auto process = factory_.CreateProcessControl(error);
  ASSERT_NE(process, nullptr);
  // The path crosses the boundary in the ANSI code page.
  std::string path = GetACP() == CP_UTF8 ? "C:\\Program Files\\app.exe" : "C:\\Caf\xE9\\men\xFC.exe";
  std::int32_t flags = 4;
  EXPECT_EQ(process->SetFlags(flags), kS_OK);
  EXPECT_EQ(process->SetProcessPath(path), kS_OK);
  EXPECT_EQ(process->EndProcess(result), kS_OK);
  std::string empty;
  EXPECT_EQ(process->SetProcessPath(empty), kS_OK);
  process.reset();
  EXPECT_EQ(ReadLines(record),
            (Strings{"PowerControl.Created", "PowerControl.AltShutdownSupported", "PowerControl.HibernateSupported",
                     "PowerControl.PowerAction=2", "PowerControl.ForceAction=-1", "PowerControl.DoPowerAction",
                     "PowerControl.Released",
                     "ProcessControl.Created", "ProcessControl.Flags=4", "ProcessControl.ProcessPath=" + path,
                     "ProcessControl.EndProcess", "ProcessControl.ProcessPath=", "ProcessControl.Released"}));

  SetEnvironmentVariableA("VESPERKIT_DOUBLE_FAIL", "DoPowerAction,ProcessPath");
  power = factory_.CreatePowerControl(error);
  process = factory_.CreateProcessControl(error);
  ASSERT_TRUE(power && process);
  EXPECT_EQ(power->DoPowerAction(result), kE_FAIL);
  EXPECT_EQ(process->SetProcessPath(path), kE_FAIL);
  SetEnvironmentVariableA("VESPERKIT_DOUBLE_FAIL", nullptr);
  SetEnvironmentVariableA("VESPERKIT_RECORD_FILE", nullptr);
  DeleteFileA(record.c_str());
}

TEST_F(Components, AMemberThatThrowsAnswersUnexpectedBySlotAndByNameAndTheObjectGoesOn) {
  Register("PowerControlDouble.dll", "ProcessControlDouble.dll");
  const std::string record = TemporaryName();
  SetEnvironmentVariableA("VESPERKIT_RECORD_FILE", record.c_str());
  struct Row {
    CLSID classId;
    IID interfaceId;
    const wchar_t* member;
    int slot;
  };
  for (const Row& row : {Row{CLSID_PowerControl, IID_IPowerControl, L"DoPowerAction", 13},
                         Row{CLSID_ProcessControl, IID_IProcessControl, L"EndProcess", 15}}) {
    auto object = Create(row.classId, row.interfaceId);
    ASSERT_TRUE(object);
    LONG result = 0;
    for (const char* thrown : {"DoPowerAction,EndProcess", ""}) {
      SCOPED_TRACE(std::string(thrown) + (row.slot == 13 ? " on PowerControl" : " on ProcessControl"));
      SetEnvironmentVariableA("VESPERKIT_DOUBLE_THROW", thrown);
      const HRESULT expected = *thrown ? E_UNEXPECTED : S_OK;
      EXPECT_EQ(Slot<LongRef>(object.Get(), row.slot)(object.Get(), &result), expected);
      EXPECT_EQ(ByName(object.Get(), row.member, nullptr), expected);
    }
  }
  SetEnvironmentVariableA("VESPERKIT_DOUBLE_THROW", nullptr);
  SetEnvironmentVariableA("VESPERKIT_RECORD_FILE", nullptr);
  DeleteFileA(record.c_str());
}

}  // namespace
}  // namespace vk::wintest
