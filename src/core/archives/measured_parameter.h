#pragma once

#include <string>

#include "core/tables/config_image.h"

namespace zvc {

// Table 1 of the image describes the chromatograph's measured parameters, one 64-byte record each:
// name (bytes 0..39), designation, unit code (byte 50), range, register, decimals (byte 61), type.
inline constexpr int kMeasuredParameterCount = 20;

// Name as shown (UTF-8, padding trimmed); empty for an index outside 0..19.
std::string measuredParameterName(const ConfigImage& image, int index);
// Code of units list B; 0 (no unit) for an index outside 0..19.
int measuredParameterUnitCode(const ConfigImage& image, int index);
// Decimals the values are shown with; 0 for an index outside 0..19.
int measuredParameterDecimals(const ConfigImage& image, int index);

}  // namespace zvc
