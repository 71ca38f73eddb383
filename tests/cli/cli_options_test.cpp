#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zvc::cli {
namespace {

ParsedArguments parse(const std::vector<std::string>& arguments) {
  return parseArguments(arguments);
}

TEST(CliOptions, AcceptedCommandLines) {
  struct Case {
    std::vector<std::string> arguments;
    CliOptions expected;
  };
  CliOptions identifyOverTcp;
  identifyOverTcp.link.tcpHost = "10.0.0.7";
  identifyOverTcp.link.tcpPort = 5000;
  identifyOverTcp.link.address = 255;
  identifyOverTcp.link.tcpPauseMs = 0;
  identifyOverTcp.link.user = "12";
  identifyOverTcp.link.password = "пароль";

  CliOptions readTable;
  readTable.command = CommandName::kReadTable;
  readTable.table = 1;
  readTable.firstField = 3;
  readTable.link.serial = "/dev/ttyUSB0";
  readTable.link.baud = 9600;
  readTable.encoding = OutputEncoding::kCp1251;
  readTable.workdir = "/srv/zvc";
  readTable.answerYes = true;

  CliOptions period;
  period.command = CommandName::kInterv;
  period.archive.selection = RecordSelection::kPeriod;
  period.archive.begin = {2024, 3, 1, 0, 0, 0};
  period.archive.end = {2024, 3, 2, 23, 59, 59};
  period.archive.saveFile = "-out";

  CliOptions last;
  last.command = CommandName::kDiag;
  last.archive.last = 4294967295u;

  CliOptions print;
  print.command = CommandName::kPrint;
  print.file = "a.ala";
  print.pdfFile = "a.pdf";

  CliOptions correctClock;
  correctClock.command = CommandName::kClock;
  correctClock.clockAction = ClockAction::kCorrect;
  correctClock.answerYes = true;

  CliOptions setClock;
  setClock.command = CommandName::kClock;
  setClock.clockAction = ClockAction::kSet;

  CliOptions showParams;
  showParams.command = CommandName::kShowParams;
  showParams.parameterSection = "chrom-link";

  CliOptions changeUser;
  changeUser.command = CommandName::kUsers;
  changeUser.userChange = UserChangeRequest{15, 0, std::nullopt};

  CliOptions watchRun2;
  watchRun2.command = CommandName::kWatch;
  watchRun2.live = {LiveView::kRun, 1, 5, 3};
  CliOptions dailyPassport;
  dailyPassport.command = CommandName::kPassport;
  dailyPassport.passport = {false, 1, 2024, 3, 18, "ГРС-7", "p.xlsx"};
  CliOptions monthlyPassport;
  monthlyPassport.command = CommandName::kPassport;
  monthlyPassport.passport = {true, 0, 2024, 2, 1, "ГРС-7", std::nullopt};

  CliOptions hourShort;
  hourShort.command = CommandName::kHour;
  hourShort.period.run = 1;
  hourShort.period.begin = {2024, 3, 1, 5, 0, 0};
  hourShort.period.end = {2024, 3, 2, 0, 0, 0};

  CliOptions moistHourShort;
  moistHourShort.command = CommandName::kMoistHour;
  moistHourShort.period.begin = {2024, 3, 1, 5, 0, 0};
  moistHourShort.period.end = {2024, 3, 2, 0, 0, 0};

  CliOptions lastMonth;
  lastMonth.command = CommandName::kDay;
  lastMonth.period.choice = PeriodChoice::kLastMonth;
  lastMonth.period.saveFile = "d";

  CliOptions measLastHour;
  measLastHour.command = CommandName::kMeas;
  measLastHour.period.run = 1;
  measLastHour.period.choice = PeriodChoice::kLastHour;

  CliOptions phoneIdentify;
  phoneIdentify.link.phone = "Станция 7";
  phoneIdentify.link.serial = "/dev/pts/3";

  CliOptions subscriberIdentify;
  subscriberIdentify.link.subscriber = "ГРС-2";

  CliOptions collect;
  collect.command = CommandName::kCollect;
  collect.collect.lists = SubscriberLists::kEthernet;
  collect.collect.only = {"A", "B, C"};
  collect.collect.outFolder = "/srv/zvc";
  collect.collect.kinds = {"meas", "diag"};
  collect.collect.since = DateTimeArgument{2024, 3, 1, 0, 0, 0};
  collect.collect.jobs = 4;
  collect.link.user = "1";

  CliOptions collectDefaults;
  collectDefaults.command = CommandName::kCollect;
  collectDefaults.collect.outFolder = "out";

  const Case cases[] = {
      {{"--phone", "Станция 7", "--serial", "/dev/pts/3", "identify"}, phoneIdentify},
      {{"--subscriber=ГРС-2", "identify"}, subscriberIdentify},
      {{"collect", "--list", "ethernet", "--only", "A", "--only", "B, C", "--out", "/srv/zvc",
        "--kinds", "meas,diag,meas", "--since", "2024-03-01", "--jobs", "4", "--user", "1"},
       collect},
      {{"collect", "--out", "out"}, collectDefaults},
      {{"hour", "--run", "2", "--period", "2024-03-01 05", "2024-03-02"}, hourShort},
      {{"day", "--run", "1", "--last-month", "--save", "d"}, lastMonth},
      {{"moist-hour", "--period", "2024-03-01 05", "2024-03-02"}, moistHourShort},
      {{"meas", "--run", "2", "--last-hour"}, measLastHour},
      {{"--tcp", "10.0.0.7:5000", "--address=255", "--tcp-pause-ms", "0", "identify", "--user", "12", "--password",
        "пароль"},
       identifyOverTcp},
      {{"--serial", "/dev/ttyUSB0", "--baud", "9600", "read-table", "1", "3", "--encoding",
        "CP1251", "--workdir", "/srv/zvc", "--yes"},
       readTable},
      {{"interv", "--period", "2024-03-01 00:00:00", "2024-03-02T23:59:59", "--save=-out"}, period},
      {{"diag", "--last", "4294967295"}, last},
      {{"print", "--pdf", "a.pdf", "--", "a.ala"}, print},
      {{"clock", "--correct", "--yes"}, correctClock},
      {{"--set", "clock"}, setClock},
      {{"show-params", "chrom-link"}, showParams},
      {{"users", "--change", "16", "--level", "0"}, changeUser},
      {{"watch", "--run", "2", "--interval", "5", "--count", "3"}, watchRun2},
      {{"passport", "day", "--run", "2", "--date", "2024-03-18", "--object", "ГРС-7", "--out",
        "p.xlsx"},
       dailyPassport},
      {{"passport", "month", "--run", "1", "--date=2024-02", "--object", "ГРС-7"},
       monthlyPassport},
  };
  for (const Case& c : cases) {
    const ParsedArguments parsed = parse(c.arguments);
    ASSERT_TRUE(parsed.options) << c.arguments.front() << ": " << parsed.error;
    EXPECT_EQ(*parsed.options, c.expected) << c.arguments.front();
  }
}

TEST(CliOptions, HelpNeedsNothingElse) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--help"}, {"diag", "-h"}, {"--tries", "x", "--help"}}) {
    const ParsedArguments parsed = parse(arguments);
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_TRUE(parsed.options->help);
  }
  EXPECT_NE(helpText().find("zvc-cli [link options] COMMAND [arguments]"), std::string::npos);
}

