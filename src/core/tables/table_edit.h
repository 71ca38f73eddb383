#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/tables/table_service.h"

namespace zvc {

// The usual editing of one range of a table from the main menu: read it into the image, keep a
// copy of what was read, let a dialog edit the image in place, then write what changed.
class TableEdit {
 public:
  TableEdit(TableService& tables, TableRange range) : tables_(tables), range_(range) {}

  // False after the read has reported its failure.
  bool read();
  // The range in the image, where the dialog edits it.
  std::span<std::uint8_t> section() const;
  template <std::size_t Size>
  std::span<std::uint8_t, Size> section() const {
    return section().first<Size>();
  }
  std::span<const std::uint8_t> oldCopy() const { return oldCopy_; }
  bool changed() const;
  // Sends the fields that differ from what was read; nothing when nothing changed.
  bool writeChanges();
  // Puts back what was read, for an edit that is not to be written.
  void restore();

 private:
  TableService& tables_;
  TableRange range_;
  std::vector<std::uint8_t> oldCopy_;
};

}  // namespace zvc
