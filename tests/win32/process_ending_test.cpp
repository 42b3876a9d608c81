// The real ProcessControl component ending real programs under Wine: copies of
// a small test program are started from two folders and ended by path.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "component_test_support.h"
#include "process_control_idl.h"

namespace vk::comtest {
namespace {

class ProcessEnding : public ::testing::Test {
 protected:
  void SetUp() override {
    dll_ = LoadLibraryA((ComponentFolder() + "ProcessControl.dll").c_str());
    ASSERT_NE(dll_, nullptr);
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(dll_, "DllGetClassObject")));
    ASSERT_NE(get, nullptr);
    IClassFactory* factory = nullptr;
    ASSERT_EQ(get(CLSID_ProcessControl, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IProcessControl, reinterpret_cast<void**>(&component_)), S_OK);
    factory->Release();

    const std::string base = TemporaryFileName();
    for (const char* side : {"-a", "-b"}) {
      const std::string folder = base + side;
      ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
      folders_.push_back(folder);
      ASSERT_TRUE(CopyFileA((ComponentFolder() + "vesperkit_test_sleeper.exe").c_str(),
                            (folder + "\\Sleeper.exe").c_str(), FALSE));
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
      DeleteFileA((folder + "\\Sleeper.exe").c_str());
      RemoveDirectoryA(folder.c_str());
    }
    if (component_ != nullptr) component_->Release();
    if (dll_ != nullptr) FreeLibrary(dll_);
  }

  std::string Sleeper(int side) const { return folders_[static_cast<std::size_t>(side)] + "\\Sleeper.exe"; }

  // Starts the program and waits until its window is up; the index of its handle.
  std::size_t Start(const std::string& path, const char* arguments = "") {
    std::string commandLine = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    EXPECT_TRUE(CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &started));
    WaitForInputIdle(started.hProcess, 10000);
    started_.push_back(started);
    return started_.size() - 1;
  }

  HRESULT End(const std::string& path, LONG flags, LONG graceMilliseconds, LONG* result = nullptr) {
    std::wstring wide(path.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()),
                                                             wide.data(), static_cast<int>(wide.size()))));
    BSTR text = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    EXPECT_EQ(component_->put_Flags(&flags), S_OK);
    EXPECT_EQ(component_->put_ProcessPath(&text), S_OK);
    SysFreeString(text);
    EXPECT_EQ(component_->put_GraceMilliseconds(graceMilliseconds), S_OK);
    LONG ended = -1;
    const HRESULT hr = component_->EndProcess(&ended);
    if (result != nullptr) *result = ended;
    return hr;
  }

  LONG Found() {
    LONG count = -1;
    component_->get_ProcessesFound(&count);
    return count;
  }

  bool Running(std::size_t index) { return WaitForSingleObject(started_[index].hProcess, 0) == WAIT_TIMEOUT; }

  DWORD ExitCode(std::size_t index) {
    DWORD code = 0;
    GetExitCodeProcess(started_[index].hProcess, &code);
    return code;
  }

  HMODULE dll_ = nullptr;
  IProcessControl* component_ = nullptr;
  std::vector<std::string> folders_;
  std::vector<PROCESS_INFORMATION> started_;
};

std::string Upper(std::string text) {
  CharUpperA(text.data());
  return text;
}

TEST_F(ProcessEnding, EndsEveryCopyAtThePathAndSparesTheSameProgramElsewhere) {
  const std::size_t first = Start(Sleeper(0));
  const std::size_t second = Start(Sleeper(0));
  const std::size_t elsewhere = Start(Sleeper(1));

  LONG ended = 0;
  EXPECT_EQ(End(Upper(Sleeper(0)), 4, 5000, &ended), S_OK);
  EXPECT_EQ(ended, 2);
  EXPECT_EQ(Found(), 2);
  EXPECT_FALSE(Running(first));
  EXPECT_FALSE(Running(second));
  EXPECT_EQ(ExitCode(first), 0u) << "closed on request, not terminated";
  EXPECT_TRUE(Running(elsewhere));
}

TEST_F(ProcessEnding, TerminatesACopyThatWillNotCloseOnceTheGraceIsOver) {
  const std::size_t stubborn = Start(Sleeper(0), "stubborn");
  EXPECT_EQ(End(Sleeper(0), 4, 200), S_OK);
  EXPECT_FALSE(Running(stubborn));
  EXPECT_EQ(ExitCode(stubborn), 1u);
}

TEST_F(ProcessEnding, WithoutFlagFourACopyIsOnlyAskedAndARefusalIsReported) {
  const std::size_t stubborn = Start(Sleeper(0), "stubborn");
  LONG ended = -1;
  EXPECT_EQ(End(Sleeper(0), 0, 200, &ended), HRESULT_FROM_WIN32(ERROR_TIMEOUT));
  EXPECT_EQ(ended, 0);
  EXPECT_TRUE(Running(stubborn));
  LONG error = 0;
  component_->get_LastError(&error);
  EXPECT_EQ(error, static_cast<LONG>(ERROR_TIMEOUT));
}

TEST_F(ProcessEnding, NeverEndsTheCallerAndMatchesNothingForPathsThatNameNoFile) {
  char own[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, own, MAX_PATH);
  EXPECT_EQ(End(own, 4, 200), S_OK);
  EXPECT_EQ(Found(), 0);

  const std::size_t sleeper = Start(Sleeper(0));
  for (const std::string& path : {std::string(), std::string("Sleeper.exe"), std::string("Sleeper"),
                                 std::string("..\\Sleeper.exe")}) {
    EXPECT_EQ(End(path, 4, 200), S_OK) << path;
    EXPECT_EQ(Found(), 0) << path;
  }
  EXPECT_TRUE(Running(sleeper));
}

}  // namespace
}  // namespace vk::comtest
