#include "core/archives/intervention_decoder.h"

#include <gtest/gtest.h>

#include "support/message_decoder_support.h"

namespace zvc {
namespace {

using test::bitsOf;
using test::interventionRecord;

constexpr int kPercent = 5;  // units list A

struct InterventionCase {
  int table;
  int field;
  std::uint32_t oldValue;
  std::uint32_t newValue;
  // Columns name, old value, new value, unit (the record's unit code is % throughout).
  std::array<const char*, 4> expected;
};

void expectColumns(const std::vector<InterventionCase>& cases, const ConfigImage& image) {
  for (const InterventionCase& c : cases) {
    const auto record = interventionRecord(c.table, c.field, c.oldValue, c.newValue, kPercent);
    const InterventionRow row = decodeInterventionRecord(record, image);
    ASSERT_TRUE(row.sound);
    for (int column = InterventionRow::kFieldName; column <= InterventionRow::kUnit; ++column) {
      EXPECT_EQ(row.columns[column], c.expected[column - InterventionRow::kFieldName])
          << "table " << c.table << " field " << c.field << " column " << column;
    }
  }
}

TEST(InterventionDecoder, DateTimeUnitAndOperator) {
  const InterventionRow row =
      decodeInterventionRecord(interventionRecord(3, 0, 1, 2, 36), test::stationImage());
  EXPECT_EQ(row.columns[InterventionRow::kDate], "    15.03.24");
  EXPECT_EQ(row.columns[InterventionRow::kTime], "    13:05:09");
  EXPECT_EQ(row.columns[InterventionRow::kUnit], "°C/(кгс/см2)");
  EXPECT_EQ(row.columns[InterventionRow::kOperator], "Adm1");
}

TEST(InterventionDecoder, UnitCodeBeyondTheListIsUnknown) {
  const ConfigImage image = test::stationImage();
  EXPECT_EQ(decodeInterventionRecord(interventionRecord(3, 0, 1, 2, 0), image)
                .columns[InterventionRow::kUnit],
            "");
  EXPECT_EQ(decodeInterventionRecord(interventionRecord(3, 0, 1, 2, 37), image)
                .columns[InterventionRow::kUnit],
            "?");
}

TEST(InterventionDecoder, OperatorNameEndsAtNulAndIsWindows1251) {
  const ConfigImage image = test::stationImage();
  const auto cut = interventionRecord(3, 0, 1, 2, 0, {'A', 'B', 0, 'D'});
  EXPECT_EQ(decodeInterventionRecord(cut, image).columns[InterventionRow::kOperator], "AB");
  const auto cyrillic = interventionRecord(3, 0, 1, 2, 0, {0xC8, 0xE2, 0xE0, 0xED});
  EXPECT_EQ(decodeInterventionRecord(cyrillic, image).columns[InterventionRow::kOperator], "Иван");
}

TEST(InterventionDecoder, IdentificationClockAndLinkFields) {
  expectColumns(
      {
          {1, 0, 0, 0, {" Описание параметра хроматографа N1", "", "", "%"}},
          {1, 19, 0, 0, {" Описание параметра хроматографа N20", "", "", "%"}},
          {1, 20, 0, 0, {" Табл. 1;  Поле 20", "", "", "%"}},
          {2, 0, 24, 25, {"Время, год", "  24", "  25", "%"}},
          {2, 5, 7, 59, {"Время, секунда", "  07", "  59", "%"}},
          {2, 6, 0, 3, {"Время, день недели", "?", "Вторник", "%"}},
          {2, 6, 1, 7, {"Время, день недели", "Воскресенье", "Суббота", "%"}},
          {2, 6, 8, 255, {"Время, день недели", "?", "?", "%"}},
          {2, 7, 0, 1, {"Тип времени", "Летнее", "Зимнее", "%"}},
          {2, 7, 128, 2, {"Тип времени", "?", "?", "%"}},
          {2, 8, 1, 2, {"Табл. 2;  Поле 8", "", "", "%"}},
          {3, 0, 1, 247, {"Адрес контроллера", "1", "247", "%"}},
          {3, 1, 11, 15, {"Скорость обмена с ВУ", "9600", "19200", "бит/с"}},
          {3, 1, 21, 22, {"Скорость обмена с ВУ", "230400", "0", "бит/с"}},
          {3, 3, 0, 0, {"Табл.3.  Резервное поле № 3", "", "", "%"}},
          {4, 9, 1, 2, {"Параметры доступа пользователя", "", "", "%"}},
          {9, 1, 0, 255, {"Скорость обмена c ВРГ", "300", "0", "бит/с"}},
          {9, 5, 2, 4, {"Режим записи параметров газа в ВРГ", "В нач. часа (безусл.)", "?", "%"}},
          {13, 3, 1, 2, {"Пароль на запись в ВРГ 4", "", "", "%"}},
          {13, 16, 1, 2, {"Пароль на запись в ВРГ № ?", "", "", "%"}},
          {14, 1, 19, 20, {"Скорость обмена c хроматографом", "57600", "115200", "бит/с"}},
          {14, 2, 1, 2, {"Режим обмена MODBUS с хроматографом", " RTU", "?", "%"}},
          {14, 3, 2, 3, {"Тип четности хроматографа", "Четный", "?", "%"}},
          {14, 6, 8, 9, {"Тип хроматографа", "Emerson-370", "?", "%"}},
          {14, 7, 0xA5, 0x0F, {"Задейств. признаки  хроматографа", "0x A5", "0x 0F", "%"}},
          {14, 9, 0, 3, {"Синхронизировать время хром. с PC", "Нет", "Да", "%"}},
          {14, 12, 2, 3, {"Индекс ВРГ для чтения Тг в нитку 2 хром.", "2", "3", "%"}},
          {14, 15, 2, 3, {"Табл. 14;  Поле 15", "", "", "%"}},
          {15, 1, 5, 6, {"Скорость обмена c влагомером", "3600", "4800", "бит/с"}},
          {15, 6, 2, 3, {"Тип влагомера", "TOPOC", "?", "%"}},
          {15, 7, 2, 3, {"Табл.15.  Резервное поле № 7", "", "", "%"}},
      },
      test::stationImage());
}

TEST(InterventionDecoder, SystemParametersAndDaylightSavingDays) {
  expectColumns(
      {
          {6, 0, 0, 13, {"Месяц перехода на летнее время", "Переход запрещен", "?", "%"}},
          {6, 3, 12, 1, {"Месяц перехода на зимнее время", "Декабрь", "Январь", "%"}},
          {6, 1, 0x1F, 0x15, {"День перехода на летнее время", "31", "21", "%"}},
          {6, 1, 0x7F, 0x00, {"День перехода на летнее время", "31", "0", "%"}},
          {6, 4, 0x8A, 0xC9, {"День перехода на зимнее время", "2Вс", "пВс", "%"}},
          {6, 4, 0xD2, 0xD3, {"День перехода на зимнее время", "ппПн", "Пн", "%"}},
          {6, 4, 0xB9, 0xBB, {"День перехода на зимнее время", "1Сб", "3Сб", "%"}},
          {6, 1, 0xF8, 0x81, {"День перехода на летнее время", "?", "?", "%"}},
          {6, 1, 0x8C, 0xCF, {"День перехода на летнее время", "?", "?", "%"}},
          {6, 2, 3, 4, {"Час перехода на летнее время", "3", "4", "%"}},
          {6, 7, 0, 5, {"Наличие подключенного хроматографа", "Нет", "Есть", "%"}},
          {6, 11, 0, 1, {"Синхронизировать время контр. с PC", "Нет", "Да", "%"}},
          {6, 12, 0, 1, {"Табл. 6;  Поле 12", "", "", "%"}},
          {28, 0, 1, 24, {"Период рассылки параметров газа в ВРГ", "1ч", "24ч", "%"}},
          {28, 1, 1, 24, {"Табл.28.  Резервное поле № 1", "", "", "%"}},
      },
      test::stationImage());
}

TEST(InterventionDecoder, FlowComputerFields) {
  expectColumns(
      {
          {17, 0, 0, 3, {"Тип ВРГ 1", "ФЛОУТЭК", "ДФ-1", "%"}},
          {17, 16, 1, 4, {"Тип ВРГ  № ?", "ФЛОУКОР, ПМ-3В", "?", "%"}},
          {18, 15, 1, 2, {"Адрес подключенного ВРГ 16", "1", "2", "%"}},
          {18, 200, 1, 2, {"Адрес подключенного ВРГ № ?", "1", "2", "%"}},
          {19,
           0,
           0x03,
           0xFF,
           {"Необходимость записи парам. газа для т/п ВРГ 1", " 0x03", " 0xFF", "%"}},
          {19, 16, 0, 1, {"Необходимость записи парам. газа для т/п ВРГ ?", " 0x00", " 0x01", "%"}},
          {20,
           2,
           0,
           1,
           {"Порядок байтов многоб. перем. ВРГ 3", "Мл. адрес -- ст. байт", "Мл. адрес -- мл. байт",
            "%"}},
          {20,
           16,
           2,
           1,
           {"Порядок байтов многоб. перем. ВРГ № ?", "?", "Мл. адрес -- мл. байт", "%"}},
      },
      test::stationImage());
}

TEST(InterventionDecoder, GasParameterLimitsAndConstants) {
  const std::uint32_t oneAndHalf = bitsOf(1.5f);
  expectColumns(
      {
          {21, 0, 1, 3, {"НР  \"Метан\"", "Ср. за посл. час", "?", "%"}},
          {21, 20, 0, 2, {"НР   ?", "Не рассылать", "Ср. за посл. сутки", "%"}},
          {22, 0, oneAndHalf, bitsOf(-2.0f), {"ЗН  \"Метан\"", "1.50", "-2.00", "%"}},
          {23, 3, oneAndHalf, bitsOf(12345.67f), {"НПУ  \"Т точки росы\"", "1.5", "12345.7", "%"}},
          {24, 5, oneAndHalf, 0, {"ВПУ  \"Азот\"", "1.500", "0.000", "%"}},
          {25, 1, oneAndHalf, 0, {"НДП  \"\"", "2", "0", "%"}},
          {26, 25, oneAndHalf, 0x7FC00000, {"ВДП   ?", "1.5000", "?", "%"}},
          {22,
           0,
           0x7F800000,
           bitsOf(3.0e38f),
           {"ЗН  \"Метан\"", "?", "300000000549775575777803994281145270272", "%"}},
          {43, 0, 1, 2, {"На константе. Нитка 1. \"Метан\"", "Да", "?", "%"}},
          {44,
           0,
           oneAndHalf,
           bitsOf(0.25f),
           {"Константа. Нитка 1. \"Метан\"", "1.5000", "0.2500", "%"}},
          {45, 19, 0, 1, {"На константе. Нитка 2. \"\"", "Нет", "Да", "%"}},
          {46, 3, oneAndHalf, 0, {"Константа. Нитка 2. \"Т точки росы\"", "1.5000", "0.0000", "%"}},
          {44, 21, oneAndHalf, 0, {"Табл. 44;  Поле 21", "", "", "%"}},
          {43, 20, 1, 0, {"Табл. 43;  Поле 20", "", "", "%"}},
      },
      test::stationImage());
}

TEST(InterventionDecoder, TablesWithoutRulesFallBack) {
  expectColumns(
      {
          {0, 12, 1, 2, {"Табл. 0;  Поле 12", "", "", "%"}},
          {40, 0, 1, 2, {"Табл. 40;  Поле 0", "", "", "%"}},
          {47, 0, 1, 2, {"Табл. 47;  Поле 0", "", "", "%"}},
          {255, 255, 1, 2, {"Табл. 255;  Поле 255", "", "", "%"}},
      },
      test::stationImage());
}

// "Пров" in CP866 and in Windows-1251.
constexpr std::uint32_t kCp866Name = 0xA2AEE08F;
constexpr std::uint32_t kCp1251Name = 0xE2EEF0CF;

TEST(InterventionDecoder, NameStartFollowsTheControllersCharacterSet) {
  ConfigImage cp866 = test::stationImage();
  cp866.field(0, 12)[0] = 0;
  const auto record = interventionRecord(5, 0, kCp866Name, 'A' | 'B' << 8);
  const InterventionRow row = decodeInterventionRecord(record, cp866);
  EXPECT_EQ(row.columns[InterventionRow::kFieldName], "Наименование контроллера");
  EXPECT_EQ(row.columns[InterventionRow::kOldValue], "Пров...");
  EXPECT_EQ(row.columns[InterventionRow::kNewValue], "AB");
  // The record is left as logged, so decoding it again gives the same row.
  EXPECT_EQ(decodeInterventionRecord(record, cp866).columns, row.columns);

  const InterventionRow raw = decodeInterventionRecord(
      interventionRecord(5, 2, kCp866Name, kCp1251Name), test::stationImage());
  EXPECT_EQ(raw.columns[InterventionRow::kFieldName], "Наимен. нитки 2 хроматографа");
  EXPECT_EQ(raw.columns[InterventionRow::kOldValue], "Џа®ў...");
  EXPECT_EQ(raw.columns[InterventionRow::kNewValue], "Пров...");
}

TEST(InterventionDecoder, UnsoundRecordShowsOnlyTheMark) {
  auto record = interventionRecord(3, 1, 11, 15);
  record[23] ^= 0x01;
  const InterventionRow row = decodeInterventionRecord(record, test::stationImage());
  EXPECT_FALSE(row.sound);
  EXPECT_EQ(row.columns[InterventionRow::kDate], "   ***");
  for (int column = InterventionRow::kTime; column < InterventionRow::kColumnCount; ++column) {
    EXPECT_EQ(row.columns[column], "") << column;
  }
  const std::span<const std::uint8_t> bytes(record);
  EXPECT_FALSE(decodeInterventionRecord(bytes.first(22), ConfigImage{}).sound);
}

}  // namespace
}  // namespace zvc
