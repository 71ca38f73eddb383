#include "core/tables/system_parameters.h"

#include <gtest/gtest.h>

#include <array>

namespace zvc {
namespace {

using Table6 = std::array<std::uint8_t, 12>;

// The default configuration: last Sunday of March 03:00 and of October 04:00, contract hour 9,
// flow computers present, synchronised with the computer.
constexpr Table6 kDefault = {3, 0xC9, 3, 10, 0xC9, 4, 9, 1, 0, 1, 0, 1};

TEST(SystemParameters, OpensWithTheStoredChoices) {
  const SystemParametersInput input = systemParametersInput(kDefault);
  EXPECT_EQ(input.contractHour, 9);
  EXPECT_FALSE(input.moistureMeter);
  EXPECT_TRUE(input.flowComputers);
  EXPECT_EQ(input.summer, (TransitionInput{2, true, std::nullopt, 4, 0, 3}));
  EXPECT_EQ(input.winter, (TransitionInput{2, true, std::nullopt, 4, 0, 3}));
  EXPECT_EQ(transitionMonthTexts(kSummerTransition),
            (std::vector<std::string>{"Переход запрещен", "Февраль", "Март", "Апрель", "Май"}));
  EXPECT_EQ(
      transitionMonthTexts(kWinterTransition),
      (std::vector<std::string>{"Переход запрещен", "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"}));
  EXPECT_EQ(transitionHourTexts(kSummerTransition).front(), "0:00");
  EXPECT_EQ(transitionHourTexts(kSummerTransition).back(), "22:00");
  EXPECT_EQ(transitionHourTexts(kWinterTransition).front(), "1:00");
  EXPECT_EQ(transitionHourTexts(kWinterTransition).back(), "23:00");
  EXPECT_EQ(ordinalTexts().back(), "Последний");
  EXPECT_EQ(weekdayTexts().front(), "Воскресенье");
}

TEST(SystemParameters, DayListsFitTheTransitionMonth) {
  const struct {
    const TransitionKind& kind;
    int entry;
    std::size_t days;
  } cases[] = {{kSummerTransition, 1, 28}, {kSummerTransition, 2, 31}, {kSummerTransition, 3, 30},
               {kSummerTransition, 4, 31}, {kWinterTransition, 1, 30}, {kWinterTransition, 2, 31},
               {kWinterTransition, 3, 30}, {kWinterTransition, 4, 31}, {kWinterTransition, 0, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(transitionDayTexts(c.kind, c.entry).size(), c.days) << c.kind.caption << c.entry;
  }
}

// Each case: an edit of the opened input and either the refusal or the bytes stored.
TEST(SystemParameters, ConfirmChecksThenStoresAllTwelveFields) {
  struct Case {
    const char* what;
    void (*edit)(SystemParametersInput&);
    std::optional<Table6> stored;  // nothing: refused with "Введены не все параметры"
  };
  const Case cases[] = {
      {"unchanged", [](SystemParametersInput&) {}, kDefault},
      {"no contract hour", [](SystemParametersInput& in) { in.contractHour.reset(); },
       std::nullopt},
      {"meters and contract hour",
       [](SystemParametersInput& in) {
         in.contractHour = 23;
         in.moistureMeter = true;
         in.flowComputers = false;
       },
       Table6{3, 0xC9, 3, 10, 0xC9, 4, 23, 1, 1, 0, 0, 1}},
      {"summer on the second Sunday of April at 2:00",
       [](SystemParametersInput& in) { in.summer = {3, true, std::nullopt, 1, 0, 2}; },
       Table6{4, 0x8A, 2, 10, 0xC9, 4, 9, 1, 0, 1, 0, 1}},
      {"winter on 30 November at 23:00",
       [](SystemParametersInput& in) {
         in.winter = {3, false, 29, std::nullopt, std::nullopt, 22};
       },
       Table6{3, 0xC9, 3, 11, 30, 23, 9, 1, 0, 1, 0, 1}},
      {"summer forbidden: the rule and the hour stay",
       [](SystemParametersInput& in) { in.summer.month = 0; },
       Table6{0, 0xC9, 3, 10, 0xC9, 4, 9, 1, 0, 1, 0, 1}},
      {"forbidden and back again",
       [](SystemParametersInput& in) {
         in.summer.month = 0;
         in.summer.month = 2;
       },
       kDefault},
      {"a weekday without its ordinal",
       [](SystemParametersInput& in) { in.winter.ordinal.reset(); }, std::nullopt},
      {"a day of the month not chosen",
       [](SystemParametersInput& in) {
         in.summer.byWeekday = false;
         in.summer.day.reset();
       },
       std::nullopt},
      {"the 31st in April",
       [](SystemParametersInput& in) { in.summer = {3, false, 30, {}, {}, 3}; }, std::nullopt},
      {"no transition hour", [](SystemParametersInput& in) { in.winter.hour.reset(); },
       std::nullopt},
  };
  for (const Case& c : cases) {
    Table6 section = kDefault;
    section[7] = 0;  // the chromatograph is always there, whatever the table said
    SystemParametersInput input = systemParametersInput(section);
    c.edit(input);
    const auto error = acceptSystemParameters(input, section);
    if (c.stored) {
      EXPECT_EQ(error, std::nullopt) << c.what;
      EXPECT_EQ(section, *c.stored) << c.what;
    } else {
      EXPECT_EQ(error, (InputError{"Введены не все параметры", ""})) << c.what;
    }
  }
}

TEST(SystemParameters, StoredValuesOutsideTheListsShowNoChoice) {
  const Table6 odd = {7, 0x80, 23, 10, 31, 0, 24, 1, 2, 0, 0, 1};
  const SystemParametersInput input = systemParametersInput(odd);
  EXPECT_EQ(input.contractHour, std::nullopt);
  EXPECT_EQ(input.moistureMeter, true);
  EXPECT_EQ(input.summer.month, std::nullopt);  // July is no summer-transition month
  EXPECT_EQ(input.summer.ordinal, std::nullopt);
  EXPECT_EQ(input.summer.weekday, std::nullopt);
  EXPECT_EQ(input.summer.hour, std::nullopt);  // summer hours end at 22
  EXPECT_EQ(input.winter.day, 30);             // 31 October
  EXPECT_EQ(input.winter.hour, std::nullopt);  // winter hours start at 1
}

TEST(SystemParameters, LinesShowWhatTheDialogShows) {
  Table6 section = kDefault;
  section[3] = 0;  // no winter transition
  const auto lines = systemParameterLines(section);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Контрактный час", "9:00"},
      {"Наличие подключенного хроматографа", "Да"},
      {"Наличие подключенного влагомера", "Нет"},
      {"Наличие подключенных ВРГ", "Да"},
      {"Переход на летнее время: Месяц перехода", "Март"},
      {"Переход на летнее время: Способ задания дня перехода", "День недели в месяце"},
      {"Переход на летнее время: Номер \"дня недели\" в месяце", "Последний"},
      {"Переход на летнее время: День недели", "Воскресенье"},
      {"Переход на летнее время: Час перехода", "3:00"},
      {"Переход на зимнее время: Месяц перехода", "Переход запрещен"},
  };
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t at = 0; at < lines.size(); ++at) {
    EXPECT_EQ(lines[at].label, expected[at].first);
    EXPECT_EQ(lines[at].value, expected[at].second);
  }
}

}  // namespace
}  // namespace zvc
