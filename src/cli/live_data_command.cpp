#include "cli/live_data_command.h"

#include <climits>
#include <ctime>
#include <thread>

#include "cli/controller_session.h"
#include "cli/exit_status.h"
#include "cli/interruption.h"
#include "core/link/kpsbox.h"
#include "core/tables/config_image.h"
#include "core/tables/controller_state.h"
#include "core/tables/momentary_data.h"
#include "core/tables/parameter_section.h"

namespace zvc::cli {
namespace {

constexpr int kMomentaryPeriodS = 10;
constexpr int kStatePeriodS = 1;
constexpr int kFailuresToGiveUp = 3;

// The tables of the image a view's rows are made of, read once before polling.
bool readViewTables(TableService& tables, const LiveRequest& request) {
  switch (request.view) {
    case LiveView::kRun:
      return instrumentLinkPresent(tables, Instrument::kChromatograph) &&
             ensureChromatographSerial(tables) && tables.readTableRange({14, 0, 16}) &&
             tables.readTableRange({1, 0, 20}) && tables.readNames();
    case LiveView::kMoisture:
      return instrumentLinkPresent(tables, Instrument::kMoistureMeter) &&
             tables.readTableRange({15, 0, TableCatalogue::table(15).fieldCount});
    case LiveView::kState:
      return tables.readTableRange({6, 0, TableCatalogue::table(6).fieldCount});
  }
  return false;
}

bool poll(TableService& tables, const LiveRequest& request) {
  switch (request.view) {
    case LiveView::kRun: return pollMomentary(tables, request.run);
    case LiveView::kMoisture: return pollMoisture(tables);
    case LiveView::kState: return pollControllerState(tables);
  }
  return false;
}

std::span<const std::uint8_t> dataHeader(const ConfigImage& image, const LiveRequest& request) {
  return image.table(request.view == LiveView::kRun ? momentaryRange(request.run).table
                                                    : kMoistureMomentaryRange.table);
}

// Rows as the view shows them; greyed rows are left out.
std::vector<std::vector<std::string>> viewRows(const ConfigImage& image,
                                               const LiveRequest& request) {
  std::vector<std::vector<std::string>> rows;
  if (request.view == LiveView::kRun) {
    const auto lines = momentaryLines(image, request.run, true);
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
      if (lines[i].enabled) rows.push_back({lines[i].label, lines[i].value, lines[i + 1].value});
    }
    return rows;
  }
  const auto lines =
      request.view == LiveView::kMoisture ? moistureLines(image) : controllerStateLines(image);
  for (const DataLine& line : lines) {
    if (line.enabled) rows.push_back({oneLineLabel(line.label), line.value});
  }
  return rows;
}

std::string joined(const std::vector<std::string>& cells, std::size_t from = 0) {
  std::string text;
  for (std::size_t i = from; i < cells.size(); ++i) text += (i == from ? "" : "\t") + cells[i];
  return text;
}

void printView(const ConfigImage& image, const LiveRequest& request, TextOutput& out) {
  if (request.view != LiveView::kState) {
    const std::string_view label =
        request.view == LiveView::kRun ? kLastPollLabel : kMoistureTimeLabel;
    out.line(std::string(label) + "\t" + momentaryDateTime(dataHeader(image, request)));
  }
  for (const auto& row : viewRows(image, request)) out.line(joined(row));
}

std::string now() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

// The values of one poll after the computer's time.
std::string watchLine(const ConfigImage& image, const LiveRequest& request) {
  std::string line = now();
  if (request.view != LiveView::kState) line += "\t" + momentaryDateTime(dataHeader(image, request));
  for (const auto& row : viewRows(image, request)) line += "\t" + joined(row, 1);
  return line;
}

// Waits a period in short steps so that Ctrl-C ends the wait at once.
void waitSeconds(int seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!interrupted() && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace

int LiveDataCommand::run(CommandContext& context) {
  const LiveRequest& request = request_;
  ControllerSession session(context.folder, context.frontend, context.errors);
  if (const int status = session.open(context.options.link); status != kExitSuccess) return status;
  TableService& tables = session.tables();
  if (!readViewTables(tables, request)) return kExitLinkFailed;
  if (!poll(tables, request)) {
    context.errors.line("status: " + std::string(tables.engine().ErrorText()));
    return kExitLinkFailed;
  }
  printView(session.image(), request, context.out);
  return kExitSuccess;
}

int WatchCommand::run(CommandContext& context) {
  const LiveRequest& request = request_;
  ControllerSession session(context.folder, context.frontend, context.errors);
  if (const int status = session.open(context.options.link); status != kExitSuccess) return status;
  TableService& tables = session.tables();
  if (!readViewTables(tables, request)) return kExitLinkFailed;
  const int period = request.intervalS.value_or(
      request.view == LiveView::kState ? kStatePeriodS : kMomentaryPeriodS);
  int failures = 0;
  int status = kExitSuccess;
  for (int polls = 0; !interrupted() && (!request.count || polls < *request.count); ++polls) {
    if (polls > 0) waitSeconds(period);
    if (interrupted()) break;
    if (poll(tables, request)) {
      failures = 0;
      context.out.line(watchLine(session.image(), request));
    } else {
      context.errors.line("status: " + std::string(tables.engine().ErrorText()));
      if (++failures == kFailuresToGiveUp) {
        status = kExitLinkFailed;
        break;
      }
    }
  }
  return status;
}

namespace {

constexpr int kMaxIntervalS = 86400;

void declareViewOptions(OptionDeclarations& options, bool watch) {
  options.value("--run", "1|2", "the momentary data of the chromatograph's run");
  options.flag("--moisture", "the moisture meter's momentary data");
  if (watch) {
    options.flag("--state", "the controller-state view");
  } else {
    // Known, so that it is refused with the views this command has.
    options.unlisted("--state");
  }
}

// The view of momentary and watch; --state only for watch.
LiveRequest readLiveRequest(const GivenArguments& given, bool watch) {
  LiveRequest request;
  const bool state = given.has("--state");
  const int views = static_cast<int>(given.has("--run") + given.has("--moisture") + state);
  if (views != 1 || (state && !watch)) {
    throw Refusal{watch ? "give one of --run 1|2, --moisture, --state"
                        : "give one of --run 1|2, --moisture"};
  }
  if (const std::string* run = given.single("--run")) {
    if (*run != "1" && *run != "2") throw Refusal{"--run: 1 or 2 expected"};
    request.view = LiveView::kRun;
    request.run = *run == "1" ? 0 : 1;
  } else {
    request.view = state ? LiveView::kState : LiveView::kMoisture;
  }
  if (const std::string* interval = given.single("--interval")) {
    request.intervalS = digitsNumber<int>(*interval, kMaxIntervalS);
    if (!request.intervalS || *request.intervalS == 0) {
      throw Refusal{"--interval: seconds 1..86400 expected"};
    }
  }
  if (const std::string* count = given.single("--count")) {
    request.count = digitsNumber<int>(*count, INT_MAX);
    if (!request.count || *request.count == 0) throw Refusal{"--count: a number from 1 expected"};
  }
  return request;
}

}  // namespace

CommandHelp LiveDataCommand::help() const {
  if (state_) {
    return {"state", "the controller-state view once", "state",
            "The controller-state view once as \"label<TAB>value\" lines."};
  }
  return {"momentary", "one poll of a momentary view", "momentary (--run 1|2 | --moisture)",
          "One poll of a momentary view: the time line, then\n"
          "\"parameter<TAB>value[<TAB>zone]\" per shown row."};
}

void LiveDataCommand::declare(OptionDeclarations& options) const {
  if (!state_) declareViewOptions(options, false);
  declareLinkOptions(options);
}

void LiveDataCommand::accept(const GivenArguments& given) {
  expectWords(given, 0, 0, help().name);
  if (state_) {
    request_ = {};
    request_.view = LiveView::kState;
  } else {
    request_ = readLiveRequest(given, false);
  }
}

CommandHelp WatchCommand::help() const {
  return {"watch", "poll a live view, one line per poll",
          "watch (--run 1|2 | --moisture | --state) [--interval S] [--count N]",
          "Polls every S seconds and prints one line per poll:\n"
          "\"YYYY-MM-DD HH:MM:SS<TAB>value<TAB>…\"; a failed poll goes to stderr, three in a\n"
          "row end with exit 1; Ctrl-C ends after the line in progress with exit 0."};
}

void WatchCommand::declare(OptionDeclarations& options) const {
  declareViewOptions(options, true);
  options.value("--interval", "S",
                "seconds between polls, 1..86400 (default 10 for momentary data, 1 for\n"
                "the state)");
  options.value("--count", "N", "stop after N polls (default: until Ctrl-C)");
  declareLinkOptions(options);
}

void WatchCommand::accept(const GivenArguments& given) {
  expectWords(given, 0, 0, "watch");
  request_ = readLiveRequest(given, true);
}

}  // namespace zvc::cli
