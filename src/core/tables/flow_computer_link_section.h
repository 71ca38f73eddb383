#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/tables/parameter_section.h"
#include "core/ui/input_error.h"

namespace zvc {

// Table 9, the link to the gas flow computers: their number 1..16, baud-rate code, failed
// exchanges before a diagnostic message 1..10, answer timeout in tenths of a second 1..255,
// preambles in a request, gas-parameter write mode 0..2.
inline constexpr std::size_t kFlowComputerLinkBytes = 6;
using FlowComputerLinkSection = std::span<std::uint8_t, kFlowComputerLinkBytes>;
using ConstFlowComputerLinkSection = std::span<const std::uint8_t, kFlowComputerLinkBytes>;

inline constexpr std::string_view kFlowComputerLinkCaption = " Параметры связи с ВРГ";
inline constexpr std::string_view kFlowComputerCountLabel = "Количество подключенных вычислителей";
inline constexpr std::string_view kFlowComputerFailuresLabel =
    "Количество неудачных обменов подряд, после\nкоторого создается диагностическое сообщение";
inline constexpr std::string_view kFlowComputerTimeoutLabel =
    "Таймаут ожидания ответа от вычислителя";
inline constexpr std::string_view kTenthsUnit = "дс";
inline constexpr std::string_view kRequestPreamblesLabel = "Кол. преамбул  в запросе к вычислителю";
inline constexpr std::string_view kWriteModeGroup = " Режим записи параметров газа в вычислители ";
inline constexpr std::array<std::string_view, 3> kWriteModes = {
    "Не записывать",
    "Записывать средние за закончившийся час\nпри условии отклонения их от значений в ВРГ",
    "Записывать средние за закончившийся час\nзначения периодически безусловно"};

inline constexpr int kMaxFlowComputers = 16;

struct FlowComputerLinkInput {
  std::optional<int> count;     // entry of 1..16
  std::optional<int> rate;      // entry of the baud-rate list
  std::optional<int> failures;  // entry of 1..10
  std::optional<int> timeout;   // entry of 1..255
  std::string preambles;
  std::optional<int> writeMode;  // 0..2
  bool operator==(const FlowComputerLinkInput&) const = default;
};

std::vector<std::string> flowComputerCountTexts();
std::vector<std::string> failureCountTexts();
std::vector<std::string> flowComputerTimeoutTexts();

FlowComputerLinkInput flowComputerLinkInput(ConstFlowComputerLinkSection section);
std::optional<InputError> acceptFlowComputerLink(const FlowComputerLinkInput& input,
                                                 FlowComputerLinkSection section);
std::vector<ParameterLine> flowComputerLinkLines(ConstFlowComputerLinkSection section);

// More flow computers than the table held as read: their own parameters must be entered first.
bool flowComputerCountGrows(std::span<const std::uint8_t> oldCopy,
                            ConstFlowComputerLinkSection section);

}  // namespace zvc
