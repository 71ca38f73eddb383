#pragma once

#include <string_view>
#include <vector>

#include "core/tables/parameter_section.h"

namespace zvc {

class ConfigImage;
class TableService;

inline constexpr std::string_view kChromatographSerialCaption = "Серийный номер хроматографа";

// Table 41 field 0, the chromatograph's serial number, read into the image.
bool readChromatographSerial(TableService& tables);
// The number as its window shows it, "%u".
std::vector<ParameterLine> chromatographSerialLines(const ConfigImage& image);

}  // namespace zvc
