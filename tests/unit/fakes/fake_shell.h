#pragma once
#include <functional>
#include <string>
#include <vector>

#include "fakes/journal.h"
#include "platform/clock.h"
#include "platform/shell.h"
#include "platform/tray.h"

namespace vk::fakes {

struct ShownMessage {
  std::string text;
  std::string title;
  std::uint32_t style = 0;
};

class FakeMessageBoxes : public platform::MessageBoxes {
 public:
  explicit FakeMessageBoxes(Journal& journal) : journal_(journal) {}
  int Show(const std::string& text, const std::string& title, std::uint32_t style) override {
    shown.push_back({text, title, style});
    journal_.Add("MessageBox");
    if (onShow) onShow();
    return platform::kIdOk;
  }
  std::vector<ShownMessage> shown;
  std::function<void()> onShow;  // plays the user while the box is up

 private:
  Journal& journal_;
};

class FakeAppShell : public platform::AppShell {
 public:
  explicit FakeAppShell(Journal& journal) : journal_(journal) {}
  void SetMousePointer(int value) override {
    pointer = value;
    journal_.Add("Pointer " + std::to_string(value));
  }
  void SetTitle(const std::string& text) override {
    title = text;
    journal_.Add("Title " + text);
  }
  std::string Title() override { return title; }
  int pointer = 0;
  std::string title;

 private:
  Journal& journal_;
};

class FakeLauncher : public platform::ProgramLauncher {
 public:
  bool Start(const std::string& path) override {
    started.push_back(path);
    return succeed;
  }
  std::vector<std::string> started;
  bool succeed = true;
};

class FakeTray : public platform::Tray {
 public:
  explicit FakeTray(Journal& journal) : journal_(journal) {}
  bool Notify(platform::TrayMessage message, const platform::TrayRecordBytes& record) override {
    calls.push_back({message, record});
    static const char* names[] = {"Add", "Modify", "Delete"};
    journal_.Add(std::string("Tray ") + names[static_cast<int>(message)]);
    return true;
  }
  struct Call {
    platform::TrayMessage message;
    platform::TrayRecordBytes record;
  };
  std::vector<Call> calls;

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
