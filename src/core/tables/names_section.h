#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/tables/parameter_section.h"
#include "core/ui/input_error.h"

namespace zvc {

class ConfigImage;

// Table 5: the names of the controller and of the two pipeline runs, 20 bytes each, Windows-1251
// in the image and in a configuration record.
inline constexpr std::size_t kNameCount = 3;
inline constexpr std::size_t kNameBytes = 20;
using NamesSection = std::span<std::uint8_t, kNameCount * kNameBytes>;
using ConstNamesSection = std::span<const std::uint8_t, kNameCount * kNameBytes>;

inline constexpr std::string_view kNamesCaption = "Наименования";
// The labels of the three names, as the names dialog shows them.
inline constexpr std::array<std::string_view, kNameCount> kNameLabels = {
    "Наименование контроллера", "Наименование нитки 1 \nхроматографа",
    "Наименование нитки 2 \nхроматографа"};

// The three fields of the dialog: the names trimmed, at most 20 characters each.
using NamesInput = std::array<std::string, kNameCount>;

NamesInput namesInput(ConstNamesSection section);
// "Принять"/"Записать в устройство": every name must be given; each is stored NUL-filled.
std::optional<InputError> acceptNames(const NamesInput& input, NamesSection section);

// The names with their labels, as the dialog shows them.
std::vector<ParameterLine> namesLines(ConstNamesSection section);
// The three names of table 5 in the image.
std::vector<ParameterLine> controllerNameLines(const ConfigImage& image);
NamesSection namesSection(ConfigImage& image);

}  // namespace zvc
