#include "core/tables/time_sync_section.h"

#include <gtest/gtest.h>

#include <array>

namespace zvc {
namespace {

struct Switches {
  std::array<std::uint8_t, 2> controller;
  std::array<std::uint8_t, 2> chromatograph;
  TimeSyncSection section() { return {controller, chromatograph}; }
};

TEST(TimeSync, AChromatographSwitchCountsOnlyWithItsControllerSwitch) {
  const struct {
    Switches stored;
    TimeSyncInput shown;
  } cases[] = {
      {{{1, 1}, {1, 1}}, {{true, true}, {true, true}}},
      {{{0, 1}, {1, 1}}, {{false, true}, {false, true}}},
      {{{1, 0}, {0, 7}}, {{true, false}, {false, false}}},
  };
  for (auto c : cases) EXPECT_EQ(timeSyncInput(c.stored.section()), c.shown);
}

TEST(TimeSync, ConfirmStoresFourBytesAndDropsAnOrphanChromatographSwitch) {
  Switches switches{{1, 1}, {0, 1}};
  acceptTimeSync({{true, false}, {true, true}}, switches.section());
  EXPECT_EQ(switches.controller, (std::array<std::uint8_t, 2>{1, 0}));
  EXPECT_EQ(switches.chromatograph, (std::array<std::uint8_t, 2>{1, 0}));
}

TEST(TimeSync, LinesNameTheGroups) {
  Switches switches{{0, 1}, {0, 1}};
  const auto lines = timeSyncLines(switches.section());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].label, "Синхронизировать время контроллера: С временем ЭВМ");
  EXPECT_EQ(lines[1].value, "Да");
  EXPECT_EQ(lines[2].label,
            "Синхронизировать время хроматографа: В момент синхронизации времени контроллера с "
            "временем вычислителя");
  EXPECT_EQ(lines[2].value, "Нет");
  EXPECT_FALSE(lines[2].enabled);
  EXPECT_TRUE(lines[3].enabled);
}

}  // namespace
}  // namespace zvc
