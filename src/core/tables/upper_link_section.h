#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/tables/parameter_section.h"
#include "core/ui/input_error.h"

namespace zvc {

class TableService;

// Table 3, the link to this program and the other masters: controller address 1..254, baud-rate
// code, preambles the controller sends before its answers, 0.
inline constexpr std::size_t kUpperLinkBytes = 4;
using UpperLinkSection = std::span<std::uint8_t, kUpperLinkBytes>;
using ConstUpperLinkSection = std::span<const std::uint8_t, kUpperLinkBytes>;

inline constexpr std::string_view kUpperLinkCaption = " Параметры связи с верхним уровнем ";
inline constexpr std::string_view kControllerAddressLabel = "Адрес контроллера";
inline constexpr std::string_view kBaudRateLabel = "Скорость обмена";
inline constexpr std::string_view kAnswerPreamblesLabel = "Кол. преамбул  при ответе ВУ";
inline constexpr std::string_view kPreamblesHint = "(  0 - 255 ) ";

struct UpperLinkInput {
  std::string address;      // an editable list 1..254
  bool rateEnabled = true;  // whether the controller's rate may be changed here
  std::optional<int> rate;  // entry of the baud-rate list = the rate code
  std::string preambles;
  bool operator==(const UpperLinkInput&) const = default;
};

// The rates of the baud-rate code table, as every rate list shows them.
std::vector<std::string> baudRateTexts();
// The rate list's entry for a stored code, nothing for a code outside the table.
std::optional<int> baudRateEntry(std::uint8_t code);
std::vector<std::string> controllerAddressTexts();

// In write mode the rate can change only over a direct serial line and only when the
// controller can work at other rates (table 0 field 11).
bool upperLinkRateEditable(SectionMode mode, bool directLine, std::uint8_t otherRatesField);

UpperLinkInput upperLinkInput(ConstUpperLinkSection section, bool rateEnabled);
std::optional<InputError> acceptUpperLink(const UpperLinkInput& input, UpperLinkSection section);
std::vector<ParameterLine> upperLinkLines(ConstUpperLinkSection section);

// "Количество преамбул не должно превышать 255", for both preamble counts.
std::optional<InputError> checkPreambles(std::string_view text, std::uint8_t& preambles);

// Writes what changed in table 3 against the copy read before the edit, twice: the controller
// takes a new address and rate with the first write, the engine and the saved settings of the
// link in use follow it, and the second write travels at the new address and rate (or repeats
// the first when that failed).
bool writeUpperLink(TableService& tables, std::span<const std::uint8_t> oldCopy);

}  // namespace zvc
