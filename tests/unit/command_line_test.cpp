#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>

#include "mainwindow/CommandLine.h"

namespace fondex {

void PrintTo(const LaunchCommand& command, std::ostream* out) {
  *out << "{action " << static_cast<int>(command.action) << ", file \"" << command.file << "\"}";
}

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr const char* kUsage =
    "Utilisation : fondex [--next | --previous | --plain | --set FICHIER | --show | --help |"
    " --version]\n";

struct Accepted {
  std::vector<std::string> arguments;
  LaunchCommand command;
};

TEST(CommandLine, EachOptionGivesItsCommand) {
  const std::vector<Accepted> cases = {
      {{}, {LaunchAction::kShow, "", ""}},
      {{"--show"}, {LaunchAction::kShow, "", ""}},
      {{"--next"}, {LaunchAction::kNext, "", ""}},
      {{"--previous"}, {LaunchAction::kPrevious, "", ""}},
      {{"--plain"}, {LaunchAction::kPlain, "", ""}},
      {{"--set", "Plage/mer.bmp"}, {LaunchAction::kSet, "Plage/mer.bmp", ""}},
      {{"--set=/images/un nom.bmp"}, {LaunchAction::kSet, "/images/un nom.bmp", ""}},
      // The value of --set is taken as written, even when it looks like an option.
      {{"--set", "--next"}, {LaunchAction::kSet, "--next", ""}},
      {{"--set", "a=b.bmp"}, {LaunchAction::kSet, "a=b.bmp", ""}},
      // An empty name is the plain desktop, as Enter in an empty name box.
      {{"--set", ""}, {LaunchAction::kSet, "", ""}},
      {{"--set="}, {LaunchAction::kSet, "", ""}},
  };
  for (const Accepted& accepted : cases) {
    const CommandLine line = ParseCommandLine(accepted.arguments);
    EXPECT_EQ(line.command, accepted.command) << ::testing::PrintToString(accepted.arguments);
    EXPECT_FALSE(line.exit.has_value()) << ::testing::PrintToString(accepted.arguments);
  }
}

struct Refused {
  std::vector<std::string> arguments;
  std::string reason;
};

TEST(CommandLine, AWrongCommandLineGivesTheUsageOnTheErrorOutputAndStatus2) {
  const std::vector<Refused> cases = {
      {{"--nxt"}, "option inconnue « --nxt »"},
      {{"-h"}, "option inconnue « -h »"},
      {{"--Next"}, "option inconnue « --Next »"},
      {{"--bogus=1"}, "option inconnue « --bogus=1 »"},
      {{"mer.bmp"}, "argument inattendu « mer.bmp »"},
      {{"--set"}, "l'option « --set » demande un nom de fichier"},
      {{"--next=1"}, "l'option « --next » ne prend pas de valeur"},
      {{"--help=oui"}, "l'option « --help » ne prend pas de valeur"},
      {{"--next", "--plain"}, "une seule option à la fois : « --plain » est en trop"},
      {{"--set", "a.bmp", "b.bmp"}, "une seule option à la fois : « b.bmp » est en trop"},
      {{"--set=a.bmp", "--show"}, "une seule option à la fois : « --show » est en trop"},
      {{"--version", "--help"}, "une seule option à la fois : « --help » est en trop"},
      {{"--next", "--bogus"}, "une seule option à la fois : « --bogus » est en trop"},
  };
  for (const Refused& refused : cases) {
    const CommandLine line = ParseCommandLine(refused.arguments);
    ASSERT_TRUE(line.exit.has_value()) << ::testing::PrintToString(refused.arguments);
    EXPECT_EQ(line.exit->status, 2);
    EXPECT_EQ(line.exit->output, "");
    EXPECT_EQ(line.exit->error, "fondex : " + refused.reason + "\n" + kUsage +
                                    "Essayez « fondex --help » pour en savoir plus.\n");
  }
}

TEST(CommandLine, HelpAndVersionPrintOnTheStandardOutputAndEndWell) {
  const CommandLine help = ParseCommandLine({"--help"});
  ASSERT_TRUE(help.exit.has_value());
  EXPECT_EQ(help.exit->status, 0);
  EXPECT_EQ(help.exit->error, "");
  EXPECT_THAT(help.exit->output, StartsWith(kUsage));
  for (const char* option :
       {"--next", "--previous", "--plain", "--set FICHIER", "--show", "--version"}) {
    EXPECT_THAT(help.exit->output, HasSubstr("\n  " + std::string(option) + " ")) << option;
  }

  const CommandLine version = ParseCommandLine({"--version"});
  ASSERT_TRUE(version.exit.has_value());
  EXPECT_EQ(version.exit->status, 0);
  EXPECT_EQ(version.exit->output, "Fondex v 2.01\n");
  EXPECT_EQ(version.exit->error, "");
}

TEST(CommandLine, CommandsCrossToTheRunningCopyWhole) {
  const std::vector<LaunchCommand> commands = {
      {LaunchAction::kShow, "", ""},    {LaunchAction::kNext, "", ""},
      {LaunchAction::kPlain, "", ""},   {LaunchAction::kSet, "C:\\images\\mer.bmp", ""},
      {LaunchAction::kSet, "", ""},     {LaunchAction::kSet, "c:\\deux\nlignes\\next", ""},
      {LaunchAction::kSet, "next", ""}, {LaunchAction::kPrevious, "", ""},
  };
  for (const LaunchCommand& command : commands) {
    EXPECT_EQ(DecodeCommand(EncodeCommand(command)), command);
  }
  // What a copy does not understand shows it, as any later start does.
  for (const char* message : {"", "suivant", "next\n", "set"}) {
    EXPECT_EQ(DecodeCommand(message), LaunchCommand{}) << message;
  }
}

// The launcher's token rides with every command; one that could smuggle bytes into the running
// copy, or is unbounded, is dropped and the command still goes.
TEST(CommandLine, TheLaunchersTokenCrossesWithTheCommandWhenItIsSafe) {
  using namespace std::string_literals;
  struct Case {
    LaunchAction action;
    std::string file;
    std::string token;
    bool crosses;
  };
  const std::string longest(512, 'j');
  const std::vector<Case> cases = {
      {LaunchAction::kShow, "", "7c0d0b8e-3f0e-4c1a-9d5e-2b6a1f0c9e11", true},
      {LaunchAction::kSet, "c:\\images\\mer.bmp", "gnome-shell/fondex/2-0-hote_TIME4242", true},
      {LaunchAction::kNext, "", "ä jeton", true},
      {LaunchAction::kShow, "", longest, true},
      {LaunchAction::kShow, "", longest + "j", false},
      {LaunchAction::kShow, "", "jeton\n", false},
      {LaunchAction::kSet, "c:\\a.bmp", "je\x1bton", false},
      {LaunchAction::kPlain, "", "je\x7fton", false},
      {LaunchAction::kShow, "", "", false},
  };
  for (const Case& c : cases) {
    LaunchCommand sent{c.action, c.file, c.token};
    LaunchCommand expected = sent;
    if (!c.crosses) {
      expected.activationToken.clear();
    }
    EXPECT_EQ(DecodeCommand(EncodeCommand(sent)), expected) << c.token;
    EXPECT_EQ(IsActivationToken(c.token), c.crosses) << c.token;
  }
  // Without a token the message is as it always was; a forged token is dropped on arrival.
  EXPECT_EQ(EncodeCommand({LaunchAction::kNext, "", ""}), "next");
  EXPECT_EQ(DecodeCommand("set\nc:\\a.bmp\0je\nton"s),
            (LaunchCommand{LaunchAction::kSet, "c:\\a.bmp", ""}));
  EXPECT_EQ(DecodeCommand("next\0"s), (LaunchCommand{LaunchAction::kNext, "", ""}));
}

// Claims and sends answered from a script.
class ScriptedInstance : public platform::ProgramInstance {
 public:
  ScriptedInstance(std::deque<bool> claims, bool sends)
      : claims_(std::move(claims)), sends_(sends) {}

