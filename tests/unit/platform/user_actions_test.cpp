// The table of user actions played on the test toolkit; the Win32 suite
// plays the same table on real controls.
#include <gtest/gtest.h>

#include <cstdio>

#include "fakes/fake_forms.h"
#include "forms/user_actions.h"

namespace vk::fakes {
namespace {

void Play(FakeFormHost& form, const formtest::Act& a) {
  if (a.verb == "click") form.UserClick(a.control);
  else if (a.verb == "type") form.UserType(a.control, a.arg);
  else if (a.verb == "choose") form.UserChoose(a.control, std::stoi(a.arg));
  else if (a.verb == "dblclick") form.UserDoubleClick(a.control, std::stoi(a.arg));
  else if (a.verb == "check") form.UserCheckItem(a.control, std::stoi(a.arg));
  else if (a.verb == "step") form.UserStep(a.control, std::stoi(a.arg));
  else if (int y = 0, m = 0, d = 0; a.verb == "date" && std::sscanf(a.arg.c_str(), "%d-%d-%d", &y, &m, &d) == 3)
    form.UserDate(a.control, {y, m, d, 0, 0, 0});
  else if (a.verb == "focus") form.MoveFocus(a.control);
  else if (a.verb == "enter") form.PressEnter();
  else if (a.verb == "escape") form.PressEscape();
  else if (a.verb == "close") form.CloseFrame();
  else ADD_FAILURE() << "no such act: " << a.verb;
}

class UserActions : public ::testing::TestWithParam<formtest::UserActionCase> {};

TEST_P(UserActions, CauseTheirEventsFocusAndModel) {
  Journal journal;
  FakeWindowServices windows{journal};
  FakeFormToolkit toolkit{journal, windows};
  const platform::FormDef def = formtest::ActionForm();
  platform::FormModel model{def};
  formtest::ActionRecorder recorder{model};
  std::unique_ptr<platform::FormHost> host;
  toolkit.Load(def, model, recorder, host);
  host->Show(platform::ShowMode::Modeless, 0);
  formtest::Prepare(GetParam(), model);
  recorder.events.clear();
  for (const formtest::Act act : GetParam().acts) Play(*toolkit.Find("frmActions"), act);
  formtest::ExpectOutcome(GetParam(), model, recorder);
}

INSTANTIATE_TEST_SUITE_P(Table, UserActions, ::testing::ValuesIn(formtest::UserActionCases()), formtest::CaseName);

}  // namespace
}  // namespace vk::fakes
