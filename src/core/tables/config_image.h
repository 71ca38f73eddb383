#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/tables/table_catalogue.h"

namespace zvc {

// The in-memory copy of all 47 tables, end to end in table order. Accessors
// hand out views into it; a table, field or range that does not exist gives an
// empty view, so a bad number can never reach outside the image.
class ConfigImage {
 public:
  static constexpr std::size_t kSize = TableCatalogue::kImageSize;

  std::span<std::uint8_t> bytes() { return bytes_; }
  std::span<const std::uint8_t> bytes() const { return bytes_; }

  std::span<std::uint8_t> table(int number);
  std::span<const std::uint8_t> table(int number) const;

  std::span<std::uint8_t> field(int table, int field) { return fields(table, field, 1); }
  std::span<const std::uint8_t> field(int table, int field) const {
    return fields(table, field, 1);
  }

  // Fields first..first+count-1 of a table; empty unless all of them exist.
  std::span<std::uint8_t> fields(int table, int first, int count);
  std::span<const std::uint8_t> fields(int table, int first, int count) const;

 private:
  std::array<std::uint8_t, kSize> bytes_{};
};

}  // namespace zvc
