#pragma once
// cLogErr: the diagnostic log. One tab-separated, time-stamped line per
// message, appended to a text file, filtered by level; optionally a message
// box. A new instance writes nothing until Init (or its properties) says so.
#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/types.h"

namespace vk::persistence {

struct LogServices {
  platform::FileSystem& files;
  platform::Clock& clock;
  platform::MessageBoxes& messages;
  platform::AppShell& shell;  // the application title captions DbgBox
};

// One message part: text, or a number written in decimal.
class LogPart {
 public:
  LogPart(const char* text) : text_(text) {}
  LogPart(std::string text) : text_(std::move(text)) {}
  template <std::integral Number>
  LogPart(Number number) : text_(std::to_string(number)) {}
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// Init's arguments; a missing one takes the default that Init documents.
struct LogInitArgs {
  std::optional<std::string> sProg{};
  std::optional<std::string> sLogFile{};
  std::optional<std::string> sSYS{};
  std::optional<std::string> sVer{};
  std::optional<VbBool> bAppend{};
  std::optional<VbBool> bCreate{};
  std::optional<VbBool> bMsg{};
  std::optional<VbBool> bDebug{};
  std::optional<std::int16_t> iLogLevel{};
};

// Message type: the low four bits are the level; these bits add channels.
inline constexpr std::int16_t kLogLevelMask = 15;
inline constexpr std::int16_t kLogToDebugOutput = 16;
inline constexpr std::int16_t kLogToMessageBox = 32;

class cLogErr {
 public:
  explicit cLogErr(LogServices services);

  std::string LogFile() const { return logFile_; }
  void SetLogFile(std::string value) { logFile_ = std::move(value); }
  std::string System() const { return system_; }
  void SetSystem(std::string value) { system_ = std::move(value); }
  std::string Program() const { return program_; }
  void SetProgram(std::string value) { program_ = std::move(value); }
  std::string LogVersion() const { return logVersion_; }
  void SetLogVersion(std::string value) { logVersion_ = std::move(value); }
  VbBool Append() const { return append_; }
  void SetAppend(VbBool value) { append_ = value; }
  VbBool CreateFile() const { return createFile_; }
  void SetCreateFile(VbBool value) { createFile_ = value; }
  std::int16_t LogLevel() const { return logLevel_; }
  void SetLogLevel(std::int16_t value) { logLevel_ = value; }
  VbBool ShowMsg() const { return showMsg_; }
  void SetShowMsg(VbBool value) { showMsg_ = value; }
  VbBool ShowDebug() const { return showDebug_; }
  void SetShowDebug(VbBool value) { showDebug_ = value; }

  void Init(const LogInitArgs& args = {});
  void LogIt(std::int16_t iMsgType, const std::vector<LogPart>& Args = {});
  void DbgBox(const std::string& sMsg);
  void DbgPrint(const std::string& sMsg);
  // The whole log file, or "" when it cannot be read.
  std::string Display();

 private:
  bool KillFile(const std::string& path);
  std::string Timestamp();

  LogServices services_;
  std::string logFile_;
  std::string system_;
  std::string program_;
  std::string logVersion_;
  VbBool append_ = kFalse;
  VbBool createFile_ = kFalse;
  std::int16_t logLevel_ = 0;
  VbBool showMsg_ = kFalse;
  VbBool showDebug_ = kFalse;
};

}  // namespace vk::persistence
