#include "core/tables/measured_parameters.h"

#include <algorithm>
#include <cstring>

#include "core/common/float_format.h"
#include "core/common/format.h"
#include "core/common/text_codec.h"
#include "core/tables/text_catalogue.h"

namespace zvc {
namespace {

constexpr std::size_t kNameBytes = 40;
constexpr std::size_t kDesignationOffset = 40;
constexpr std::size_t kDesignationBytes = 10;
constexpr std::size_t kUnitOffset = 50;
constexpr std::size_t kRegisterOffset = 59;
constexpr std::size_t kDecimalsOffset = 61;
constexpr std::size_t kTypeOffset = 62;
constexpr long long kMaxRegister = 65535;

std::span<std::uint8_t, kParameterRecordBytes> recordOf(ParameterListBlock block, int index) {
  return block.subspan(1 + index * kParameterRecordBytes).first<kParameterRecordBytes>();
}

std::string rangeText(const std::uint8_t* bytes, int decimals) {
  return formatFixed(floatFromBytes(bytes), decimals).value_or("?");
}

std::optional<int> listEntry(std::uint8_t code, std::size_t entries) {
  return indexInRange(code, 0, static_cast<int>(entries) - 1);
}

// Windows-1251 text of at most `chars` characters, NUL-filled.
void storeText(const std::string& utf8, std::size_t chars, std::span<std::uint8_t> field) {
  std::ranges::fill(field, 0);
  const std::string cp1251 = utf8ToCp1251(utf8).substr(0, std::min(chars, field.size()));
  std::ranges::copy(cp1251, field.begin());
}

}  // namespace

ConstParameterRecord parameterRecord(ConstParameterTable table, int index) {
  return table.subspan(index * kParameterRecordBytes).first<kParameterRecordBytes>();
}

ParameterRecord parameterRecord(std::span<std::uint8_t, kParameterBytes> table, int index) {
  return table.subspan(index * kParameterRecordBytes).first<kParameterRecordBytes>();
}

std::string parameterName(ConstParameterRecord record) {
  return fieldToUtf8(record.data(), kNameBytes);
}

std::string parameterUnit(ConstParameterRecord record) {
  return std::string(TextCatalogue::text(TextCatalogue::kUnitsB, record[kUnitOffset]));
}

int parameterDecimals(ConstParameterRecord record) {
  return std::min<int>(record[kDecimalsOffset], kMaxDecimals);
}

double parameterMinimum(ConstParameterRecord record) {
  return floatFromBytes(record.data() + kParameterMinimumOffset);
}

double parameterMaximum(ConstParameterRecord record) {
  return floatFromBytes(record.data() + kParameterMaximumOffset);
}

std::string parameterValueText(ConstParameterRecord record, double value) {
  return formatFixed(value, parameterDecimals(record)).value_or("?");
}

int usedParameters(std::uint8_t count) {
  return std::min<int>(count, kParameterRecords);
}

std::array<std::string, 7> parameterRow(ConstParameterRecord record, int index) {
  const int decimals = parameterDecimals(record);
  const auto text = [](const std::string& value) { return format(" %s", value.c_str()); };
  return {format("  %d", index + 1),
          text(parameterName(record)),
          text(fieldToUtf8(record.data() + kDesignationOffset, kDesignationBytes)),
          text(parameterUnit(record)),
          format(" %u", unsigned(record[kRegisterOffset] | record[kRegisterOffset + 1] << 8)),
          text(rangeText(record.data() + kParameterMinimumOffset, decimals)),
          text(rangeText(record.data() + kParameterMaximumOffset, decimals))};
}

std::vector<ParameterLine> parameterLines(int count, ConstParameterTable table) {
  std::vector<ParameterLine> lines = {{std::string(kParameterCountShown), std::to_string(count)}};
  for (int k = 0; k < count; ++k) {
    const std::array<std::string, 7> row = parameterRow(parameterRecord(table, k), k);
    std::string value;
    for (std::size_t column = 1; column < row.size(); ++column) {
      if (column > 1) value += "\t";
      value += oneLineLabel(row[column]);
    }
    lines.push_back({oneLineLabel(row[0]), value});
  }
  return lines;
}

bool canAddParameter(std::span<const std::uint8_t, kParameterListBytes> block) {
  return block[0] < kParameterRecords;
}

bool canRemoveParameter(std::span<const std::uint8_t, kParameterListBytes> block) {
  return block[0] > 1;
}

void appendParameter(ParameterListBlock block, ConstParameterRecord record) {
  if (!canAddParameter(block)) return;
  std::ranges::copy(record, recordOf(block, block[0]).begin());
  ++block[0];
}

void removeParameter(ParameterListBlock block, int index) {
  const int count = usedParameters(block[0]);
  if (index < 0 || index >= count) return;
  for (int i = index; i + 1 < count; ++i) {
    std::ranges::copy(recordOf(block, i + 1), recordOf(block, i).begin());
  }
  std::ranges::fill(recordOf(block, count - 1), 0);
  block[0] = static_cast<std::uint8_t>(count - 1);
}

InputError parameterRemoveQuestion() {
  return {"Вы действительно хотите", "удалить этот параметр?"};
}

std::vector<std::string> parameterUnitTexts() {
  std::vector<std::string> texts;
  for (int code = 0; code < TextCatalogue::listLength(TextCatalogue::kUnitsB); ++code) {
    texts.emplace_back(TextCatalogue::text(TextCatalogue::kUnitsB, code));
  }
  return texts;
}

std::vector<std::string> decimalTexts() {
  return numberTexts(0, kMaxDecimals);
}

ParameterInput parameterInput(ConstParameterRecord record) {
  const int decimals = parameterDecimals(record);
  const auto registerAddress = unsigned(record[kRegisterOffset] | record[kRegisterOffset + 1] << 8);
  return {parameterName(record),
          fieldToUtf8(record.data() + kDesignationOffset, kDesignationBytes),
          listEntry(record[kUnitOffset], parameterUnitTexts().size()),
          std::to_string(registerAddress),
          decimals,
          listEntry(record[kTypeOffset], kParameterTypes.size()),
          rangeText(record.data() + kParameterMinimumOffset, decimals),
          rangeText(record.data() + kParameterMaximumOffset, decimals)};
}

std::string redrawRangeValue(const std::string& text, const std::uint8_t* stored, int oldDecimals,
                             int newDecimals) {
  if (text == rangeText(stored, oldDecimals)) return rangeText(stored, newDecimals);
  const std::optional<double> typed = text.empty() ? 0.0 : parseReal(text);
  if (!typed) return text;
  return formatFixed(*typed, newDecimals).value_or(text);
}

std::optional<InputError> acceptParameter(const ParameterInput& input, ParameterRecord record) {
  if (input.name.empty() || input.designation.empty() || !input.unit ||
      input.registerAddress.empty() || !input.decimals || !input.type || input.minimum.empty() ||
      input.maximum.empty()) {
    return missingInput();
  }
  const std::optional<long long> registerAddress = fieldNumber(input.registerAddress);
  if (*registerAddress > kMaxRegister) {
    return InputError{"Адрес регистра Modbus", "в диапазоне 0...65535"};
  }
  // Untouched range fields show the stored values with the decimals chosen now.
  const int shownDecimals = *input.decimals;
  const std::string shownMinimum = rangeText(record.data() + kParameterMinimumOffset, shownDecimals);
  const std::string shownMaximum = rangeText(record.data() + kParameterMaximumOffset, shownDecimals);
  const auto minimum = typedReal(input.minimum, shownMinimum, record.data() + kParameterMinimumOffset);
  const auto maximum = typedReal(input.maximum, shownMaximum, record.data() + kParameterMaximumOffset);
  if (!minimum || !maximum || *minimum >= *maximum) {
    return InputError{"Неверно задан диапазон измерений", ""};
  }
  storeText(input.name, kParameterNameChars, record.first(kNameBytes));
  storeText(input.designation, kDesignationChars,
            record.subspan(kDesignationOffset, kDesignationBytes));
  record[kUnitOffset] = static_cast<std::uint8_t>(*input.unit);
  record[kTypeOffset] = static_cast<std::uint8_t>(*input.type);
  record[kRegisterOffset] = static_cast<std::uint8_t>(*registerAddress & 0xFF);
  record[kRegisterOffset + 1] = static_cast<std::uint8_t>(*registerAddress >> 8);
  record[kDecimalsOffset] = static_cast<std::uint8_t>(*input.decimals);
  storeTypedReal(input.minimum, shownMinimum, *minimum, record.data() + kParameterMinimumOffset);
  storeTypedReal(input.maximum, shownMaximum, *maximum, record.data() + kParameterMaximumOffset);
  return std::nullopt;
}

std::optional<double> typedReal(const std::string& text, const std::string& shown,
                                const std::uint8_t* stored) {
  if (text == shown) return floatFromBytes(stored);
  return parseReal(text);
}

void storeTypedReal(const std::string& text, const std::string& shown, double value,
                    std::uint8_t* bytes) {
  if (text == shown) return;
  const auto single = static_cast<float>(value);
  std::memcpy(bytes, &single, sizeof single);
}

}  // namespace zvc
