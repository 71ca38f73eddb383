#include "core/tables/flow_computer_link_section.h"

#include "core/tables/upper_link_section.h"

namespace zvc {
namespace {

constexpr int kMaxFailures = 10;
constexpr int kMaxTimeout = 255;

}  // namespace

std::vector<std::string> flowComputerCountTexts() {
  return numberTexts(1, kMaxFlowComputers);
}

std::vector<std::string> failureCountTexts() {
  return numberTexts(1, kMaxFailures);
}

std::vector<std::string> flowComputerTimeoutTexts() {
  return numberTexts(1, kMaxTimeout);
}

bool flowComputerCountGrows(std::span<const std::uint8_t> oldCopy,
                            ConstFlowComputerLinkSection section) {
  return !oldCopy.empty() && section[0] > oldCopy[0];
}

FlowComputerLinkInput flowComputerLinkInput(ConstFlowComputerLinkSection section) {
  return {indexInRange(section[0], 1, kMaxFlowComputers),
          baudRateEntry(section[1]),
          indexInRange(section[2], 1, kMaxFailures),
          indexInRange(section[3], 1, kMaxTimeout),
          std::to_string(section[4]),
          indexInRange(section[5], 0, static_cast<int>(kWriteModes.size()) - 1)};
}

std::optional<InputError> acceptFlowComputerLink(const FlowComputerLinkInput& input,
                                                 FlowComputerLinkSection section) {
  if (!input.count || !input.rate || !input.failures || !input.timeout ||
      !fieldNumber(input.preambles) || !input.writeMode) {
    return missingInput();
  }
  std::uint8_t preambles = 0;
  if (auto error = checkPreambles(input.preambles, preambles)) return error;
  section[0] = static_cast<std::uint8_t>(*input.count + 1);
  section[1] = static_cast<std::uint8_t>(*input.rate);
  section[2] = static_cast<std::uint8_t>(*input.failures + 1);
  section[3] = static_cast<std::uint8_t>(*input.timeout + 1);
  section[4] = preambles;
  section[5] = static_cast<std::uint8_t>(*input.writeMode);
  return std::nullopt;
}

std::vector<ParameterLine> flowComputerLinkLines(ConstFlowComputerLinkSection section) {
  const FlowComputerLinkInput input = flowComputerLinkInput(section);
  std::string writeMode;
  if (input.writeMode) writeMode = oneLineLabel(kWriteModes[*input.writeMode]);
  return {
      {std::string(kFlowComputerCountLabel), choiceText(flowComputerCountTexts(), input.count)},
      {std::string(kBaudRateLabel), choiceText(baudRateTexts(), input.rate)},
      {std::string(kFlowComputerFailuresLabel), choiceText(failureCountTexts(), input.failures)},
      {std::string(kFlowComputerTimeoutLabel),
       withUnit(choiceText(flowComputerTimeoutTexts(), input.timeout), kTenthsUnit)},
      {std::string(kRequestPreamblesLabel), input.preambles},
      {oneLineLabel(kWriteModeGroup), writeMode},
  };
}

}  // namespace zvc
