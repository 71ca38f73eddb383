#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/tables/parameter_section.h"

namespace zvc {

class ConfigImage;
class TableService;

inline constexpr std::string_view kChromatographSerialCaption = "Серийный номер хроматографа";

// Table 41 field 0, the chromatograph's serial number, read into the image.
bool readChromatographSerial(TableService& tables);
// The serial number the image holds; 0 when it was not read.
std::uint32_t chromatographSerial(const ConfigImage& image);
// The number as its window shows it, "%u".
std::vector<ParameterLine> chromatographSerialLines(const ConfigImage& image);

}  // namespace zvc
