#include "core/tables/table_catalogue.h"

#include <array>

namespace zvc {
namespace {

struct Shape {
  std::uint8_t fieldCount;
  std::uint8_t fieldSize;
  bool configuration;
};

constexpr std::array<Shape, TableCatalogue::kTableCount> kShapes = {{
    {18, 1, false}, {20, 64, true}, {8, 1, true},   {4, 1, true},   {16, 22, true}, {3, 20, true},
    {12, 1, true},  {47, 1, false}, {0, 0, false},  {6, 1, true},   {2, 4, false},  {2, 4, false},
    {2, 4, false},  {16, 16, true}, {16, 1, true},  {8, 1, true},   {18, 1, false}, {16, 1, true},
    {16, 1, true},  {16, 1, true},  {16, 1, true},  {20, 1, true},  {20, 4, true},  {20, 4, true},
    {20, 4, true},  {20, 4, true},  {20, 4, true},  {3, 6, false},  {2, 1, true},   {7, 4, true},
    {22, 4, false}, {0, 0, false},  {20, 1, false}, {2, 1, false},  {16, 1, false}, {16, 1, false},
    {0, 0, false},  {7, 4, false},  {22, 4, false}, {20, 1, false}, {0, 0, false},  {1, 4, false},
    {6, 1, false},  {20, 1, true},  {20, 4, true},  {20, 1, true},  {20, 4, true},
}};

constexpr std::array<TableDescriptor, TableCatalogue::kTableCount> buildCatalogue() {
  std::array<TableDescriptor, TableCatalogue::kTableCount> tables{};
  std::size_t offset = 0;
  for (std::size_t i = 0; i < kShapes.size(); ++i) {
    tables[i] = {kShapes[i].fieldCount, kShapes[i].fieldSize, kShapes[i].configuration, offset};
    offset += tables[i].size();
  }
  return tables;
}

constexpr auto kCatalogue = buildCatalogue();
constexpr TableDescriptor kNoTable{};

static_assert(kCatalogue.back().offset + kCatalogue.back().size() == TableCatalogue::kImageSize);

}  // namespace

const TableDescriptor& TableCatalogue::table(int number) {
  if (number < 0 || number >= kTableCount) return kNoTable;
  return kCatalogue[static_cast<std::size_t>(number)];
}

int TableCatalogue::configurationTableCount() {
  int count = 0;
  for (const auto& table : kCatalogue) count += table.configuration ? 1 : 0;
  return count;
}

}  // namespace zvc
