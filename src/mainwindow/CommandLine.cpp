#include "mainwindow/CommandLine.h"

#include <algorithm>
#include <array>

namespace fondex {

namespace {

constexpr std::string_view kUsage =
    "Utilisation : fondex [--next | --previous | --plain | --set FICHIER | --show | --help |"
    " --version]\n";

constexpr std::string_view kHelp =
    "Fondex change le papier peint du bureau. Une seule copie tourne par dossier du programme :\n"
    "lancé quand il tourne déjà, Fondex passe sa commande à la copie en marche et s'arrête.\n"
    "\n"
    "  --next          change de papier peint par la technique choisie (comme la touche H)\n"
    "  --previous      remet le papier peint d'avant (comme « Papier peint précédent »)\n"
    "  --plain         laisse le bureau sans papier peint\n"
    "  --set FICHIER   met FICHIER en papier peint (comme un nom tapé suivi d'Entrée)\n"
    "  --show          montre la fenêtre principale (ce que fait un lancement sans option)\n"
    "  --help          affiche cette aide et s'arrête\n"
    "  --version       affiche la version et s'arrête\n"
    "\n"
    "Quand aucune copie ne tourne, --next, --previous, --plain et --set démarrent Fondex, puis\n"
    "agissent une fois le démarrage fini.\n";

constexpr std::string_view kVersion = "Fondex v 2.01\n";

enum class Kind { kHelp, kVersion, kAction };

struct Option {
  std::string_view name;
  Kind kind;
  LaunchAction action;
  bool takesFile;
};

constexpr std::array<Option, 7> kOptions{{
    {"--next", Kind::kAction, LaunchAction::kNext, false},
    {"--previous", Kind::kAction, LaunchAction::kPrevious, false},
    {"--plain", Kind::kAction, LaunchAction::kPlain, false},
    {"--set", Kind::kAction, LaunchAction::kSet, true},
    {"--show", Kind::kAction, LaunchAction::kShow, false},
    {"--help", Kind::kHelp, LaunchAction::kShow, false},
    {"--version", Kind::kVersion, LaunchAction::kShow, false},
}};

CommandLine Exit(std::string_view output) {
  return {.command = {}, .exit = ImmediateExit{.output = std::string(output), .error = {}}};
}

CommandLine Wrong(const std::string& reason) {
  return {.command = {},
          .exit = ImmediateExit{.output = {},
                                .error = "fondex : " + reason + "\n" + std::string(kUsage) +
                                         "Essayez « fondex --help » pour en savoir plus.\n",
                                .status = 2}};
}

std::string Quoted(std::string_view argument) {
  return "« " + std::string(argument) + " »";
}

// An option as written: its name, and the value given after "=" or, for --set, as the next
// argument.
struct Written {
  std::string_view name;
  std::optional<std::string> value;
  std::size_t arguments = 1;
};

Written Split(const std::vector<std::string>& arguments) {
  const std::string_view first = arguments[0];
  if (const auto equals = first.find('='); first.starts_with("--") && equals != first.npos) {
    return {.name = first.substr(0, equals), .value = std::string(first.substr(equals + 1))};
  }
  if (first == "--set" && arguments.size() > 1) {
    return {.name = first, .value = arguments[1], .arguments = 2};
  }
  return {.name = first, .value = std::nullopt};
}

CommandLine Parse(const std::vector<std::string>& arguments) {
  const Written written = Split(arguments);
  const auto option = std::find_if(kOptions.begin(), kOptions.end(),
                                   [&](const Option& known) { return known.name == written.name; });
  if (option == kOptions.end()) {
    return Wrong((written.name.starts_with('-') ? "option inconnue " : "argument inattendu ") +
                 Quoted(arguments[0]));
  }
  if (option->takesFile && !written.value) {
    return Wrong("l'option " + Quoted(option->name) + " demande un nom de fichier");
  }
  if (!option->takesFile && written.value) {
    return Wrong("l'option " + Quoted(option->name) + " ne prend pas de valeur");
  }
  if (arguments.size() > written.arguments) {
    return Wrong("une seule option à la fois : " + Quoted(arguments[written.arguments]) +
                 " est en trop");
  }
  switch (option->kind) {
    case Kind::kHelp:
      return Exit(std::string(kUsage) + std::string(kHelp));
    case Kind::kVersion:
      return Exit(kVersion);
    case Kind::kAction:
      break;
  }
  return {.command = {.action = option->action,
                      .file = written.value.value_or(""),
                      .activationToken = {}},
          .exit = std::nullopt};
}

constexpr std::string_view kSetMessage = "set\n";
constexpr char kTokenSeparator = '\0';
constexpr std::size_t kLongestToken = 512;

std::string EncodeAction(const LaunchCommand& command) {
  switch (command.action) {
    case LaunchAction::kNext:
      return "next";
    case LaunchAction::kPrevious:
      return "previous";
    case LaunchAction::kPlain:
      return "plain";
    case LaunchAction::kSet:
      return std::string(kSetMessage) + command.file;
    case LaunchAction::kShow:
      break;
  }
  return "show";
}

LaunchCommand DecodeAction(std::string_view message) {
  if (message == "next") {
    return {.action = LaunchAction::kNext, .file = {}, .activationToken = {}};
  }
  if (message == "previous") {
    return {.action = LaunchAction::kPrevious, .file = {}, .activationToken = {}};
  }
  if (message == "plain") {
    return {.action = LaunchAction::kPlain, .file = {}, .activationToken = {}};
  }
  if (message.starts_with(kSetMessage)) {
    return {.action = LaunchAction::kSet,
            .file = std::string(message.substr(kSetMessage.size())),
            .activationToken = {}};
  }
  return {};
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  return arguments.empty() ? CommandLine{} : Parse(arguments);
}

bool IsActivationToken(std::string_view token) {
  return !token.empty() && token.size() <= kLongestToken &&
         std::none_of(token.begin(), token.end(), [](char byte) {
           const auto code = static_cast<unsigned char>(byte);
           return code < 0x20 || code == 0x7f;
         });
}

std::string EncodeCommand(const LaunchCommand& command) {
  std::string message = EncodeAction(command);
  if (IsActivationToken(command.activationToken)) {
    message += kTokenSeparator;
    message += command.activationToken;
  }
  return message;
}

LaunchCommand DecodeCommand(std::string_view message) {
  const std::size_t separator = message.find(kTokenSeparator);
  LaunchCommand command = DecodeAction(message.substr(0, separator));
  if (separator != message.npos && IsActivationToken(message.substr(separator + 1))) {
    command.activationToken = std::string(message.substr(separator + 1));
  }
  return command;
}

StartRole ClaimOrHandOver(platform::ProgramInstance& instance, const LaunchCommand& command) {
  if (instance.Claim()) {
    return StartRole::kRun;
  }
  if (instance.Send(EncodeCommand(command))) {
    return StartRole::kHandedOver;
  }
  // The running copy may have ended in the meantime.
  return instance.Claim() ? StartRole::kRun : StartRole::kUnreachable;
}

std::optional<ImmediateExit> EndOfLaterStart(platform::ProgramInstance& instance,
                                             const LaunchCommand& command) {
  switch (ClaimOrHandOver(instance, command)) {
    case StartRole::kRun:
      return std::nullopt;
    case StartRole::kHandedOver:
      return ImmediateExit{};
    case StartRole::kUnreachable:
      break;
  }
  return ImmediateExit{
      .output = {},
      .error = "fondex : Fondex tourne déjà dans ce dossier, mais ne répond pas.\n",
      .status = 1};
}

}  // namespace fondex
