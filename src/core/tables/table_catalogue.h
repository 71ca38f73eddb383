#pragma once

#include <cstddef>
#include <cstdint>

namespace zvc {

// One of the controller's numbered parameter tables: an array of equal-sized
// fields kept at a fixed place in the configuration image.
struct TableDescriptor {
  std::uint8_t fieldCount = 0;
  std::uint8_t fieldSize = 0;
  bool configuration = false;  // part of a configuration (read all, written from records)
  std::size_t offset = 0;      // start in ConfigImage; tables without fields take no room

  constexpr std::size_t size() const { return std::size_t{fieldCount} * fieldSize; }
  constexpr bool hasFields() const { return fieldCount != 0; }
};

// The fixed list of tables 0..46. Tables 8 and 31 do not exist; 36 and 40 are
// named but carry nothing. Offsets are the running sum of the sizes before.
class TableCatalogue {
 public:
  static constexpr int kTableCount = 47;
  static constexpr std::size_t kImageSize = 3129;

  // Table numbers outside 0..46 give an empty descriptor (no fields).
  static const TableDescriptor& table(int number);
  // True when the table number names a table that holds fields.
  static bool hasFields(int number) { return table(number).hasFields(); }
  static int configurationTableCount();
};

}  // namespace zvc
