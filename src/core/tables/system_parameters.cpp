#include "core/tables/system_parameters.h"

#include "core/tables/text_catalogue.h"

namespace zvc {
namespace {

constexpr int kLastContractHour = 23;
constexpr int kDaysOfWeek = 7;
constexpr int kLongestMonth = 31;
constexpr std::uint8_t kChromatographAlwaysPresent = 1;

// The day-rule byte: bit 7 set = a weekday in the month (bits 3..5 the weekday 1..7, bit 6
// counted from the end, bits 0..1 the ordinal); clear = the day of the month in bits 0..6.
constexpr std::uint8_t kWeekdayRule = 0x80;
constexpr std::uint8_t kFromEnd = 0x40;
constexpr int kWeekdayShift = 3;
constexpr std::uint8_t kWeekdayBits = 0x07;
constexpr std::uint8_t kOrdinalBits = 0x03;
constexpr std::uint8_t kDayBits = 0x7F;

// The list's five ordinals: from the start 1, 2, 3; from the end 2 (last but one) and 1 (last).
struct Ordinal {
  bool fromEnd;
  int count;
};
constexpr Ordinal kOrdinals[] = {{false, 1}, {false, 2}, {false, 3}, {true, 2}, {true, 1}};

// Days the transition lists offer: February 28, the 31-day months of the two groups 31.
int transitionMonthDays(int month) {
  switch (month) {
    case 2:
      return 28;
    case 3:
    case 5:
    case 10:
    case 12:
      return 31;
    default:
      return 30;
  }
}

std::optional<int> ordinalEntry(std::uint8_t rule) {
  const Ordinal ordinal{(rule & kFromEnd) != 0, rule & kOrdinalBits};
  for (int entry = 0; entry < static_cast<int>(std::size(kOrdinals)); ++entry) {
    if (kOrdinals[entry].fromEnd == ordinal.fromEnd && kOrdinals[entry].count == ordinal.count) {
      return entry;
    }
  }
  return std::nullopt;
}

std::optional<int> monthEntry(const TransitionKind& kind, int month) {
  if (month == 0) return 0;
  const auto index = indexInRange(month, kind.firstMonth, kind.firstMonth + kTransitionMonths - 1);
  return index ? std::optional<int>(*index + 1) : std::nullopt;
}

TransitionInput transitionInput(const TransitionKind& kind, ConstSystemSection section) {
  TransitionInput input;
  input.month = monthEntry(kind, section[kind.monthField]);
  const std::uint8_t rule = section[kind.monthField + 1];
  input.byWeekday = (rule & kWeekdayRule) != 0;
  if (input.byWeekday) {
    input.ordinal = ordinalEntry(rule);
    input.weekday = indexInRange((rule >> kWeekdayShift) & kWeekdayBits, 1, kDaysOfWeek);
  } else {
    // Without a month the day waits for one; it must then fit that month.
    const bool monthChosen = input.month && *input.month != 0;
    const int days =
        monthChosen ? transitionMonthDays(transitionMonth(kind, *input.month)) : kLongestMonth;
    input.day = indexInRange(rule & kDayBits, 1, days);
  }
  input.hour = indexInRange(section[kind.monthField + 2], kind.firstHour, kind.lastHour);
  return input;
}

bool transitionComplete(const TransitionKind& kind, const TransitionInput& input) {
  if (!input.month) return false;
  if (*input.month == 0) return true;
  const int days = transitionMonthDays(transitionMonth(kind, *input.month));
  const bool dayGiven =
      input.byWeekday ? input.ordinal && input.weekday : input.day && *input.day < days;
  return dayGiven && input.hour;
}

void storeTransition(const TransitionKind& kind, const TransitionInput& input,
                     SystemSection section) {
  section[kind.monthField] = static_cast<std::uint8_t>(transitionMonth(kind, *input.month));
  if (*input.month == 0) return;  // the rule and hour wait for the transition to come back
  section[kind.monthField + 1] = dayRuleByte(input);
  section[kind.monthField + 2] = static_cast<std::uint8_t>(kind.firstHour + *input.hour);
}

void addTransitionLines(const TransitionKind& kind, const TransitionInput& input,
                        std::vector<ParameterLine>& lines) {
  const auto line = [&](std::string_view label, std::string value) {
    lines.push_back({groupedLabel(kind.caption, label), std::move(value)});
  };
  line(kTransitionMonthLabel, choiceText(transitionMonthTexts(kind), input.month));
  if (!input.month || *input.month == 0) return;
  line(kDayRuleKindLabel, std::string(kDayRuleKinds[input.byWeekday ? 1 : 0]));
  if (input.byWeekday) {
    line(kOrdinalLabel, choiceText(ordinalTexts(), input.ordinal));
    line(kWeekdayLabel, choiceText(weekdayTexts(), input.weekday));
  } else {
    line(kMonthDayLabel, choiceText(transitionDayTexts(kind, *input.month), input.day));
  }
  line(kTransitionHourLabel, choiceText(transitionHourTexts(kind), input.hour));
}

std::vector<std::string> catalogueTexts(int base, int first, int count) {
  std::vector<std::string> texts;
  for (int code = first; code < first + count; ++code) {
    texts.emplace_back(TextCatalogue::text(base, code));
  }
  return texts;
}

}  // namespace

std::vector<std::string> contractHourTexts() {
  return hourTexts(0, kLastContractHour);
}

std::vector<std::string> transitionMonthTexts(const TransitionKind& kind) {
  std::vector<std::string> texts = catalogueTexts(TextCatalogue::kMonthsNominative, 0, 1);
  for (const std::string& month :
       catalogueTexts(TextCatalogue::kMonthsNominative, kind.firstMonth, kTransitionMonths)) {
    texts.push_back(month);
  }
  return texts;
}

std::vector<std::string> transitionHourTexts(const TransitionKind& kind) {
  return hourTexts(kind.firstHour, kind.lastHour);
}

std::vector<std::string> transitionDayTexts(const TransitionKind& kind, int month) {
  if (month <= 0) return {};
  return numberTexts(1, transitionMonthDays(transitionMonth(kind, month)));
}

std::vector<std::string> ordinalTexts() {
  return catalogueTexts(TextCatalogue::kWeekdayOrdinals, 0, std::size(kOrdinals));
}

std::vector<std::string> weekdayTexts() {
  return catalogueTexts(TextCatalogue::kWeekdays, 0, kDaysOfWeek);
}

int transitionMonth(const TransitionKind& kind, int entry) {
  return entry == 0 ? 0 : kind.firstMonth + entry - 1;
}

std::uint8_t dayRuleByte(const TransitionInput& transition) {
  if (!transition.byWeekday) return static_cast<std::uint8_t>(transition.day.value_or(0) + 1);
  const Ordinal ordinal = kOrdinals[transition.ordinal.value_or(0)];
  return static_cast<std::uint8_t>(kWeekdayRule | (ordinal.fromEnd ? kFromEnd : 0) |
                                   ((transition.weekday.value_or(0) + 1) << kWeekdayShift) |
                                   ordinal.count);
}

SystemParametersInput systemParametersInput(ConstSystemSection section) {
  SystemParametersInput input;
  input.contractHour = indexInRange(section[kContractHourField], 0, kLastContractHour);
  input.moistureMeter = section[kMoistureMeterPresentField] != 0;
  input.flowComputers = section[kFlowComputersPresentField] != 0;
  input.summer = transitionInput(kSummerTransition, section);
  input.winter = transitionInput(kWinterTransition, section);
  return input;
}

std::optional<InputError> acceptSystemParameters(const SystemParametersInput& input,
                                                 SystemSection section) {
  if (!input.contractHour || !transitionComplete(kSummerTransition, input.summer) ||
      !transitionComplete(kWinterTransition, input.winter)) {
    return missingInput();
  }
  storeTransition(kSummerTransition, input.summer, section);
  storeTransition(kWinterTransition, input.winter, section);
  section[kContractHourField] = static_cast<std::uint8_t>(*input.contractHour);
  section[kChromatographPresentField] = kChromatographAlwaysPresent;
  section[kMoistureMeterPresentField] = input.moistureMeter ? 1 : 0;
  section[kFlowComputersPresentField] = input.flowComputers ? 1 : 0;
  return std::nullopt;
}

std::vector<ParameterLine> systemParameterLines(ConstSystemSection section) {
  const SystemParametersInput input = systemParametersInput(section);
  std::vector<ParameterLine> lines = {
      {std::string(kContractHourLabel), choiceText(contractHourTexts(), input.contractHour)},
      {std::string(kChromatographPresentLabel), std::string(checkText(true)), false},
      {std::string(kMoistureMeterPresentLabel), std::string(checkText(input.moistureMeter))},
      {std::string(kFlowComputersPresentLabel), std::string(checkText(input.flowComputers))},
  };
  addTransitionLines(kSummerTransition, input.summer, lines);
  addTransitionLines(kWinterTransition, input.winter, lines);
  return lines;
}

}  // namespace zvc
