#include "core/tables/controller_clock.h"

#include <algorithm>
#include <cmath>

#include "core/common/format.h"
#include "core/link/kpsbox.h"
#include "core/tables/config_image.h"
#include "core/tables/system_parameters.h"
#include "core/tables/table_service.h"
#include "core/tables/text_catalogue.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kClockTable = 2;
constexpr int kSystemTable = 6;
constexpr int kTableStateTable = 7;
constexpr int kTableStateFields = 14;

constexpr int kQuestion = 3;
constexpr int kWarning = 4;
constexpr int kExchangeResult = 5;

constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerDay = 86400;
constexpr int kDaysOfWeek = 7;

constexpr std::uint8_t kWeekdayRule = 0x80;
constexpr std::uint8_t kFromEnd = 0x40;

constexpr std::string_view kComputerClockQuestion =
    "Вы уверены, что часы ЭВМ показывают правильное время?";

// Day of the year on which a transition falls, by its month and day-rule byte; nothing when the
// month is none.
std::optional<int> transitionDay(int year, int month, std::uint8_t rule) {
  if (month < 1 || month > 12) return std::nullopt;
  if ((rule & kWeekdayRule) == 0) return dayOfYear(year, month, rule & 0x7F);
  const int wanted = (rule >> 3) & 0x07;
  const int ordinal = rule & 0x03;
  if ((rule & kFromEnd) != 0) {
    const int last = daysInMonth(year, month);
    int ahead = wanted - weekday(year, month, last);
    if (ahead <= 0) ahead += kDaysOfWeek;
    return dayOfYear(year, month, last) + ahead - kDaysOfWeek * ordinal;
  }
  int behind = weekday(year, month, 1) - wanted;
  if (behind <= 0) behind += kDaysOfWeek;
  return dayOfYear(year, month, 1) - behind + kDaysOfWeek * ordinal;
}

int secondsOfHour(const DateTime6& moment) {
  return moment.minute * 60 + moment.second;
}

bool sameHour(const DateTime6& a, const DateTime6& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour;
}

std::string weekdayText(int code) {
  const std::string_view text = TextCatalogue::text(TextCatalogue::kWeekdays, code - 1);
  return text.empty() ? "?" : std::string(text);
}

std::string timeTypeText(int code) {
  if (code == kSummerTime) return std::string(TextCatalogue::text(TextCatalogue::kTimeTypes, 0));
  if (code == kWinterTime) return std::string(TextCatalogue::text(TextCatalogue::kTimeTypes, 1));
  return "?";
}

std::span<const std::uint8_t, 12> systemTable(const ConfigImage& image) {
  return image.table(kSystemTable).first<12>();
}

}  // namespace

std::uint8_t timeType(int year, int month, int day, int hour,
                      std::span<const std::uint8_t, 12> table6) {
  const int fullYear = 2000 + year;
  const auto summer =
      transitionDay(fullYear, table6[kSummerMonthField], table6[kSummerDayRuleField]);
  const auto winter =
      transitionDay(fullYear, table6[kWinterMonthField], table6[kWinterDayRuleField]);
  if (!summer || !winter) return kWinterTime;
  const int today = dayOfYear(fullYear, month, day);
  const bool winterTime = today < *summer || today > *winter ||
                          (today == *summer && hour < table6[kSummerHourField]) ||
                          (today == *winter && hour >= table6[kWinterHourField]);
  return winterTime ? kWinterTime : kSummerTime;
}

ClockTable clockTable(const DateTime6& moment, std::span<const std::uint8_t, 12> table6) {
  return {moment.year,
          moment.month,
          moment.day,
          moment.hour,
          moment.minute,
          moment.second,
          static_cast<std::uint8_t>(weekday(moment.fullYear(), moment.month, moment.day)),
          timeType(moment.year, moment.month, moment.day, moment.hour, table6)};
}

std::int16_t clockCorrection(const DateTime6& controller, const DateTime6& computer) {
  if (sameHour(controller, computer)) {
    return static_cast<std::int16_t>(secondsOfHour(computer) - secondsOfHour(controller));
  }
  if (controller > computer) return static_cast<std::int16_t>(-secondsOfHour(controller));
  return static_cast<std::int16_t>(kSecondsPerHour - secondsOfHour(controller));
}

