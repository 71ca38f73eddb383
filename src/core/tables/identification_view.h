#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zvc {

class ConfigImage;

inline constexpr std::string_view kIdentificationCaption = "Параметры идентификации контроллера";
// Table 0: 18 one-byte fields.
inline constexpr std::size_t kIdentificationBytes = 18;
using IdentificationBytes = std::span<const std::uint8_t, kIdentificationBytes>;

// One row of the identification view.
struct IdentificationLine {
  std::string label;  // a label of two lines holds "\n" between them
  std::string value;
  bool enabled = true;  // rows beyond type and version are disabled and empty for a new record
  bool alarm = false;   // shown in red
  bool operator==(const IdentificationLine&) const = default;
};

// The rows of the view over table 0. `complete` is true for a table read from a controller; a
// new configuration record shows only the type and the software version. Out-of-range bytes show
// as "**" or " ? ", never refused.
std::vector<IdentificationLine> identificationView(IdentificationBytes bytes, bool complete);

// The labels of the three names of table 5, as the names dialog shows them.
inline constexpr std::array<std::string_view, 3> kNameLabels = {
    "Наименование контроллера", "Наименование нитки 1 \nхроматографа",
    "Наименование нитки 2 \nхроматографа"};

// The three names of table 5 in the image, trimmed, with their labels.
std::vector<IdentificationLine> controllerNameLines(const ConfigImage& image);

// A label on one line: its lines without the blanks around them, joined by one blank.
std::string oneLineLabel(std::string_view label);

}  // namespace zvc
