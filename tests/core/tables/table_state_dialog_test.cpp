#include "core/tables/table_state_dialog.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zvc {
namespace {

TableStateBlock blockWithDestroyed(std::initializer_list<int> tables) {
  TableStateBlock block;
  for (int table = 0; table < TableCatalogue::kTableCount; ++table) {
    block.configuration[table] = TableCatalogue::table(table).configuration;
  }
  for (int table : tables) block.destroyed[table] = 1;
  return block;
}

const TableStateRow& rowOf(const TableStateView& view, int table) {
  for (const TableStateRow& row : view.rows) {
    if (row.table == table) return row;
  }
  throw std::out_of_range("no row");
}

TEST(TableStateView, OneRowPerConfigurationTable) {
  const TableStateView view = tableStateView(blockWithDestroyed({5}), 15, true);
  ASSERT_EQ(view.rows.size(), 26u);
  EXPECT_EQ(view.rows.front().caption, " Табл.  1.   Измеряемые параметры хроматографа");
  EXPECT_EQ(view.rows.back().caption, " Табл. 46.   Значения констант параметров газа. Нитка 2");
  for (const TableStateRow& row : view.rows) {
    EXPECT_NE(row.table, 36);
    EXPECT_NE(row.table, 0);
  }
  EXPECT_EQ(rowOf(view, 5).state, "Да");
  EXPECT_TRUE(rowOf(view, 5).ticked);
  EXPECT_EQ(rowOf(view, 6).state, "Нет");
  EXPECT_FALSE(rowOf(view, 6).ticked);
  EXPECT_TRUE(rowOf(view, 6).tickEnabled);
}

TEST(TableStateView, UsersTableIsOfferedOnlyWhenDestroyed) {
  EXPECT_FALSE(rowOf(tableStateView(blockWithDestroyed({}), 14, true), 4).tickEnabled);
  const TableStateRow destroyed = rowOf(tableStateView(blockWithDestroyed({4}), 14, true), 4);
  EXPECT_TRUE(destroyed.tickEnabled);
  EXPECT_TRUE(destroyed.ticked);
}

TEST(TableStateView, OnlyADirectLineMayTickBoxes) {
  const TableStateView view = tableStateView(blockWithDestroyed({4, 5}), 15, false);
  for (const TableStateRow& row : view.rows) {
    EXPECT_FALSE(row.ticked);
    EXPECT_FALSE(row.tickEnabled);
  }
  EXPECT_EQ(rowOf(view, 5).state, "Да");
}

TEST(TableStateView, ButtonsByVersionAndLink) {
  struct Case {
    int version;
    bool direct;
    bool writeEnabled;
    bool resetEnabled;
  };
  const Case cases[] = {
      {14, true, true, true},
      {14, false, false, false},
      {15, true, false, true},
      {15, false, false, true},
  };
  for (const Case& c : cases) {
    const TableStateView view = tableStateView(blockWithDestroyed({}), c.version, c.direct);
    EXPECT_EQ(view.writeAllEnabled, c.writeEnabled) << c.version << " " << c.direct;
    EXPECT_EQ(view.writeSelectedEnabled, c.writeEnabled) << c.version << " " << c.direct;
    EXPECT_EQ(view.resetEnabled, c.resetEnabled) << c.version << " " << c.direct;
  }
}

TEST(TableStateChoice, NoTickedBoxIsAnInputError) {
  TableStateBlock block = blockWithDestroyed({});
  TableTicks ticks{};
  ticks[0] = true;  // not a listed table
  const auto error = selectTablesToWrite(block, ticks);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->line1, "Не заданы таблицы для записи");
}

TEST(TableStateChoice, ClockOnlyWhenDestroyedUsersExactlyWhenDestroyed) {
  TableTicks ticks{};
  ticks[2] = ticks[4] = ticks[6] = true;
  TableStateBlock intact = blockWithDestroyed({});
  EXPECT_FALSE(selectTablesToWrite(intact, ticks));
  EXPECT_EQ(intact.writeRequest[2], 0);
  EXPECT_EQ(intact.writeRequest[4], 0);
  EXPECT_EQ(intact.writeRequest[6], 1);
  EXPECT_EQ(intact.writeRequest[9], 0);

  TableStateBlock lost = blockWithDestroyed({2, 4});
  ticks[4] = false;
  EXPECT_FALSE(selectTablesToWrite(lost, ticks));
  EXPECT_EQ(lost.writeRequest[2], 1);
  EXPECT_EQ(lost.writeRequest[4], 1);
}

TEST(TableStateChoice, WriteAllFlagsEveryListedTableButAnIntactClockAndUsersTable) {
  TableStateBlock block = blockWithDestroyed({});
  selectAllTablesToWrite(block);
  int flagged = 0;
  for (int table = 0; table < TableCatalogue::kTableCount; ++table)
    flagged += block.writeRequest[table];
  EXPECT_EQ(flagged, 24);
  EXPECT_EQ(block.writeRequest[2], 0);
  EXPECT_EQ(block.writeRequest[4], 0);
  EXPECT_EQ(block.writeRequest[0], 0);
  EXPECT_EQ(block.writeRequest[13], 1);
}

}  // namespace
}  // namespace zvc
