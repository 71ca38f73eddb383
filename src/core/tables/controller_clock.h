#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/calendar.h"

namespace zvc {

class TableService;

// Table 2, the controller's clock: year (from 2000), month, day, hour, minute, second, weekday
// (1 = Sunday), time type.
inline constexpr std::size_t kClockBytes = 8;
using ClockTable = std::array<std::uint8_t, kClockBytes>;

inline constexpr std::uint8_t kSummerTime = 0;
inline constexpr std::uint8_t kWinterTime = 128;

// Summer (0) or winter (128) time at hour `hour` of the date, `year` counted from 2000, by the
// transition rules of table 6. When either transition month is 0 ("Переход запрещен") or not a
// month, there is no transition day to compute and it is winter time all year.
std::uint8_t timeType(int year, int month, int day, int hour,
                      std::span<const std::uint8_t, 12> table6);

// The table-2 form of a moment, with its weekday and time type.
ClockTable clockTable(const DateTime6& moment, std::span<const std::uint8_t, 12> table6);

// Seconds by which function 12 moves the controller clock `controller` towards `computer`:
// within the same hour the difference; otherwise only to the start of the controller's own hour
// (controller ahead) or of its next hour (controller behind).
std::int16_t clockCorrection(const DateTime6& controller, const DateTime6& computer);

inline constexpr std::string_view kClockCaption = "Текущие дата и время";
inline constexpr std::string_view kControllerColumn = "В контроллере";
inline constexpr std::string_view kComputerColumn = "В ЭВМ";
inline constexpr std::string_view kSyncForbidden =
    "Синхронизация времени контроллера с временем ЭВМ запрещена";
inline constexpr std::string_view kCorrectCaption = "Скорректировать в контроллере";
inline constexpr std::string_view kCorrectionDone = "Корректировка времени выполнена";

// One row of the date-and-time dialog; a controller value that differs is shown in red.
struct ClockRow {
  std::string_view label;
  std::string controller;
  std::string computer;
  bool differs = false;
};
std::vector<ClockRow> clockRows(const ClockTable& controller, const ClockTable& computer);

// The controller's clock as read, and the moment the reading ended (days since 1899-12-30).
struct ClockReading {
  ClockTable controller{};
  double readAt = 0;
};

// The controller's clock carried forward to `now`, so that it keeps running beside the
// computer's while the dialog is open. A clock that does not hold a valid date stays as read.
ClockTable controllerClockAt(const ClockReading& reading, const DateTime6& now);

// Table 7, table 6, then table 2. Nothing to show when a read failed, when table 6 is destroyed
// (a warning says so) or when table 2 is destroyed (then the computer time may be written).
std::optional<ClockReading> readControllerClock(TableService& tables);
// Asks, then writes the computer's time into table 2 with the image's transition rules.
bool writeComputerTime(TableService& tables);
// Table 6 of the image allows the controller to follow the computer's clock.
bool computerSyncAllowed(TableService& tables);
// Asks, then moves the controller clock towards the computer's with function 12; the outcome is
// shown in status panel 2.
bool correctControllerClock(TableService& tables, const ClockReading& reading);
// Function 12 alone: false with the engine's error line when the controller refuses.
bool sendClockCorrection(TableService& tables, std::int16_t seconds);

}  // namespace zvc
