#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iterator>

#include "core/app/version.h"

namespace zvc::cli {
namespace {

constexpr std::size_t kOptionColumn = 30;

constexpr char kProgramSynopsis[] = "[OPTIONS] COMMAND [ARGUMENTS]";

constexpr char kProgramText[] =
    R"(zvc-cli: the maintenance program of the ЖВЦ controller for scripts.
"zvc-cli COMMAND --help" (or "zvc-cli help COMMAND") shows the arguments and options of a
command. Options may stand before or after the command.)";

constexpr char kProgramNotes[] =
    R"(Exit status: 0 success; 1 the link or the controller failed (the program's message on stderr,
after a failed exchange also "status: " and the engine's error line); 2 bad arguments, an
unusable file, or a change not confirmed or not allowed (the program's own message on stderr);
3 a controller the program does not serve.

Notes:
  Messages the program would show in a window go to stderr as "kind N: line 1 / line 2" ("kind N:
  line 1" when the second line is empty). Questions are answered "Нет"; with --yes "Да", but an
  exchange that keeps failing is repeated at most 3 times.
  Write credentials: --user CODE, and the password as the first line of stdin (--password-stdin)
  or in the environment variable ZVC_PASSWORD; --password TEXT shows it to every local user in
  the process list.
  A reading cut short by the link still prints or saves what arrived, and exits 1. A controller
  with software 14 is identified, but its archives are read only after zvc has restored its
  tables (exit 3).
  zvc-cli never writes the settings files (but for a new passport object under --yes); --save
  and --pdf names are taken relative to the current folder, the file's own extension (".ala",
  ".mch", ".mwm", ".clb", …), ".cnf", ".xlsx" or ".pdf" appended to a name without extension.
  Configuration files are written readable by their owner only: they hold write passwords. An
  existing --save file is replaced only with --yes, and that is settled before the link is opened.
  The organisation line of a printed report is the one stored in "title.ini" of the working
  folder.
  A modem call is hung up however the command ends. Ctrl-C (or SIGTERM) ends a modem wait at once
  and an archive reading after the answer in progress; what arrived is kept.)";

constexpr char kGeneralGroup[] = "General options";

// The help of the program and of each command: the usage lines, what it does, the options group
// by group, the commands, the notes.
class HelpLayout : public CLI::Formatter {
 public:
  HelpLayout(std::string synopsis, std::string text)
      : synopsis_(std::move(synopsis)), text_(std::move(text)) {
    column_width(kOptionColumn);
  }

  std::string make_help(const CLI::App* app, std::string, CLI::AppFormatMode) const override {
    std::string help;
    std::string_view lead = "Usage: ";
    for (std::size_t from = 0; from < synopsis_.size();) {
      const std::size_t end = std::min(synopsis_.find('\n', from), synopsis_.size());
      help += std::string(lead) + "zvc-cli " + synopsis_.substr(from, end - from) + "\n";
      lead = "       ";
      from = end + 1;
    }
    help += "\n" + text_ + "\n";
    for (const std::string& group : app->get_groups()) {
      if (group.empty() || group == kUnlistedGroup) continue;
      help += "\n" + group + ":\n";
      for (const CLI::Option* option : app->get_options([&group](const CLI::Option* option) {
             return option->get_group() == group && option->nonpositional();
           })) {
        help += make_option(option, false);
      }
    }
    help += make_subcommands(app, CLI::AppFormatMode::Normal);
    if (!app->get_footer().empty()) help += "\n" + app->get_footer() + "\n";
    return help;
  }

