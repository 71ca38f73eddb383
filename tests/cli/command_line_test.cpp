#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "cli/archive_command.h"
#include "cli/check_commands.h"
#include "cli/chrom_commands.h"
#include "cli/clock_command.h"
#include "cli/collect_command.h"
#include "cli/live_data_command.h"
#include "cli/moisture_commands.h"
#include "cli/passport_command.h"
#include "cli/print_command.h"
#include "cli/read_table_command.h"
#include "cli/show_params_command.h"
#include "cli/users_command.h"
#include "core/app/version.h"

namespace zvc::cli {
namespace {

CommandLine parse(const std::vector<std::string>& arguments) {
  return parseCommandLine(arguments);
}

// Whether the command is of the class and was given the request.
template <typename Class, typename Request>
std::function<bool(const Command&)> holds(Request expected) {
  return [expected](const Command& command) {
    const auto* typed = dynamic_cast<const Class*>(&command);
    return typed != nullptr && typed->request() == expected;
  };
}

TEST(CommandLine, AcceptedCommandLines) {
  struct Case {
    std::vector<std::string> arguments;
    std::string command;
    SharedOptions shared;
    std::function<bool(const Command&)> holds;  // nothing to check when empty
  };
  SharedOptions overTcp;
  overTcp.link.tcpHost = "10.0.0.7";
  overTcp.link.tcpPort = 5000;
  overTcp.link.address = 255;
  overTcp.link.tcpPauseMs = 0;
  overTcp.link.user = "12";
  overTcp.link.password = "пароль";

  SharedOptions serialCp1251;
  serialCp1251.link.serial = "/dev/ttyUSB0";
  serialCp1251.link.baud = 9600;
  serialCp1251.encoding = OutputEncoding::kCp1251;
  serialCp1251.workdir = "/srv/zvc";
  serialCp1251.answerYes = true;

  SharedOptions phone;
  phone.link.phone = "Станция 7";
  phone.link.serial = "/dev/pts/3";
  SharedOptions subscriber;
  subscriber.link.subscriber = "ГРС-2";
  SharedOptions user1;
  user1.link.user = "1";
  SharedOptions passwordFromStdin = user1;
  passwordFromStdin.link.passwordFromStdin = true;
  SharedOptions yes;
  yes.answerYes = true;

  ArchiveRequest period;
  period.selection = RecordSelection::kPeriod;
  period.begin = {2024, 3, 1, 0, 0, 0};
  period.end = {2024, 3, 2, 23, 59, 59};
  period.saveFile = "-out";
  ArchiveRequest last;
  last.last = 4294967295u;
  ArchiveRequest index;
  index.selection = RecordSelection::kIndex;
  index.indexFirst = "1";
  index.indexCount = "2";

  PeriodRequest hourShort;
  hourShort.run = 1;
  hourShort.begin = {2024, 3, 1, 5, 0, 0};
  hourShort.end = {2024, 3, 2, 0, 0, 0};
  PeriodRequest moistHourShort = hourShort;
  moistHourShort.run = 0;
  PeriodRequest lastMonth;
  lastMonth.choice = PeriodChoice::kLastMonth;
  lastMonth.saveFile = "d";
  PeriodRequest measLastHour;
  measLastHour.run = 1;
  measLastHour.choice = PeriodChoice::kLastHour;

  CollectRequest collect;
  collect.lists = SubscriberLists::kEthernet;
  collect.only = {"A", "B, C"};
  collect.outFolder = "/srv/zvc";
  collect.kinds = {"meas", "diag"};
  collect.since = DateTimeArgument{2024, 3, 1, 0, 0, 0};
  collect.jobs = 4;
  CollectRequest collectDefaults;
  collectDefaults.outFolder = "out";

  const Case cases[] = {
      {{"--phone", "Станция 7", "--serial", "/dev/pts/3", "identify"}, "identify", phone, {}},
      {{"--subscriber=ГРС-2", "identify"}, "identify", subscriber, {}},
      {{"collect", "--list", "ethernet", "--only", "A", "--only", "B, C", "--out", "/srv/zvc",
        "--kinds", "meas,diag,meas", "--since", "2024-03-01", "--jobs", "4", "--user", "1"},
       "collect",
       user1,
       holds<CollectCommand>(collect)},
      {{"collect", "--out", "out"}, "collect", {}, holds<CollectCommand>(collectDefaults)},
      {{"hour", "--run", "2", "--period", "2024-03-01 05", "2024-03-02"},
       "hour",
       {},
       holds<ChromArchiveCommand>(hourShort)},
      {{"day", "--run", "1", "--last-month", "--save", "d"},
       "day",
       {},
       holds<ChromArchiveCommand>(lastMonth)},
      {{"moist-hour", "--period", "2024-03-01 05", "2024-03-02"},
       "moist-hour",
       {},
       holds<MoistureReadCommand>(moistHourShort)},
      {{"meas", "--run", "2", "--last-hour"}, "meas", {}, holds<ChromArchiveCommand>(measLastHour)},
      {{"--tcp", "10.0.0.7:5000", "--address=255", "--tcp-pause-ms", "0", "identify", "--user",
        "12", "--password", "пароль"},
       "identify",
       overTcp,
       {}},
      {{"--serial", "/dev/ttyUSB0", "--baud", "9600", "read-table", "1", "3", "--encoding",
        "CP1251", "--workdir", "/srv/zvc", "--yes"},
       "read-table",
       serialCp1251,
       holds<ReadTableCommand>(TableRequest{1, 3, std::nullopt})},
      {{"interv", "--period", "2024-03-01 00:00:00", "2024-03-02T23:59:59", "--save=-out"},
       "interv",
       {},
       holds<ArchiveCommand>(period)},
      {{"diag", "--last", "4294967295"}, "diag", {}, holds<ArchiveCommand>(last)},
      // The first value after "=", the second after it.
      {{"interv", "--index=1", "2"}, "interv", {}, holds<ArchiveCommand>(index)},
      {{"print", "--pdf", "a.pdf", "--", "a.ala"},
       "print",
       {},
       [](const Command& command) {
         const auto& print = dynamic_cast<const PrintCommand&>(command);
         return print.file() == "a.ala" && print.pdfFile() == "a.pdf";
       }},
      {{"clock", "--correct", "--yes"}, "clock", yes, holds<ClockCommand>(ClockAction::kCorrect)},
      {{"--set", "clock"}, "clock", {}, holds<ClockCommand>(ClockAction::kSet)},
      {{"show-params", "chrom-link"},
       "show-params",
       {},
       [](const Command& command) {
         const auto& params = dynamic_cast<const ShowParamsCommand&>(command);
         return params.section() == "chrom-link" && params.constantsRun() == 0;
       }},
      {{"users", "--change", "16", "--level", "0"},
       "users",
       {},
       holds<UsersCommand>(std::optional<UserChangeRequest>({15, 0, std::nullopt}))},
      {{"watch", "--run", "2", "--interval", "5", "--count", "3"},
       "watch",
       {},
       holds<WatchCommand>(LiveRequest{LiveView::kRun, 1, 5, 3})},
      {{"state"}, "state", {}, holds<LiveDataCommand>(LiveRequest{})},
      {{"passport", "day", "--run", "2", "--date", "2024-03-18", "--object", "ГРС-7", "--out",
        "p.xlsx"},
       "passport",
       {},
       holds<PassportCommand>(PassportRequest{false, 1, 2024, 3, 18, "ГРС-7", "p.xlsx"})},
      {{"passport", "month", "--run", "1", "--date=2024-02", "--object", "ГРС-7"},
       "passport",
       {},
       holds<PassportCommand>(PassportRequest{true, 0, 2024, 2, 1, "ГРС-7", std::nullopt})},
      // A command's name as the value of an option before the command.
      {{"--object", "day", "passport", "day", "--run", "1", "--date", "2024-03-18"},
       "passport",
       {},
       holds<PassportCommand>(PassportRequest{false, 0, 2024, 3, 18, "day", std::nullopt})},
      {{"--user", "1", "--password-stdin", "users"},
       "users",
       passwordFromStdin,
       holds<UsersCommand>(std::optional<UserChangeRequest>())},
  };
  for (const Case& c : cases) {
    const CommandLine line = parse(c.arguments);
    ASSERT_TRUE(line.command) << c.command << ": " << line.error;
    EXPECT_EQ(line.command->help().name, c.command);
    EXPECT_EQ(line.options, c.shared) << c.command;
    if (c.holds) {
      EXPECT_TRUE(c.holds(*line.command)) << c.command;
    }
  }
}

TEST(CommandLine, HelpNeedsNothingElse) {
  const struct {
    std::vector<std::string> arguments;
    const char* usage;
  } cases[] = {
      {{"--help"}, "Usage: zvc-cli [OPTIONS] COMMAND [ARGUMENTS]\n"},
      {{"--tries", "x", "--help"}, "Usage: zvc-cli [OPTIONS] COMMAND [ARGUMENTS]\n"},
      {{"help"}, "Usage: zvc-cli [OPTIONS] COMMAND [ARGUMENTS]\n"},
      {{"diag", "-h"}, "Usage: zvc-cli diag (--index FIRST COUNT"},
      {{"--tries", "x", "diag", "--help"}, "Usage: zvc-cli diag (--index FIRST COUNT"},
      {{"help", "diag"}, "Usage: zvc-cli diag (--index FIRST COUNT"},
  };
  for (const auto& c : cases) {
    const CommandLine line = parse(c.arguments);
    ASSERT_TRUE(line.text) << c.arguments.front() << ": " << line.error;
    EXPECT_TRUE(line.text->starts_with(c.usage)) << *line.text;
  }
}

// Every command tells its options, and the groups it shares with the others.
TEST(CommandLine, EveryCommandHasItsHelp) {
  const std::vector<std::string> offline = {"show", "export", "print", "plot"};
  for (const std::string& name : commandNames()) {
    const CommandLine line = parse({name, "--help"});
    ASSERT_TRUE(line.text) << name << ": " << line.error;
    const std::string& help = *line.text;
    EXPECT_TRUE(help.starts_with("Usage: zvc-cli " + name)) << help;
    EXPECT_NE(help.find("\nGeneral options:\n  --workdir DIR"), std::string::npos) << name;
    const bool talks = std::find(offline.begin(), offline.end(), name) == offline.end();
    EXPECT_EQ(help.find("\nLink options") != std::string::npos, talks) << name;
    // Options only known for their refusals are not offered.
    EXPECT_EQ(help.find("unlisted"), std::string::npos) << name;
  }
}

TEST(CommandLine, VersionIsTheProjects) {
  const CommandLine line = parse({"--version"});
  ASSERT_TRUE(line.text) << line.error;
  EXPECT_EQ(*line.text, std::string("zvc-cli ") + kProgramVersion + "\n");
}

TEST(CommandLine, ReadmeHoldsTheHelpTexts) {
  std::ifstream readme(ZVC_README_PATH);
  const std::string text{std::istreambuf_iterator<char>(readme), std::istreambuf_iterator<char>()};
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--help"}, {"hour", "--help"}}) {
    const CommandLine line = parse(arguments);
    ASSERT_TRUE(line.text);
    EXPECT_NE(text.find(*line.text), std::string::npos)
        << "README.md lacks the text of zvc-cli " << arguments.front();
  }
}

TEST(CommandLine, RefusedCommandLinesSayWhy) {
  struct Case {
    std::vector<std::string> arguments;
    const char* reason;
  };
  const Case cases[] = {
      {{}, "no command given"},
      {{"--tcp", "h:1", "--phone", "1", "identify"}, "--tcp and --phone exclude each other"},
      {{"--phone", "1", "--subscriber", "A", "identify"},
       "--subscriber excludes --tcp and --phone"},
      {{"collect"}, "collect needs --out DIR"},
      {{"collect", "--out", "o", "--list", "modem"}, "--list: phone, ethernet or both"},
      {{"collect", "--out", "o", "--kinds", "diag,,meas"}, "--kinds: unknown kind \"\""},
      {{"collect", "--out", "o", "--kinds", "hourly"}, "--kinds: unknown kind \"hourly\""},
      {{"collect", "--out", "o", "--since", "2024-3-1"}, "--since: \"YYYY-MM-DD\" expected"},
      {{"collect", "--out", "o", "--jobs", "0"}, "--jobs: 1..64"},
      {{"collect", "--out", "o", "--tcp", "h:1"}, "--tcp is not for collect"},
      {{"collect", "--out", "o", "--phone", "A"}, "--phone is not for collect"},
      {{"identify", "--only", "A"}, "--only is for collect"},
      {{"diag", "--last", "1", "--out", "o"}, "--out is for collect"},
      {{"frobnicate"}, "unknown command \"frobnicate\""},
      {{"--tcp", "h:1", "frobnicate"}, "unknown command \"frobnicate\""},
      {{"help", "frobnicate"}, "help: a command expected, got \"frobnicate\""},
      {{"--bogus", "identify"}, "unknown option --bogus"},
      {{"read-table"}, "wrong number of arguments for read-table"},
      {{"--tries", "99999999999", "identify"}, "--tries: a number expected"},
      {{"--tries", "1", "--tries", "2", "identify"}, "--tries given twice"},
      {{"identify", "--yes", "--yes"}, "--yes given twice"},
      {{"--address"}, "--address needs 1 value"},
      {{"--tcp", "host", "identify"}, "--tcp: HOST:PORT expected"},
      {{"--tcp", "h:1", "--serial", "COM1", "identify"}, "exclude each other"},
      {{"--tcp", "h:1", "--baud", "9600", "identify"}, "--baud is for a serial line"},
      {{"--tcp-pause-ms", "0", "identify"}, "--tcp-pause-ms is for a TCP link"},
      {{"--user", "12345", "identify"}, "--user: a code of 1 to 4 digits"},
      {{"--password", "x", "identify"}, "--password needs --user"},
      {{"--password-stdin", "identify"}, "--password-stdin needs --user"},
      {{"--user", "1", "--password", "x", "--password-stdin", "identify"},
       "--password and --password-stdin exclude each other"},
      {{"show", "a.ala", "--tcp", "h:1"}, "--tcp is for the commands that talk to a controller"},
      {{"--encoding", "koi8-r", "identify"}, "--encoding: utf-8 or cp1251"},
      {{"diag"}, "give one of"},
      {{"diag", "--last", "0"}, "--last: a number of records from 1"},
      {{"interv", "--period", "2024-03-01", "2024-03-02 00:00:00"}, "\"YYYY-MM-DD HH:MM:SS\""},
      {{"interv", "--index", "1"}, "--index needs 2 values"},
      {{"identify", "--save", "x"}, "--save is for diag, interv, meas, hour, day, moist-meas"},
      {{"config"}, "config: read, show, new or diff expected"},
      {{"config", "write", "a.cnf"}, "config: read, show, new or diff expected, got \"write\""},
      {{"config", "read"}, "config read needs --save FILE.cnf"},
      {{"config", "show", "a.cnf", "--save", "b"}, "--save is for config read and config new"},
      {{"config", "diff", "a.cnf"}, "wrong number of files for config diff"},
      {{"config", "new", "--save", "x", "--controller"}, "--controller is for config diff"},
      {{"identify", "--controller"}, "--controller is for config"},
      {{"print", "x.ala"}, "print needs --pdf"},
      {{"clock", "--correct", "--set"}, "--correct and --set exclude each other"},
      {{"identify", "--set"}, "--set is for clock"},
      {{"clock", "now"}, "wrong number of arguments for clock"},
      {{"show-params"}, "wrong number of arguments for show-params"},
      {{"momentary"}, "give one of --run 1|2, --moisture"},
      {{"momentary", "--state"}, "give one of --run 1|2, --moisture"},
      {{"watch", "--run", "3"}, "--run: 1 or 2 expected"},
      {{"watch", "--run", "1", "--moisture"}, "give one of --run 1|2, --moisture, --state"},
      {{"watch", "--state", "--interval", "0"}, "--interval: seconds 1..86400"},
      {{"watch", "--state", "--count", "0"}, "--count: a number from 1"},
      {{"momentary", "--run", "1", "--count", "2"}, "--count is for watch"},
      {{"state", "--moisture"}, "--moisture is for momentary and watch"},
      {{"users", "all"}, "wrong number of arguments for users"},
      {{"users", "--change", "17", "--level", "1"}, "--change: a slot 1..16"},
      {{"users", "--change", "1"}, "--level: 0..4 expected"},
      {{"users", "--level", "2"}, "--level and --name need --change"},
      {{"state", "--change", "1"}, "--change is for users"},
      {{"hour", "--last-day"}, "--run 1 or --run 2"},
      {{"hour", "--run", "3", "--last-day"}, "--run 1 or --run 2"},
      {{"meas", "--run", "1", "--last-month"}, "--last-month is not a choice of this reading"},
      {{"hour", "--run", "1", "--last-month"}, "--last-month is not a choice of this reading"},
      {{"identify", "--last-day"}, "--last-day is for meas, hour, day, moist-meas"},
      {{"moist-hour", "--run", "1", "--last-day"},
       "--run is for momentary, watch, meas, hour, day"},
      {{"day", "--run", "1", "--last-month", "--period", "2024-01-01", "2024-01-02"},
       "give one of --period BEGIN END, --last-month"},
      {{"meas", "--run", "1"}, "give one of --period BEGIN END, --last-hour, --last-day"},
      {{"meas", "--run", "1", "--period", "2024-03-01", "2024-03-02"}, "\"YYYY-MM-DD HH:MM:SS\""},
      {{"day", "--run", "1", "--period", "2024-03-01 5", "2024-03-02"}, "\"YYYY-MM-DD HH\""},
      {{"moist-day", "--period", "2024-03-01 5", "2024-03-02"}, "\"YYYY-MM-DD HH\""},
      {{"moist-meas", "--period", "2024-03-01", "2024-03-02"}, "\"YYYY-MM-DD HH:MM:SS\""},
      {{"identify", "--period", "2024-03-01", "2024-03-02"}, "--period is for diag, interv"},
      {{"passport", "week", "--run", "1"}, "passport: day or month expected"},
      {{"passport", "--run", "1"}, "passport: day or month expected"},
      {{"passport", "day", "--date", "2024-03-18", "--object", "A"}, "--run 1 or --run 2"},
      {{"passport", "day", "--run", "1", "--date", "2024-03", "--object", "A"},
       "--date YYYY-MM-DD expected"},
      {{"passport", "month", "--run", "1", "--date", "2024-03-01", "--object", "A"},
       "--date YYYY-MM expected"},
      {{"passport", "month", "--run", "1", "--date", "2024-03"}, "--object NAME expected"},
      {{"identify", "--object", "A"}, "--object is for passport"},
      {{"hour", "--run", "1", "--last-day", "--out", "x"}, "--out is for collect and passport"},
  };
  for (const Case& c : cases) {
    const CommandLine line = parse(c.arguments);
    EXPECT_FALSE(line.command) << c.reason;
    EXPECT_FALSE(line.text) << c.reason;
    EXPECT_NE(line.error.find(c.reason), std::string::npos)
        << "wanted \"" << c.reason << "\", got \"" << line.error << "\"";
  }
}

}  // namespace
}  // namespace zvc::cli
