#include "core/archives/diagnostic_decoder.h"

#include <gtest/gtest.h>

#include <limits>

#include "support/message_decoder_support.h"

namespace zvc {
namespace {

using test::bitsOf;
using test::diagnosticRecord;

struct DiagnosticCase {
  int code;
  int b8;
  int b9;
  std::uint32_t first;
  std::uint32_t second;
  int moistureMeterModel;
  // Columns event, object or cause, current value, setpoint value, unit.
  std::array<const char*, 5> expected;
};

void expectColumns(const DiagnosticCase& c, const ConfigImage& image) {
  const auto record = diagnosticRecord(c.code, c.b8, c.b9, c.first, c.second);
  const DiagnosticRow row = decodeDiagnosticRecord(record, c.moistureMeterModel, image);
  ASSERT_TRUE(row.sound);
  for (int column = DiagnosticRow::kEvent; column <= DiagnosticRow::kUnit; ++column) {
    EXPECT_EQ(row.columns[column], c.expected[column - DiagnosticRow::kEvent])
        << "code " << c.code << " b8 " << c.b8 << " b9 " << c.b9 << " model "
        << c.moistureMeterModel << " column " << column;
  }
}

TEST(DiagnosticDecoder, DateAndTimeOfTheEvent) {
  const DiagnosticRow row = decodeDiagnosticRecord(diagnosticRecord(2, 0, 0), 0, ConfigImage{});
  EXPECT_EQ(row.columns[DiagnosticRow::kDate], "  15.03.24");
  EXPECT_EQ(row.columns[DiagnosticRow::kTime], "  13:05:09");
}

TEST(DiagnosticDecoder, EventTextsAndTheirObjects) {
  const DiagnosticCase cases[] = {
      {0, 7, 3, 0, 0, 0, {"", "Табл. = 7  Инд. = 3", "", "", ""}},
      {1, 14, 2, 0, 0, 0, {"Состояние хроматографа", "Табл. = 14  Инд. = 2", "", "", ""}},
      {2, 7, 3, 0, 0, 0, {"Снято напряжение питания", "", "", "", ""}},
      {9, 7, 3, 0, 0, 0, {"Неудачная верификация хроматографа", "", "", "", ""}},
      {81, 7, 3, 0, 0, 0, {"Нет данных для рассылки", "", "", "", ""}},
      {82, 5, 6, 0, 0, 0, {"Код диагностики = 82", "Табл. = 5  Инд. = 6", "", "", ""}},
      {255, 0, 255, 0, 0, 0, {"Код диагностики = 255", "Табл. = 0  Инд. = 255", "", "", ""}},
      {4, 0, 0, 0, 0, 0, {"Реинициализация", "Архив диагностики", "", "", ""}},
      {4,
       9,
       0,
       0,
       0,
       0,
       {"Реинициализация", "Диап. вр. на стр. арх. качества калибр. хромат.", "", "", ""}},
      {4, 10, 0, 0, 0, 0, {"Реинициализация", " ?", "", "", ""}},
      {18, 3, 4, 0, 0, 0, {"Значение стало ниже верхней АУ", "Табл. = 3  Инд. = 4", "", "", ""}},
      {19, 3, 4, 0, 0, 0, {"Значение стало выше верхней АУ", "Табл. = 3  Инд. = 4", "", "", ""}},
      {38,
       0,
       0,
       0,
       0,
       0,
       {"Скорректировано время в хроматографе", "По времени вычислителя", "", "", ""}},
      {39, 0, 0, 0, 0, 0, {"Скорректировано время в хроматографе", "По времени PC", "", "", ""}},
      {40, 242, 0, 0, 0, 0, {"Не прошла запись в EEPROM", "Предыдущий год", "", "", ""}},
      {41, 243, 0, 0, 0, 0, {"Не прошла запись в FRAM", "Базовый год", "", "", ""}},
      {41, 244, 0, 0, 0, 0, {"Не прошла запись в FRAM", "Тип времени", "", "", ""}},
      {41, 241, 0, 0, 0, 0, {"Не прошла запись в FRAM", "Таблица 241", "", "", ""}},
      {41, 245, 0, 0, 0, 0, {"Не прошла запись в FRAM", "Таблица 245", "", "", ""}},
      {42, 7, 0, 0, 0, 0, {"Таблица разрушена", "Таблица 7", "", "", ""}},
      {43, 22, 0, 0, 0, 0, {"Таблица восстановлена", "Таблица 22", "", "", ""}},
      {48,
       0,
       3,
       0,
       0,
       0,
       {"Парам. газа не записаны в ВРГ", "Вычислитель расхода газа. (Адр. = 3)", "", "", ""}},
      {49,
       0,
       16,
       0,
       0,
       0,
       {"Параметры газа записаны в ВРГ", "Вычислитель расхода газа. (Адр. = 16)", "", "", ""}},
      {59,
       0,
       0,
       0x1234ABCD,
       0xDEADBEEF,
       0,
       {"Изменилась контрольная сумма прошивки", "Старое значение КС = 1234ABCD", "DEADBEEF", "",
        ""}},
      {76,
       1,
       2,
       0,
       0,
       0,
       {"Программа перевела контроллер в режим «Ручное управление»", "Табл. = 1  Инд. = 2", "", "",
        ""}},
  };
  const ConfigImage image = test::stationImage();
  for (const DiagnosticCase& c : cases) expectColumns(c, image);
}

TEST(DiagnosticDecoder, ChromatographFaultNeedsTableFourteenAndAKnownCode) {
  const DiagnosticCase cases[] = {
      {5, 14, 0, 0, 0, 0, {"Сбой в работе хроматографа", "Код ошибки = 0", "", "", ""}},
      {5,
       14,
       0,
       1,
       0,
       0,
       {"Сбой в работе хроматографа", "Итерация контр. реал. врем. завершилась с опозд. (<2мс)", "",
        "", ""}},
      {5,
       14,
       0,
       198,
       0,
       0,
       {"Сбой в работе хроматографа", "Данные посл. результ.несовместимы с тек. методом", "", "",
        ""}},
      {5, 14, 0, 199, 0, 0, {"Сбой в работе хроматографа", "Код ошибки = 199", "", "", ""}},
      {5, 13, 0, 1, 0, 0, {"Сбой в работе хроматографа", " ?", "", "", ""}},
  };
  const ConfigImage image = test::stationImage();
  for (const DiagnosticCase& c : cases) expectColumns(c, image);
}

TEST(DiagnosticDecoder, LinkEventsNameThePartner) {
  const DiagnosticCase cases[] = {
      {10, 33, 0, 0, 0, 0, {"Пропала связь", "Хроматограф", "", "", ""}},
      {11, 33, 1, 0, 0, 0, {"Появилась связь", "Влагомер", "", "", ""}},
      {10, 33, 2, 0, 0, 0, {"Пропала связь", "Тaбл. = 33", "", "", ""}},
      {11, 34, 7, 0, 0, 0, {"Появилась связь", "Вычислитель расхода газа (Адр. = 7)", "", "", ""}},
      {10, 3, 7, 0, 0, 0, {"Пропала связь", "Тaбл. = 3", "", "", ""}},
  };
  const ConfigImage image = test::stationImage();
  for (const DiagnosticCase& c : cases) expectColumns(c, image);
}

TEST(DiagnosticDecoder, LimitCrossingShowsParameterValuesAndUnit) {
  const std::uint32_t value = bitsOf(95.125f);
  const std::uint32_t limit = bitsOf(90.0f);
  const DiagnosticCase cases[] = {
      {14,
       0,
       0,
       value,
       limit,
       0,
       {"Значение стало ниже нижней ПУ", "Метан", "95.125", "90.000", "%"}},
      {12,
       0,
       3,
       value,
       limit,
       0,
       {"Значение стало ниже нижней АУ", "Т точки росы", "95.125", "90.000", "°C"}},
      {47, 0, 19, value, limit, 0, {"Значение стало выше ВДП", "", "95.125", "90.000", ""}},
      {68,
       0,
       5,
       value,
       limit,
       0,
       {"Значение стало выше верхнего предела измер.", "Азот", "95.125", "90.000", "?"}},
      {14,
       0,
       25,
       value,
       limit,
       0,
       {"Значение стало ниже нижней ПУ", "  ?", "95.125", "90.000", ""}},
      {60,
       0,
       20,
       0,
       bitsOf(1.5e-7f),
       0,
       {"Значение стало ниже нижней АУ 2", "  ?", "0", "1.5000e-07", ""}},
      {17,
       0,
       0,
       0x7FC00000,
       0xFF800000,
       0,
       {"Значение стало выше верхней ПУ", "Метан", "NAN", "NAN", "%"}},
  };
  const ConfigImage image = test::stationImage();
  for (const DiagnosticCase& c : cases) expectColumns(c, image);
}

TEST(DiagnosticDecoder, StateChangesOfChromatographAndMoistureMeter) {
  const DiagnosticCase cases[] = {
      {22, 200, 0, 12345, 0, 0, {"Значение стало \"ИСТИНА\"", "Норма", "Err 12345", "", ""}},
      {23,
       200,
       199,
       0xFFFFFFFF,
       0,
       0,
       {"Значение стало \"ЛОЖЬ\"", "Табл. = 200  Инд. = 199", "Err 4294967295", "", ""}},
      {22, 201, 2, 7, 0, 0, {"Значение стало \"ИСТИНА\"", "Бит 2. HCDP too high", "", "", ""}},
      {22, 201, 15, 7, 0, 0, {"Значение стало \"ИСТИНА\"", "Бит 15. Reserved", "", "", ""}},
      {22,
       201,
       16,
       7,
       0,
       0,
       {"Значение стало \"ИСТИНА\"", "??? (ZEGAZ 5000. Табл. = 201  Инд. = 16)", "", "", ""}},
      {22,
       201,
       0,
       0,
       0,
       1,
       {"Значение стало \"ИСТИНА\"", "??? ( ФОГ-3Г. Табл. = 201  Инд. = 0)", "", "", ""}},
      {23, 201, 3, 0, 0, 2, {"Значение стало \"ЛОЖЬ\"", "Ошибка датчика давления", "", "", ""}},
      {23,
       201,
       8,
       0,
       0,
       2,
       {"Значение стало \"ЛОЖЬ\"", "??? (TOROS. Табл. = 201  Инд. = 8)", "", "", ""}},
      {23,
       201,
       3,
       0,
       0,
       5,
       {"Значение стало \"ЛОЖЬ\"", "??? (Код влаг. 5. Табл. = 201  Инд. = 3)", "", "", ""}},
      {23, 202, 3, 0, 0, 2, {"Значение стало \"ЛОЖЬ\"", "Табл. = 202  Инд. = 3", "", "", ""}},
  };
  const ConfigImage image = test::stationImage();
  for (const DiagnosticCase& c : cases) expectColumns(c, image);
}

TEST(DiagnosticDecoder, UnsoundRecordShowsOnlyTheMark) {
  auto record = diagnosticRecord(14, 0, 0, bitsOf(1.0f), bitsOf(2.0f));
  record[12] ^= 0x10;
  const DiagnosticRow row = decodeDiagnosticRecord(record, 0, test::stationImage());
  EXPECT_FALSE(row.sound);
  EXPECT_EQ(row.columns[DiagnosticRow::kDate], "   ***");
  for (int column = DiagnosticRow::kTime; column < DiagnosticRow::kColumnCount; ++column) {
    EXPECT_EQ(row.columns[column], "") << column;
  }
}

TEST(DiagnosticDecoder, RecordOfAnotherSizeIsUnsound) {
  const auto record = diagnosticRecord(2, 0, 0);
  const std::span<const std::uint8_t> bytes(record);
  EXPECT_FALSE(decodeDiagnosticRecord(bytes.first(21), 0, ConfigImage{}).sound);
  EXPECT_FALSE(decodeDiagnosticRecord({}, 0, ConfigImage{}).sound);
}

}  // namespace
}  // namespace zvc
