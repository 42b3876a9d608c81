#pragma once
// Message boxes, the application shell, the launcher, the tray and the clock:
// each call goes into the journal.
#include <functional>
#include <string>

#include "fakes/journal.h"
#include "platform/clock.h"
#include "platform/shell.h"
#include "platform/tray.h"

namespace vk::fakes {

// Notes "MessageBox <title> <style>: <text>" and answers OK.
class FakeMessageBoxes : public platform::MessageBoxes {
 public:
  explicit FakeMessageBoxes(Journal& journal) : journal_(journal) {}
  int Show(const std::string& text, const std::string& title, std::uint32_t style) override {
    journal_.Add("MessageBox " + title + " " + std::to_string(style) + ": " + text);
    if (onShow) onShow();
    return platform::kIdOk;
  }
  std::function<void()> onShow;  // plays the user while the box is up

 private:
  Journal& journal_;
};

class FakeAppShell : public platform::AppShell, public platform::ProgramLauncher {
 public:
  explicit FakeAppShell(Journal& journal) : journal_(journal) {}
  void SetMousePointer(int value) override { journal_.Add("Pointer " + std::to_string(value)); }
  void SetTitle(const std::string& text) override {
    title = text;
    journal_.Add("Title " + text);
  }
  std::string Title() override { return title; }
  bool Start(const std::string& path) override {
    journal_.Add("Start " + path);
    return startSucceeds;
  }
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

class FakeClock : public platform::Clock {
 public:
  platform::DateTime Now() override { return now; }
  std::string DateSeparator() override { return separator; }
  platform::DateTime now{2026, 12, 6, 10, 0, 0};
  std::string separator = "/";
};

}  // namespace vk::fakes
