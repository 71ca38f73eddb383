#include "core/archives/status_flags.h"

#include <gtest/gtest.h>

namespace zvc {
namespace {

using Lines = std::vector<std::string>;

TEST(StatusFlags, MeasurementRecordListsSetBitsAndChromatographState) {
  EXPECT_EQ(
      statusFlagsLines(StatusFlagsMode::kMeasurementRecord, 0, 0),
      (Lines{"  Статус контроллера: 0x00", "Норма", "  Код состояния хроматографа: 0", "Норма"}));
  EXPECT_EQ(
      statusFlagsLines(StatusFlagsMode::kMeasurementRecord, 0x99, 5),
      (Lines{"  Статус контроллера: 0x99", "Бит 0: Признак не используется",
             "Есть значения превышающие предупр. уставки",
             "Есть значения превышающие авар. уставки", "Бит 7: Признак не используется",
             "  Код состояния хроматографа: 5", "Неверная команда для датчика PTH драйвера I2C"}));
  EXPECT_EQ(statusFlagsLines(StatusFlagsMode::kMeasurementRecord, 0x44, 199),
            (Lines{"  Статус контроллера: 0x44", "Не было связи с влагомером",
                   "Бит 6: Признак не используется", "  Код состояния хроматографа: 199",
                   "Состояние ?"}));
}

TEST(StatusFlags, NoChromatographStateWhileOffOrUnlinked) {
  EXPECT_EQ(statusFlagsLines(StatusFlagsMode::kMeasurementRecord, 0x22, 5),
            (Lines{"  Статус контроллера: 0x22", "Контроллер был выключен",
                   "Не было связи с хроматографом"}));
  EXPECT_EQ(statusFlagsLines(StatusFlagsMode::kMeasurementRecord, 0x02, 5).size(), 2u);
  EXPECT_EQ(statusFlagsLines(StatusFlagsMode::kMeasurementRecord, 0x20, 5).size(), 2u);
}

TEST(StatusFlags, HourlyOrDailyRecordShowsOnlyItsFiveBits) {
  EXPECT_EQ(statusFlagsLines(StatusFlagsMode::kHourlyOrDailyRecord, 0xFF, 5),
            (Lines{"  Статус контроллера: 0xFF", "Нет данных - контроллер был выключен",
                   "Использовалась ЗПЗ - был нештатный режим работы хроматографа",
                   "Использовалась ЗПЗ - значение выходило за допускаемые пределы",
                   "Использовалась ЗПЗ - не было связи с HMU",
                   "Использовалась ЗПЗ - хроматограф не обновил данные"}));
  EXPECT_EQ(statusFlagsLines(StatusFlagsMode::kHourlyOrDailyRecord, 0x85, 5),
            (Lines{"  Статус контроллера: 0x85"}));
  EXPECT_EQ(statusFlagsLines(StatusFlagsMode::kHourlyOrDailyRecord, 0, 5),
            (Lines{"  Статус контроллера: 0x00", "Норма"}));
}

}  // namespace
}  // namespace zvc
