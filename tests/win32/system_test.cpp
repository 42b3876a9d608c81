// The adapters and components against the real thing under Wine: the tray,
// the files, the registry, the Windows version Wine imitates, the component
// DLLs after regsvr32, the real ProcessControl ending real programs, and the
// COM guards of a member made to throw.
#include <windows.h>
#include <oleauto.h>
#include <powrprof.h>

#include <gtest/gtest.h>

#include "app/tray_icon_record.h"
#include "persistence/reg_settings.h"
#include "power_control_idl.h"
#include "process_control_idl.h"
#include "support.h"
#include "tray_view.h"
#include "win32/clock.h"
#include "win32/com_components.h"
#include "win32/files.h"
#include "win32/handles.h"
#include "win32/registry.h"
#include "win32/shell.h"
#include "win32/tray.h"

namespace vk::wintest {
namespace {

using namespace std::string_literals;

// Whether the tray comes to show `count` icons with the tip: it lays them out a moment after the call.
bool TrayShows(const std::string& tip, int count) {
  for (int attempt = 0; attempt < 100; ++attempt, Sleep(50)) {
    int shown = 0;
    for (const traytest::TrayIconView& icon : traytest::ReadTrayIcons()) shown += icon.Shown() && icon.tip == tip;
    if (shown == count) return true;
  }
  return false;
}

TEST(Tray, TheProgramsOwnRecordReachesWinesTrayWhichShowsTheIconWithItsTipUntilDeleted) {
  HWND owner = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  win32::Win32Tray tray;
  app::TrayIconRecord record{app::kTrayLayout.size, win32::FromHwnd(owner), app::kTrayIconId, app::kTrayFlags,
                             app::kTrayCallbackMessage, win32::FromHicon(LoadIconA(nullptr, IDI_APPLICATION)), ""};
  const std::string tip = "Vesperkit tray test " + std::to_string(GetCurrentProcessId());  // no other icon has it
  record.SetTip(tip);
  ASSERT_TRUE(tray.Notify(platform::TrayMessage::Add, record.Pack())) << "the shell refused the record";
  EXPECT_TRUE(TrayShows(tip, 1));
  record.SetTip(tip + " changed");
  EXPECT_TRUE(tray.Notify(platform::TrayMessage::Modify, record.Pack()));
  EXPECT_TRUE(TrayShows(tip + " changed", 1));
  EXPECT_TRUE(tray.Notify(platform::TrayMessage::Delete, record.Pack()));
  EXPECT_TRUE(TrayShows(tip + " changed", 0));
  EXPECT_FALSE(tray.Notify(platform::TrayMessage::Delete, record.Pack())) << "the shell no longer knows the icon";
  DestroyWindow(owner);
}

TEST(Files, AnAtomicReplaceLeavesOnlyTheTargetWithItsMarksAndNeverTouchesAReadOnlyOrHeldFile) {
  const struct {
    const char* name;
    DWORD attributes;
    bool held, replaced;
  } rows[] = {{"a plain file", FILE_ATTRIBUTE_NORMAL, false, true},
              {"a hidden file", FILE_ATTRIBUTE_HIDDEN, false, true},
              {"a read-only file", FILE_ATTRIBUTE_READONLY, false, false},
              {"a file another program holds open", FILE_ATTRIBUTE_NORMAL, true, false}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    win32::Win32FileSystem files;
    const std::string folder = TemporaryName(), path = folder + "\\Files.dat";
    std::string bytes;
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(files.ReplaceAtomically(path, std::string(1000, 'x')));
    SetFileAttributesA(path.c_str(), r.attributes);
    {
      win32::UniqueHandle held(r.held ? CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                      : nullptr);
      EXPECT_EQ(files.ReplaceAtomically(path, "short"), r.replaced);
    }
    EXPECT_TRUE(files.ReadAll(path, bytes));
    EXPECT_EQ(bytes, r.replaced ? "short" : std::string(1000, 'x'));
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & 3u, r.attributes & 3u) << "hidden and read-only stay";
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str())) << "nothing else was left in the folder";
  }
}

