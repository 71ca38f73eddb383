#include "core/tables/names_section.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "core/common/text_codec.h"

namespace zvc {
namespace {

using Section = std::array<std::uint8_t, 60>;

Section sectionOf(const char* controller, const char* run1, const char* run2) {
  Section section{};
  utf8ToField(controller, section.data(), 20);
  utf8ToField(run1, section.data() + 20, 20);
  utf8ToField(run2, section.data() + 40, 20);
  return section;
}

TEST(Names, OpenTrimmedAndStoreNulFilled) {
  Section section = sectionOf("  ГРС Южная  ", "Нитка 1", "Нитка 2");
  std::fill(section.begin() + 47, section.begin() + 60, ' ');  // a controller pads with blanks
  NamesInput input = namesInput(section);
  EXPECT_EQ(input, (NamesInput{"ГРС Южная", "Нитка 1", "Нитка 2"}));

  input[2] = "Обвод";
  ASSERT_EQ(acceptNames(input, section), std::nullopt);
  EXPECT_EQ(section, sectionOf("ГРС Южная", "Нитка 1", "Обвод"));
}

TEST(Names, ATwentyCharacterNameIsStoredWithoutTerminator) {
  Section section{};
  const NamesInput input = {"Контроллер ЖВЦ №1234", "А", "Б"};
  ASSERT_EQ(acceptNames(input, section), std::nullopt);
  EXPECT_EQ(section[19], '4');   // the 20th character, no NUL after it in the field
  EXPECT_EQ(section[20], 0xC0);  // "А" starts the next field
  EXPECT_EQ(namesInput(section)[0], "Контроллер ЖВЦ №1234");
}

TEST(Names, EveryNameMustBeGiven) {
  const Section before = sectionOf("К", "Н1", "Н2");
  for (std::size_t empty = 0; empty < kNameCount; ++empty) {
    for (const char* text : {"", "   "}) {
      Section section = before;
      NamesInput input = namesInput(section);
      input[empty] = text;
      EXPECT_EQ(acceptNames(input, section), (InputError{"Введены не все параметры", ""}));
      EXPECT_EQ(section, before) << "nothing stored after a refusal";
    }
  }
}

TEST(Names, LinesCarryTheDialogLabels) {
  const auto lines = namesLines(sectionOf("К", "Н1", "Н2"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(oneLineLabel(lines[1].label), "Наименование нитки 1 хроматографа");
  EXPECT_EQ(lines[1].value, "Н1");
}

}  // namespace
}  // namespace zvc
