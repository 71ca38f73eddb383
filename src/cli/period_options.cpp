#include "cli/period_options.h"

namespace zvc::cli {
namespace {

struct QuickChoice {
  const char* option;
  PeriodChoice choice;
  const char* what;
};
constexpr QuickChoice kQuickChoices[] = {
    {"--last-hour", PeriodChoice::kLastHour, "the last hour"},
    {"--last-day", PeriodChoice::kLastDay, "the last day"},
    {"--last-month", PeriodChoice::kLastMonth, "the last month"},
};

// The measurement-style dialog offers the last hour and day, the hourly one the last day, the
// daily one the last month.
bool offers(PeriodUnit unit, PeriodChoice choice) {
  switch (unit) {
    case PeriodUnit::kMeasurement:
      return choice == PeriodChoice::kLastHour || choice == PeriodChoice::kLastDay;
    case PeriodUnit::kHour:
      return choice == PeriodChoice::kLastDay;
    case PeriodUnit::kDay:
      return choice == PeriodChoice::kLastMonth;
  }
  return false;
}

}  // namespace

void declarePeriodOptions(OptionDeclarations& options, const PeriodReading& reading) {
  const bool measurement = reading.unit == PeriodUnit::kMeasurement;
  if (reading.ofRun) options.value("--run", "1|2", "the chromatograph's run");
  options.value("--period", "BEGIN END",
                measurement ? "the records from BEGIN to END, each as \"YYYY-MM-DD HH:MM:SS\""
                            : "the records from BEGIN to END, each as \"YYYY-MM-DD HH:MM:SS\",\n"
                              "\"YYYY-MM-DD HH\" or \"YYYY-MM-DD\"",
                2);
  const std::string clock = measurement ? "computer's" : "controller's";
  for (const QuickChoice& quick : kQuickChoices) {
    if (offers(reading.unit, quick.choice)) {
      options.flag(quick.option, std::string(quick.what) +
                                     " (the period dialog's quick choice, by the\n" + clock +
                                     " clock)");
    } else {
      // Known, so that it is refused as no choice of this reading.
      options.unlisted(quick.option);
    }
  }
  options.value("--save", "FILE",
                "save the records in the program's file (\"" + std::string(reading.extension) +
                    "\" appended to a name\n"
                    "without extension; an existing file is replaced only with --yes);\n"
                    "without --save they are printed as `show` prints that file");
}

PeriodRequest readPeriodRequest(const GivenArguments& given, const PeriodReading& reading) {
  PeriodRequest request;
  if (reading.ofRun) request.run = readRun(given);
  int choices = 0;
  if (given.has("--period")) {
    // The hourly and daily dialogs take hours or dates only.
    const bool shortForms = reading.unit != PeriodUnit::kMeasurement;
    const std::vector<std::string> period = given.values("--period");
    request.begin = readDateTime(period[0], shortForms);
    request.end = readDateTime(period[1], shortForms);
    ++choices;
  }
  for (const QuickChoice& quick : kQuickChoices) {
    if (!given.has(quick.option)) continue;
    if (!offers(reading.unit, quick.choice)) {
      throw Refusal{std::string(quick.option) + " is not a choice of this reading"};
    }
    request.choice = quick.choice;
    ++choices;
  }
  if (choices != 1) throw Refusal{"give one of " + periodChoices(reading, ", ")};
  request.saveFile = readSaveFile(given);
  return request;
}

std::string periodChoices(const PeriodReading& reading, std::string_view separator) {
  std::string choices = "--period BEGIN END";
  for (const QuickChoice& quick : kQuickChoices) {
    if (offers(reading.unit, quick.choice)) choices += std::string(separator) + quick.option;
  }
  return choices;
}

}  // namespace zvc::cli
