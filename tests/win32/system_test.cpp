// The adapters and components against the real thing under Wine: the files,
// the component DLLs after regsvr32 and their COM guards, the real
// PowerControl's choice of system call (never carried out), and the real
// ProcessControl ending real programs.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <fstream>

#include "power_control_idl.h"
#include "power_plan.h"
#include "process_control_idl.h"
#include "support.h"
#include "win32/com_components.h"
#include "win32/files.h"
#include "win32/handles.h"

namespace vk::wintest {
namespace {

TEST(PowerPlan, EachActionAndForceValueChoosesItsCallAndFlagsAndAnythingElseNone) {
  using power::PowerCall;
  for (const auto& [action, force, call, exitFlags, shutdownFlags] : {
           std::tuple{16L, 0L, PowerCall::ExitWindows, UINT{EWX_SHUTDOWN | EWX_POWEROFF}, DWORD{0}},
           std::tuple{16L, -1L, PowerCall::ExitWindows, UINT{EWX_SHUTDOWN | EWX_POWEROFF | EWX_FORCE}, DWORD{0}},
           std::tuple{2L, 0L, PowerCall::InitiateShutdown, UINT{0}, power::kShutdownPowerOff},
           std::tuple{2L, -1L, PowerCall::InitiateShutdown, UINT{0}, power::kShutdownPowerOff | power::kShutdownForceOthers},
           std::tuple{64L, -1L, PowerCall::Suspend, UINT{0}, DWORD{0}},
           std::tuple{32L, 0L, PowerCall::Hibernate, UINT{0}, DWORD{0}},
           std::tuple{17L, 0L, PowerCall::None, UINT{0}, DWORD{0}},
           std::tuple{16L, 1L, PowerCall::None, UINT{0}, DWORD{0}},
       }) {
    const power::PowerPlan p = power::PlanPowerAction(action, force);
    EXPECT_EQ(std::tuple(p.call, p.exitFlags, p.shutdownFlags, p.forced),
              std::tuple(call, exitFlags, shutdownFlags, call != PowerCall::None && force == -1))
        << action << " " << force;
  }
}

TEST(Files, AnAtomicReplaceLeavesOnlyTheTargetWithItsMarksAndNeverTouchesAReadOnlyOrHeldFile) {
  for (const auto& [name, attributes, held, replaced] :
       {std::tuple{"a plain file", FILE_ATTRIBUTE_NORMAL, false, true},
        std::tuple{"a hidden file", FILE_ATTRIBUTE_HIDDEN, false, true},
        std::tuple{"a read-only file", FILE_ATTRIBUTE_READONLY, false, false},
        std::tuple{"a file another program holds open", FILE_ATTRIBUTE_NORMAL, true, false}}) {
    SCOPED_TRACE(name);
    win32::Win32FileSystem files;
    const std::string folder = TemporaryName(), path = folder + "\\Files.dat";
    std::string bytes;
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(files.ReplaceAtomically(path, "the old, longer content"));
    SetFileAttributesA(path.c_str(), attributes);
    HANDLE holder = held ? CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
    EXPECT_EQ(files.ReplaceAtomically(path, "new"), replaced);
    if (holder != nullptr) CloseHandle(holder);
    EXPECT_TRUE(files.ReadAll(path, bytes));
    EXPECT_EQ(bytes, replaced ? "new" : "the old, longer content");
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & 3u, attributes & 3u) << "hidden and read-only stay";
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str())) << "nothing else was left in the folder";
  }
}

long Regsvr32(const std::string& flag, std::initializer_list<std::string> dlls) {
  std::string command = "regsvr32.exe /s " + flag;
  for (const std::string& dll : dlls) command += " \"" + OwnFolder() + dll + "\"";
  return RunAndWait(command);
}

template <class Interface>
com::ComPtr<Interface> Create(const CLSID& classId) {
  com::ComPtr<Interface> object;
  CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, __uuidof(Interface), object.PutVoid());
  return object;
}

// Every test runs in its own apartment and leaves the real DLLs registered.
struct Components : ::testing::Test {
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override {
    EXPECT_EQ(Regsvr32("", {"PowerControl.dll", "ProcessControl.dll"}), 0);
    CoUninitialize();
  }
};

// Nothing here may act: the only action asked of the real PowerControl is none at all (7).
TEST_F(Components, Regsvr32RegistersEachForCreationByClassIdentifierAndUnregistersIt) {
  win32::ComComponentFactory factory;
  HResult error = kS_OK;
  std::int32_t none = 7, result = 0;
  for (const std::string dll : {"PowerControl.dll", "ProcessControl.dll"}) {
    SCOPED_TRACE(dll);
    auto create = [&] {
      return dll == "PowerControl.dll" ? !!factory.CreatePowerControl(error) : !!factory.CreateProcessControl(error);
    };
    EXPECT_EQ(Regsvr32("/u", {dll}), 0);
    EXPECT_FALSE(create());
    EXPECT_EQ(error, REGDB_E_CLASSNOTREG);
    EXPECT_EQ(Regsvr32("", {dll}), 0);
    EXPECT_TRUE(create());
    EXPECT_EQ(error, kS_OK);
  }
  auto power = factory.CreatePowerControl(error);
  ASSERT_NE(power, nullptr);
  EXPECT_EQ(power->SetPowerAction(none), kS_OK);
  EXPECT_EQ(power->DoPowerAction(result), E_INVALIDARG);
}

