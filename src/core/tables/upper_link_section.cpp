#include "core/tables/upper_link_section.h"

#include "core/common/baud_rates.h"
#include "core/tables/table_service.h"

namespace zvc {
namespace {

constexpr TableRange kUpperLinkRange{3, 0, kUpperLinkBytes};
constexpr int kFirstAddress = 1;
constexpr int kLastAddress = 254;
constexpr int kMaxPreambles = 255;

}  // namespace

std::vector<std::string> baudRateTexts() {
  std::vector<std::string> texts;
  for (int rate : kBaudRates) texts.push_back(std::to_string(rate));
  return texts;
}

std::optional<int> baudRateEntry(std::uint8_t code) {
  return indexInRange(code, 0, static_cast<int>(kBaudRates.size()) - 1);
}

std::vector<std::string> controllerAddressTexts() {
  return numberTexts(kFirstAddress, kLastAddress);
}

bool upperLinkRateEditable(SectionMode mode, bool directLine, std::uint8_t otherRatesField) {
  return mode == SectionMode::kAccept || (directLine && otherRatesField != 0);
}

UpperLinkInput upperLinkInput(ConstUpperLinkSection section, bool rateEnabled) {
  return {std::to_string(section[0]), rateEnabled, baudRateEntry(section[1]),
          std::to_string(section[2])};
}

std::optional<InputError> checkPreambles(std::string_view text, std::uint8_t& preambles) {
  const auto value = fieldNumber(text);
  if (!value) return missingInput();
  if (*value > kMaxPreambles) return InputError{"Количество преамбул не должно превышать 255", ""};
  preambles = static_cast<std::uint8_t>(*value);
  return std::nullopt;
}

std::optional<InputError> acceptUpperLink(const UpperLinkInput& input, UpperLinkSection section) {
  const auto address = fieldNumber(input.address);
  if (!address || (input.rateEnabled && !input.rate) || !fieldNumber(input.preambles)) {
    return missingInput();
  }
  std::uint8_t preambles = 0;
  if (auto error = checkPreambles(input.preambles, preambles)) return error;
  if (*address < kFirstAddress || *address > kLastAddress) {
    return InputError{"Адрес должен быть", "в диапазоне 1...254"};
  }
  section[2] = preambles;
  section[0] = static_cast<std::uint8_t>(*address);
  if (input.rateEnabled) section[1] = static_cast<std::uint8_t>(*input.rate);
  section[3] = 0;
  return std::nullopt;
}

std::vector<ParameterLine> upperLinkLines(ConstUpperLinkSection section) {
  const UpperLinkInput input = upperLinkInput(section, true);
  return {
      {std::string(kControllerAddressLabel), input.address},
      {std::string(kBaudRateLabel), choiceText(baudRateTexts(), input.rate)},
      {std::string(kAnswerPreamblesLabel), input.preambles},
  };
}

bool writeUpperLink(TableService& tables, std::span<const std::uint8_t> oldCopy) {
  const bool first = tables.writeChangedFields(kUpperLinkRange, oldCopy);
  if (first) tables.followAddressTable();
  const bool second = tables.writeChangedFields(kUpperLinkRange, oldCopy);
  if (second) tables.followAddressTable();
  return second;
}

}  // namespace zvc
