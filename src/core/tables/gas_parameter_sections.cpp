#include "core/tables/gas_parameter_sections.h"

#include <algorithm>

#include "core/common/float_format.h"
#include "core/common/format.h"
#include "core/tables/config_image.h"

namespace zvc {
namespace {

constexpr std::uint8_t kFirstLimitTable = 22;
constexpr int kParameterCountTable = 14;
constexpr int kParameterCountField = 14;
constexpr std::uint8_t kParametersTable = 1;
constexpr std::array<int, 7> kPeriods = {1, 2, 3, 4, 6, 12, 24};
constexpr double kLimitTolerance = 0.00001;

ConstParameterRecord recordOf(const MeasuredParameters& parameters, int index) {
  return parameterRecord(parameters.table, index);
}

const std::uint8_t* floatAt(std::span<const std::uint8_t> values, int index) {
  return values.data() + index * 4;
}

std::string limitText(const MeasuredParameters& parameters, int index, ConstLimitSection values) {
  return parameterValueText(recordOf(parameters, index), floatFromBytes(floatAt(values, index)));
}

std::string constantText(ConstConstantSection section, int index) {
  return formatFloatValue(section.data() + kParameterRecords + index * 4);
}

InputError limitError(const MeasuredParameters& parameters, int index) {
  return {format("Параметр \"%s \".", parameterCaption(parameters, index).c_str()),
          "Вводите значения согласно допустимому диапазону"};
}

}  // namespace

std::uint8_t limitTable(int kind) {
  return static_cast<std::uint8_t>(kFirstLimitTable + kind);
}

std::string parameterCaption(const MeasuredParameters& parameters, int index) {
  return " " + parameterName(recordOf(parameters, index));
}

std::string parameterRangeText(const MeasuredParameters& parameters, int index) {
  const ConstParameterRecord record = recordOf(parameters, index);
  return format(" %s - %s", parameterValueText(record, parameterMinimum(record)).c_str(),
                parameterValueText(record, parameterMaximum(record)).c_str());
}

std::vector<std::string> limitInput(const MeasuredParameters& parameters,
                                    ConstLimitSection values) {
  std::vector<std::string> input;
  for (int k = 0; k < parameters.count; ++k) input.push_back(limitText(parameters, k, values));
  return input;
}

std::string reformatLimit(const MeasuredParameters& parameters, int index, const std::string& text,
                          ConstLimitSection values) {
  if (text == limitText(parameters, index, values)) return text;
  const std::optional<double> value = parseReal(text);
  if (!value) return text;
  return parameterValueText(recordOf(parameters, index), *value);
}

std::optional<InputError> acceptLimits(const MeasuredParameters& parameters,
                                       const std::vector<std::string>& input,
                                       LimitSection values) {
  if (std::ranges::any_of(input, [](const std::string& text) { return text.empty(); })) {
    return missingInput();
  }
  std::vector<double> typed;
  for (int k = 0; k < parameters.count; ++k) {
    const ConstParameterRecord record = recordOf(parameters, k);
    const auto value = typedReal(input[k], limitText(parameters, k, values), floatAt(values, k));
    if (!value || *value < parameterMinimum(record) - kLimitTolerance ||
        *value > parameterMaximum(record) + kLimitTolerance) {
      return limitError(parameters, k);
    }
    typed.push_back(*value);
  }
  for (int k = 0; k < parameters.count; ++k) {
    storeTypedReal(input[k], limitText(parameters, k, values), typed[k], values.data() + k * 4);
  }
  return std::nullopt;
}

std::vector<ParameterLine> limitLines(const MeasuredParameters& parameters,
                                      ConstLimitSection values) {
  std::vector<ParameterLine> lines;
  for (int k = 0; k < parameters.count; ++k) {
    lines.push_back({parameterCaption(parameters, k),
                     withUnit(limitText(parameters, k, values),
                              parameterUnit(recordOf(parameters, k)))});
  }
  return lines;
}

std::vector<std::optional<int>> writeNeedInput(const MeasuredParameters& parameters,
                                               ConstWriteNeedSection section) {
  std::vector<std::optional<int>> input;
  for (int k = 0; k < parameters.count; ++k) input.push_back(indexInRange(section[k], 0, 1));
  return input;
}

std::optional<InputError> acceptWriteNeed(const MeasuredParameters& parameters,
                                          const std::vector<std::optional<int>>& input,
                                          WriteNeedSection section) {
  if (std::ranges::any_of(input, [](std::optional<int> choice) { return !choice; })) {
    return missingInput();
  }
  for (int k = 0; k < parameters.count; ++k) section[k] = static_cast<std::uint8_t>(*input[k]);
  return std::nullopt;
}

std::vector<ParameterLine> writeNeedLines(const MeasuredParameters& parameters,
                                          ConstWriteNeedSection section) {
  std::vector<ParameterLine> lines;
  const std::vector<std::optional<int>> input = writeNeedInput(parameters, section);
  for (int k = 0; k < parameters.count; ++k) {
    const std::string choice = input[k] ? oneLineLabel(kWriteNeedChoices[*input[k]]) : "";
    lines.push_back({parameterCaption(parameters, k), choice});
  }
  return lines;
}

std::vector<std::string> periodTexts() {
  std::vector<std::string> texts;
  for (const int hours : kPeriods) texts.push_back(format(" %u", unsigned(hours)));
  return texts;
}

std::optional<int> periodInput(ConstPeriodSection section) {
  const auto found = std::ranges::find(kPeriods, section[0]);
  if (found == kPeriods.end()) return std::nullopt;
  return static_cast<int>(found - kPeriods.begin());
}

std::optional<InputError> acceptPeriod(std::optional<int> input, PeriodSection section) {
  if (!input || *input < 0 || *input >= static_cast<int>(kPeriods.size())) {
    return InputError{"Не введен период", ""};
  }
  section[0] = static_cast<std::uint8_t>(kPeriods[*input]);
  section[1] = 0;
  return std::nullopt;
}

std::vector<ParameterLine> periodLines(ConstPeriodSection section) {
  const std::string chosen = oneLineLabel(choiceText(periodTexts(), periodInput(section)));
  return {{std::string(kPeriodLabel), withUnit(chosen, kHoursUnit)}};
}

std::vector<ConstantRow> constantInput(const MeasuredParameters& parameters,
                                       ConstConstantSection section) {
  std::vector<ConstantRow> input;
  for (int k = 0; k < parameters.count; ++k) {
    input.push_back({constantText(section, k), section[k] == 1});
  }
  return input;
}

std::optional<InputError> acceptConstants(const MeasuredParameters& parameters,
                                          const std::vector<ConstantRow>& input,
                                          ConstantSection section) {
  std::array<std::uint8_t, kConstantBytes> edited;
  std::ranges::copy(section, edited.begin());
  for (int k = 0; k < parameters.count; ++k) {
    edited[k] = input[k].ticked ? 1 : 0;
    const std::string name = parameterName(recordOf(parameters, k));
    if (input[k].value.empty()) {
      if (input[k].ticked) return InputError{name, "Не введено значение константы."};
      continue;
    }
    const std::string shown = constantText(section, k);
    std::uint8_t* bytes = edited.data() + kParameterRecords + k * 4;
    const std::optional<double> value = typedReal(input[k].value, shown, bytes);
    if (!value) return InputError{name, "Значение константы не является числом."};
    storeTypedReal(input[k].value, shown, *value, bytes);
  }
  std::ranges::copy(edited, section.begin());
  return std::nullopt;
}

std::vector<ParameterLine> constantLines(const MeasuredParameters& parameters,
                                         ConstConstantSection section) {
  std::vector<ParameterLine> lines;
  const std::vector<ConstantRow> rows = constantInput(parameters, section);
  for (int k = 0; k < parameters.count; ++k) {
    lines.push_back({parameterCaption(parameters, k),
                     rows[k].value + "\t" + std::string(checkText(rows[k].ticked))});
  }
  return lines;
}

MeasuredParameters measuredParameters(const TableService& tables) {
  const ConfigImage& image = tables.image();
  return {usedParameters(image.field(kParameterCountTable, kParameterCountField)[0]),
          image.table(kParametersTable).first<kParameterBytes>()};
}

ParameterTableEdit::ParameterTableEdit(TableService& tables, std::uint8_t table)
    : tables_(tables), table_(table) {}

bool ParameterTableEdit::read() {
  const int count = measuredParameters(tables_).count;
  if (count == 0) return true;
  edit_.emplace(tables_, TableRange{table_, 0, std::uint8_t(count)});
  return edit_->read();
}

bool ParameterTableEdit::write() {
  return !edit_ || edit_->writeChanges();
}

ConstantsEdit::ConstantsEdit(TableService& tables, int run) : tables_(tables), run_(run) {}

bool ConstantsEdit::read() {
  const auto count = std::uint8_t(measuredParameters(tables_).count);
  if (count == 0) return true;
  const auto flagTable = std::uint8_t(43 + 2 * run_);
  flags_.emplace(tables_, TableRange{flagTable, 0, count});
  constants_.emplace(tables_, TableRange{std::uint8_t(flagTable + 1), 0, count});
  return flags_->read() && constants_->read();
}

ConstantSection ConstantsEdit::section() const {
  // The flags table is directly followed by the constants table in the image.
  return ConstantSection(tables_.image().table(43 + 2 * run_).data(), kConstantBytes);
}

bool ConstantsEdit::write() {
  if (!constants_) return true;
  return constants_->writeChanges() && flags_->writeChanges();
}

}  // namespace zvc
