#include "core/tables/text_catalogue.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>

#include "core/common/text_codec.h"

namespace zvc {
namespace {

using C = TextCatalogue;

struct ListShape {
  int base;
  int length;
};

// Every list with the slots it must occupy; a list one entry short or long shifts its neighbour.
constexpr ListShape kShapes[] = {
    {C::kTableNames, 47},
    {C::kUnitsA, 37},
    {C::kUnitsB, 9},
    {C::kMonthsNominative, 13},
    {C::kMonthsGenitive, 12},
    {C::kWeekdayOrdinals, 5},
    {C::kWeekdays, 7},
    {C::kShortWeekdays, 7},
    {C::kTimeTypes, 2},
    {C::kArchiveNames, 10},
    {C::kModbusModes, 2},
    {C::kParities, 5},
    {C::kRequiredFlags, 2},
    {C::kGasParameterWriteModes, 4},
    {C::kPresence, 2},
    {C::kYesNo, 2},
    {C::kByteOrders, 2},
    {C::kGasParameterZones, 5},
    {C::kCalibrationTypes, 2},
    {C::kYearAndTimeKinds, 3},
    {C::kChromatographStates, 199},
    {C::kMoistureMeterBits, 16},
    {C::kMoistureMeterStates, 8},
    {C::kChromatographModels, 9},
    {C::kMoistureMeterModels, 3},
    {C::kFlowComputerTypes, 4},
    {C::kAverageDistributions, 3},
    {C::kEvents, 82},
    {C::kAccessLevels, 5},
};

TEST(TextCatalogueTest, ListsStartAtTheirSlotsWithTheirLengths) {
  for (const ListShape& shape : kShapes) {
    SCOPED_TRACE(shape.base);
    EXPECT_EQ(C::listLength(shape.base), shape.length);
    for (int code = 0; code < shape.length; ++code) {
      EXPECT_EQ(C::text(shape.base, code), C::text(shape.base + code)) << "code " << code;
    }
  }
  EXPECT_EQ(C::kAccessLevels + C::listLength(C::kAccessLevels), C::kSlotCount);
}

struct SlotCase {
  int slot;
  std::string_view text;
};

// First and last entry of every list, and the empty slots around them.
constexpr SlotCase kSlotCases[] = {
    {0, " Общие параметры идентификации"},
    {8, ""},
    {15, "Параметры связи с влагомером по MODBUS прот."},
    {31, ""},
    {32, " Зона параметра газа нитки 1 (ЗПГ) "},
    {33, " Наличие связи с  хроматографом"},
    {36, " Скользящие средние значения данных нитки 1 хроматографа и влагомера"},
    {46, " Значения констант параметров газа. Нитка 2"},
    {47, ""},
    {48, "МПа"},
    {83, "°C/(кгс/см2)"},
    {84, ""},
    {85, "%"},
    {84 + 8, "°C"},
    {93, "Переход запрещен"},
    {105, "Декабрь"},
    {106, "января"},
    {117, "декабря"},
    {118, "Первый"},
    {122, "Последний"},
    {123, "Воскресенье"},
    {129, "Суббота"},
    {130, "Вс"},
    {136, "Сб"},
    {137, "Летнее"},
    {138, "Зимнее"},
    {139, "Архив диагностики"},
    {148, "Диап. вр. на стр. арх. качества калибр. хромат."},
    {149, " ASCII"},
    {150, " RTU"},
    {151, "Отсутств."},
    {155, "Всегда 1"},
    {156, "Не треб."},
    {157, "Треб."},
    {158, "Не записывать"},
    {161, "За сутки (безусл.)"},
    {162, "Нет"},
    {163, "Есть"},
    {164, "Нет"},
    {165, "Да"},
    {166, "Мл. адрес -- ст. байт"},
    {167, "Мл. адрес -- мл. байт"},
    {168, " Норма"},
    {172, " Верхняя аварийная зона"},
    {173, "Абс. калибровка"},
    {174, "Внутр. нормализ."},
    {175, "Предыдущий год"},
    {177, "Тип времени"},
    {178, ""},
    {197, ""},
    {198, "Норма"},
    {198 + 7, "Связь I2C не удалась "},
    {198 + 34, "Предупр.\tкалибровка или валидация: стандарт не включен"},
    {198 + 150, "Неопределенная ошибка"},
    {396, "Данные посл. результ.несовместимы с тек. методом"},
    {397, ""},
    {412, ""},
    {413, "Бит 0. General fault condition"},
    {428, "Бит 15. Reserved"},
    {429, "Грязное зеркало"},
    {435, "Изменены  настройки"},
    {436, "Изменены часы"},
    {437, "KPS 303 (HMU)"},
    {445, "Emerson-370"},
    {446, "ZEGAZ 5000"},
    {448, "TOPOC"},
    {449, "ФЛОУТЭК"},
    {452, "ДФ-1"},
    {453, "Не рассылать"},
    {455, "Ср. за посл. сутки"},
    {456, ""},
    {457, "Состояние хроматографа"},
    {456 + 22, "Значение стало \"ИСТИНА\""},
    {456 + 76, "Программа перевела контроллер в режим «Ручное управление»"},
    {537, "Нет данных для рассылки"},
    {538, ""},
    {577, ""},
    {578, "Нет доступа"},
    {582, "Оператор"},
};

TEST(TextCatalogueTest, SlotsHoldTheirTexts) {
  for (const SlotCase& c : kSlotCases) {
    EXPECT_EQ(C::text(c.slot), c.text) << "slot " << c.slot;
  }
}

// Look-alike letters are different bytes; a unit that lost its Cyrillic "С" would still look right.
TEST(TextCatalogueTest, LookAlikeLettersKeepTheirAlphabet) {
  EXPECT_EQ(C::text(C::kUnitsA, 2), "\u00B0\u0421");  // Cyrillic Es
  EXPECT_EQ(C::text(C::kUnitsB, 8), "\u00B0C");       // Latin C
  EXPECT_EQ(C::text(C::kUnitsA, 4), "A");             // Latin A
  EXPECT_EQ(C::text(C::kUnitsA, 15), "c");
  EXPECT_EQ(C::text(C::kUnitsA, 16), "\u0441\u0441");
  EXPECT_EQ(C::text(C::kUnitsA, 19), "\u043A\u041F\u0430/cc");
  EXPECT_EQ(C::text(C::kUnitsA, 20), "\u043A\u0433c/\u0441\u043C2");
}

TEST(TextCatalogueTest, AllChromatographStatesAreThere) {
  int filled = 0;
  for (int slot = C::kChromatographStates; slot < C::kChromatographStates + 199; ++slot) {
    if (!C::text(slot).empty()) ++filled;
  }
  EXPECT_EQ(filled, 199);
  EXPECT_EQ(C::text(C::kChromatographStates, 198),
            "Данные посл. результ.несовместимы с тек. методом");
}

// Texts end up in Windows-1251 files and rows; each must be sound UTF-8 the code page can hold.
TEST(TextCatalogueTest, EveryTextIsValidUtf8WithAWindows1251Form) {
  for (int slot = 0; slot < C::kSlotCount; ++slot) {
    const std::string_view text = C::text(slot);
    if (text.empty()) continue;
    EXPECT_EQ(cp1251ToUtf8(utf8ToCp1251(text)), text) << "slot " << slot;
  }
}

TEST(TextCatalogueTest, SlotsOutsideTheCatalogueAreEmpty) {
  for (int slot : {INT_MIN, -1000, -1, C::kSlotCount, 1000, INT_MAX}) {
    EXPECT_TRUE(C::text(slot).empty()) << "slot " << slot;
  }
}

TEST(TextCatalogueTest, CodesOutsideTheirListReadNothing) {
  for (const ListShape& shape : kShapes) {
    SCOPED_TRACE(shape.base);
    for (int code : {INT_MIN, -1, shape.length, shape.length + 1, 255, INT_MAX}) {
      EXPECT_TRUE(C::text(shape.base, code).empty()) << "code " << code;
    }
  }
  // The neighbouring slots hold texts, so these would leak without the length check.
  ASSERT_FALSE(C::text(C::kMonthsNominative).empty());
  ASSERT_FALSE(C::text(C::kMoistureMeterStates).empty());
  ASSERT_FALSE(C::text(C::kEvents - 1).empty());
}

TEST(TextCatalogueTest, BaseThatStartsNoListReadsNothing) {
  for (int base : {INT_MIN, -1, 1, 122, 178, 200, 429 - 1, 457, C::kSlotCount, INT_MAX}) {
    EXPECT_EQ(C::listLength(base), 0) << "base " << base;
    EXPECT_TRUE(C::text(base, 0).empty()) << "base " << base;
  }
}

}  // namespace
}  // namespace zvc
