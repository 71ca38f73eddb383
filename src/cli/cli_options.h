#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The command line of zvc-cli. Only its shape is checked here (which options, how many values,
// numbers and dates written as numbers and dates); what the values must be for the controller
// and the files is checked by the commands with the program's own rules.
namespace zvc::cli {

enum class CommandName {
  kIdentify,
  kReadTable,
  kDiag,
  kInterv,
  kShow,
  kPrint,
  kClock,
  kShowParams,
  kConfig,
  kUsers,
  kState,
  kMomentary,
  kWatch,
  kExport,
  kMeas,
  kHour,
  kDay,
  kMoistMeas,
  kMoistHour,
  kMoistDay,
  kCalib,
  kVerif,
  kCollect,
  kPlot,
  kPassport,
};
// config: read the controller's configuration, show a file, make a new one, compare two.
enum class ConfigAction { kRead, kShow, kNew, kDiff };
// clock: show the two clocks, correct the controller's, or write the computer's time into it.
enum class ClockAction { kShow, kCorrect, kSet };
enum class RecordSelection { kIndex, kLast, kPeriod };
enum class OutputEncoding { kUtf8, kCp1251 };

// "YYYY-MM-DD HH:MM:SS" taken apart; the parts are not checked against the calendar.
struct DateTimeArgument {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const DateTimeArgument&) const = default;
};

// Given link options; what is not given comes from the stored settings.
struct LinkOptions {
  std::optional<std::string> tcpHost;
  int tcpPort = 0;                    // with tcpHost
  std::optional<std::string> serial;  // "COMn" or a device path
  std::optional<int> baud;
  std::optional<int> address;
  std::optional<int> preambles;
  std::optional<int> tries;
  std::optional<int> firstByteS;
  std::optional<int> nextByteMs;
  std::optional<std::string> phone;       // a telephone subscriber's name, or a number
  std::optional<std::string> subscriber;  // a name of the telephone or the Ethernet list
  std::optional<std::string> user;        // 1..4 digits
  std::optional<int> tcpPauseMs;          // with tcpHost
  std::optional<std::string> password;
  bool operator==(const LinkOptions&) const = default;
};

// diag and interv: which records, and where they go.
struct ArchiveRequest {
  RecordSelection selection = RecordSelection::kLast;
  std::string indexFirst;  // digits, as the index dialog's fields take them
  std::string indexCount;
  std::uint32_t last = 0;
  DateTimeArgument begin;
  DateTimeArgument end;
  std::optional<std::string> saveFile;
  bool operator==(const ArchiveRequest&) const = default;
};

// Readings by period of the measurement, hourly, daily, calibration and verification archives:
// a period typed as the period dialog takes it, or one of the dialog's quick choices.
enum class PeriodChoice { kPeriod, kLastHour, kLastDay, kLastMonth };
struct PeriodRequest {
  int run = 0;  // meas, hour, day: the chromatograph's run, 0 or 1
  PeriodChoice choice = PeriodChoice::kPeriod;
  DateTimeArgument begin;
  DateTimeArgument end;
  std::optional<std::string> saveFile;
  bool operator==(const PeriodRequest&) const = default;
};

// config: the action, its files, and where the record goes.
struct ConfigRequest {
  ConfigAction action = ConfigAction::kShow;
  std::vector<std::string> files;       // show: one; diff: one (with --controller) or two
  std::optional<std::string> saveFile;  // read, new
  bool againstController = false;       // diff FILE --controller
  bool operator==(const ConfigRequest&) const = default;
};

// momentary and watch: which live view; run 0 or 1 for the chromatograph.
enum class LiveView { kRun, kMoisture, kState };
struct LiveRequest {
  LiveView view = LiveView::kState;
  int run = 0;
  std::optional<int> intervalS;  // watch; the view's own period when not given
  std::optional<int> count;      // watch; until Ctrl-C when not given
  bool operator==(const LiveRequest&) const = default;
};

// users --change: one slot (0..15) of the users table; secrets come from stdin.
struct UserChangeRequest {
  int slot = 0;
  int level = 0;
  std::optional<std::string> name;  // the slot's own name when not given
  bool operator==(const UserChangeRequest&) const = default;
};

// collect: which address books, which subscribers and archives, where to, from when.
enum class SubscriberLists { kPhone, kEthernet, kBoth };
struct CollectRequest {
  SubscriberLists lists = SubscriberLists::kBoth;
  std::vector<std::string> only;  // names; all subscribers when empty
  std::string outFolder;
  std::vector<std::string> kinds;         // the kind names; every kind when empty
  std::optional<DateTimeArgument> since;  // a first collection starts here; 7 days back if not
  int jobs = 1;
  bool operator==(const CollectRequest&) const = default;
};

// The archive kinds collect knows, in the order it reads them.
inline constexpr std::string_view kCollectKinds[] = {
    "diag",       "interv",     "meas",      "hour",  "day",
    "moist-meas", "moist-hour", "moist-day", "calib", "verif"};

// plot: which parameters of the file, into which PNG, how large, with the setpoints of which
// configuration file.
struct PlotRequest {
  std::vector<std::string> parameters;
  std::string pngFile;
  int width = 1200;
  int height = 700;
  std::optional<std::string> configFile;
  bool operator==(const PlotRequest&) const = default;
};

// passport day|month: the run (0 or 1), the day or month, the object and perhaps the file.
struct PassportRequest {
  bool monthly = false;
  int run = 0;
  int year = 0;
  int month = 0;
  int day = 1;  // 1 for a month
  std::string object;
  std::optional<std::string> outFile;
  bool operator==(const PassportRequest&) const = default;
};

struct CliOptions {
  bool help = false;
  LinkOptions link;
  std::optional<std::string> workdir;
  bool answerYes = false;
  OutputEncoding encoding = OutputEncoding::kUtf8;
  CommandName command = CommandName::kIdentify;
  // read-table
  int table = 0;
  std::optional<int> firstField;
  std::optional<int> fieldCount;
  ArchiveRequest archive;
  PeriodRequest period;  // meas, hour, day, moist-meas, moist-hour, moist-day, calib, verif
  std::string file;      // show, print, export, plot
  std::string pdfFile;   // print
  std::string xlsxFile;  // export
  ClockAction clockAction = ClockAction::kShow;
  std::string parameterSection;  // show-params
  ConfigRequest config;
  LiveRequest live;                             // momentary, watch
  int parameterRun = 0;                         // show-params constants: 1 or 2
  std::optional<UserChangeRequest> userChange;  // users --change
  CollectRequest collect;
  PlotRequest plot;
  PassportRequest passport;
  bool operator==(const CliOptions&) const = default;
};

// Either the options or the reason the command line is refused.
struct ParsedArguments {
  std::optional<CliOptions> options;
  std::string error;
};

// The arguments after the program name. Options may stand before or after the command; "--"
// ends the options; "--name=value" is the same as "--name value". With --help nothing else is
// checked.
ParsedArguments parseArguments(std::span<const std::string> arguments);

std::string_view helpText();

// Latin letters in lower case, for names and extensions given in any case.
std::string lowerAscii(std::string text);

}  // namespace zvc::cli
