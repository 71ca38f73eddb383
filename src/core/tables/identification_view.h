#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/tables/names_section.h"
#include "core/tables/parameter_section.h"

namespace zvc {

inline constexpr std::string_view kIdentificationCaption = "Параметры идентификации контроллера";
// Table 0: 18 one-byte fields.
inline constexpr std::size_t kIdentificationBytes = 18;
using IdentificationBytes = std::span<const std::uint8_t, kIdentificationBytes>;

// One row of the identification view; rows beyond type and version are disabled and empty for a
// new record.
using IdentificationLine = ParameterLine;

// The rows of the view over table 0. `complete` is true for a table read from a controller; a
// new configuration record shows only the type and the software version. Out-of-range bytes show
// as "**" or " ? ", never refused.
std::vector<IdentificationLine> identificationView(IdentificationBytes bytes, bool complete);

}  // namespace zvc
