// The table of user actions played on the test toolkit; the Win32 suite
// plays the same table on real controls.
#include <gtest/gtest.h>

#include "fakes/fake_forms.h"
#include "forms/user_actions.h"

namespace vk::fakes {
namespace {

class FakeUser : public formtest::UserDriver {
 public:
  explicit FakeUser(FakeFormHost& form) : form_(form) {}
  void Click(const std::string& c) override { form_.UserClick(c); }
  void Enter() override { form_.PressEnter(); }
  void Escape() override { form_.PressEscape(); }
  void Focus(const std::string& c) override { form_.MoveFocus(c); }
  void Type(const std::string& c, const std::string& keys) override { form_.UserType(c, keys); }
  void Choose(const std::string& c, int index) override { form_.UserChoose(c, index); }
  void DoubleClick(const std::string& c, int index) override { form_.UserDoubleClick(c, index); }
  void CheckItem(const std::string& c, int index) override { form_.UserCheckItem(c, index); }
  void Step(const std::string& c, int delta) override { form_.UserStep(c, delta); }
  void PickDate(const std::string& c, const platform::DateTime& day) override { form_.UserDate(c, day); }
  void Close() override { form_.CloseFrame(); }

 private:
  FakeFormHost& form_;
};

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
  GetParam().setup(model, recorder);
  recorder.events.clear();
  FakeUser user(*toolkit.Find("frmActions"));
  GetParam().play(user);
  formtest::ExpectOutcome(GetParam(), model, recorder);
}

INSTANTIATE_TEST_SUITE_P(Table, UserActions, ::testing::ValuesIn(formtest::UserActionCases()), formtest::CaseName);

}  // namespace
}  // namespace vk::fakes
