// The component DLLs as the program meets them: registered by regsvr32,
// created by class identifier through the adapter and called through it and
// by name; then the recording doubles in their place, which record the
// adapter's calls in order and give back failures and thrown exceptions as
// the components' own COM guards turn them into results.
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

using com::ComPtr;
using Strings = std::vector<std::string>;

std::string Lower(std::string text) {
  CharLowerA(text.data());
  return text;
}

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

// Every test runs in its own apartment with the real DLLs registered, and
// leaves them registered; a test may register the doubles in their place.
class Components : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    Register("PowerControl.dll", "ProcessControl.dll");
    SetEnvironmentVariableA("VESPERKIT_RECORD_FILE", record_.c_str());
  }
  void TearDown() override {
    for (const char* variable : {"VESPERKIT_RECORD_FILE", "VESPERKIT_DOUBLE_FAIL", "VESPERKIT_DOUBLE_THROW"})
      SetEnvironmentVariableA(variable, nullptr);
    DeleteFileA(record_.c_str());
    Register("PowerControl.dll", "ProcessControl.dll");
    CoUninitialize();
  }
  static void Register(const char* power, const char* process) {
    for (const char* dll : {power, process}) ASSERT_EQ(RegisterDll(dll), S_OK) << OwnFolder() << dll;
  }

  win32::ComComponentFactory factory_;
  const std::string record_ = TemporaryName();
};

TEST_F(Components, Regsvr32RegistersThemForCreationByClassIdentifierAndUnregistersThem) {
  struct Component {
    const char* dll;
    const wchar_t* progId;
    CLSID classId;
    GUID library;
  };
  for (const Component& c :
       {Component{"PowerControl.dll", L"Vesperkit.PowerControl", CLSID_PowerControl, LIBID_VesperkitPowerControl},
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

// Nothing here may act: the only power action set is none at all (7).
TEST_F(Components, TheRealMembersAnswerThroughTheAdapterAndByName) {
  HResult error = kE_FAIL;
  auto power = factory_.CreatePowerControl(error);
  ASSERT_NE(power, nullptr);
  VbBool answer = 1;
  EXPECT_EQ(power->GetAltShutdownSupported(answer), kS_OK);
  EXPECT_EQ(answer, GetProcAddress(GetModuleHandleA("advapi32.dll"), "InitiateShutdownA") ? kTrue : kFalse);
  EXPECT_EQ(power->GetHibernateSupported(answer), kS_OK);
  EXPECT_EQ(answer, IsPwrHibernateAllowed() ? kTrue : kFalse);
  std::int32_t none = 7, result = 1;
  EXPECT_EQ(power->SetPowerAction(none), kS_OK);
  EXPECT_EQ(power->DoPowerAction(result), E_INVALIDARG);
  // The component keeps its own copy of the path: the argument is freed at once.
  auto process = Create(CLSID_ProcessControl, IID_IProcessControl);
  VARIANT argument;
  V_VT(&argument) = VT_BSTR;
  V_BSTR(&argument) = SysAllocString(L"C:\\x\\y.exe");
  EXPECT_EQ(ByName(process.Get(), L"ProcessPath", &argument), S_OK);
  VariantClear(&argument);
  VARIANT answered;
  VariantInit(&answered);
  EXPECT_EQ(ByName(process.Get(), L"ProcessPath", nullptr, &answered), S_OK);
  ASSERT_EQ(V_VT(&answered), VT_BSTR);
  EXPECT_EQ(std::wstring(V_BSTR(&answered)), L"C:\\x\\y.exe");
  VariantClear(&answered);
}

TEST_F(Components, TheDoublesRecordTheAdaptersCallsInOrderAndFailuresComeBack) {
  Register("PowerControlDouble.dll", "ProcessControlDouble.dll");
  HResult error = kE_FAIL;
  auto power = factory_.CreatePowerControl(error);
  ASSERT_NE(power, nullptr);
  VbBool alt = 0;
  std::int32_t code = 2, force = -1, result = 7;
  EXPECT_EQ(power->GetAltShutdownSupported(alt), kS_OK);
  EXPECT_EQ(alt, kTrue);
  EXPECT_EQ(power->SetPowerAction(code), kS_OK);
  EXPECT_EQ(power->SetForceAction(force), kS_OK);
  EXPECT_EQ(power->DoPowerAction(result), kS_OK);
  EXPECT_EQ(result, 0) << "what the member left in it";
  power.reset();
  auto process = factory_.CreateProcessControl(error);
  ASSERT_NE(process, nullptr);
  // The path crosses the boundary in the ANSI code page.
  std::string path = GetACP() == CP_UTF8 ? "C:\\Program Files\\app.exe" : "C:\\Caf\xE9\\men\xFC.exe";
  EXPECT_EQ(process->SetProcessPath(path), kS_OK);
  EXPECT_EQ(process->EndProcess(result), kS_OK);
  process.reset();
  EXPECT_EQ(ReadLines(record_), (Strings{"PowerControl.Created", "PowerControl.AltShutdownSupported",
                                         "PowerControl.PowerAction=2", "PowerControl.ForceAction=-1",
                                         "PowerControl.DoPowerAction", "PowerControl.Released",
                                         "ProcessControl.Created", "ProcessControl.ProcessPath=" + path,
                                         "ProcessControl.EndProcess", "ProcessControl.Released"}));

  SetEnvironmentVariableA("VESPERKIT_DOUBLE_FAIL", "DoPowerAction,ProcessPath");
  power = factory_.CreatePowerControl(error);
  process = factory_.CreateProcessControl(error);
  ASSERT_TRUE(power && process);
  EXPECT_EQ(power->DoPowerAction(result), kE_FAIL);
  EXPECT_EQ(process->SetProcessPath(path), kE_FAIL);
}

TEST_F(Components, AMemberThatThrowsAnswersUnexpectedBySlotAndByNameAndTheObjectGoesOn) {
  Register("PowerControlDouble.dll", "ProcessControlDouble.dll");
  HResult error = kE_FAIL;
  auto power = factory_.CreatePowerControl(error);
  auto process = factory_.CreateProcessControl(error);
  ASSERT_TRUE(power && process);
  auto powerByName = Create(CLSID_PowerControl, IID_IPowerControl);
  auto processByName = Create(CLSID_ProcessControl, IID_IProcessControl);
  std::int32_t result = 0;
  for (const char* thrown : {"DoPowerAction,EndProcess", ""}) {
    SCOPED_TRACE(*thrown ? "throwing" : "going on");
    SetEnvironmentVariableA("VESPERKIT_DOUBLE_THROW", thrown);
    const HRESULT expected = *thrown ? E_UNEXPECTED : S_OK;
    EXPECT_EQ(power->DoPowerAction(result), expected);
    EXPECT_EQ(process->EndProcess(result), expected);
    EXPECT_EQ(ByName(powerByName.Get(), L"DoPowerAction", nullptr), expected);
    EXPECT_EQ(ByName(processByName.Get(), L"EndProcess", nullptr), expected);
  }
}

}  // namespace
}  // namespace vk::wintest
