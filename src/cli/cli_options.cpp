#include "cli/cli_options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <map>
#include <tuple>
#include <vector>

namespace zvc::cli {
namespace {

constexpr std::string_view kHelp =
    R"(zvc-cli: the maintenance program of the ЖВЦ controller for scripts.

zvc-cli [link options] COMMAND [arguments]

link options (default: the stored direct-line settings of "zvc.ini" in the working folder):
  --tcp HOST:PORT | --serial COMn|DEVICE-PATH   [--baud N]
  --phone NAME|NUMBER    dial through the modem with the stored telephone settings
                         ("FON_CONN_PAR": port, modem command, attempts, waits): a subscriber of
                         the telephone list or a number as given; --serial names the modem's port
  --subscriber NAME      a subscriber of the telephone or the Ethernet list
  --address N            controller address, 255 = whoever answers (default 1)
  --preambles N  --tries N  --first-byte-s N  --next-byte-ms N
  --tcp-pause-ms N       with --tcp: pause before each request, 0..5000 ms (default 500)
  --user CODE  --password TEXT                   write credentials
  --workdir DIR                                  working folder (settings, address books, files)
  --yes                                          answer questions "Да"

commands:
  identify                     the identification view as "label<TAB>value" lines (labels as the view shows them),
                               then the three names; exit 3 when the type or version is not served
  read-table T [FIRST [COUNT]] one line per field: "T.F<TAB>XX XX …" (hex bytes)
  diag   (--index FIRST COUNT | --last N | --period BEGIN END)  [--save FILE]
  interv (--index FIRST COUNT | --last N | --period BEGIN END)  [--save FILE]
                               BEGIN/END as "YYYY-MM-DD HH:MM:SS"; without --save, print like `show`
  meas --run 1|2 (--period BEGIN END | --last-hour | --last-day)  [--save FILE]
                               the chromatograph's measurement archive of the run (.mch);
                               --last-hour / --last-day are its period dialog's quick choices
                               (by the computer's clock)
  hour --run 1|2 (--period BEGIN END | --last-day)  [--save FILE]
  day  --run 1|2 (--period BEGIN END | --last-month)  [--save FILE]
                               its hourly (.hch) or daily (.dch) archive; BEGIN/END also as
                               "YYYY-MM-DD HH" or "YYYY-MM-DD"; the period is checked against the
                               range the archive holds and clipped to it as the period dialog
                               does; --last-day / --last-month are the dialog's quick choices
                               (by the controller's clock). A record outside the period asks
                               whether to read on: "Нет" keeps what was read (with --yes "Да").
                               Without --save, print like `show`.
  moist-meas (--period BEGIN END | --last-hour | --last-day)  [--save FILE]
  moist-hour (--period BEGIN END | --last-day)                [--save FILE]
  moist-day  (--period BEGIN END | --last-month)              [--save FILE]
                               the moisture meter's measurement, hourly or daily archive (.mwm,
                               .hwm, .dwm), with the periods of meas, hour and day
  calib  (--period BEGIN END | --last-hour | --last-day)  [--save FILE]
  verif  (--period BEGIN END | --last-hour | --last-day)  [--save FILE]
                               the chromatograph's calibration or verification archive (.clb, .vrf)
  show FILE                    any file the program saves (.ala, .aud, .mch, .hch, .dch, .mwm,
                               .hwm, .dwm, .clb, .vrf): the view's caption on the first line, then
                               one line per grid row, cells separated by TAB, exactly the texts the
                               GUI grid shows (chromatograph, calibration and verification files:
                               the two heading rows, then the records; moisture-meter files: the
                               four caption lines above the columns, then the records)
  export FILE --xlsx OUT.xlsx  a saved .mch, .hch, .dch, .clb or .vrf file as the spreadsheet its
                               table window writes; an existing OUT is replaced only with --yes
  print FILE --pdf OUT.pdf     the printed report of a saved message or moisture-meter file
                               (.ala, .aud, .mwm, .hwm, .dwm), as a PDF
  plot FILE --param NAME[,NAME…] --png OUT.png [--size WxH] [--config FILE.cnf]
                               the chart of the "График" button of a saved .mch, .hch, .dch,
                               .mwm, .hwm or .dwm file: the named parameters (as the table's
                               headings name them)
                               over time, gaps where the table shows no number, the "*" and "#"
                               values marked; with --config the warning setpoints of that
                               configuration file as lines. Default size 1200x700
  clock [--correct | --set]    the controller's date, time, weekday and time type beside the
                               computer's ("label<TAB>controller<TAB>computer"); --correct moves
                               the controller clock towards the computer's (at most to a whole
                               hour), --set writes the computer's time into it; both ask first
  show-params ident|names|system|sync|uplink|vrg-link|chrom-link|moist-link|ethernet|serial|
              flow-computers|parameters|deadzone|low-warn|high-warn|low-limit|high-limit|
              write-need|period|constants --run 1|2
                               a parameter dialog as "label<TAB>value" lines, as it shows them
                               (flow computers without their passwords, which are never read)
  config read --save FILE.cnf  read every configuration table of the controller and save them
                               as a configuration file (flow-computer passwords blank)
  config new --save FILE.cnf   save the default configuration of a new controller
  config show FILE.cnf         every section of a configuration file as
                               "section<TAB>label<TAB>value" lines (sections as show-params names
                               them, "constants-1"/"constants-2" for the runs' constants; "users"
                               by name and level, passwords and codes never shown)
  config diff A.cnf B.cnf      the rows whose values differ: "section<TAB>label<TAB>A<TAB>B"
  config diff FILE.cnf --controller
                               the same against the connected controller's configuration
                               Writing a configuration into a controller is done in zvc, where
                               the editor and the table-state dialog show what is written.
  users                        the users table: "slot<TAB>name<TAB>level" (passwords and codes never shown)
  users --change SLOT --level 0..4 [--name NAME]
                               changes one user (slot 1..16) in the controller: the new password and
                               code are read from stdin, one a line (an empty password is allowed);
                               level 0 removes the user; the slot's own name is kept without --name
  passport day|month --run 1|2 --date YYYY-MM-DD|YYYY-MM --object NAME [--out FILE]
                               the daily (gas day of the contract hour) or monthly gas-quality
                               passport of the run: reads the chromatograph's and the moisture
                               meter's records, checks that they agree and writes the passport
                               spreadsheet; by default "REPORT/OBJECT_RUN_day_YYMMDD.xlsx" or
                               "..._mon_YYMM.xlsx" in the working folder. The day or month must lie
                               within the daily archive. NAME must be in the object list
                               ("objects.ini"); with --yes a new name is added to it. An existing
                               passport is replaced only with --yes. The monthly passport needs
                               "mon_report_title_v5.xlsx" in the working folder (zvc and zvc-cli put
                               theirs there when it is missing).
  state                        the controller-state view once as "label<TAB>value" lines
  momentary (--run 1|2 | --moisture)
                               one poll of a momentary view: the time line, then
                               "parameter<TAB>value[<TAB>zone]" per shown row
  watch (--run 1|2 | --moisture | --state) [--interval S] [--count N]
                               polls every S seconds (10 for momentary data, 1 for the state) and
                               prints one line per poll: "YYYY-MM-DD HH:MM:SS<TAB>value<TAB>…";
                               a failed poll goes to stderr, three in a row end with exit 1;
                               Ctrl-C ends after the line in progress with exit 0
  collect --out DIR [--list phone|ethernet|both] [--only NAME]... [--kinds KIND,...]
          [--since YYYY-MM-DD] [--jobs N]
                               every subscriber of the address books (--only: the named ones) and
                               each archive kind (diag, interv, meas, hour, day, moist-meas,
                               moist-hour, moist-day, calib, verif; meas, hour and day of both runs)
                               read from where its last collection ended up to the controller's
                               clock (hour, day: to the last complete hour or gas day), saved in
                               DIR/<subscriber>/<kind>/ under the name the program proposes ("_2",
                               "_3" … before the extension when it is taken). A first collection
                               starts at --since (default: 7 days back). Where each one ended is
                               kept in DIR/collect-state.ini, written after every file, so a run
                               cut short resumes without losing or repeating a record. --jobs N:
                               TCP subscribers N at a time, the modem ones one after the other.
                               The summary "subscriber<TAB>kind<TAB>records<TAB>result" on stdout;
                               exit 0 only when every subscriber succeeded, 1 otherwise

other options:
  --encoding utf-8|cp1251      text on stdout and stderr (default utf-8)
  -h, --help                   this text

Exit status: 0 success; 1 the link or the controller failed (the program's message on stderr,
after a failed exchange also "status: " and the engine's error line); 2 bad arguments, an
unusable file, or a change not confirmed or not allowed (the program's own message on stderr);
3 a controller the program does not serve.

Notes:
  Messages the program would show in a window go to stderr as "kind N: line 1 / line 2" ("kind N:
  line 1" when the second line is empty). Questions are answered "Нет"; with --yes "Да", but an
  exchange that keeps failing is repeated at most 3 times.
  With --tcp the stored Ethernet settings ("ETHERNET_CONN_PAR") fill what is not given.
  A reading cut short by the link still prints or saves what arrived, and exits 1. A controller
  with software 14 is identified, but its archives are read only after zvc has restored its
  tables (exit 3).
  zvc-cli never writes the settings files (but for a new passport object under --yes); --save and --pdf names are taken relative to the
  current folder, the file's own extension (".ala", ".mch", ".mwm", ".clb", …), ".cnf", ".xlsx"
  or ".pdf" appended to a name without extension.
  Configuration files are written readable by their owner only: they hold write passwords. An existing
  --save file is replaced only with --yes, and that is settled before the link is opened.
  With --serial DEVICE-PATH the device stands for the stored COM number, which the port
  messages name ("Коммуникационный порт СОМ1 недоступен / DEVICE-PATH").
  The organisation line of a printed report is the one stored in "title.ini" of the working folder.
  A modem call is hung up however the command ends. Ctrl-C (or SIGTERM) ends a modem wait at once
  and an archive reading after the answer in progress; what arrived is kept.
)";

struct OptionShape {
  std::string_view name;
  int values;
  bool repeatable = false;
};

constexpr OptionShape kOptions[] = {
    {"--tcp", 1},          {"--serial", 1},       {"--baud", 1},
    {"--address", 1},      {"--preambles", 1},    {"--tries", 1},
    {"--first-byte-s", 1}, {"--next-byte-ms", 1}, {"--user", 1},
    {"--tcp-pause-ms", 1},
    {"--password", 1},     {"--workdir", 1},      {"--yes", 0},
    {"--encoding", 1},     {"--help", 0},         {"-h", 0},
    {"--index", 2},        {"--last", 1},         {"--period", 2},
    {"--save", 1},         {"--pdf", 1},          {"--correct", 0},
    {"--set", 0},          {"--controller", 0},
    {"--run", 1},
    {"--moisture", 0},
    {"--state", 0},        {"--interval", 1},     {"--count", 1},
    {"--xlsx", 1},
    {"--change", 1},       {"--level", 1},        {"--name", 1},
    {"--last-hour", 0},    {"--last-day", 0},     {"--last-month", 0},
    {"--phone", 1},        {"--subscriber", 1},
    {"--list", 1},         {"--only", 1, true},   {"--out", 1},
    {"--kinds", 1},        {"--since", 1},        {"--jobs", 1},
    {"--param", 1},        {"--png", 1},          {"--size", 1},
    {"--config", 1},
    {"--date", 1},         {"--object", 1},
};

constexpr std::pair<std::string_view, CommandName> kCommands[] = {
    {"identify", CommandName::kIdentify}, {"read-table", CommandName::kReadTable},
    {"diag", CommandName::kDiag},         {"interv", CommandName::kInterv},
    {"show", CommandName::kShow},         {"print", CommandName::kPrint},
    {"clock", CommandName::kClock},       {"show-params", CommandName::kShowParams},
    {"config", CommandName::kConfig},
    {"users", CommandName::kUsers},       {"state", CommandName::kState},
    {"momentary", CommandName::kMomentary}, {"watch", CommandName::kWatch},
    {"export", CommandName::kExport},
    {"meas", CommandName::kMeas},         {"hour", CommandName::kHour},
    {"day", CommandName::kDay},
    {"moist-meas", CommandName::kMoistMeas}, {"moist-hour", CommandName::kMoistHour},
    {"moist-day", CommandName::kMoistDay},   {"calib", CommandName::kCalib},
    {"verif", CommandName::kVerif},       {"collect", CommandName::kCollect},
    {"plot", CommandName::kPlot},
    {"passport", CommandName::kPassport},
};

struct QuickChoice {
  std::string_view option;
  PeriodChoice choice;
};
constexpr QuickChoice kQuickChoices[] = {
    {"--last-hour", PeriodChoice::kLastHour},
    {"--last-day", PeriodChoice::kLastDay},
    {"--last-month", PeriodChoice::kLastMonth},
};

constexpr std::pair<std::string_view, ConfigAction> kConfigActions[] = {
    {"read", ConfigAction::kRead},
    {"show", ConfigAction::kShow},
    {"new", ConfigAction::kNew},
    {"diff", ConfigAction::kDiff},
};

constexpr int kMaxUserCodeDigits = 4;
constexpr int kMaxPasswordChars = 12;
constexpr int kMaxTcpPort = 65535;

using OptionValues = std::map<std::string, std::vector<std::string>, std::less<>>;

// Thrown inside the parser only; parseArguments turns it into its error text.
struct Refusal {
  std::string text;
};

const OptionShape* findOption(std::string_view name) {
  for (const OptionShape& shape : kOptions) {
    if (shape.name == name) return &shape;
  }
  return nullptr;
}

bool allDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

template <typename Number>
std::optional<Number> digitsNumber(std::string_view text, Number max) {
  Number value{};
  if (!allDigits(text)) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value > max) return std::nullopt;
  return value;
}

int number(std::string_view what, std::string_view text) {
  const auto value = digitsNumber<int>(text, INT_MAX);
  if (!value) {
    throw Refusal{std::string(what) + ": a number expected, got \"" + std::string(text) + "\""};
  }
  return *value;
}

// Characters, not bytes: the password field counts what the user typed.
std::size_t characterCount(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

bool isOption(std::string_view token) {
  return token.size() > 1 && token[0] == '-';
}

struct Tokens {
  OptionValues options;
  std::vector<std::string> positionals;
};

Tokens splitTokens(std::span<const std::string> arguments) {
  Tokens tokens;
  bool optionsEnded = false;
  for (std::size_t at = 0; at < arguments.size(); ++at) {
    std::string_view token = arguments[at];
    if (optionsEnded || !isOption(token)) {
      tokens.positionals.emplace_back(token);
      continue;
    }
    if (token == "--") {
      optionsEnded = true;
      continue;
    }
    std::optional<std::string> inlineValue;
    if (const auto equals = token.find('='); equals != std::string_view::npos) {
      inlineValue = std::string(token.substr(equals + 1));
      token = token.substr(0, equals);
    }
    const OptionShape* shape = findOption(token);
    if (shape == nullptr) throw Refusal{"unknown option " + std::string(token)};
    if (tokens.options.contains(token) && !shape->repeatable) {
      throw Refusal{std::string(token) + " given twice"};
    }
    if (inlineValue && shape->values != 1) {
      throw Refusal{std::string(token) + " takes " + std::to_string(shape->values) + " values"};
    }
    std::vector<std::string>& values = tokens.options[std::string(token)];
    if (inlineValue) {
      values.push_back(*inlineValue);
      continue;
    }
    for (int n = 0; n < shape->values; ++n) {
      if (++at >= arguments.size()) {
        throw Refusal{std::string(token) + " needs " + std::to_string(shape->values) +
                      (shape->values == 1 ? " value" : " values")};
      }
      values.push_back(arguments[at]);
    }
  }
  return tokens;
}

const std::string* single(const OptionValues& options, std::string_view name) {
  const auto found = options.find(name);
  return found == options.end() ? nullptr : &found->second.front();
}

std::optional<int> numberOption(const OptionValues& options, std::string_view name) {
  const std::string* text = single(options, name);
  if (text == nullptr) return std::nullopt;
  return number(name, *text);
}

void readTcp(const std::string& text, LinkOptions& link) {
  const auto colon = text.rfind(':');
  const std::string_view host = std::string_view(text).substr(0, colon);
  const auto port = colon == std::string::npos
                        ? std::nullopt
                        : digitsNumber<int>(std::string_view(text).substr(colon + 1), kMaxTcpPort);
  if (host.empty() || !port || *port == 0) {
    throw Refusal{"--tcp: HOST:PORT expected, got \"" + text + "\""};
  }
  link.tcpHost = std::string(host);
  link.tcpPort = *port;
}

LinkOptions readLinkOptions(const OptionValues& options) {
  LinkOptions link;
  if (const std::string* tcp = single(options, "--tcp")) readTcp(*tcp, link);
  if (const std::string* serial = single(options, "--serial")) {
    if (link.tcpHost) throw Refusal{"--tcp and --serial exclude each other"};
    if (serial->empty()) throw Refusal{"--serial: COMn or a device path expected"};
    link.serial = *serial;
  }
  if (const std::string* phone = single(options, "--phone")) {
    if (link.tcpHost) throw Refusal{"--tcp and --phone exclude each other"};
    if (phone->empty()) throw Refusal{"--phone: a subscriber's name or a number expected"};
    link.phone = *phone;
  }
  if (const std::string* subscriber = single(options, "--subscriber")) {
    if (link.tcpHost || link.phone) throw Refusal{"--subscriber excludes --tcp and --phone"};
    if (subscriber->empty()) throw Refusal{"--subscriber: a subscriber's name expected"};
    link.subscriber = *subscriber;
  }
  link.baud = numberOption(options, "--baud");
  if (link.baud && link.tcpHost) throw Refusal{"--baud is for a serial line"};
  link.address = numberOption(options, "--address");
  link.preambles = numberOption(options, "--preambles");
  link.tries = numberOption(options, "--tries");
  link.firstByteS = numberOption(options, "--first-byte-s");
  link.nextByteMs = numberOption(options, "--next-byte-ms");
  link.tcpPauseMs = numberOption(options, "--tcp-pause-ms");
  if (link.tcpPauseMs && !link.tcpHost) throw Refusal{"--tcp-pause-ms is for a TCP link"};
  if (const std::string* user = single(options, "--user")) {
    if (!allDigits(*user) || user->size() > kMaxUserCodeDigits) {
      throw Refusal{"--user: a code of 1 to 4 digits expected"};
    }
    link.user = *user;
  }
  if (const std::string* password = single(options, "--password")) {
    if (!link.user) throw Refusal{"--password needs --user"};
    if (characterCount(*password) > kMaxPasswordChars) {
      throw Refusal{"--password: at most 12 characters"};
    }
    link.password = *password;
  }
  return link;
}

OutputEncoding readEncoding(const std::string& text) {
  const std::string lower = lowerAscii(text);
  if (lower == "utf-8" || lower == "utf8") return OutputEncoding::kUtf8;
  if (lower == "cp1251" || lower == "windows-1251") return OutputEncoding::kCp1251;
  throw Refusal{"--encoding: utf-8 or cp1251 expected, got \"" + text + "\""};
}

bool fitsShape(const std::string& text, std::string_view shape) {
  bool fits = text.size() == shape.size();
  for (std::size_t at = 0; fits && at < shape.size(); ++at) {
    const char want = shape[at];
    const char got = text[at];
    fits = want == 'd'   ? got >= '0' && got <= '9'
           : want == ' ' ? got == ' ' || got == 'T'
                         : got == want;
  }
  return fits;
}

// "YYYY-MM-DD HH:MM:SS" (a "T" may stand for the blank); with `shortForms` also "YYYY-MM-DD HH"
// and "YYYY-MM-DD", the rest zero.
DateTimeArgument readDateTime(const std::string& text, bool shortForms = false) {
  constexpr std::string_view kShape = "dddd-dd-dd dd:dd:dd";
  const bool fits = fitsShape(text, kShape) ||
                    (shortForms && (fitsShape(text, kShape.substr(0, 13)) ||
                                    fitsShape(text, kShape.substr(0, 10))));
  if (!fits) {
    throw Refusal{std::string("--period: \"YYYY-MM-DD HH:MM:SS\"") +
                  (shortForms ? ", \"YYYY-MM-DD HH\" or \"YYYY-MM-DD\"" : "") +
                  " expected, got \"" + text + "\""};
  }
  const auto part = [&](std::size_t at, std::size_t size) {
    if (at + size > text.size()) return 0;
    return *digitsNumber<int>(std::string_view(text).substr(at, size), INT_MAX);
  };
  return {part(0, 4), part(5, 2), part(8, 2), part(11, 2), part(14, 2), part(17, 2)};
}

// --save FILE, where given.
std::optional<std::string> readSaveFile(const OptionValues& options) {
  const std::string* save = single(options, "--save");
  if (save == nullptr) return std::nullopt;
  if (save->empty()) throw Refusal{"--save: a file name expected"};
  return *save;
}

ArchiveRequest readArchiveRequest(const OptionValues& options) {
  ArchiveRequest request;
  const int selections = static_cast<int>(options.count("--index") + options.count("--last") +
                                          options.count("--period"));
  if (selections != 1) {
    throw Refusal{"give one of --index FIRST COUNT, --last N, --period BEGIN END"};
  }
  if (const auto index = options.find("--index"); index != options.end()) {
    request.selection = RecordSelection::kIndex;
    request.indexFirst = index->second[0];
    request.indexCount = index->second[1];
    if (!allDigits(request.indexFirst) || !allDigits(request.indexCount)) {
      throw Refusal{"--index: two numbers expected"};
    }
  } else if (const std::string* last = single(options, "--last")) {
    request.selection = RecordSelection::kLast;
    const auto count = digitsNumber<std::uint32_t>(*last, UINT32_MAX);
    if (!count || *count == 0) throw Refusal{"--last: a number of records from 1 expected"};
    request.last = *count;
  } else {
    const std::vector<std::string>& period = options.find("--period")->second;
    request.selection = RecordSelection::kPeriod;
    request.begin = readDateTime(period[0]);
    request.end = readDateTime(period[1]);
  }
  request.saveFile = readSaveFile(options);
  return request;
}

bool readsHours(CommandName command) {
  return command == CommandName::kHour || command == CommandName::kMoistHour;
}

bool readsDays(CommandName command) {
  return command == CommandName::kDay || command == CommandName::kMoistDay;
}

bool readsChromRun(CommandName command) {
  return command == CommandName::kMeas || command == CommandName::kHour ||
         command == CommandName::kDay;
}

// The quick choices of the command's period dialog: the measurement-style dialog offers the last
// hour and day, the hourly one the last day, the daily one the last month.
std::vector<QuickChoice> quickChoicesOf(CommandName command) {
  if (readsHours(command)) return {kQuickChoices[1]};
  if (readsDays(command)) return {kQuickChoices[2]};
  return {kQuickChoices[0], kQuickChoices[1]};
}

PeriodRequest readPeriodRequest(const OptionValues& options, CommandName command) {
  const std::vector<QuickChoice> allowed = quickChoicesOf(command);
  std::string usage = "--period BEGIN END";
  PeriodRequest request;
  if (readsChromRun(command)) {
    const std::string* run = single(options, "--run");
    if (run == nullptr || (*run != "1" && *run != "2")) throw Refusal{"--run 1 or --run 2 expected"};
    request.run = *run == "1" ? 0 : 1;
  }
  int given = 0;
  if (const auto period = options.find("--period"); period != options.end()) {
    // The hourly and daily dialogs take hours or dates only.
    const bool shortForms = readsHours(command) || readsDays(command);
    request.begin = readDateTime(period->second[0], shortForms);
    request.end = readDateTime(period->second[1], shortForms);
    ++given;
  }
  for (const QuickChoice& quick : kQuickChoices) {
    const bool offered = std::any_of(allowed.begin(), allowed.end(), [&](const QuickChoice& a) {
      return a.option == quick.option;
    });
    if (offered) usage += ", " + std::string(quick.option);
    if (!options.contains(quick.option)) continue;
    if (!offered) throw Refusal{std::string(quick.option) + " is not a choice of this reading"};
    request.choice = quick.choice;
    ++given;
  }
  if (given != 1) throw Refusal{"give one of " + usage};
  request.saveFile = readSaveFile(options);
  return request;
}

SubscriberLists readLists(const OptionValues& options) {
  const std::string* lists = single(options, "--list");
  if (lists == nullptr || *lists == "both") return SubscriberLists::kBoth;
  if (*lists == "phone") return SubscriberLists::kPhone;
  if (*lists == "ethernet") return SubscriberLists::kEthernet;
  throw Refusal{"--list: phone, ethernet or both expected, got \"" + *lists + "\""};
}

std::vector<std::string> readKinds(const OptionValues& options) {
  std::vector<std::string> kinds;
  const std::string* text = single(options, "--kinds");
  if (text == nullptr) return kinds;
  std::string_view rest = *text;
  while (!rest.empty() || kinds.empty()) {
    const std::size_t comma = std::min(rest.find(','), rest.size());
    const std::string kind(rest.substr(0, comma));
    if (std::find(std::begin(kCollectKinds), std::end(kCollectKinds), kind) ==
        std::end(kCollectKinds)) {
      throw Refusal{"--kinds: unknown kind \"" + kind + "\" (diag, interv, meas, hour, day, " +
                    "moist-meas, moist-hour, moist-day, calib, verif)"};
    }
    if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) kinds.push_back(kind);
    rest.remove_prefix(std::min(comma + 1, rest.size()));
  }
  return kinds;
}

CollectRequest readCollectRequest(const OptionValues& options) {
  constexpr int kMaxJobs = 64;
  CollectRequest request;
  const std::string* out = single(options, "--out");
  if (out == nullptr || out->empty()) throw Refusal{"collect needs --out DIR"};
  request.outFolder = *out;
  request.lists = readLists(options);
  if (const auto only = options.find("--only"); only != options.end()) {
    for (const std::string& name : only->second) {
      if (name.empty()) throw Refusal{"--only: a subscriber's name expected"};
      request.only.push_back(name);
    }
  }
  request.kinds = readKinds(options);
  if (const std::string* since = single(options, "--since")) {
    if (!fitsShape(*since, "dddd-dd-dd")) {
      throw Refusal{"--since: \"YYYY-MM-DD\" expected, got \"" + *since + "\""};
    }
    request.since = readDateTime(*since, true);
  }
  if (const std::string* jobs = single(options, "--jobs")) {
    const auto count = digitsNumber<int>(*jobs, kMaxJobs);
    if (!count || *count == 0) throw Refusal{"--jobs: 1..64 expected"};
    request.jobs = *count;
  }
  return request;
}

// passport day|month --run 1|2 --date YYYY-MM-DD|YYYY-MM --object NAME [--out FILE].
PassportRequest readPassportRequest(const OptionValues& options,
                                    const std::vector<std::string>& arguments) {
  if (arguments.size() != 1 || (arguments[0] != "day" && arguments[0] != "month")) {
    throw Refusal{"passport: day or month expected"};
  }
  PassportRequest request;
  request.monthly = arguments[0] == "month";
  const std::string* run = single(options, "--run");
  if (run == nullptr || (*run != "1" && *run != "2")) throw Refusal{"--run 1 or --run 2 expected"};
  request.run = *run == "1" ? 0 : 1;
  const std::string* date = single(options, "--date");
  const std::string_view shape = request.monthly ? "dddd-dd" : "dddd-dd-dd";
  if (date == nullptr || !fitsShape(*date, shape)) {
    throw Refusal{request.monthly ? "--date YYYY-MM expected" : "--date YYYY-MM-DD expected"};
  }
  const auto part = [&](std::size_t at, std::size_t size) {
    return *digitsNumber<int>(std::string_view(*date).substr(at, size), INT_MAX);
  };
  request.year = part(0, 4);
  request.month = part(5, 2);
  if (!request.monthly) request.day = part(8, 2);
  const std::string* object = single(options, "--object");
  if (object == nullptr || object->empty()) throw Refusal{"--object NAME expected"};
  request.object = *object;
  if (const std::string* out = single(options, "--out")) {
    if (out->empty()) throw Refusal{"--out: a file name expected"};
    request.outFile = *out;
  }
  return request;
}

ClockAction readClockAction(const OptionValues& options) {
  const bool correct = options.contains("--correct");
  const bool set = options.contains("--set");
  if (correct && set) throw Refusal{"--correct and --set exclude each other"};
  if (correct) return ClockAction::kCorrect;
  return set ? ClockAction::kSet : ClockAction::kShow;
}

// The view of momentary and watch; --state only for watch.
LiveRequest readLiveRequest(const OptionValues& options, bool watch) {
  LiveRequest request;
  const bool state = options.contains("--state");
  const int views = static_cast<int>(options.count("--run") + options.count("--moisture") + state);
  if (views != 1 || (state && !watch)) {
    throw Refusal{watch ? "give one of --run 1|2, --moisture, --state"
                        : "give one of --run 1|2, --moisture"};
  }
  if (const std::string* run = single(options, "--run")) {
    if (*run != "1" && *run != "2") throw Refusal{"--run: 1 or 2 expected"};
    request.view = LiveView::kRun;
    request.run = *run == "1" ? 0 : 1;
  } else {
    request.view = state ? LiveView::kState : LiveView::kMoisture;
  }
  constexpr int kMaxInterval = 86400;
  if (const std::string* interval = single(options, "--interval")) {
    request.intervalS = digitsNumber<int>(*interval, kMaxInterval);
    if (!request.intervalS || *request.intervalS == 0) {
      throw Refusal{"--interval: seconds 1..86400 expected"};
    }
  }
  if (const std::string* count = single(options, "--count")) {
    request.count = digitsNumber<int>(*count, INT_MAX);
    if (!request.count || *request.count == 0) throw Refusal{"--count: a number from 1 expected"};
  }
  return request;
}

// users --change: the slot 0..15, the level and perhaps a new name.
std::optional<UserChangeRequest> readUserChange(const OptionValues& options) {
  const std::string* slot = single(options, "--change");
  const std::string* level = single(options, "--level");
  const std::string* name = single(options, "--name");
  if (!slot) {
    if (level || name) throw Refusal{"--level and --name need --change"};
    return std::nullopt;
  }
  constexpr int kSlots = 16;
  constexpr int kHighestLevel = 4;
  UserChangeRequest request;
  const std::optional<int> slotNumber = digitsNumber<int>(*slot, kSlots);
  if (!slotNumber || *slotNumber == 0) throw Refusal{"--change: a slot 1..16 expected"};
  request.slot = *slotNumber - 1;
  const std::optional<int> levelNumber = level ? digitsNumber<int>(*level, kHighestLevel) : std::nullopt;
  if (!levelNumber) throw Refusal{"--level: 0..4 expected"};
  request.level = *levelNumber;
  if (name) request.name = *name;
  return request;
}

CommandName commandNamed(std::string_view name) {
  for (const auto& [text, command] : kCommands) {
    if (text == name) return command;
  }
  throw Refusal{"unknown command \"" + std::string(name) + "\""};
}

bool readsByPeriod(CommandName command) {
  return readsChromRun(command) || command == CommandName::kMoistMeas ||
         command == CommandName::kMoistHour || command == CommandName::kMoistDay ||
         command == CommandName::kCalib || command == CommandName::kVerif;
}

constexpr std::string_view kReadingsByPeriod =
    "meas, hour, day, moist-meas, moist-hour, moist-day, calib, verif";

// Options that belong to one command only.
void refuseForeignOptions(const OptionValues& options, CommandName command) {
  const bool archive = command == CommandName::kDiag || command == CommandName::kInterv;
  const bool byPeriod = readsByPeriod(command);
  for (const char* name : {"--index", "--last"}) {
    if (!archive && options.contains(name)) {
      throw Refusal{std::string(name) + " is for diag and interv"};
    }
  }
  if (!archive && !byPeriod && options.contains("--period")) {
    throw Refusal{"--period is for diag, interv, " + std::string(kReadingsByPeriod)};
  }
  for (const QuickChoice& quick : kQuickChoices) {
    if (!byPeriod && options.contains(quick.option)) {
      throw Refusal{std::string(quick.option) + " is for " + std::string(kReadingsByPeriod)};
    }
  }
  if (!archive && !byPeriod && command != CommandName::kConfig && options.contains("--save")) {
    throw Refusal{"--save is for diag, interv, " + std::string(kReadingsByPeriod) + " and config"};
  }
  if (command != CommandName::kConfig && options.contains("--controller")) {
    throw Refusal{"--controller is for config diff"};
  }
  if (command != CommandName::kExport && options.contains("--xlsx")) {
    throw Refusal{"--xlsx is for export"};
  }
  for (const char* name : {"--param", "--png", "--size", "--config"}) {
    if (command != CommandName::kPlot && options.contains(name)) {
      throw Refusal{std::string(name) + " is for plot"};
    }
  }
  if (command != CommandName::kPrint && options.contains("--pdf")) {
    throw Refusal{"--pdf is for print"};
  }
  for (const char* name : {"--correct", "--set"}) {
    if (command != CommandName::kClock && options.contains(name)) {
      throw Refusal{std::string(name) + " is for clock"};
    }
  }
  const bool live = command == CommandName::kMomentary || command == CommandName::kWatch;
  if (!live && !readsChromRun(command) && command != CommandName::kShowParams &&
      command != CommandName::kPassport && options.contains("--run")) {
    throw Refusal{
        "--run is for momentary, watch, meas, hour, day, passport and show-params constants"};
  }
  for (const char* name : {"--date", "--object"}) {
    if (command != CommandName::kPassport && options.contains(name)) {
      throw Refusal{std::string(name) + " is for passport"};
    }
  }
  for (const char* name : {"--moisture", "--state"}) {
    if (!live && options.contains(name)) throw Refusal{std::string(name) + " is for momentary and watch"};
  }
  for (const char* name : {"--change", "--level", "--name"}) {
    if (command != CommandName::kUsers && options.contains(name)) {
      throw Refusal{std::string(name) + " is for users"};
    }
  }
  for (const char* name : {"--interval", "--count"}) {
    if (command != CommandName::kWatch && options.contains(name)) {
      throw Refusal{std::string(name) + " is for watch"};
    }
  }
  for (const char* name : {"--list", "--only", "--kinds", "--since", "--jobs"}) {
    if (command != CommandName::kCollect && options.contains(name)) {
      throw Refusal{std::string(name) + " is for collect"};
    }
  }
  if (command != CommandName::kCollect && command != CommandName::kPassport &&
      options.contains("--out")) {
    throw Refusal{"--out is for collect and passport"};
  }
  // collect takes its links from the address books.
  for (const char* name : {"--tcp", "--serial", "--phone", "--subscriber", "--address"}) {
    if (command == CommandName::kCollect && options.contains(name)) {
      throw Refusal{std::string(name) + " is not for collect: it reads the address books"};
    }
  }
}

// "W" "x" "H" with both within what a picture can sensibly be.
std::pair<int, int> readPlotSize(const std::string& text) {
  constexpr int kMinSide = 100;
  constexpr int kMaxSide = 10000;
  const std::string_view given = text;
  const std::size_t x = given.find('x');
  const auto width = digitsNumber<int>(given.substr(0, x), kMaxSide);
  const auto height =
      x == std::string::npos ? std::nullopt : digitsNumber<int>(given.substr(x + 1), kMaxSide);
  if (!width || !height || *width < kMinSide || *height < kMinSide) {
    throw Refusal{"--size: WIDTHxHEIGHT of 100..10000 pixels each expected, got \"" + text + "\""};
  }
  return {*width, *height};
}

PlotRequest readPlotRequest(const OptionValues& options) {
  PlotRequest plot;
  const std::string* names = single(options, "--param");
  if (names == nullptr || names->empty()) throw Refusal{"plot needs --param NAME[,NAME…]"};
  std::size_t from = 0;
  for (std::size_t comma; (comma = names->find(',', from)) != std::string::npos; from = comma + 1) {
    plot.parameters.push_back(names->substr(from, comma - from));
  }
  plot.parameters.push_back(names->substr(from));
  for (const std::string& name : plot.parameters) {
    if (name.empty()) throw Refusal{"--param: a parameter name between the commas expected"};
  }
  const std::string* png = single(options, "--png");
  if (png == nullptr || png->empty()) throw Refusal{"plot needs --png OUT.png"};
  plot.pngFile = *png;
  if (const std::string* size = single(options, "--size")) {
    std::tie(plot.width, plot.height) = readPlotSize(*size);
  }
  if (const std::string* config = single(options, "--config")) {
    if (config->empty()) throw Refusal{"--config: a configuration file expected"};
    plot.configFile = *config;
  }
  return plot;
}

// The run of "constants", 1 or 2; no other section takes one.
int readParameterRun(const OptionValues& options, std::string_view section) {
  const std::string* run = single(options, "--run");
  if (section != "constants") {
    if (run != nullptr) throw Refusal{"--run is for show-params constants"};
    return 0;
  }
  if (run == nullptr || (*run != "1" && *run != "2")) {
    throw Refusal{"show-params constants needs --run 1 or --run 2"};
  }
  return *run == "1" ? 1 : 2;
}

void expectArguments(const std::vector<std::string>& arguments, std::size_t min, std::size_t max,
                     std::string_view command) {
  if (arguments.size() < min || arguments.size() > max) {
    throw Refusal{"wrong number of arguments for " + std::string(command)};
  }
}

ConfigAction configActionNamed(std::string_view name) {
  for (const auto& [text, action] : kConfigActions) {
    if (text == name) return action;
  }
  throw Refusal{"config: read, show, new or diff expected, got \"" + std::string(name) + "\""};
}

// config read|new --save FILE, config show FILE, config diff A B, config diff FILE --controller.
ConfigRequest readConfigRequest(const Tokens& tokens, const std::vector<std::string>& arguments) {
  if (arguments.empty()) throw Refusal{"config: read, show, new or diff expected"};
  ConfigRequest request;
  request.action = configActionNamed(arguments[0]);
  request.files.assign(arguments.begin() + 1, arguments.end());
  request.againstController = tokens.options.contains("--controller");
  request.saveFile = readSaveFile(tokens.options);
  const bool saving = request.action == ConfigAction::kRead || request.action == ConfigAction::kNew;
  if (saving != request.saveFile.has_value()) {
    throw Refusal{saving ? "config " + arguments[0] + " needs --save FILE.cnf"
                         : "--save is for config read and config new"};
  }
  if (request.againstController && request.action != ConfigAction::kDiff) {
    throw Refusal{"--controller is for config diff"};
  }
  std::size_t files = 0;
  if (request.action == ConfigAction::kShow) files = 1;
  if (request.action == ConfigAction::kDiff) files = request.againstController ? 1 : 2;
  if (request.files.size() != files)
    throw Refusal{"wrong number of files for config " + arguments[0]};
  return request;
}

void readCommand(const Tokens& tokens, CliOptions& options) {
  if (tokens.positionals.empty()) throw Refusal{"no command given"};
  const std::string& name = tokens.positionals.front();
  options.command = commandNamed(name);
  const std::vector<std::string> arguments(tokens.positionals.begin() + 1,
                                           tokens.positionals.end());
  refuseForeignOptions(tokens.options, options.command);
  switch (options.command) {
    case CommandName::kIdentify:
      expectArguments(arguments, 0, 0, name);
      break;
    case CommandName::kReadTable:
      expectArguments(arguments, 1, 3, name);
      options.table = number("table", arguments[0]);
      if (arguments.size() > 1) options.firstField = number("first field", arguments[1]);
      if (arguments.size() > 2) options.fieldCount = number("field count", arguments[2]);
      break;
    case CommandName::kDiag:
    case CommandName::kInterv:
      expectArguments(arguments, 0, 0, name);
      options.archive = readArchiveRequest(tokens.options);
      break;
    case CommandName::kShow:
      expectArguments(arguments, 1, 1, name);
      options.file = arguments[0];
      break;
    case CommandName::kPrint:
      expectArguments(arguments, 1, 1, name);
      options.file = arguments[0];
      if (const std::string* pdf = single(tokens.options, "--pdf");
          pdf != nullptr && !pdf->empty()) {
        options.pdfFile = *pdf;
      } else {
        throw Refusal{"print needs --pdf OUT.pdf"};
      }
      break;
    case CommandName::kClock:
      expectArguments(arguments, 0, 0, name);
      options.clockAction = readClockAction(tokens.options);
      break;
    case CommandName::kShowParams:
      expectArguments(arguments, 1, 1, name);
      options.parameterSection = arguments[0];
      options.parameterRun = readParameterRun(tokens.options, options.parameterSection);
      break;
    case CommandName::kConfig:
      options.config = readConfigRequest(tokens, arguments);
      break;
    case CommandName::kUsers:
      expectArguments(arguments, 0, 0, name);
      options.userChange = readUserChange(tokens.options);
      break;
    case CommandName::kState:
      expectArguments(arguments, 0, 0, name);
      break;
    case CommandName::kMomentary:
    case CommandName::kWatch:
      expectArguments(arguments, 0, 0, name);
      options.live = readLiveRequest(tokens.options, options.command == CommandName::kWatch);
      break;
    case CommandName::kMeas:
    case CommandName::kHour:
    case CommandName::kDay:
    case CommandName::kMoistMeas:
    case CommandName::kMoistHour:
    case CommandName::kMoistDay:
    case CommandName::kCalib:
    case CommandName::kVerif:
      expectArguments(arguments, 0, 0, name);
      options.period = readPeriodRequest(tokens.options, options.command);
      break;
    case CommandName::kCollect:
      expectArguments(arguments, 0, 0, name);
      options.collect = readCollectRequest(tokens.options);
      break;
    case CommandName::kPlot:
      expectArguments(arguments, 1, 1, name);
      options.file = arguments[0];
      options.plot = readPlotRequest(tokens.options);
      break;
    case CommandName::kPassport:
      options.passport = readPassportRequest(tokens.options, arguments);
      break;
    case CommandName::kExport:
      expectArguments(arguments, 1, 1, name);
      options.file = arguments[0];
      if (const std::string* xlsx = single(tokens.options, "--xlsx");
          xlsx != nullptr && !xlsx->empty()) {
        options.xlsxFile = *xlsx;
      } else {
        throw Refusal{"export needs --xlsx OUT.xlsx"};
      }
      break;
  }
}

CliOptions readOptions(std::span<const std::string> arguments) {
  const Tokens tokens = splitTokens(arguments);
  CliOptions options;
  if (tokens.options.contains("--help") || tokens.options.contains("-h")) {
    options.help = true;
    return options;
  }
  options.link = readLinkOptions(tokens.options);
  if (const std::string* workdir = single(tokens.options, "--workdir")) {
    if (workdir->empty()) throw Refusal{"--workdir: a folder expected"};
    options.workdir = *workdir;
  }
  options.answerYes = tokens.options.contains("--yes");
  if (const std::string* encoding = single(tokens.options, "--encoding")) {
    options.encoding = readEncoding(*encoding);
  }
  readCommand(tokens, options);
  return options;
}

}  // namespace

ParsedArguments parseArguments(std::span<const std::string> arguments) {
  try {
    return {readOptions(arguments), {}};
  } catch (const Refusal& refusal) {
    return {std::nullopt, refusal.text};
  }
}

std::string_view helpText() {
  return kHelp;
}

std::string lowerAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace zvc::cli
