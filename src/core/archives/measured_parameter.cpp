#include "core/archives/measured_parameter.h"

#include "core/common/text_codec.h"

namespace zvc {
namespace {

constexpr int kParameterTable = 1;
constexpr std::size_t kNameSize = 40;
constexpr std::size_t kUnitCodeOffset = 50;
constexpr std::size_t kDecimalsOffset = 61;

int byteOfParameter(const ConfigImage& image, int index, std::size_t offset) {
  const auto record = image.field(kParameterTable, index);
  return record.empty() ? 0 : record[offset];
}

}  // namespace

std::string measuredParameterName(const ConfigImage& image, int index) {
  const auto record = image.field(kParameterTable, index);
  return record.empty() ? std::string() : fieldToUtf8(record.data(), kNameSize);
}

int measuredParameterUnitCode(const ConfigImage& image, int index) {
  return byteOfParameter(image, index, kUnitCodeOffset);
}

int measuredParameterDecimals(const ConfigImage& image, int index) {
  return byteOfParameter(image, index, kDecimalsOffset);
}

}  // namespace zvc
