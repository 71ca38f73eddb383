#include "core/tables/table_catalogue.h"

#include <gtest/gtest.h>

#include "core/tables/config_image.h"

namespace zvc {
namespace {

TEST(TableCatalogue, TablesLieEndToEndAndFillTheImage) {
  std::size_t expectedOffset = 0;
  for (int number = 0; number < TableCatalogue::kTableCount; ++number) {
    const TableDescriptor& table = TableCatalogue::table(number);
    if (!table.hasFields()) continue;
    EXPECT_EQ(table.offset, expectedOffset) << "table " << number;
    expectedOffset += table.size();
  }
  EXPECT_EQ(expectedOffset, 3129u);
  EXPECT_EQ(ConfigImage::kSize, 3129u);
}

TEST(TableCatalogue, SpotChecksOfTheList) {
  struct Case {
    int number;
    int fields, size;
    bool configuration;
    std::size_t offset;
  };
  const Case cases[] = {
      {0, 18, 1, false, 0},    {1, 20, 64, true, 18},   {4, 16, 22, true, 1310},
      {7, 47, 1, false, 1734}, {9, 6, 1, true, 1781},   {13, 16, 16, true, 1811},
      {27, 3, 6, false, 2593}, {29, 7, 4, true, 2613},  {32, 20, 1, false, 2729},
      {37, 7, 4, false, 2783}, {41, 1, 4, false, 2919}, {46, 20, 4, true, 3049},
  };
  for (const Case& c : cases) {
    const TableDescriptor& table = TableCatalogue::table(c.number);
    EXPECT_EQ(table.fieldCount, c.fields) << "table " << c.number;
    EXPECT_EQ(table.fieldSize, c.size) << "table " << c.number;
    EXPECT_EQ(table.configuration, c.configuration) << "table " << c.number;
    EXPECT_EQ(table.offset, c.offset) << "table " << c.number;
  }
}

TEST(TableCatalogue, TablesWithoutFieldsAndNumbersOutsideTheList) {
  for (int number : {8, 31, 36, 40, -1, 47, 255}) {
    EXPECT_FALSE(TableCatalogue::hasFields(number)) << number;
    EXPECT_EQ(TableCatalogue::table(number).size(), 0u) << number;
  }
  EXPECT_EQ(TableCatalogue::configurationTableCount(), 26);
}

TEST(ConfigImage, ViewsPointAtTheCatalogueOffsets) {
  ConfigImage image;
  image.field(1, 19)[63] = 0xAB;  // last byte of table 1
  EXPECT_EQ(image.bytes()[18 + 1280 - 1], 0xAB);
  EXPECT_EQ(image.table(1).size(), 1280u);
  EXPECT_EQ(image.fields(4, 10, 6).size(), 6u * 22);
  EXPECT_EQ(image.fields(4, 10, 6).data(), image.bytes().data() + 1310 + 10 * 22);
  EXPECT_EQ(image.table(46).data() + 80, image.bytes().data() + image.bytes().size());
}

TEST(ConfigImage, RangesOutsideATableAreEmpty) {
  const ConfigImage image;
  EXPECT_TRUE(image.fields(3, 2, 3).empty());  // runs past field 3
  EXPECT_TRUE(image.fields(3, -1, 2).empty());
  EXPECT_TRUE(image.fields(3, 0, 0).empty());
  EXPECT_TRUE(image.field(8, 0).empty());  // no such table
  EXPECT_TRUE(image.table(47).empty());
}

}  // namespace
}  // namespace zvc
