#include "sim/sim_faults.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string_view>

#include "core/common/format.h"

namespace zvc::sim {
namespace {

// Noise that never contains the answer start byte 0x33.
constexpr std::uint8_t kStrayPattern[] = {0x00, 0x5A, 0xCC, 0xFE, 0x13, 0xA5};

std::vector<std::string> splitWords(std::string_view line) {
  std::istringstream stream{std::string(line)};
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

std::optional<int> number(const std::string& word, int minimum, int maximum) {
  const auto value = parseInteger(word);
  if (!value || *value < minimum || *value > maximum) return std::nullopt;
  return int(*value);
}

// "*", "N" or "N-M"
bool parseWhen(const std::string& word, int& first, int& last) {
  if (word == "*") {
    first = 1;
    last = INT32_MAX;
    return true;
  }
  const auto dash = word.find('-');
  const auto from = number(word.substr(0, dash), 1, INT32_MAX);
  const auto to = dash == std::string::npos ? from : number(word.substr(dash + 1), 1, INT32_MAX);
  if (!from || !to || *to < *from) return false;
  first = *from;
  last = *to;
  return true;
}

// Fills one request fault from KIND [ARGS]; an empty result means the words were fine.
std::string parseAnswerFault(const std::vector<std::string>& words, AnswerFaults& faults) {
  const std::string& kind = words[0];
  const std::size_t args = words.size() - 1;
  const auto argument = [&](std::size_t i, int minimum, int maximum) {
    return i <= args ? number(words[i], minimum, maximum) : std::nullopt;
  };
  static constexpr std::string_view kFlags[] = {"silent", "badcrc", "swapcrc",
                                                "range",  "twice",  "late"};
  if (std::find(std::begin(kFlags), std::end(kFlags), kind) != std::end(kFlags) && args == 0) {
    faults.silent |= kind == "silent";
    faults.badChecksum |= kind == "badcrc";
    faults.swappedChecksum |= kind == "swapcrc";
    faults.wrongRange |= kind == "range";
    faults.twice |= kind == "twice";
    faults.late |= kind == "late";
    return {};
  }
  if ((kind == "delay" || kind == "cut" || kind == "stray") && args == 1) {
    const auto value = argument(1, 0, 600000);
    if (!value) return "a number is expected after " + kind;
    if (kind == "delay") faults.delayMs = *value;
    if (kind == "cut") faults.cutAfter = *value;
    if (kind == "stray") faults.strayBytes = std::min(*value, 200);
    return {};
  }
  if (kind == "error" && (args == 1 || args == 2)) {
    const auto code = argument(1, 0, 255);
    const auto table = args == 2 ? argument(2, 0, 255) : std::optional<int>(0);
    if (!code || !table) return "error CODE [TABLE] expects numbers 0..255";
    faults.errorCode = std::uint8_t(*code);
    faults.errorTable = std::uint8_t(*table);
    return {};
  }
  return "unknown request fault: " + kind;
}

}  // namespace

bool FaultPlan::addLine(std::string_view line, std::string& error) {
  auto words = splitWords(line.substr(0, line.find('#')));
  if (words.empty()) return true;
  Rule rule{};
  if (!parseWhen(words[0], rule.first, rule.last)) return addRunFault(words, error);
  words.erase(words.begin());
  if (words.empty()) {
    error = "a fault is expected after the request number";
    return false;
  }
  error = parseAnswerFault(words, rule.faults);
  if (!error.empty()) return false;
  rules_.push_back(rule);
  return true;
}

bool FaultPlan::addRunFault(const std::vector<std::string>& words, std::string& error) {
  const std::string& kind = words[0];
  if (words.size() == 1) {
    if (kind == "version14") {
      run_.version14 = true;
    } else if (kind == "archive-error-flag") {
      run_.archives.archiveErrorFlag = true;
    } else if (kind == "records-outside-period") {
      run_.archives.recordsOutsidePeriod = true;
    } else if (kind == "hourly-gap") {
      run_.archives.hourlyGap = true;
    } else if (kind == "corrupt-records") {
      run_.archives.corruptRecords = true;
    } else if (kind == "unmeasured-day") {
      run_.archives.unmeasuredDay = true;
    } else if (kind == "moisture-gap") {
      run_.archives.moistureGap = true;
    } else if (kind == "moisture-lag") {
      run_.archives.moistureLag = true;
    } else {
      error = "unknown fault: " + kind;
    }
    return error.empty();
  }
  // Table 7 holds the states of the others, table 0 names the destroyed one: neither can be.
  const int table = number(words[1], 1, 46).value_or(0);
  const int series = number(words[1], 1, 100000).value_or(0);
  if (words.size() == 2 && kind == "destroyed" && table != 0 && table != 7 &&
      TableCatalogue::hasFields(table)) {
    run_.destroyedTable = table;
  } else if (words.size() == 2 && kind == "long-series" && series != 0) {
    run_.archives.longSeries = series;
  } else if (words.size() == 2 && kind == "early-answer" &&
             (words[1] == "once" || words[1] == "every")) {
    run_.archives.earlyAnswer = words[1] == "once" ? EarlyAnswer::kOnce : EarlyAnswer::kEvery;
  } else {
    error = "unknown fault or bad argument: " + kind + " " + words[1];
  }
  return error.empty();
}

bool FaultPlan::loadScenario(const std::string& path, std::string& error) {
  std::ifstream file(path);
  if (!file) {
    error = "cannot read " + path;
    return false;
  }
  int lineNumber = 0;
  for (std::string line; std::getline(file, line);) {
    ++lineNumber;
    if (!addLine(line, error)) {
      error = format("%s:%d: %s", path.c_str(), lineNumber, error.c_str());
      return false;
    }
  }
  return true;
}

AnswerFaults FaultPlan::forRequest(int number) const {
  AnswerFaults merged;
  for (const Rule& rule : rules_) {
    if (number < rule.first || number > rule.last) continue;
    const AnswerFaults& f = rule.faults;
    merged.silent |= f.silent;
    merged.delayMs += f.delayMs;
    if (f.cutAfter >= 0) merged.cutAfter = f.cutAfter;
    merged.strayBytes += f.strayBytes;
    merged.badChecksum |= f.badChecksum;
    merged.swappedChecksum |= f.swappedChecksum;
    if (f.errorCode) {
      merged.errorCode = f.errorCode;
      merged.errorTable = f.errorTable;
    }
    merged.wrongRange |= f.wrongRange;
    merged.twice |= f.twice;
    merged.late |= f.late;
  }
  return merged;
}

void misechoRange(Reply& reply, std::uint8_t requestFunction) {
  const bool tableAnswer = requestFunction == 1 || requestFunction == 2;
  if (tableAnswer && !reply.refused() && reply.payload.size() >= 4) ++reply.payload[2];
}

Bytes damageAnswer(Bytes frame, const AnswerFaults& faults, std::uint8_t preambleCount) {
  const std::size_t size = frame.size();
  if (faults.swappedChecksum) std::swap(frame[size - 2], frame[size - 1]);
  if (faults.badChecksum) frame[size - 1] ^= 0x5A;
  if (faults.cutAfter >= 0 && std::size_t(faults.cutAfter) < size) frame.resize(faults.cutAfter);

  Bytes wire;
  for (int i = 0; i < faults.strayBytes; ++i) {
    wire.push_back(kStrayPattern[i % std::size(kStrayPattern)]);
  }
  wire.insert(wire.end(), preambleCount, 0xFF);
  wire.insert(wire.end(), frame.begin(), frame.end());
  if (faults.twice) {
    const Bytes once = wire;
    wire.insert(wire.end(), once.begin(), once.end());
  }
  return wire;
}

}  // namespace zvc::sim
