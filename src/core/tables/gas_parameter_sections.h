#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/tables/measured_parameters.h"
#include "core/tables/config_image.h"
#include "core/tables/parameter_section.h"
#include "core/tables/table_edit.h"
#include "core/ui/input_error.h"

namespace zvc {

// The per-parameter tables, used for their first N fields (N = table 14 field 14): table 21
// write need, tables 22..26 the limits (float32), tables 43+44 / 45+46 the constants of a run
// (20 flags directly followed by 20 float32 constants), and table 28 the averaging period.
inline constexpr std::size_t kLimitBytes = kParameterRecords * 4;
inline constexpr std::size_t kWriteNeedBytes = kParameterRecords;
inline constexpr std::size_t kConstantBytes = kParameterRecords * 5;
inline constexpr std::size_t kPeriodBytes = 2;
using LimitSection = std::span<std::uint8_t, kLimitBytes>;
using ConstLimitSection = std::span<const std::uint8_t, kLimitBytes>;
using WriteNeedSection = std::span<std::uint8_t, kWriteNeedBytes>;
using ConstWriteNeedSection = std::span<const std::uint8_t, kWriteNeedBytes>;
using ConstantSection = std::span<std::uint8_t, kConstantBytes>;
using ConstConstantSection = std::span<const std::uint8_t, kConstantBytes>;
using PeriodSection = std::span<std::uint8_t, kPeriodBytes>;
using ConstPeriodSection = std::span<const std::uint8_t, kPeriodBytes>;

// What the per-parameter dialogs show beside their section: N and table 1.
struct MeasuredParameters {
  int count;  // at most 20
  ConstParameterTable table;
};

// The limit kinds 0..4 are tables 22..26.
inline constexpr int kLimitKinds = 5;
inline constexpr std::array<std::string_view, kLimitKinds> kLimitCaptions = {
    "Параметры газа. Зона нечувствительности изменений",
    "Нижняя предупредительная уставка параметра газа",
    "Верхняя предупредительная уставка параметра газа",
    "Нижний предел знач. парам. газа, допускаемого к записи в ВРГ",
    "Верхний предел знач. парам. газа, допускаемого к записи в ВРГ"};
inline constexpr std::string_view kLimitNameColumn = "Наименование\nпараметра";
inline constexpr std::string_view kLimitRangeColumn = "Диапазон\nизмерений";
inline constexpr std::size_t kLimitValueChars = 8;
std::uint8_t limitTable(int kind);

// The caption of row k: a blank and the parameter's name.
std::string parameterCaption(const MeasuredParameters& parameters, int index);
// " %s - %s": the range of parameter k.
std::string parameterRangeText(const MeasuredParameters& parameters, int index);

std::vector<std::string> limitInput(const MeasuredParameters& parameters, ConstLimitSection values);
// A value reformatted with the parameter's decimals when its field is left; a text that is no
// number stays as typed.
std::string reformatLimit(const MeasuredParameters& parameters, int index,
                          const std::string& text, ConstLimitSection values);
std::optional<InputError> acceptLimits(const MeasuredParameters& parameters,
                                       const std::vector<std::string>& input, LimitSection values);
std::vector<ParameterLine> limitLines(const MeasuredParameters& parameters,
                                      ConstLimitSection values);

// Table 21.
inline constexpr std::string_view kWriteNeedCaption =
    "Необходимость записи  значений параметров газа в ВРГ ";
inline constexpr std::string_view kWriteNeedNameColumn = "Наименование параметра";
inline constexpr std::string_view kWriteNeedColumn = "Необходимость записи";
inline constexpr std::array<std::string_view, 2> kWriteNeedChoices = {" Не записывать ",
                                                                       " Записывать"};
std::vector<std::optional<int>> writeNeedInput(const MeasuredParameters& parameters,
                                               ConstWriteNeedSection section);
std::optional<InputError> acceptWriteNeed(const MeasuredParameters& parameters,
                                          const std::vector<std::optional<int>>& input,
                                          WriteNeedSection section);
std::vector<ParameterLine> writeNeedLines(const MeasuredParameters& parameters,
                                          ConstWriteNeedSection section);

// Table 28.
inline constexpr std::string_view kPeriodLabel =
    "Период записи средних за час\nзначений параметров газа в ВРГ";
inline constexpr std::string_view kHoursUnit = "ч";
std::vector<std::string> periodTexts();
std::optional<int> periodInput(ConstPeriodSection section);
std::optional<InputError> acceptPeriod(std::optional<int> input, PeriodSection section);
std::vector<ParameterLine> periodLines(ConstPeriodSection section);

// Tables 43+44 (run 1) and 45+46 (run 2).
inline constexpr const char* kConstantsCaptionFormat = "Константы параметров газа нитки %d";
inline constexpr std::string_view kConstantNameColumn = "Наименование параметров газа";
inline constexpr std::string_view kConstantValueColumn = "Значение\nконстанты";
inline constexpr std::string_view kConstantFlagColumn = "Поставить\nна константу";
struct ConstantRow {
  std::string value;
  bool ticked = false;
  bool operator==(const ConstantRow&) const = default;
};
std::vector<ConstantRow> constantInput(const MeasuredParameters& parameters,
                                       ConstConstantSection section);
std::optional<InputError> acceptConstants(const MeasuredParameters& parameters,
                                          const std::vector<ConstantRow>& input,
                                          ConstantSection section);
std::vector<ParameterLine> constantLines(const MeasuredParameters& parameters,
                                         ConstConstantSection section);

// N and table 1 as the image holds them.
MeasuredParameters measuredParameters(const TableService& tables);

// One per-parameter table edited from the main menu: fields 0..N-1 read, edited in the image,
// written as changed.
class ParameterTableEdit {
 public:
  ParameterTableEdit(TableService& tables, std::uint8_t table);
  bool read();
  template <std::size_t Size>
  std::span<std::uint8_t, Size> section() const {
    return tables_.image().table(table_).first<Size>();
  }
  bool write();

 private:
  TableService& tables_;
  std::uint8_t table_;
  std::optional<TableEdit> edit_;
};

// The constants of a run edited from the main menu: the constants are written before the flags
// that select them, and the flags only when the constants were written.
class ConstantsEdit {
 public:
  ConstantsEdit(TableService& tables, int run);
  bool read();
  ConstantSection section() const;
  bool write();

 private:
  TableService& tables_;
  int run_;
  std::optional<TableEdit> flags_;
  std::optional<TableEdit> constants_;
};

}  // namespace zvc
