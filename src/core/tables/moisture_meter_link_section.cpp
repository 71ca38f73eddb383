#include "core/tables/moisture_meter_link_section.h"

#include "core/tables/chromatograph_link_section.h"
#include "core/tables/flow_computer_link_section.h"
#include "core/tables/text_catalogue.h"
#include "core/tables/upper_link_section.h"

namespace zvc {
namespace {

constexpr int kFirstTimeout = 5;
constexpr int kLastTimeout = 255;
constexpr int kMaxFailures = 10;
constexpr int kModels = 3;

}  // namespace

std::vector<std::string> moistureMeterTypeTexts() {
  std::vector<std::string> texts;
  for (int code = 0; code < kModels; ++code) {
    texts.emplace_back(TextCatalogue::text(TextCatalogue::kMoistureMeterModels, code));
  }
  return texts;
}

MoistureMeterLinkInput moistureMeterLinkInput(ConstMoistureMeterLinkSection section) {
  return {std::to_string(section[0]),
          baudRateEntry(section[1]),
          indexInRange(section[2], 0, 1),
          std::to_string(section[4]),
          indexInRange(section[5], 1, kMaxFailures),
          indexInRange(section[6], 0, kModels - 1)};
}

std::optional<InputError> acceptMoistureMeterLink(const MoistureMeterLinkInput& input,
                                                  MoistureMeterLinkSection section) {
  const auto timeout = fieldNumber(input.timeout);
  if (!fieldNumber(input.address) || !timeout || !input.rate || !input.mode || !input.failures ||
      !input.type) {
    return missingInput();
  }
  std::uint8_t address = 0;
  if (auto error = checkModbusAddress(input.address, address)) return error;
  if (*timeout < kFirstTimeout || *timeout > kLastTimeout) {
    return InputError{"Таймаут должен быть", "в диапазоне 5...255"};
  }
  section[0] = address;
  section[1] = static_cast<std::uint8_t>(*input.rate);
  section[2] = static_cast<std::uint8_t>(*input.mode);
  section[3] = 0;
  section[4] = static_cast<std::uint8_t>(*timeout);
  section[5] = static_cast<std::uint8_t>(1 + *input.failures);
  section[6] = static_cast<std::uint8_t>(*input.type);
  section[7] = 0;
  return std::nullopt;
}

std::vector<ParameterLine> moistureMeterLinkLines(ConstMoistureMeterLinkSection section) {
  const MoistureMeterLinkInput input = moistureMeterLinkInput(section);
  return {
      {std::string(kMoistureMeterAddressLabel), input.address},
      {std::string(kBaudRateLabel), choiceText(baudRateTexts(), input.rate)},
      {std::string(kModbusModeLabel), choiceText(modbusModeTexts(), input.mode)},
      {std::string(kMoistureMeterTimeoutLabel), withUnit(input.timeout, kHundredthsUnit)},
      {std::string(kMoistureMeterFailuresLabel), choiceText(failureCountTexts(), input.failures)},
      {std::string(kMoistureMeterTypeLabel), choiceText(moistureMeterTypeTexts(), input.type)},
  };
}

}  // namespace zvc
