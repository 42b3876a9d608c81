#include "persistence/log_err.h"

#include <cstdio>

#include "version.h"

namespace vk::persistence {

namespace {

// The log is read by people, wherever the machine is: English month names.
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string MonthAbbreviation(int month) { return month >= 1 && month <= 12 ? kMonths[month - 1] : "???"; }

}  // namespace

cLogErr::cLogErr(LogServices services) : services_(services) {}

void cLogErr::Init(const LogInitArgs& args) {
  program_ = args.sProg.value_or(services_.files.ExecutableBaseName());
  logFile_ = args.sLogFile.value_or(services_.files.ProgramFolder() + "\\" + program_ + ".txt");
  system_ = args.sSYS.value_or(program_);
  logVersion_ = args.sVer.value_or(" Build " + std::to_string(VESPERKIT_VERSION_REVISION));
  append_ = args.bAppend.value_or(kTrue);
  createFile_ = args.bCreate.value_or(kTrue);
  showMsg_ = args.bMsg.value_or(kTrue);
  showDebug_ = args.bDebug.value_or(kTrue);
  logLevel_ = args.iLogLevel.value_or(8);
  if (createFile_ == kFalse) return;
  if (append_ == kFalse) KillFile(logFile_);
  LogIt(0, {"Init", "...Logging Initialised..."});
}

// The message text is composed even when no file is written, so that a box
// or the debug channel never shows an empty message.
void cLogErr::LogIt(std::int16_t iMsgType, const std::vector<LogPart>& Args) {
  if ((iMsgType & kLogLevelMask) > logLevel_) return;
  std::string message;
  for (const LogPart& part : Args) message += part.Text() + '\t';
  if (createFile_ != kFalse && !logFile_.empty()) {
    const std::string line = Timestamp() + '\t' + logVersion_ + '\t' + std::to_string(iMsgType) + '\t' + message;
    services_.files.Append(logFile_, line + "\r\n");  // a log that cannot be written must not disturb the caller
  }
  if (iMsgType & kLogToDebugOutput) DbgPrint(message);
  if (iMsgType & kLogToMessageBox) DbgBox(message);
}

void cLogErr::DbgBox(const std::string& sMsg) {
  if (showMsg_ == kFalse) return;
  services_.messages.Show(sMsg, services_.shell.Title(), platform::kMbOk);
}

void cLogErr::DbgPrint(const std::string& /*sMsg*/) {
  // No debug output channel exists; the hook stays for a build that has one.
}

std::string cLogErr::Display() {
  std::string contents;
  if (logFile_.empty() || !services_.files.ReadAll(logFile_, contents)) return "";
  return contents;
}

bool cLogErr::KillFile(const std::string& path) {
  if (path.empty() || !services_.files.ExistsAsNormalFile(path)) return false;
  return services_.files.Delete(path);
}

// "dd-mmm-yy hh:mm:ss", for example 05-Dec-26 07:19:07.
std::string cLogErr::Timestamp() {
  const platform::DateTime now = services_.clock.Now();
  char text[32];
  std::snprintf(text, sizeof text, "%02d-%s-%02d %02d:%02d:%02d", now.day, MonthAbbreviation(now.month).c_str(),
                now.year % 100, now.hour, now.minute, now.second);
  return text;
}

}  // namespace vk::persistence