std::vector<ClockRow> clockRows(const ClockTable& controller, const ClockTable& computer) {
  const auto date = [](const ClockTable& t) { return format("%02d.%02d.%02d", t[2], t[1], t[0]); };
  const auto time = [](const ClockTable& t) { return format("%02d:%02d:%02d", t[3], t[4], t[5]); };
  std::vector<ClockRow> rows = {
      {"Дата", date(controller), date(computer)},
      {"Время", time(controller), time(computer)},
      {"День недели", weekdayText(controller[6]), weekdayText(computer[6])},
      {"Тип времени", timeTypeText(controller[7]), timeTypeText(computer[7])},
  };
  for (ClockRow& row : rows) row.differs = row.controller != row.computer;
  return rows;
}

ClockTable controllerClockAt(const ClockReading& reading, const DateTime6& now) {
  const DateTime6 read = DateTime6::fromBytes(reading.controller.data());
  if (!isValidDateTime(read)) return reading.controller;
  const double elapsedDays =
      std::round((dayCountFromDateTime(now) - reading.readAt) * kSecondsPerDay) / kSecondsPerDay;
  const DateTime6 moved = dateTimeFromDayCount(dayCountFromDateTime(read) + elapsedDays);
  ClockTable clock = reading.controller;
  moved.toBytes(clock.data());
  // The controller's own weekday moves on with the days passed, right or wrong.
  const int weekdayCode = clock[6];
  if (weekdayCode >= 1 && weekdayCode <= kDaysOfWeek) {
    const long days = daysBetween(read, moved);
    clock[6] = static_cast<std::uint8_t>(
        ((weekdayCode - 1 + days) % kDaysOfWeek + kDaysOfWeek) % kDaysOfWeek + 1);
  }
  return clock;
}

std::optional<ClockReading> readControllerClock(TableService& tables) {
  Frontend& frontend = tables.frontend();
  if (!tables.readTableRange({kTableStateTable, 0, kTableStateFields})) return std::nullopt;
  const auto destroyed = tables.image().table(kTableStateTable);
  if (destroyed[kSystemTable] != 0) {
    frontend.showMessage(kWarning, "Разрушена таблица системных параметров.",
                         "Информация о текущих дате и времени не может быть представлена");
    return std::nullopt;
  }
  if (!tables.readTableRange({kSystemTable, 0, kSystemParameterBytes})) return std::nullopt;
  if (destroyed[kClockTable] != 0) {
    if (frontend.showMessage(kQuestion, "Таблица даты и времени разрушена.",
                             "Воcстановить сейчас?")) {
      writeComputerTime(tables);
    }
    return std::nullopt;
  }
  if (!tables.readTableRange({kClockTable, 0, kClockBytes})) return std::nullopt;
  ClockReading reading;
  std::ranges::copy(tables.image().table(kClockTable), reading.controller.begin());
  reading.readAt = tables.engine().lastExchangeTime;
  return reading;
}

bool writeComputerTime(TableService& tables) {
  if (!tables.frontend().showMessage(kQuestion, "В контроллер будет записано время ЭВМ.",
                                     kComputerClockQuestion)) {
    return false;
  }
  ConfigImage& image = tables.image();
  const ClockTable now = clockTable(localNow(), systemTable(image));
  std::ranges::copy(now, image.table(kClockTable).begin());
  return tables.writeTableRange({kClockTable, 0, kClockBytes});
}

bool computerSyncAllowed(TableService& tables) {
  return tables.image().field(kSystemTable, kSyncWithComputerField)[0] != 0;
}

bool correctControllerClock(TableService& tables, const ClockReading& reading) {
  Frontend& frontend = tables.frontend();
  if (!frontend.showMessage(kQuestion, kComputerClockQuestion, "")) return false;
  const DateTime6 computer = localNow();
  const ClockTable controller = controllerClockAt(reading, computer);
  const bool corrected = sendClockCorrection(
      tables, clockCorrection(DateTime6::fromBytes(controller.data()), computer));
  if (corrected) {
    frontend.setStatus(kResultPanel, kCorrectionDone);
    frontend.startMessageTimer();
  } else {
    frontend.showMessage(kExchangeResult, "Корректировка времени не выполнена", "");
  }
  return corrected;
}

bool sendClockCorrection(TableService& tables, std::int16_t seconds) {
  const auto value = static_cast<std::uint16_t>(seconds);
  const std::uint8_t data[2] = {static_cast<std::uint8_t>(value & 0xFF),
                                static_cast<std::uint8_t>(value >> 8)};
  kpsbox& engine = tables.engine();
  if (engine.Command(kpsbox::kCorrectClock, data, sizeof data, 0)) return true;
  tables.frontend().setStatus(kResultPanel, engine.ErrorText());
  tables.frontend().startMessageTimer();
  return false;
}

}  // namespace zvc
