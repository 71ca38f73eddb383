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

// Table 15, the MODBUS link to the moisture meter: address 1..247, baud-rate code, MODBUS mode,
// 0, answer timeout in hundredths of a second 5..255, failed polls before a diagnostic message
// 1..10, model 0..2, 0.
inline constexpr std::size_t kMoistureMeterLinkBytes = 8;
using MoistureMeterLinkSection = std::span<std::uint8_t, kMoistureMeterLinkBytes>;
using ConstMoistureMeterLinkSection = std::span<const std::uint8_t, kMoistureMeterLinkBytes>;

inline constexpr std::string_view kMoistureMeterLinkCaption = " Параметры связи с влагомером";
inline constexpr std::string_view kMoistureMeterAddressLabel = "Адрес влагомера";
inline constexpr std::string_view kMoistureMeterTimeoutLabel =
    "Таймаут ожидания ответа  от влагомера";
inline constexpr std::string_view kMoistureMeterFailuresLabel =
    "Кол. неудачных опросов влагомера\nподряд, после которого создается\nдиагностическое "
    "сообщение";
inline constexpr std::string_view kMoistureMeterTypeLabel = "Тип влагомера";

struct MoistureMeterLinkInput {
  std::string address;  // an editable list 1..247
  std::optional<int> rate;
  std::optional<int> mode;
  std::string timeout;  // an editable list 5..255
  std::optional<int> failures;
  std::optional<int> type;
  bool operator==(const MoistureMeterLinkInput&) const = default;
};

std::vector<std::string> moistureMeterTypeTexts();

MoistureMeterLinkInput moistureMeterLinkInput(ConstMoistureMeterLinkSection section);
std::optional<InputError> acceptMoistureMeterLink(const MoistureMeterLinkInput& input,
                                                  MoistureMeterLinkSection section);
std::vector<ParameterLine> moistureMeterLinkLines(ConstMoistureMeterLinkSection section);

}  // namespace zvc
