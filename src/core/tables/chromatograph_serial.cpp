#include "core/tables/chromatograph_serial.h"

#include <cstdint>

#include "core/common/format.h"
#include "core/tables/config_image.h"
#include "core/tables/table_service.h"

namespace zvc {
namespace {

constexpr int kSerialTable = 41;

}  // namespace

bool readChromatographSerial(TableService& tables) {
  return tables.readTableRange({kSerialTable, 0, 1});
}

std::uint32_t chromatographSerial(const ConfigImage& image) {
  const auto field = image.field(kSerialTable, 0);
  return field[0] | (field[1] << 8) | (field[2] << 16) | (std::uint32_t{field[3]} << 24);
}

std::vector<ParameterLine> chromatographSerialLines(const ConfigImage& image) {
  return {{std::string(kChromatographSerialCaption), format("%u", chromatographSerial(image))}};
}

}  // namespace zvc