  bool Claim() override {
    const bool claimed = claims_.front();
    claims_.pop_front();
    return claimed;
  }
  bool Send(const std::string& message) override {
    sent.push_back(message);
    return sends_;
  }
  int Descriptor() const override { return -1; }
  std::vector<std::string> Receive() override { return {}; }

  std::vector<std::string> sent;

 private:
  std::deque<bool> claims_;
  bool sends_;
};

TEST(CommandLine, AStartRunsTheProgramOnlyWhenNoCopyTakesItsCommand) {
  struct Case {
    std::deque<bool> claims;
    bool sends;
    StartRole role;
    std::size_t messages;
  };
  const std::vector<Case> cases = {
      {{true}, true, StartRole::kRun, 0},
      {{false}, true, StartRole::kHandedOver, 1},
      // The running copy ended between the claim and the message.
      {{false, true}, false, StartRole::kRun, 1},
      {{false, false}, false, StartRole::kUnreachable, 1},
  };
  const LaunchCommand next{LaunchAction::kNext, "", ""};
  for (const Case& c : cases) {
    ScriptedInstance instance(c.claims, c.sends);
    EXPECT_EQ(ClaimOrHandOver(instance, next), c.role);
    ASSERT_EQ(instance.sent.size(), c.messages);
    if (c.messages > 0) {
      EXPECT_EQ(DecodeCommand(instance.sent[0]), next);
    }
  }
}

TEST(LaterStart, EndsAtOnceWhenHandedOverAndFailsWithItsReasonWhenUnanswered) {
  const LaunchCommand next{LaunchAction::kNext, "", ""};
  ScriptedInstance running({true}, true);
  EXPECT_FALSE(EndOfLaterStart(running, next).has_value());
  ScriptedInstance handedOver({false}, true);
  const std::optional<ImmediateExit> quiet = EndOfLaterStart(handedOver, next);
  ASSERT_TRUE(quiet.has_value());
  EXPECT_EQ(quiet->status, 0);
  EXPECT_EQ(quiet->output + quiet->error, "");
  ScriptedInstance unanswered({false, false}, false);
  const std::optional<ImmediateExit> failed = EndOfLaterStart(unanswered, next);
  ASSERT_TRUE(failed.has_value());
  EXPECT_EQ(failed->status, 1);
  EXPECT_THAT(failed->error, HasSubstr("ne répond pas"));
}

}  // namespace
}  // namespace fondex