 private:
  std::string synopsis_;
  std::string text_;
};

void declareWords(CLI::App& app) {
  app.add_option(kWordsName)
      ->expected(0, CLI::detail::expected_max_vector_size)
      ->allow_extra_args()
      ->group("");
}

void declareGeneralOptions(OptionDeclarations& options) {
  options.group(kGeneralGroup);
  options.value("--workdir", "DIR", "working folder (settings, address books, files)");
  options.flag("--yes", "answer the program's questions \"Да\" (without it \"Нет\")");
  options.value("--encoding", "utf-8|cp1251", "text on stdout and stderr (default utf-8)");
}

OutputEncoding readEncoding(const std::string& text) {
  const std::string lower = lowerAscii(text);
  if (lower == "utf-8" || lower == "utf8") return OutputEncoding::kUtf8;
  if (lower == "cp1251" || lower == "windows-1251") return OutputEncoding::kCp1251;
  throw Refusal{"--encoding: utf-8 or cp1251 expected, got \"" + text + "\""};
}

void readGeneralOptions(const GivenArguments& given, SharedOptions& options) {
  if (const std::string* workdir = given.single("--workdir")) {
    if (workdir->empty()) throw Refusal{"--workdir: a folder expected"};
    options.workdir = *workdir;
  }
  options.answerYes = given.has("--yes");
  if (const std::string* encoding = given.single("--encoding")) {
    options.encoding = readEncoding(*encoding);
  }
}

// "a", "a and b", "a, b and c".
std::string listed(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t at = 0; at < names.size(); ++at) {
    if (at > 0) text += at + 1 == names.size() ? " and " : ", ";
    text += names[at];
  }
  return text;
}

CommandLine printing(std::string text) {
  CommandLine line;
  line.text = std::move(text);
  return line;
}

CommandLine refusing(std::string error) {
  CommandLine line;
  line.error = std::move(error);
  return line;
}

// A CLI11 refusal in the words of the program.
std::string refusalOf(const CLI::ParseError& error, const CLI::App& app) {
  const std::string what = error.what();
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) == nullptr) return what;
  const std::string name = what.substr(0, what.find(':'));
  if (what.find("At Most") != std::string::npos) return name + " given twice";
  const CLI::Option* option = app.get_option_no_throw(name);
  const int count = option == nullptr ? 1 : option->get_items_expected_min();
  return name + " needs " + std::to_string(count) + (count == 1 ? " value" : " values");
}

// The program with every command on a subcommand of its own. Commands keep what they are given,
// so each reading of a command line has its own.
class Parser {
 public:
  Parser() : commands_(makeCommands()) {
    program_.name("zvc-cli");
    program_.formatter(std::make_shared<HelpLayout>(kProgramSynopsis, kProgramText));
    program_.allow_extras();
    for (const std::unique_ptr<Command>& command : commands_) addCommand(*command);
    declareShared();
    program_.set_help_flag("-h,--help", "this text");
    program_.set_version_flag("--version", std::string("zvc-cli ") + kProgramVersion,
                              "the program's version");
    program_.footer(kProgramNotes);
  }

  CLI::App& program() { return program_; }
  bool isCommand(const std::string& name) const { return subcommandOf(name) != nullptr; }

  // The command line read with the command at `at`, the rest its arguments.
  CommandLine readAs(std::span<const std::string> arguments, std::size_t at) {
    CLI::App& app = *subcommandOf(arguments[at]);
    std::vector<std::string> rest;
    for (std::size_t n = arguments.size(); n-- > 0;) {
      if (n != at) rest.push_back(arguments[n]);
    }
    try {
      app.parse(rest);
    } catch (const CLI::CallForHelp&) {
      return printing(app.help());
    } catch (const CLI::ParseError& error) {
      return refusing(refusalOf(error, app));
    }
    CommandLine line;
    try {
      refuseUnknownOptions(app);
      const GivenArguments given(app);
      if (given.declares("--user")) line.options.link = readLinkOptions(given);
      readGeneralOptions(given, line.options);
      std::unique_ptr<Command>& command = commandOf(arguments[at]);
      command->accept(given);
      line.command = std::move(command);
    } catch (const Refusal& refusal) {
      line.error = refusal.text;
    }
    return line;
  }

