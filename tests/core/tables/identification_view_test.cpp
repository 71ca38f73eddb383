#include "core/tables/identification_view.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/common/text_codec.h"
#include "core/tables/config_image.h"

namespace zvc {
namespace {

using Table0 = std::array<std::uint8_t, kIdentificationBytes>;

// A version-15 controller built 24.05.21 13:45:07, sound in every byte.
Table0 soundTable() {
  return {0, 73, 2, 15, 21, 5, 24, 13, 45, 7, 1, 1, 0, 0, 3, 1, 12, 0};
}

std::string valueOf(const std::vector<IdentificationLine>& lines, std::string_view label) {
  for (const IdentificationLine& line : lines) {
    if (line.label == label) return line.value;
  }
  ADD_FAILURE() << "no row " << label;
  return {};
}

TEST(IdentificationView, CompleteTableShowsEveryRowInOrder) {
  const Table0 table = soundTable();
  const std::vector<IdentificationLine> expected = {
      {"Код типа контроллера", "73"},
      {"Версия программного обеспечения", "15"},
      {"Версия аппаратного обеспечения", "2"},
      {"Дата создания ПО", "24.05.21  13:45:07"},
      {"Порядок расположения байтов", "Мл. адрес - мл. байт"},
      {"Наличие разрушенных таблиц", "Разрушенных таблиц нет"},
      {"Возможность работы на разных\nскоростях обмена", "Есть"},
      {"Возможность изменения адреса\nконтроллера", "Есть"},
      {"Последняя поддерживаемая версия протокола", "3.1.12"},
  };
  EXPECT_EQ(identificationView(table, true), expected);
}

TEST(IdentificationView, NewRecordShowsOnlyTypeAndVersion) {
  const auto lines = identificationView(soundTable(), false);
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0].value, "73");
  EXPECT_EQ(lines[1].value, "15");
  for (std::size_t row = 2; row < lines.size(); ++row) {
    EXPECT_FALSE(lines[row].enabled) << lines[row].label;
    EXPECT_EQ(lines[row].value, "") << lines[row].label;
    EXPECT_FALSE(lines[row].label.empty());
  }
}

TEST(IdentificationView, BuildDatePartsOutOfRangeShowAsStars) {
  struct Case {
    std::array<std::uint8_t, 6> yearToSecond;  // fields 4..9
    const char* shown;
  };
  const Case cases[] = {
      {{99, 12, 31, 23, 59, 59}, "31.12.99  23:59:59"},
      {{0, 1, 1, 0, 0, 0}, "01.01.00  00:00:00"},
      {{100, 0, 0, 24, 60, 60}, "**.**.**  **:**:**"},
      {{255, 13, 32, 255, 255, 255}, "**.**.**  **:**:**"},
      {{21, 13, 15, 10, 60, 0}, "15.**.21  10:**:00"},
  };
  for (const Case& c : cases) {
    Table0 table = soundTable();
    std::copy(c.yearToSecond.begin(), c.yearToSecond.end(), table.begin() + 4);
    EXPECT_EQ(valueOf(identificationView(table, true), "Дата создания ПО"), c.shown);
  }
}

TEST(IdentificationView, CodedBytesTakeTheirTexts) {
  struct Case {
    int field;
    std::uint8_t value;
    const char* label;
    const char* shown;
  };
  const Case cases[] = {
      {10, 0, "Порядок расположения байтов", "Мл. адрес - ст. байт"},
      {10, 2, "Порядок расположения байтов", " ? "},
      {11, 0, "Возможность работы на разных\nскоростях обмена", "Нет"},
      {11, 200, "Возможность работы на разных\nскоростях обмена", "Есть"},
      {13, 17, "Возможность изменения адреса\nконтроллера", "Нет. Адрес = 17"},
      {3, 14, "Версия программного обеспечения", "14"},
  };
  for (const Case& c : cases) {
    Table0 table = soundTable();
    table[c.field] = c.value;
    EXPECT_EQ(valueOf(identificationView(table, true), c.label), c.shown) << c.field;
  }
}

TEST(IdentificationView, DestroyedTableIsShownInRed) {
  Table0 table = soundTable();
  table[0] = 7;
  const auto lines = identificationView(table, true);
  const IdentificationLine& row = lines[5];
  EXPECT_EQ(row.label, "Наличие разрушенных таблиц");
  EXPECT_EQ(row.value, "Разрушена таблица 7");
  EXPECT_TRUE(row.alarm);
  EXPECT_FALSE(identificationView(soundTable(), true)[5].alarm);
}

TEST(IdentificationView, LabelsOnOneLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"Возможность работы на разных\nскоростях обмена",
       "Возможность работы на разных скоростях обмена"},
      {"Наименование нитки 1 \nхроматографа", "Наименование нитки 1 хроматографа"},
      {"Код типа контроллера", "Код типа контроллера"},
      {" a \n\n b ", "a b"},
      {"", ""},
  };
  for (const auto& [label, joined] : cases) EXPECT_EQ(oneLineLabel(label), joined) << label;
}

TEST(IdentificationView, NamesAreTrimmedWithTheirLabels) {
  ConfigImage image;
  const char* names[] = {"  Станция 7  ", "Нитка 1", ""};
  for (int name = 0; name < 3; ++name) {
    const auto field = image.field(5, name);
    utf8ToField(names[name], field.data(), field.size());
  }
  const auto lines = controllerNameLines(image);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].label, "Наименование контроллера");
  EXPECT_EQ(lines[0].value, "Станция 7");
  EXPECT_EQ(lines[1].value, "Нитка 1");
  EXPECT_EQ(lines[2].label, "Наименование нитки 2 \nхроматографа");
  EXPECT_EQ(lines[2].value, "");
}

}  // namespace
}  // namespace zvc
