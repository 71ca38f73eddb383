#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/tables/parameter_section.h"
#include "core/ui/input_error.h"

namespace zvc {

// Table 6, the system parameters: the summer- and winter-time transitions (month, day rule,
// hour), the contract hour, which instruments are connected and the clock synchronisation.
inline constexpr std::size_t kSystemParameterBytes = 12;
using SystemSection = std::span<std::uint8_t, kSystemParameterBytes>;
using ConstSystemSection = std::span<const std::uint8_t, kSystemParameterBytes>;

enum SystemField : std::size_t {
  kSummerMonthField = 0,
  kSummerDayRuleField = 1,
  kSummerHourField = 2,
  kWinterMonthField = 3,
  kWinterDayRuleField = 4,
  kWinterHourField = 5,
  kContractHourField = 6,
  kChromatographPresentField = 7,
  kMoistureMeterPresentField = 8,
  kFlowComputersPresentField = 9,
  kSyncWithFlowComputerField = 10,
  kSyncWithComputerField = 11,
};

inline constexpr std::string_view kSystemParametersCaption = "Системные параметры контроллера";
inline constexpr std::string_view kContractHourLabel = "Контрактный час";
inline constexpr std::string_view kChromatographPresentLabel = "Наличие подключенного хроматографа";
inline constexpr std::string_view kMoistureMeterPresentLabel = "Наличие подключенного влагомера";
inline constexpr std::string_view kFlowComputersPresentLabel = "Наличие подключенных ВРГ";
inline constexpr std::string_view kTransitionMonthLabel = "Месяц перехода";
inline constexpr std::string_view kDayRuleKindLabel = "Способ задания дня перехода";
inline constexpr std::array<std::string_view, 2> kDayRuleKinds = {"День месяца (число)",
                                                                  "День недели в месяце"};
inline constexpr std::string_view kMonthDayLabel = "День в месяце";
inline constexpr std::string_view kOrdinalLabel = "Номер \"дня недели\" в месяце";
inline constexpr std::string_view kWeekdayLabel = "День недели";
inline constexpr std::string_view kTransitionHourLabel = "Час перехода";

// One of the two transitions: the months it may fall in and its hours.
struct TransitionKind {
  std::string_view caption;
  int firstMonth;  // list entry 1; entry 0 is "Переход запрещен"
  int firstHour;
  int lastHour;
  std::size_t monthField;  // then the day rule and the hour
};
inline constexpr TransitionKind kSummerTransition{" Переход на летнее время ", 2, 0, 22,
                                                  kSummerMonthField};
inline constexpr TransitionKind kWinterTransition{" Переход на зимнее время ", 9, 1, 23,
                                                  kWinterMonthField};
inline constexpr int kTransitionMonths = 4;

// A transition as its group of the dialog shows it; lists give their entry index or nothing.
struct TransitionInput {
  std::optional<int> month;  // 0 "Переход запрещен", 1..4 the months from firstMonth
  bool byWeekday = false;  // "День недели в месяце" rather than "День месяца (число)"
  std::optional<int> day;      // day of the month - 1
  std::optional<int> ordinal;  // "Первый", "Второй", "Третий", "Предпоследний", "Последний"
  std::optional<int> weekday;  // 0 = Sunday .. 6 = Saturday
  std::optional<int> hour;     // hour - firstHour
  bool operator==(const TransitionInput&) const = default;
};

struct SystemParametersInput {
  std::optional<int> contractHour;  // the hour itself
  bool moistureMeter = false;
  bool flowComputers = false;
  TransitionInput summer;
  TransitionInput winter;
  bool operator==(const SystemParametersInput&) const = default;
};

// List entries.
std::vector<std::string> contractHourTexts();
std::vector<std::string> transitionMonthTexts(const TransitionKind& kind);
std::vector<std::string> transitionHourTexts(const TransitionKind& kind);
// Days 1..N of the month of entry `month` (0 = no transition: none).
std::vector<std::string> transitionDayTexts(const TransitionKind& kind, int month);
std::vector<std::string> ordinalTexts();
std::vector<std::string> weekdayTexts();

// The month an entry of the transition's month list stands for; 0 for "Переход запрещен".
int transitionMonth(const TransitionKind& kind, int entry);

SystemParametersInput systemParametersInput(ConstSystemSection section);
// Stores every field but the synchronisation switches; a transition set to "Переход запрещен"
// keeps its day rule and hour. Chosen transitions need every list of their group.
std::optional<InputError> acceptSystemParameters(const SystemParametersInput& input,
                                                 SystemSection section);

std::vector<ParameterLine> systemParameterLines(ConstSystemSection section);

// The day-rule byte: a day of the month, or a weekday counted from the start or the end.
std::uint8_t dayRuleByte(const TransitionInput& transition);

}  // namespace zvc
