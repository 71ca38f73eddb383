#include "core/tables/flow_computer_link_section.h"

#include <gtest/gtest.h>

#include <array>

namespace zvc {
namespace {

using Table9 = std::array<std::uint8_t, 6>;
const InputError kMissing{"Введены не все параметры", ""};

TEST(FlowComputerLink, EveryListMustBeChosenAndPreamblesBelow256) {
  const Table9 stored = {2, 11, 5, 20, 3, 2};
  const FlowComputerLinkInput shown = flowComputerLinkInput(stored);
  EXPECT_EQ(shown, (FlowComputerLinkInput{1, 11, 4, 19, "3", 2}));
  const struct {
    void (*edit)(FlowComputerLinkInput&);
    std::optional<InputError> error;
    Table9 result;
  } cases[] = {
      {[](FlowComputerLinkInput&) {}, std::nullopt, stored},
      {[](FlowComputerLinkInput& in) {
         in.count = 15;
         in.timeout = 254;
         in.preambles = "255";
         in.writeMode = 0;
       },
       std::nullopt,
       {16, 11, 5, 255, 255, 0}},
      {[](FlowComputerLinkInput& in) { in.count.reset(); }, kMissing, stored},
      {[](FlowComputerLinkInput& in) { in.rate.reset(); }, kMissing, stored},
      {[](FlowComputerLinkInput& in) { in.failures.reset(); }, kMissing, stored},
      {[](FlowComputerLinkInput& in) { in.timeout.reset(); }, kMissing, stored},
      {[](FlowComputerLinkInput& in) { in.preambles.clear(); }, kMissing, stored},
      {[](FlowComputerLinkInput& in) { in.writeMode.reset(); }, kMissing, stored},
      {[](FlowComputerLinkInput& in) { in.preambles = "256"; },
       InputError{"Количество преамбул не должно превышать 255", ""}, stored},
  };
  for (const auto& c : cases) {
    Table9 section = stored;
    FlowComputerLinkInput input = shown;
    c.edit(input);
    EXPECT_EQ(acceptFlowComputerLink(input, section), c.error);
    EXPECT_EQ(section, c.result);
  }
}

TEST(FlowComputerLink, AGrowingCountIsSeen) {
  const Table9 before = {3, 11, 5, 20, 3, 2};
  Table9 after = before;
  EXPECT_FALSE(flowComputerCountGrows(before, after));
  after[0] = 2;
  EXPECT_FALSE(flowComputerCountGrows(before, after));
  after[0] = 4;
  EXPECT_TRUE(flowComputerCountGrows(before, after));
}

TEST(FlowComputerLink, LinesShowUnitsAndTheWriteMode) {
  const auto lines = flowComputerLinkLines(Table9{2, 11, 5, 20, 3, 1});
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[3].value, "20 дс");
  EXPECT_EQ(lines[5].label, "Режим записи параметров газа в вычислители");
  EXPECT_EQ(lines[5].value,
            "Записывать средние за закончившийся час при условии отклонения их от значений в ВРГ");
  EXPECT_EQ(flowComputerLinkLines(Table9{0, 30, 0, 0, 3, 9})[0].value, "");
}

}  // namespace
}  // namespace zvc
