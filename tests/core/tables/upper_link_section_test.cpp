#include "core/tables/upper_link_section.h"

#include <gtest/gtest.h>

#include <array>

namespace zvc {
namespace {

using Table3 = std::array<std::uint8_t, 4>;
const InputError kMissing{"Введены не все параметры", ""};
const InputError kTooManyPreambles{"Количество преамбул не должно превышать 255", ""};
const InputError kBadAddress{"Адрес должен быть", "в диапазоне 1...254"};

TEST(UpperLink, RulesInTheirOrder) {
  const Table3 stored = {1, 11, 3, 0};
  const struct {
    UpperLinkInput input;
    std::optional<InputError> error;
    Table3 result;
  } cases[] = {
      {{"5", true, 15, "255"}, std::nullopt, {5, 15, 255, 0}},
      {{"254", false, std::nullopt, "0"}, std::nullopt, {254, 11, 0, 0}},  // the rate stays
      {{"", true, 11, "3"}, kMissing, stored},
      {{"1", true, std::nullopt, "3"}, kMissing, stored},
      {{"1", true, 11, ""}, kMissing, stored},
      {{"255", true, 11, "256"}, kTooManyPreambles, stored},  // preambles checked first
      {{"1", true, 11, "99999999999999999999"}, kTooManyPreambles, stored},
      {{"255", true, 11, "3"}, kBadAddress, stored},
      {{"0", true, 11, "3"}, kBadAddress, stored},
  };
  for (const auto& c : cases) {
    Table3 section = stored;
    section[3] = 9;  // the spare byte is always written as 0
    const Table3 before = section;
    EXPECT_EQ(acceptUpperLink(c.input, section), c.error) << c.input.address;
    EXPECT_EQ(section, c.error ? before : c.result) << c.input.address;
  }
}

TEST(UpperLink, RateListFollowsTheLinkAndTheController) {
  EXPECT_TRUE(upperLinkRateEditable(SectionMode::kWrite, true, 1));
  EXPECT_FALSE(upperLinkRateEditable(SectionMode::kWrite, false, 1));
  EXPECT_FALSE(upperLinkRateEditable(SectionMode::kWrite, true, 0));
  EXPECT_TRUE(upperLinkRateEditable(SectionMode::kAccept, false, 0));
}

TEST(UpperLink, OpensWithTheStoredValues) {
  EXPECT_EQ(upperLinkInput(Table3{7, 21, 3, 0}, true), (UpperLinkInput{"7", true, 21, "3"}));
  EXPECT_EQ(upperLinkInput(Table3{7, 22, 3, 0}, false).rate, std::nullopt);
  EXPECT_EQ(baudRateTexts().size(), 22u);
  EXPECT_EQ(baudRateTexts()[11], "9600");
  const auto lines = upperLinkLines(Table3{7, 11, 3, 0});
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].label, "Скорость обмена");
  EXPECT_EQ(lines[1].value, "9600");
}

}  // namespace
}  // namespace zvc