TEST(Registry, TheSettingsStoreKeepsTextsWithTheirNulReadsOtherValuesByTheirBytesAndDeletesASection) {
  const std::string settings = "Software\\Quillfield Systems Ltd\\Vesperkit\\Settings";
  win32::Win32Registry registry;
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  win32::Win32MessageBoxes messages;
  win32::Win32AppShell shell;
  persistence::SharedLog log{{files, clock, messages, shell}};
  persistence::CRegSettings store{registry, log};
  const std::string text = " \xE9t\xE9\t" + std::string(400, 'x');  // longer than a small buffer
  ASSERT_EQ(store.SaveSetting("Settings", "Text", text), kTrue);
  ASSERT_EQ(store.SaveSetting("Settings", "*", "unnamed"), kTrue);
  DWORD type = 0;
  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, settings, "Text", &type), text + '\0');
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(store.GetSetting("SETTINGS", "text", "d"), text);
  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, settings, nullptr), "unnamed\0"s) << "the default value";
  for (const auto& [bytes, kind, read] : {std::tuple{"45"s, REG_SZ, "45"}, std::tuple{"ab\0"s, REG_BINARY, "ab"},
                                          std::tuple{"1234"s, REG_DWORD, "1234"}, std::tuple{""s, REG_SZ, "d"}}) {
    WriteValue(HKEY_LOCAL_MACHINE, settings, "Odd", bytes, static_cast<DWORD>(kind));
    EXPECT_EQ(store.GetSetting("Settings", "Odd", "d"), read) << kind;
  }
  EXPECT_EQ(store.DeleteSetting("Settings", ""), kTrue) << "with its values still in it";
  EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, settings, "Odd").has_value());
}

// Wine fixes the version it imitates when a process starts: the probe's exit
// code is OSMajorVersion() in a fresh process.
TEST(WindowServices, TheMajorVersionFollowsTheWindowsVersionWineImitates) {
  const std::optional<std::string> old = ReadValue(HKEY_CURRENT_USER, "Software\\Wine", "Version");
  for (const auto& [version, major] : {std::pair{"nt40"s, 4L}, std::pair{"win7"s, 6L}}) {
    WriteValue(HKEY_CURRENT_USER, "Software\\Wine", "Version", version + '\0');
    EXPECT_EQ(RunAndWait("\"" + OwnFolder() + "vesperkit_os_major_probe.exe\""), major) << version;
  }
  WriteValue(HKEY_CURRENT_USER, "Software\\Wine", "Version", old);
}

long Regsvr32(const std::string& flag, std::initializer_list<std::string> dlls) {
  std::string command = "regsvr32.exe /s " + flag;
  for (const std::string& dll : dlls) command += " \"" + OwnFolder() + dll + "\"";
  return RunAndWait(command);
}

template <class Interface>
com::ComPtr<Interface> Create(const CLSID& classId, const IID& interfaceId) {
  com::ComPtr<Interface> object;
  CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId, object.PutVoid());
  return object;
}

// Every test runs in its own apartment and leaves the real DLLs registered.
class Components : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override {
    EXPECT_EQ(Regsvr32("", {"PowerControl.dll", "ProcessControl.dll"}), 0);
    CoUninitialize();
  }
  win32::ComComponentFactory factory;
};

TEST_F(Components, Regsvr32RegistersEachForCreationByClassIdentifierAndUnregistersIt) {
  for (const std::string dll : {"PowerControl.dll", "ProcessControl.dll"}) {
    SCOPED_TRACE(dll);
    auto create = [&](HResult& error) {
      return dll == "PowerControl.dll" ? factory.CreatePowerControl(error) != nullptr
                                       : factory.CreateProcessControl(error) != nullptr;
    };
    HResult error = kS_OK;
    EXPECT_EQ(Regsvr32("/u", {dll}), 0);
    EXPECT_FALSE(create(error));
    EXPECT_EQ(error, REGDB_E_CLASSNOTREG);
    EXPECT_EQ(Regsvr32("", {dll}), 0);
    EXPECT_TRUE(create(error));
    EXPECT_EQ(error, kS_OK);
  }
}

