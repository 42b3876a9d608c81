#pragma once
// The shell's services (message boxes, pointer and title, the launcher), the
// tray and the clock: each call goes into the journal.
#include <functional>
#include <string>

#include "fakes/journal.h"
#include "platform/clock.h"
#include "platform/shell.h"
#include "platform/tray.h"

namespace vk::fakes {

class FakeShell : public platform::MessageBoxes, public platform::AppShell, public platform::ProgramLauncher {
 public:
  explicit FakeShell(Journal& journal) : journal_(journal) {}
  // Notes "MessageBox <title> <style>: <text>" and answers OK.
  int Show(const std::string& text, const std::string& caption, std::uint32_t style) override {
    journal_.Add("MessageBox " + caption + " " + std::to_string(style) + ": " + text);
    if (onMessage) onMessage();
    return platform::kIdOk;
  }
  void SetMousePointer(int value) override { journal_.Add("Pointer " + std::to_string(value)); }
  void SetTitle(const std::string& text) override { journal_.Add("Title " + (title = text)); }
  std::string Title() override { return title; }
  bool Start(const std::string& path) override {
    journal_.Add("Start " + path);
    return startSucceeds;
  }
  std::function<void()> onMessage;  // plays the user while a message box is up
  std::string title;
  bool startSucceeds = true;

 private:
  Journal& journal_;
};

// Notes "Tray Add|Modify|Delete" and keeps the last record sent.
class FakeTray : public platform::Tray {
 public:
  explicit FakeTray(Journal& journal) : journal_(journal) {}
  bool Notify(platform::TrayMessage message, const platform::TrayRecordBytes& bytes) override {
    static const char* names[] = {"Add", "Modify", "Delete"};
    journal_.Add(std::string("Tray ") + names[static_cast<int>(message)]);
    record = bytes;
    return true;
  }
  platform::TrayRecordBytes record;

 private:
  Journal& journal_;
};

struct FakeClock : platform::Clock {
  platform::DateTime Now() override { return now; }
  std::string DateSeparator() override { return separator; }
  platform::DateTime now{2026, 12, 6, 10, 0, 0};
  std::string separator = "/";
};

}  // namespace vk::fakes
