#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "support/FakeSystem.h"
#include "support/ScriptedModalHost.h"
#include "toolkit/Application.h"
#include "util/Messages.h"

namespace fondex::util {
namespace {

using toolkit::MessageButton;
using toolkit::MessageKind;
using Buttons = std::vector<MessageButton>;

TEST(ButtonRoles, EnterAndEscapeFollowTheButtonSet) {
  const auto roles = [](Buttons buttons) {
    const ButtonRoles found = RolesOf(buttons);
    return std::pair{found.defaultButton, found.cancelButton};
  };
  using B = MessageButton;
  using Pair = std::pair<std::optional<B>, std::optional<B>>;
  EXPECT_EQ(roles({B::kYes}), (Pair{B::kYes, std::nullopt}));
  EXPECT_EQ(roles({B::kCancel}), (Pair{std::nullopt, B::kCancel}));
  EXPECT_EQ(roles({B::kYes, B::kNo}), (Pair{B::kYes, B::kNo}));
  EXPECT_EQ(roles({B::kOK}), (Pair{B::kOK, B::kOK}));
  EXPECT_EQ(roles({B::kYes, B::kNo, B::kOK, B::kCancel}), (Pair{B::kOK, B::kCancel}));
  EXPECT_EQ(roles({B::kAbort, B::kRetry, B::kIgnore}), (Pair{B::kRetry, std::nullopt}));
  EXPECT_EQ(roles({B::kAll, B::kHelp}), (Pair{std::nullopt, std::nullopt}));
}

class MessageTests : public ::testing::Test {
 protected:
  MessageTests() : app(host, help) { app.title = "Fondex2"; }

  const toolkit::MessageBoxRequest& OnlyBox() const {
    EXPECT_EQ(host.Boxes().size(), 1u);
    return host.Boxes().back().request;
  }

  test::ScriptedModalHost host;
  test::FakeHelpViewer help;
  toolkit::Application app;
};

struct BoxCase {
  const char* name;
  std::function<void(toolkit::Application&, const std::string&)> show;
  MessageKind kind;
  const char* title;
  Buttons buttons;
  std::optional<MessageButton> enter;
  std::optional<MessageButton> escape;
};

TEST_F(MessageTests, EachRoutineShowsItsKindTitleAndButtons) {
  const std::vector<BoxCase> cases = {
      {"ShowInfo",
       ShowInfo,
       MessageKind::kInformation,
       "Information",
       {MessageButton::kYes},
       MessageButton::kYes,
       std::nullopt},
      {"ShowError",
       ShowError,
       MessageKind::kError,
       "Error",
       {MessageButton::kCancel},
       std::nullopt,
       MessageButton::kCancel},
      {"ShowWarning",
       ShowWarning,
       MessageKind::kWarning,
       "Warning",
       {MessageButton::kCancel},
       std::nullopt,
       MessageButton::kCancel},
      {"AskYesNo",
       [](auto& a, const auto& t) { AskYesNo(a, t); },
       MessageKind::kConfirmation,
       "Confirm",
       {MessageButton::kYes, MessageButton::kNo},
       MessageButton::kYes,
       MessageButton::kNo},
  };
  const std::string text = "Le répertoire c:\\images est introuvable";
  for (const BoxCase& each : cases) {
    SCOPED_TRACE(each.name);
    const auto before = host.Boxes().size();
    each.show(app, text);
    ASSERT_EQ(host.Boxes().size(), before + 1);
    const auto& request = host.Boxes().back().request;
    EXPECT_EQ(request.kind, each.kind);
    EXPECT_EQ(request.title, each.title);
    EXPECT_EQ(request.text, text);
    EXPECT_EQ(request.buttons, each.buttons);
    EXPECT_EQ(request.defaultButton, each.enter);
    EXPECT_EQ(request.cancelButton, each.escape);
    EXPECT_EQ(request.helpContext, 0);
  }
}

TEST_F(MessageTests, AskYesNoGivesTheBoxResultBack) {
  host.AnswerBox(6);
  host.AnswerBox(7);
  host.AnswerBox(toolkit::kCloseBoxResult);
  EXPECT_EQ(AskYesNo(app, "Effacer ?"), 6);
  EXPECT_EQ(AskYesNo(app, "Effacer ?"), 7);
  EXPECT_EQ(AskYesNo(app, "Effacer ?"), 2);
  // Enter and Escape press Yes and No.
  const auto& request = host.Boxes().back().request;
  EXPECT_EQ(toolkit::ButtonResult(*request.defaultButton), 6);
  EXPECT_EQ(toolkit::ButtonResult(*request.cancelButton), 7);
}

TEST_F(MessageTests, ShowInfoNumberAppendsTheNumberDirectly) {
  ShowInfoNumber(app, " Nombre de papiers peints : ", 42);
  EXPECT_EQ(OnlyBox().text, " Nombre de papiers peints : 42");
  EXPECT_EQ(OnlyBox().kind, MessageKind::kInformation);
  ShowInfoNumber(app, "n=", -7);
  EXPECT_EQ(host.Boxes().back().request.text, "n=-7");
  ShowInfoNumber(app, "", std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(host.Boxes().back().request.text, "-2147483648");
}

TEST_F(MessageTests, TheBoxIsOpenUntilTheUserClosesIt) {
  bool openDuringBox = false;
  host.AnswerBox(2, [&] { openDuringBox = app.BoxOpen(); });
  ShowWarning(app, "Valeur aberrante dans EdDelai !");
  EXPECT_TRUE(openDuringBox);
  EXPECT_FALSE(app.BoxOpen());
}

}  // namespace
}  // namespace fondex::util