// The member's own HRESULT when called by name, also when Invoke wraps it in an exception.
HRESULT ByName(IDispatch* object, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
  DISPPARAMS none{};
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO exception{};
  const HRESULT hr = object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, &result, &exception, nullptr);
  VariantClear(&result);
  for (BSTR text : {exception.bstrSource, exception.bstrDescription, exception.bstrHelpFile}) SysFreeString(text);
  return hr == DISP_E_EXCEPTION ? exception.scode : hr;
}

// The doubles share the components' COM faces, so their failing and throwing
// members try the very guards the components use, by vtable slot and by name.
TEST_F(Components, AMemberMadeToFailOrThrowAnswersItsResultBySlotAndByNameAndTheObjectGoesOn) {
  ASSERT_EQ(Regsvr32("", {"PowerControlDouble.dll", "ProcessControlDouble.dll"}), 0);
  const std::string record = TemporaryName();
  SetEnvironmentVariableA("VESPERKIT_RECORD_FILE", record.c_str());
  auto power = Create<IPowerControl>(CLSID_PowerControl);
  auto process = Create<IProcessControl>(CLSID_ProcessControl);
  ASSERT_TRUE(power.Get() != nullptr && process.Get() != nullptr);
  std::ifstream created(record);
  std::string first;
  ASSERT_TRUE(std::getline(created, first) && first == "PowerControl.Created") << "the doubles serve, not the real";
  for (const auto& [variable, expected] : {std::pair{"VESPERKIT_DOUBLE_FAIL", E_FAIL},
                                           std::pair{"VESPERKIT_DOUBLE_THROW", E_UNEXPECTED}, std::pair{"", S_OK}}) {
    SCOPED_TRACE(variable);
    SetEnvironmentVariableA(variable, "DoPowerAction,ProcessControl.EndProcess");
    LONG result = 0;
    EXPECT_EQ(power->DoPowerAction(&result), expected);
    EXPECT_EQ(process->EndProcess(&result), expected);
    EXPECT_EQ(ByName(power.Get(), L"DoPowerAction"), expected);
    EXPECT_EQ(ByName(process.Get(), L"EndProcess"), expected);
    SetEnvironmentVariableA(variable, nullptr);
  }
  SetEnvironmentVariableA("VESPERKIT_RECORD_FILE", nullptr);
  DeleteFileA(record.c_str());
}

// Copies of a small windowed program, started from two folders, and the real
// ProcessControl asked through the program's adapter to end those at one path.
TEST_F(Components, TheRealProcessControlEndsTheCopiesAtThePathOnlyAndTerminatesOnlyWithFlagFour) {
  ASSERT_EQ(Regsvr32("", {"ProcessControl.dll"}), 0);
  win32::ComComponentFactory factory;
  HResult error = kE_FAIL;
  auto component = factory.CreateProcessControl(error);
  ASSERT_NE(component, nullptr);
  const std::string folder = TemporaryName(), a = folder + "\\a\\Sleeper.exe", b = folder + "\\b\\Sleeper.exe";
  for (const std::string& made : {folder, folder + "\\a", folder + "\\b"}) CreateDirectoryA(made.c_str(), nullptr);
  for (const std::string& copy : {a, b})
    CopyFileA((OwnFolder() + "vesperkit_test_sleeper.exe").c_str(), copy.c_str(), FALSE);
  auto upper = [](std::string text) { return CharUpperA(text.data()), text; };
  struct Row {
    const char* name;
    std::vector<std::string> started;
    const char* arguments;
    std::string path;
    std::int32_t flags, ended;
    std::vector<DWORD> exits;  // of the started copies
  };
  for (const Row& r :
       {Row{"every copy at the path closes on request, the same program elsewhere runs on", {a, a, b}, "", upper(a), 4,
            2, {0, 0, STILL_ACTIVE}},
        Row{"a copy that will not close is only asked without flag 4", {a}, " stubborn", a, 0, 0, {STILL_ACTIVE}},
        Row{"and terminated with it", {a}, " stubborn", a, 4, 1, {1}},
        Row{"never the caller", {a}, "", OwnFolder() + "vesperkit_win32_tests.exe", 4, 0, {STILL_ACTIVE}}}) {
    SCOPED_TRACE(r.name);
    std::vector<PROCESS_INFORMATION> started(r.started.size());
    for (size_t i = 0; i < started.size(); ++i) {
      STARTUPINFOA startup{};
      startup.cb = sizeof startup;
      std::string command = "\"" + r.started[i] + "\"" + r.arguments;
      ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, 0, 0, nullptr, nullptr, &startup,
                                 &started[i]));
      WaitForInputIdle(started[i].hProcess, 10000);
    }
    std::int32_t flags = r.flags, ended = -1;
    std::string path = r.path;
    component->SetFlags(flags);
    component->SetProcessPath(path);
    component->EndProcess(ended);
    EXPECT_EQ(ended, r.ended);
    for (size_t i = 0; i < started.size(); ++i) {
      DWORD code = 0;
      GetExitCodeProcess(started[i].hProcess, &code);
      EXPECT_EQ(code, r.exits[i]) << i;
      TerminateProcess(started[i].hProcess, 3);
      WaitForSingleObject(started[i].hProcess, 5000);
      CloseHandle(started[i].hProcess);
      CloseHandle(started[i].hThread);
    }
  }
  for (const std::string& copy : {a, b}) DeleteFileA(copy.c_str());
  for (const std::string& made : {folder + "\\a", folder + "\\b", folder}) RemoveDirectoryA(made.c_str());
}

}  // namespace
}  // namespace vk::wintest
