#include "core/tables/moisture_meter_link_section.h"

#include <gtest/gtest.h>

#include <array>

namespace zvc {
namespace {

using Table15 = std::array<std::uint8_t, 8>;
const InputError kMissing{"Введены не все параметры", ""};
const InputError kBadAddress{"Адрес должен быть", "в диапазоне 1...247"};
const InputError kBadTimeout{"Таймаут должен быть", "в диапазоне 5...255"};

TEST(MoistureMeterLink, RulesInTheirOrder) {
  const Table15 stored = {1, 11, 0, 0, 150, 5, 1, 0};
  const MoistureMeterLinkInput shown = moistureMeterLinkInput(stored);
  EXPECT_EQ(shown, (MoistureMeterLinkInput{"1", 11, 0, "150", 4, 1}));
  const struct {
    void (*edit)(MoistureMeterLinkInput&);
    std::optional<InputError> error;
    Table15 result;
  } cases[] = {
      {[](MoistureMeterLinkInput&) {}, std::nullopt, stored},
      {[](MoistureMeterLinkInput& in) {
         in.address = "247";
         in.timeout = "5";
         in.mode = 1;
         in.type = 2;
       },
       std::nullopt,
       {247, 11, 1, 0, 5, 5, 2, 0}},
      {[](MoistureMeterLinkInput& in) { in.timeout = "255"; },
       std::nullopt,
       {1, 11, 0, 0, 255, 5, 1, 0}},
      {[](MoistureMeterLinkInput& in) { in.address.clear(); }, kMissing, stored},
      {[](MoistureMeterLinkInput& in) { in.timeout.clear(); }, kMissing, stored},
      {[](MoistureMeterLinkInput& in) { in.rate.reset(); }, kMissing, stored},
      {[](MoistureMeterLinkInput& in) { in.mode.reset(); }, kMissing, stored},
      {[](MoistureMeterLinkInput& in) { in.failures.reset(); }, kMissing, stored},
      {[](MoistureMeterLinkInput& in) { in.type.reset(); }, kMissing, stored},
      {[](MoistureMeterLinkInput& in) { in.address = "248"; }, kBadAddress, stored},
      {[](MoistureMeterLinkInput& in) {
         in.address = "0";
         in.timeout = "4";
       },
       kBadAddress, stored},
      {[](MoistureMeterLinkInput& in) { in.timeout = "4"; }, kBadTimeout, stored},
      {[](MoistureMeterLinkInput& in) { in.timeout = "256"; }, kBadTimeout, stored},
  };
  for (const auto& c : cases) {
    Table15 section = stored;
    section[3] = section[7] = 9;  // the spare bytes are written as 0
    const Table15 before = section;
    MoistureMeterLinkInput input = shown;
    c.edit(input);
    EXPECT_EQ(acceptMoistureMeterLink(input, section), c.error);
    EXPECT_EQ(section, c.error ? before : c.result);
  }
}

TEST(MoistureMeterLink, LinesNameTheModel) {
  const auto lines = moistureMeterLinkLines(Table15{1, 11, 1, 0, 150, 5, 1, 0});
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[2].value, " RTU");
  EXPECT_EQ(lines[3].value, "150 сс");
  EXPECT_EQ(lines[5].value, "ФОГ-3Г");
}

}  // namespace
}  // namespace zvc
