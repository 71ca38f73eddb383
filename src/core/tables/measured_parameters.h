#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/tables/chromatograph_link_section.h"
#include "core/tables/parameter_section.h"
#include "core/ui/input_error.h"

namespace zvc {

// The measured parameters as the list dialog edits them: byte 0 the count N, then the 20
// records of table 1 (64 bytes each: name 0..39, designation 40..49, unit code 50, range
// minimum 51..54 and maximum 55..58 as float32, MODBUS register 59..60, decimals 61, type 62).
inline constexpr std::size_t kParameterListBytes = 1 + kParameterBytes;
using ParameterListBlock = std::span<std::uint8_t, kParameterListBytes>;
using ParameterRecord = std::span<std::uint8_t, kParameterRecordBytes>;
using ConstParameterRecord = std::span<const std::uint8_t, kParameterRecordBytes>;
using ConstParameterTable = std::span<const std::uint8_t, kParameterBytes>;

// Where a record keeps its range, for dialogs that redraw it.
inline constexpr std::size_t kParameterMinimumOffset = 51;
inline constexpr std::size_t kParameterMaximumOffset = 55;
inline constexpr std::size_t kParameterNameChars = 25;
inline constexpr std::size_t kDesignationChars = 10;
inline constexpr int kMaxDecimals = 7;

inline constexpr std::string_view kParameterCountShown = "Количество введенных параметров";
inline constexpr std::array<std::string_view, 7> kParameterColumns = {
    "№", "Наименование", "Условное\nобознач.", "Единица\nизмерений", "Modbus\nрегистр", "Min",
    "Max"};
inline constexpr std::string_view kRangeColumnsGroup = "Диапазон";
inline constexpr std::string_view kParameterNameLabel = "Наименование";
inline constexpr std::string_view kParameterNameHint = "(до 25 символов)";
inline constexpr std::string_view kDesignationLabel = "Условное обозначение";
inline constexpr std::string_view kDesignationHint = "(до 10 символов)";
inline constexpr std::string_view kUnitLabel = "Единица измерений";
inline constexpr std::string_view kRegisterLabel = "Адрес регистра Modbus\nтекущего значения";
inline constexpr std::string_view kDecimalsLabel =
    "Формат отображения данных\n(кол. знаков после запятой)";
inline constexpr std::string_view kParameterTypeLabel = "Тип данных";
inline constexpr std::array<std::string_view, 6> kParameterTypes = {
    "Мол. доля ", "Температура", "Плотность", "H низшая", "H высшая", "Число Воббе"};
inline constexpr std::string_view kRangeGroup = " Диапазон измерений ";
inline constexpr std::string_view kMinimumLabel = "Миним. значение";
inline constexpr std::string_view kMaximumLabel = "Максим. значение";

// Record k of a table-1 image.
ConstParameterRecord parameterRecord(ConstParameterTable table, int index);
ParameterRecord parameterRecord(std::span<std::uint8_t, kParameterBytes> table, int index);
// The name, designation, unit text, decimals (at most 7) and range of a record.
std::string parameterName(ConstParameterRecord record);
std::string parameterUnit(ConstParameterRecord record);
int parameterDecimals(ConstParameterRecord record);
double parameterMinimum(ConstParameterRecord record);
double parameterMaximum(ConstParameterRecord record);
// A value in fixed point with the record's decimals; "?" when it is no number.
std::string parameterValueText(ConstParameterRecord record, double value);

// The used count of a block or table: N, at most 20.
int usedParameters(std::uint8_t count);

// The list dialog's rows and buttons.
std::array<std::string, 7> parameterRow(ConstParameterRecord record, int index);
// zvc-cli: "Количество введенных параметров" and one line per parameter, its grid cells.
std::vector<ParameterLine> parameterLines(int count, ConstParameterTable table);
bool canAddParameter(std::span<const std::uint8_t, kParameterListBytes> block);
bool canRemoveParameter(std::span<const std::uint8_t, kParameterListBytes> block);
// Appends a record; the count grows.
void appendParameter(ParameterListBlock block, ConstParameterRecord record);
// Later records move one place up and the freed last one is cleared to zeros.
void removeParameter(ParameterListBlock block, int index);
InputError parameterRemoveQuestion();

// The parameter dialog.
struct ParameterInput {
  std::string name;
  std::string designation;
  std::optional<int> unit;
  std::string registerAddress;
  std::optional<int> decimals;
  std::optional<int> type;
  std::string minimum;
  std::string maximum;
  bool operator==(const ParameterInput&) const = default;
};

std::vector<std::string> parameterUnitTexts();
std::vector<std::string> decimalTexts();
ParameterInput parameterInput(ConstParameterRecord record);
// The range fields again after the decimals changed: a field the user left as shown keeps the
// stored value, otherwise the typed value is shown with the new decimals.
std::string redrawRangeValue(const std::string& text, const std::uint8_t* stored, int oldDecimals,
                             int newDecimals);
std::optional<InputError> acceptParameter(const ParameterInput& input, ParameterRecord record);

// A real typed into a float field: the value of the stored bytes while the text is still the
// one shown for them, otherwise the typed number; nullopt when the text is no number.
std::optional<double> typedReal(const std::string& text, const std::string& shown,
                                const std::uint8_t* stored);
// Stores a typed real as float32; a text still the one shown leaves the bytes exactly as they
// were, so a value the user did not touch is written back bit for bit.
void storeTypedReal(const std::string& text, const std::string& shown, double value,
                    std::uint8_t* bytes);

}  // namespace zvc
