#include "core/tables/table_edit.h"

#include <algorithm>

#include "core/tables/config_image.h"

namespace zvc {

bool TableEdit::read() {
  if (!tables_.readTableRange(range_)) return false;
  const auto fields = section();
  oldCopy_.assign(fields.begin(), fields.end());
  return true;
}

std::span<std::uint8_t> TableEdit::section() const {
  return tables_.image().fields(range_.table, range_.first, range_.count);
}

bool TableEdit::changed() const {
  return !std::ranges::equal(section(), oldCopy_);
}

bool TableEdit::writeChanges() {
  return tables_.writeChangedFields(range_, oldCopy_);
}

void TableEdit::restore() {
  std::ranges::copy(oldCopy_, section().begin());
}

}  // namespace zvc