  // Without a command: the program's help or version, or why it is refused.
  CommandLine readAlone(std::span<const std::string> arguments) {
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
      program_.parse(reversed);
      refuseUnknownOptions(program_);
    } catch (const CLI::CallForHelp&) {
      return printing(program_.help());
    } catch (const CLI::CallForVersion& version) {
      return printing(std::string(version.what()) + "\n");
    } catch (const CLI::ParseError& error) {
      return refusing(refusalOf(error, program_));
    } catch (const Refusal& refusal) {
      return refusing(refusal.text);
    }
    const std::vector<std::string> words = GivenArguments(program_).words();
    if (words.empty()) return refusing("no command given");
    return refusing("unknown command \"" + words.front() + "\"");
  }

  // help [COMMAND].
  CommandLine helpAbout(std::span<const std::string> names) {
    if (names.empty()) return printing(program_.help());
    if (names.size() == 1 && isCommand(names[0])) return printing(subcommandOf(names[0])->help());
    return refusing("help: a command expected, got \"" + names[0] + "\"");
  }

 private:
  void addCommand(const Command& command) {
    const CommandHelp help = command.help();
    CLI::App* app = program_.add_subcommand(help.name, help.summary);
    app->group("Commands");
    app->formatter(std::make_shared<HelpLayout>(help.synopsis, help.details));
    app->allow_extras();
    declareWords(*app);
    OptionDeclarations options(*app);
    command.declare(options);
    declareGeneralOptions(options);
    app->set_help_flag("-h,--help", "this text")->group(kGeneralGroup);
  }

  // The shared options are known without a command too (hidden in the program's help), so that
  // their values are not taken for a command.
  void declareShared() {
    declareWords(program_);
    OptionDeclarations options(program_);
    declareLinkOptions(options);
    declareGeneralOptions(options);
    for (CLI::Option* option : program_.get_options()) {
      if (!option->get_positional()) option->group(kUnlistedGroup);
    }
  }

  const CLI::App* subcommandOf(const std::string& name) const {
    for (const CLI::App* app : program_.get_subcommands({})) {
      if (app->get_name() == name) return app;
    }
    return nullptr;
  }
  CLI::App* subcommandOf(const std::string& name) {
    return const_cast<CLI::App*>(std::as_const(*this).subcommandOf(name));
  }

  std::unique_ptr<Command>& commandOf(const std::string& name) {
    return *std::find_if(commands_.begin(), commands_.end(),
                         [&name](const auto& command) { return command->help().name == name; });
  }

  // Only options can be left over: the words take every other argument.
  void refuseUnknownOptions(const CLI::App& app) const {
    for (const std::string& extra : app.remaining()) {
      if (extra == "--") continue;
      throw Refusal{whoTakes(extra.substr(0, extra.find('=')))};
    }
  }

  // Why an option the command does not know is refused: which commands take it.
  std::string whoTakes(const std::string& name) const {
    std::vector<std::string> takers;
    for (const CLI::App* app : program_.get_subcommands({})) {
      const CLI::Option* option = app->get_option_no_throw(name);
      if (option == nullptr) continue;
      if (option->get_group() == kLinkOptionsGroup) {
        return name + " is for the commands that talk to a controller";
      }
      takers.push_back(app->get_name());
    }
    if (takers.empty()) return "unknown option " + name;
    return name + " is for " + listed(takers);
  }

  CLI::App program_;
  std::vector<std::unique_ptr<Command>> commands_;
};

}  // namespace

CommandLine parseCommandLine(std::span<const std::string> arguments) {
  Parser names;
  if (!arguments.empty() && arguments.front() == "help") {
    return names.helpAbout(arguments.subspan(1));
  }
  // The command is the first word that names one, unless that is the value of an option before
  // the command ("--object day passport day"): then the next one that reads.
  std::optional<CommandLine> refused;
  for (std::size_t at = 0; at < arguments.size(); ++at) {
    if (!names.isCommand(arguments[at])) continue;
    CommandLine line = Parser().readAs(arguments, at);
    if (line.error.empty()) return line;
    if (!refused) refused = std::move(line);
  }
  if (refused) return std::move(*refused);
  return names.readAlone(arguments);
}

std::vector<std::string> commandNames() {
  std::vector<std::string> names;
  for (const std::unique_ptr<Command>& command : makeCommands()) {
    names.push_back(command->help().name);
  }
  return names;
}

}  // namespace zvc::cli
