#include "core/tables/config_image.h"

namespace zvc {
namespace {

// Start and length of a field range inside the image, or length 0.
struct Extent {
  std::size_t start = 0;
  std::size_t length = 0;
};

Extent fieldExtent(int table, int first, int count) {
  const TableDescriptor& descriptor = TableCatalogue::table(table);
  if (first < 0 || count <= 0 || first + count > descriptor.fieldCount) return {};
  return {descriptor.offset + std::size_t(first) * descriptor.fieldSize,
          std::size_t(count) * descriptor.fieldSize};
}

}  // namespace

std::span<std::uint8_t> ConfigImage::table(int number) {
  const TableDescriptor& descriptor = TableCatalogue::table(number);
  return bytes().subspan(descriptor.offset, descriptor.size());
}

std::span<const std::uint8_t> ConfigImage::table(int number) const {
  const TableDescriptor& descriptor = TableCatalogue::table(number);
  return bytes().subspan(descriptor.offset, descriptor.size());
}

std::span<std::uint8_t> ConfigImage::fields(int table, int first, int count) {
  const Extent extent = fieldExtent(table, first, count);
  return bytes().subspan(extent.start, extent.length);
}

std::span<const std::uint8_t> ConfigImage::fields(int table, int first, int count) const {
  const Extent extent = fieldExtent(table, first, count);
  return bytes().subspan(extent.start, extent.length);
}

}  // namespace zvc