TEST(CliOptions, ReadmeHoldsTheHelpText) {
  std::ifstream readme(ZVC_README_PATH);
  const std::string text{std::istreambuf_iterator<char>(readme), std::istreambuf_iterator<char>()};
  EXPECT_NE(text.find(helpText()), std::string::npos) << "README.md lacks the --help text";
}

TEST(CliOptions, RefusedCommandLinesSayWhy) {
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
      {{"--bogus", "identify"}, "unknown option --bogus"},
      {{"read-table"}, "wrong number of arguments for read-table"},
      {{"--tries", "99999999999", "identify"}, "--tries: a number expected"},
      {{"--tries", "1", "--tries", "2", "identify"}, "--tries given twice"},
      {{"--address"}, "--address needs 1 value"},
      {{"--tcp", "host", "identify"}, "--tcp: HOST:PORT expected"},
      {{"--tcp", "h:1", "--serial", "COM1", "identify"}, "exclude each other"},
      {{"--tcp", "h:1", "--baud", "9600", "identify"}, "--baud is for a serial line"},
      {{"--tcp-pause-ms", "0", "identify"}, "--tcp-pause-ms is for a TCP link"},
      {{"--user", "12345", "identify"}, "--user: a code of 1 to 4 digits"},
      {{"--password", "x", "identify"}, "--password needs --user"},
      {{"--encoding", "koi8-r", "identify"}, "--encoding: utf-8 or cp1251"},
      {{"diag"}, "give one of"},
      {{"diag", "--last", "0"}, "--last: a number of records from 1"},
      {{"interv", "--period", "2024-03-01", "2024-03-02 00:00:00"}, "\"YYYY-MM-DD HH:MM:SS\""},
      {{"interv", "--index=1", "2"}, "--index takes 2 values"},
      {{"identify", "--save", "x"}, "--save is for diag, interv, meas, hour, day, moist-meas"},
      {{"config"}, "config: read, show, new or diff expected"},
      {{"config", "write", "a.cnf"}, "config: read, show, new or diff expected, got \"write\""},
      {{"config", "read"}, "config read needs --save FILE.cnf"},
      {{"config", "show", "a.cnf", "--save", "b"}, "--save is for config read and config new"},
      {{"config", "diff", "a.cnf"}, "wrong number of files for config diff"},
      {{"config", "new", "--save", "x", "--controller"}, "--controller is for config diff"},
      {{"identify", "--controller"}, "--controller is for config diff"},
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
    const ParsedArguments parsed = parse(c.arguments);
    EXPECT_FALSE(parsed.options) << c.reason;
    EXPECT_NE(parsed.error.find(c.reason), std::string::npos)
        << "wanted \"" << c.reason << "\", got \"" << parsed.error << "\"";
  }
}

}  // namespace
}  // namespace zvc::cli
