#include "core/tables/chromatograph_link_section.h"

#include <gtest/gtest.h>

#include <array>

namespace zvc {
namespace {

using Table14 = std::array<std::uint8_t, 16>;
const InputError kMissing{"Введены не все параметры", ""};
const InputError kBadAddress{"Адрес должен быть", "в диапазоне 1...247"};

// Run 1 in use, fed by flow computer 1 pipeline 2; the clock follows the computer (field 9).
constexpr Table14 kStored = {3, 11, 1, 0, 150, 5, 7, 1, 0, 1, 1, 2, 0, 0, 15, 0};

const ChromatographLinkContext kWithFlowComputers{{"Нитка 1", "Обвод"},
                                                  std::vector<std::uint8_t>{10, 11, 12}};
const ChromatographLinkContext kWithout{{"Нитка 1", "Обвод"}, std::nullopt};

TEST(ChromatographLink, OpensWithTheStoredChoices) {
  const ChromatographLinkInput input = chromatographLinkInput(kStored, kWithFlowComputers);
  EXPECT_EQ(input.address, "3");
  EXPECT_EQ(input.timeout, 145);
  EXPECT_EQ(input.failures, 4);
  EXPECT_EQ(input.type, 0);
  EXPECT_EQ(input.parameterCount, 14);
  EXPECT_EQ(input.runs, (std::array<bool, 2>{true, false}));
  EXPECT_EQ(input.flowComputer[0], 1);
  EXPECT_EQ(input.pipeline[0], 1);
  EXPECT_EQ(chromatographLinkInput(kStored, kWithout).flowComputer[0], std::nullopt);

  Table14 otherType = kStored;
  otherType[6] = 3;
  EXPECT_EQ(chromatographLinkInput(otherType, kWithout).type, std::nullopt);
  EXPECT_EQ(flowComputerTexts({10, 11}), (std::vector<std::string>{"0 (адр. 10)", "1 (адр. 11)"}));
  EXPECT_EQ(runInUseText(1, kWithout), " Задействована нитка 2 (\"Обвод\")");
}

TEST(ChromatographLink, RulesInTheirOrderAndTheClockSwitchesKept) {
  struct Case {
    const char* what;
    const ChromatographLinkContext& context;
    void (*edit)(ChromatographLinkInput&);
    std::optional<InputError> error;
    Table14 result;
  };
  const Case cases[] = {
      {"unchanged", kWithFlowComputers, [](ChromatographLinkInput&) {}, std::nullopt, kStored},
      {"run 2 added from flow computer 2 pipeline 3",
       kWithFlowComputers,
       [](ChromatographLinkInput& in) {
         in.runs[1] = true;
         in.flowComputer[1] = 2;
         in.pipeline[1] = 2;
         in.parameterCount = 19;
       },
       std::nullopt,
       {3, 11, 1, 0, 150, 5, 7, 3, 0, 1, 1, 2, 2, 3, 20, 0}},
      {"run 1 given up: its source is cleared",
       kWithFlowComputers,
       [](ChromatographLinkInput& in) {
         in.runs = {false, true};
         in.flowComputer[1] = 0;
         in.pipeline[1] = 0;
       },
       std::nullopt,
       {3, 11, 1, 0, 150, 5, 7, 2, 0, 1, 0, 0, 0, 1, 15, 0}},
      {"without flow computers a run needs no source",
       kWithout,
       [](ChromatographLinkInput& in) { in.runs[1] = true; },
       std::nullopt,
       {3, 11, 1, 0, 150, 5, 7, 3, 0, 1, 0, 0, 0, 0, 15, 0}},
      {"address 247",
       kWithout,
       [](ChromatographLinkInput& in) { in.address = "247"; },
       std::nullopt,
       {247, 11, 1, 0, 150, 5, 7, 1, 0, 1, 0, 0, 0, 0, 15, 0}},
      {"empty address", kWithout, [](ChromatographLinkInput& in) { in.address.clear(); }, kMissing,
       kStored},
      {"no rate", kWithout, [](ChromatographLinkInput& in) { in.rate.reset(); }, kMissing, kStored},
      {"no mode", kWithout, [](ChromatographLinkInput& in) { in.mode.reset(); }, kMissing, kStored},
      {"no parity", kWithout, [](ChromatographLinkInput& in) { in.parity.reset(); }, kMissing,
       kStored},
      {"no timeout", kWithout, [](ChromatographLinkInput& in) { in.timeout.reset(); }, kMissing,
       kStored},
      {"no failure count", kWithout, [](ChromatographLinkInput& in) { in.failures.reset(); },
       kMissing, kStored},
      {"no type", kWithout, [](ChromatographLinkInput& in) { in.type.reset(); }, kMissing, kStored},
      {"no parameter count", kWithout,
       [](ChromatographLinkInput& in) { in.parameterCount.reset(); }, kMissing, kStored},
      {"no run", kWithout,
       [](ChromatographLinkInput& in) {
         in.runs = {false, false};
       },
       kMissing, kStored},
      {"a run without its flow computer", kWithFlowComputers,
       [](ChromatographLinkInput& in) { in.flowComputer[0].reset(); }, kMissing, kStored},
      {"a run without its pipeline", kWithFlowComputers,
       [](ChromatographLinkInput& in) {
         in.runs[1] = true;
         in.flowComputer[1] = 0;
       },
       kMissing, kStored},
      {"address 248", kWithout, [](ChromatographLinkInput& in) { in.address = "248"; }, kBadAddress,
       kStored},
      {"missing before range", kWithout,
       [](ChromatographLinkInput& in) {
         in.address = "0";
         in.rate.reset();
       },
       kMissing, kStored},
  };
  for (const Case& c : cases) {
    Table14 section = kStored;
    ChromatographLinkInput input = chromatographLinkInput(section, c.context);
    c.edit(input);
    EXPECT_EQ(acceptChromatographLink(input, c.context, section), c.error) << c.what;
    EXPECT_EQ(section, c.result) << c.what;
  }
}

TEST(ChromatographLink, LinesShowTheRunsAndTheirSources) {
  const auto lines = chromatographLinkLines(kStored, kWithFlowComputers);
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[3].value, " Бит четн. отсутствует");
  EXPECT_EQ(lines[4].value, "150 сс");
  EXPECT_EQ(lines[6].value, "QRT Vela");
  EXPECT_EQ(lines[8].label, " Задействована нитка 1 (\"Нитка 1\")");
  EXPECT_EQ(lines[8].value, "Да");
  EXPECT_EQ(lines[10].label, "Для передачи Т газа нитке 1 хроматографа: Индекс ВРГ");
  EXPECT_EQ(lines[10].value, "1 (адр. 11)");
  EXPECT_EQ(lines[11].value, "2");
  EXPECT_FALSE(lines[12].enabled);
  EXPECT_EQ(chromatographLinkLines(kStored, kWithout).size(), 10u);
}

}  // namespace
}  // namespace zvc