// Nothing here may act: the only action asked of the real component is none at all (7).
TEST_F(Components, TheRealPowerControlAnswersAndCarriesOutNoActionItDoesNotKnow) {
  ASSERT_EQ(Regsvr32("", {"PowerControl.dll"}), 0);
  HResult error = kE_FAIL;
  auto power = factory.CreatePowerControl(error);
  ASSERT_NE(power, nullptr);
  VbBool answer = 1;
  std::int32_t none = 7, result = 1;
  EXPECT_EQ(power->GetHibernateSupported(answer), kS_OK);
  EXPECT_EQ(answer, IsPwrHibernateAllowed() ? kTrue : kFalse);
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
  const HRESULT hr =
      object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, &exception, nullptr);
  VariantClear(&result);
  for (BSTR text : {exception.bstrSource, exception.bstrDescription, exception.bstrHelpFile}) SysFreeString(text);
  return hr == DISP_E_EXCEPTION ? exception.scode : hr;
}

// The doubles share the components' COM faces, so their failing and throwing
// members try the very guards the components use, through the vtable slot
// and by name.
TEST_F(Components, AMemberMadeToFailOrThrowAnswersItsResultBySlotAndByNameAndTheObjectGoesOn) {
  ASSERT_EQ(Regsvr32("", {"PowerControlDouble.dll", "ProcessControlDouble.dll"}), 0);
  const std::string record = TemporaryName();
  SetEnvironmentVariableA("VESPERKIT_RECORD_FILE", record.c_str());
  auto power = Create<IPowerControl>(CLSID_PowerControl, IID_IPowerControl);
  auto process = Create<IProcessControl>(CLSID_ProcessControl, IID_IProcessControl);
  ASSERT_TRUE(power.Get() != nullptr && process.Get() != nullptr);
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
// ProcessControl asked to end those at one path.
TEST_F(Components, TheRealProcessControlEndsTheCopiesAtThePathOnlyAndTerminatesOnlyWithFlagFour) {
  ASSERT_EQ(Regsvr32("", {"ProcessControl.dll"}), 0);
  auto component = Create<IProcessControl>(CLSID_ProcessControl, IID_IProcessControl);
  const std::string folder = TemporaryName(), a = folder + "\\a\\Sleeper.exe", b = folder + "\\b\\Sleeper.exe";
  for (const std::string& copy : {a, b}) {
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA(copy.substr(0, copy.size() - 12).c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((OwnFolder() + "vesperkit_test_sleeper.exe").c_str(), copy.c_str(), FALSE));
  }
  std::string upper = a;
  CharUpperA(upper.data());
  const struct {
    const char* name;
    std::vector<std::string> started;
    bool stubborn;  // the started copies ignore every request to close
    std::string path;
    LONG flags;
    HRESULT hr;
    std::vector<LONG> counts;   // ended, found, last error
    std::vector<DWORD> exits;  // of the started copies
  } rows[] = {
      {"every copy at the path closes on request, the same program elsewhere runs on", {a, a, b}, false, upper, 4, S_OK,
       {2, 2, 0}, {0, 0, STILL_ACTIVE}},
      {"a copy that will not close is only asked without flag 4", {a}, true, a, 0,
       HRESULT_FROM_WIN32(ERROR_TIMEOUT), {0, 1, ERROR_TIMEOUT}, {STILL_ACTIVE}},
      {"and terminated with it", {a}, true, a, 4, S_OK, {1, 1, 0}, {1}},
      {"never the caller", {a}, false, OwnFolder() + "vesperkit_win32_tests.exe", 4, S_OK, {0, 0, 0}, {STILL_ACTIVE}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    std::vector<PROCESS_INFORMATION> started(r.started.size());
    for (size_t i = 0; i < started.size(); ++i) {
      STARTUPINFOA startup{};
      startup.cb = sizeof startup;
      std::string command = "\"" + r.started[i] + (r.stubborn ? "\" stubborn" : "\"");
      ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &started[i]));
      WaitForInputIdle(started[i].hProcess, 10000);
    }
    const std::wstring wide(r.path.begin(), r.path.end());  // the paths here are ASCII
    com::Bstr path(SysAllocString(wide.c_str()));
    BSTR passed = path.Get();
    LONG flags = r.flags;
    std::vector<LONG> counts(3, -1);
    component->put_Flags(&flags);
    component->put_ProcessPath(&passed);
    component->put_GraceMilliseconds(2000);
    EXPECT_EQ(component->EndProcess(&counts[0]), r.hr);
    component->get_ProcessesFound(&counts[1]);
    component->get_LastError(&counts[2]);
    EXPECT_EQ(counts, r.counts);
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
