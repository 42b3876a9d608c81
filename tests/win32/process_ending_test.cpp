// The real ProcessControl component ending real programs under Wine: copies of
// a small test program are started from two folders and ended by path.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include "owners.h"
#include "process_control_idl.h"
#include "support.h"

namespace vk::wintest {
namespace {

class ProcessEnding : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    ASSERT_EQ(RegisterDll("ProcessControl.dll"), S_OK);
    ASSERT_EQ(CoCreateInstance(CLSID_ProcessControl, nullptr, CLSCTX_INPROC_SERVER, IID_IProcessControl,
                               component_.PutVoid()),
              S_OK);
    for (const std::string& folder : folders_) {
      ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
      ASSERT_TRUE(CopyFileA((OwnFolder() + "vesperkit_test_sleeper.exe").c_str(), Sleeper(folder).c_str(), 0));
    }
  }
  void TearDown() override {
    for (PROCESS_INFORMATION& started : started_) {
      TerminateProcess(started.hProcess, 3);
      WaitForSingleObject(started.hProcess, 5000);
      CloseHandle(started.hProcess);
      CloseHandle(started.hThread);
    }
    for (const std::string& folder : folders_) {
      DeleteFileA(Sleeper(folder).c_str());
      RemoveDirectoryA(folder.c_str());
    }
    component_.Reset();
    CoUninitialize();
  }
  static std::string Sleeper(const std::string& folder) { return folder + "\\Sleeper.exe"; }

  // Starts the program and waits until its window is up; its process handle.
  HANDLE Start(const std::string& path, const char* arguments = "") {
    std::string commandLine = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    EXPECT_TRUE(CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &started));
    WaitForInputIdle(started.hProcess, 10000);
    started_.push_back(started);
    return started.hProcess;
  }
  // EndProcess for the path; the ended count, the processes found and the last error follow it.
  HRESULT End(const std::string& path, LONG flags, LONG grace, std::vector<LONG>* counts = nullptr) {
    const std::wstring wide(path.begin(), path.end());  // the paths here are ASCII
    com::Bstr text(SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size())));
    BSTR passed = text.Get();
    EXPECT_EQ(component_->put_Flags(&flags), S_OK);
    EXPECT_EQ(component_->put_ProcessPath(&passed), S_OK);
    EXPECT_EQ(component_->put_GraceMilliseconds(grace), S_OK);
    LONG ended = -1;
    LONG found = -1;
    LONG error = -1;
    const HRESULT hr = component_->EndProcess(&ended);
    component_->get_ProcessesFound(&found);
    component_->get_LastError(&error);
    if (counts != nullptr) *counts = {ended, found, error};
    return hr;
  }

  com::ComPtr<IProcessControl> component_;
  const std::string base_ = TemporaryName();
  const std::vector<std::string> folders_ = {base_ + "-a", base_ + "-b"};
  std::vector<PROCESS_INFORMATION> started_;
};

// STILL_ACTIVE while the process runs.
DWORD ExitCode(HANDLE process) {
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  return code;
}

TEST_F(ProcessEnding, EndsEveryCopyAtThePathAndSparesTheSameProgramElsewhere) {
  HANDLE first = Start(Sleeper(folders_[0]));
  HANDLE second = Start(Sleeper(folders_[0]));
  HANDLE elsewhere = Start(Sleeper(folders_[1]));
  std::string upper = Sleeper(folders_[0]);
  CharUpperA(upper.data());
  std::vector<LONG> counts;
  EXPECT_EQ(End(upper, 4, 5000, &counts), S_OK);
  EXPECT_EQ(counts, (std::vector<LONG>{2, 2, 0})) << "ended, found, last error";
  EXPECT_EQ(ExitCode(first), 0u) << "closed on request, not terminated";
  EXPECT_EQ(ExitCode(second), 0u);
  EXPECT_EQ(ExitCode(elsewhere), STILL_ACTIVE);
}

TEST_F(ProcessEnding, ACopyThatWillNotCloseIsOnlyAskedWithoutFlagFourAndTerminatedWithIt) {
  HANDLE stubborn = Start(Sleeper(folders_[1]), "stubborn");
  std::vector<LONG> counts;
  EXPECT_EQ(End(Sleeper(folders_[1]), 0, 200, &counts), HRESULT_FROM_WIN32(ERROR_TIMEOUT));
  EXPECT_EQ(counts, (std::vector<LONG>{0, 1, ERROR_TIMEOUT})) << "ended, found, last error";
  EXPECT_EQ(ExitCode(stubborn), STILL_ACTIVE);
  EXPECT_EQ(End(Sleeper(folders_[1]), 4, 200), S_OK);
  EXPECT_EQ(ExitCode(stubborn), 1u) << "terminated";
}

TEST_F(ProcessEnding, NeverEndsTheCallerAndMatchesNothingForPathsThatNameNoFile) {
  HANDLE sleeper = Start(Sleeper(folders_[0]));
  for (const std::string& path : {OwnFolder() + "vesperkit_win32_tests.exe", std::string(), std::string("Sleeper.exe"), std::string("Sleeper"),
                                  std::string("..\\Sleeper.exe")}) {
    std::vector<LONG> counts;
    EXPECT_EQ(End(path, 4, 200, &counts), S_OK) << path;
    EXPECT_EQ(counts[1], 0) << path;
  }
  EXPECT_EQ(ExitCode(sleeper), STILL_ACTIVE);
}

}  // namespace
}  // namespace vk::wintest
