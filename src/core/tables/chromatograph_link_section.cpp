#include "core/tables/chromatograph_link_section.h"

#include <algorithm>

#include "core/common/format.h"
#include "core/common/text_codec.h"
#include "core/tables/config_image.h"
#include "core/tables/flow_computer_link_section.h"
#include "core/tables/table_service.h"
#include "core/tables/text_catalogue.h"
#include "core/tables/upper_link_section.h"

namespace zvc {
namespace {

enum LinkField : std::size_t {
  kAddressField = 0,
  kRateField = 1,
  kModeField = 2,
  kParityField = 3,
  kTimeoutField = 4,
  kFailuresField = 5,
  kTypeField = 6,
  kRunsField = 7,
  kFirstSourceField = 10,  // run 1: flow-computer index, pipeline; run 2 the next two
  kParameterCountField = 14,
  kSpareField = 15,
};

constexpr int kFirstModbusAddress = 1;
constexpr int kLastModbusAddress = 247;
constexpr int kFirstTimeout = 5;
constexpr int kLastTimeout = 255;
constexpr int kMaxFailures = 10;
constexpr int kPipelines = 3;
constexpr int kParityChoices = 3;

constexpr int kParametersTable = 1;
constexpr int kSystemTable = 6;
constexpr int kFlowComputersPresentField = 9;
constexpr int kFlowComputerLinkTable = 9;
constexpr int kFlowComputerAddressTable = 18;
constexpr TableRange kLinkRange{14, 0, kChromatographLinkBytes};

std::vector<std::string> catalogueTexts(int base, int first, int count) {
  std::vector<std::string> texts;
  for (int code = first; code < first + count; ++code) {
    texts.emplace_back(TextCatalogue::text(base, code));
  }
  return texts;
}

std::size_t sourceField(int run) {
  return kFirstSourceField + 2 * static_cast<std::size_t>(run);
}

bool runSourceMissing(const ChromatographLinkInput& input, int run) {
  return input.runs[run] && (!input.flowComputer[run] || !input.pipeline[run]);
}

}  // namespace

std::vector<std::string> modbusAddressTexts() {
  return numberTexts(kFirstModbusAddress, kLastModbusAddress);
}

std::vector<std::string> modbusModeTexts() {
  return catalogueTexts(TextCatalogue::kModbusModes, 0, 2);
}

std::vector<std::string> chromatographParityTexts() {
  return {" Бит четн. отсутствует", " Неч. бит четности", " Четный бит четности"};
}

std::vector<std::string> modbusTimeoutTexts() {
  return numberTexts(kFirstTimeout, kLastTimeout);
}

std::vector<std::string> chromatographTypeTexts() {
  return catalogueTexts(TextCatalogue::kChromatographModels, kVelaType, 1);
}

std::vector<std::string> parameterCountTexts() {
  return numberTexts(1, static_cast<int>(kParameterRecords));
}

std::vector<std::string> flowComputerTexts(const std::vector<std::uint8_t>& addresses) {
  std::vector<std::string> texts;
  for (std::size_t index = 0; index < addresses.size(); ++index) {
    texts.push_back(format("%d (адр. %d)", static_cast<int>(index), addresses[index]));
  }
  return texts;
}

std::vector<std::string> pipelineTexts() {
  return numberTexts(1, kPipelines);
}

std::string runInUseText(int run, const ChromatographLinkContext& context) {
  return format(kRunInUseFormats[run].data(), context.runNames[run].c_str());
}

std::optional<InputError> checkModbusAddress(std::string_view text, std::uint8_t& address) {
  const auto value = fieldNumber(text);
  if (!value) return missingInput();
  if (*value < kFirstModbusAddress || *value > kLastModbusAddress) {
    return InputError{"Адрес должен быть", "в диапазоне 1...247"};
  }
  address = static_cast<std::uint8_t>(*value);
  return std::nullopt;
}

ChromatographLinkInput chromatographLinkInput(std::span<const std::uint8_t, 16> link,
                                              const ChromatographLinkContext& context) {
  ChromatographLinkInput input;
  input.address = std::to_string(link[kAddressField]);
  input.rate = baudRateEntry(link[kRateField]);
  input.mode = indexInRange(link[kModeField], 0, 1);
  input.parity = indexInRange(link[kParityField], 0, kParityChoices - 1);
  input.timeout = indexInRange(link[kTimeoutField], kFirstTimeout, kLastTimeout);
  input.failures = indexInRange(link[kFailuresField], 1, kMaxFailures);
  input.type = indexInRange(link[kTypeField], kVelaType, kVelaType);
  input.parameterCount =
      indexInRange(link[kParameterCountField], 1, static_cast<int>(kParameterRecords));
  for (int run = 0; run < 2; ++run) {
    input.runs[run] = (link[kRunsField] & (1 << run)) != 0;
    // An unused run's group is cleared; without flow computers there is nothing to choose.
    if (!input.runs[run] || !context.flowComputers) continue;
    const int count = static_cast<int>(context.flowComputers->size());
    input.flowComputer[run] = indexInRange(link[sourceField(run)], 0, count - 1);
    input.pipeline[run] = indexInRange(link[sourceField(run) + 1], 1, kPipelines);
  }
  return input;
}

std::optional<InputError> acceptChromatographLink(const ChromatographLinkInput& input,
                                                  const ChromatographLinkContext& context,
                                                  std::span<std::uint8_t, 16> link) {
  const bool sourcesMissing =
      context.flowComputers && (runSourceMissing(input, 0) || runSourceMissing(input, 1));
  if (!fieldNumber(input.address) || !input.rate || !input.mode || !input.parity ||
      !input.timeout || !input.failures || !input.type || !input.parameterCount ||
      (!input.runs[0] && !input.runs[1]) || sourcesMissing) {
    return missingInput();
  }
  std::uint8_t address = 0;
  if (auto error = checkModbusAddress(input.address, address)) return error;
  link[kAddressField] = address;
  link[kRateField] = static_cast<std::uint8_t>(*input.rate);
  link[kModeField] = static_cast<std::uint8_t>(*input.mode);
  link[kParityField] = static_cast<std::uint8_t>(*input.parity);
  link[kTimeoutField] = static_cast<std::uint8_t>(kFirstTimeout + *input.timeout);
  link[kFailuresField] = static_cast<std::uint8_t>(1 + *input.failures);
  link[kTypeField] = kVelaType;
  link[kRunsField] = static_cast<std::uint8_t>((input.runs[0] ? 1 : 0) | (input.runs[1] ? 2 : 0));
  for (int run = 0; run < 2; ++run) {
    const bool given = input.runs[run] && context.flowComputers;
    link[sourceField(run)] = given ? static_cast<std::uint8_t>(*input.flowComputer[run]) : 0;
    link[sourceField(run) + 1] = given ? static_cast<std::uint8_t>(1 + *input.pipeline[run]) : 0;
  }
  link[kParameterCountField] = static_cast<std::uint8_t>(1 + *input.parameterCount);
  link[kSpareField] = 0;
  return std::nullopt;
}

std::vector<ParameterLine> chromatographLinkLines(std::span<const std::uint8_t, 16> link,
                                                  const ChromatographLinkContext& context) {
  const ChromatographLinkInput input = chromatographLinkInput(link, context);
  std::vector<ParameterLine> lines = {
      {std::string(kChromatographAddressLabel), input.address},
      {std::string(kBaudRateLabel), choiceText(baudRateTexts(), input.rate)},
      {std::string(kModbusModeLabel), choiceText(modbusModeTexts(), input.mode)},
      {std::string(kParityLabel), choiceText(chromatographParityTexts(), input.parity)},
      {std::string(kChromatographTimeoutLabel),
       withUnit(choiceText(modbusTimeoutTexts(), input.timeout), kHundredthsUnit)},
      {std::string(kChromatographFailuresLabel), choiceText(failureCountTexts(), input.failures)},
      {std::string(kChromatographTypeLabel), choiceText(chromatographTypeTexts(), input.type)},
      {std::string(kParameterCountLabel), choiceText(parameterCountTexts(), input.parameterCount)},
  };
  for (int run = 0; run < 2; ++run) {
    lines.push_back({runInUseText(run, context), std::string(checkText(input.runs[run]))});
  }
  if (!context.flowComputers) return lines;
  for (int run = 0; run < 2; ++run) {
    const bool enabled = input.runs[run];
    lines.push_back({groupedLabel(kTemperatureSourceGroups[run], kFlowComputerIndexLabel),
                     choiceText(flowComputerTexts(*context.flowComputers), input.flowComputer[run]),
                     enabled});
    lines.push_back({groupedLabel(kTemperatureSourceGroups[run], kPipelineLabel),
                     choiceText(pipelineTexts(), input.pipeline[run]), enabled});
  }
  return lines;
}

ChromatographLinkEdit::ChromatographLinkEdit(TableService& tables)
    : tables_(tables), link_(tables, kLinkRange) {}

bool ChromatographLinkEdit::read() {
  ConfigImage& image = tables_.image();
  context_.flowComputers.reset();
  if (image.field(kSystemTable, kFlowComputersPresentField)[0] != 0) {
    if (!tables_.readTableRange({kFlowComputerLinkTable, 0, 1})) return false;
    const int count = std::min<int>(image.field(kFlowComputerLinkTable, 0)[0], kMaxFlowComputers);
    if (count > 0 && !tables_.readTableRange({kFlowComputerAddressTable, 0, std::uint8_t(count)})) {
      return false;
    }
    // Without any flow computer to choose there is nothing the groups could take.
    const auto addresses = image.table(kFlowComputerAddressTable).first(count);
    if (count > 0) context_.flowComputers.emplace(addresses.begin(), addresses.end());
  }
  if (!tables_.readNames(1, 2)) return false;
  for (int run = 0; run < 2; ++run) {
    const auto name = image.field(5, run + 1);
    context_.runNames[run] = fieldToUtf8(name.data(), name.size());
  }
  if (!link_.read()) return false;
  const auto parameters = image.table(kParametersTable);
  oldParameters_.assign(parameters.begin(), parameters.end());
  return true;
}

ChromatographLinkSection ChromatographLinkEdit::section() const {
  return {link_.section<kChromatographLinkBytes>(),
          tables_.image().table(kParametersTable).first<kParameterBytes>()};
}

bool ChromatographLinkEdit::writeLink() {
  return link_.writeChanges();
}

bool ChromatographLinkEdit::writeParameters() {
  const int used = std::min<int>(section().link[kParameterCountField], kParameterRecords);
  if (used == 0) return true;
  const auto old =
      std::span<const std::uint8_t>(oldParameters_).first(used * kParameterRecordBytes);
  return tables_.writeChangedFields({kParametersTable, 0, std::uint8_t(used)}, old);
}

}  // namespace zvc
