#include "core/archives/chart_series.h"

#include <algorithm>

#include "core/common/calendar.h"
#include "core/common/float_format.h"
#include "core/tables/chromatograph_link_section.h"
#include "core/tables/config_image.h"
#include "core/tables/config_record.h"
#include "core/tables/table_service.h"
#include "core/link/kpsbox.h"
#include "core/ui/connection_state.h"

namespace zvc {
namespace {

constexpr int kLowerWarningTable = 23;
constexpr int kUpperWarningTable = 24;
constexpr std::size_t kFloatSize = 4;

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

std::vector<std::optional<float>> setpointsAt(const std::uint8_t* values, int parameters) {
  std::vector<std::optional<float>> setpoints;
  for (int p = 0; p < std::clamp(parameters, 0, static_cast<int>(kParameterRecords)); ++p) {
    const float value = floatFromBytes(values + kFloatSize * static_cast<std::size_t>(p));
    setpoints.push_back(isNotANumber(value) ? std::nullopt : std::optional<float>(value));
  }
  return setpoints;
}

std::optional<float> setpointOf(const std::vector<std::optional<float>>& values, int parameter) {
  return parameter < static_cast<int>(values.size()) ? values[parameter] : std::nullopt;
}

}  // namespace

WarningSetpoints warningSetpoints(const ConfigImage& image, int parameters) {
  return {setpointsAt(image.table(kLowerWarningTable).data(), parameters),
          setpointsAt(image.table(kUpperWarningTable).data(), parameters)};
}

WarningSetpoints warningSetpoints(const ConfigFileRecord& record, int parameters) {
  // Tables 22..26 lie one after the other; 23 and 24 are the second and third.
  const std::uint8_t* lower =
      record.bytes.data() + ConfigFileRecord::kLimits + ConfigFileRecord::kLimitsStep;
  return {setpointsAt(lower, parameters),
          setpointsAt(lower + ConfigFileRecord::kLimitsStep, parameters)};
}

std::optional<WarningSetpoints> readWarningSetpoints(const ConnectionState& state,
                                                     TableService& tables, const ConfigImage& image,
                                                     const ArchiveFileHeader& header) {
  if (!state.connected || state.engine == nullptr || state.engine->address != header.address()) {
    return std::nullopt;
  }
  const auto count = static_cast<std::uint8_t>(
      std::clamp(header.parameterCount(), 1, static_cast<int>(kParameterRecords)));
  for (const int table : {kLowerWarningTable, kUpperWarningTable}) {
    if (!tables.readTableRange({static_cast<std::uint8_t>(table), 0, count})) return std::nullopt;
  }
  return warningSetpoints(image, count);
}

ChartSource chartSource(const ChromTable& table) {
  ChartSource source{table.caption, {}, {}, table.rowTimes, table.shownValues};
  for (std::size_t c = static_cast<std::size_t>(table.firstValueColumn);
       c < table.headings[0].size(); ++c) {
    source.names.push_back(trimmed(table.headings[0][c]));
    source.units.push_back(trimmed(table.headings[1][c]));
  }
  return source;
}

ChartSource chartSource(const MoistureTable& table) {
  ChartSource source{table.caption, {}, {}, table.rowTimes, table.shownValues};
  constexpr int kUnitLine = MoistureTable::kCaptionLines - 1;
  for (int c = MoistureTable::kColumns - kMoistureValueCount; c < MoistureTable::kColumns; ++c) {
    std::string name;
    for (int line = 0; line < kUnitLine; ++line) {
      const std::string part = trimmed(table.columnCaptions[line][c]);
      if (!part.empty()) name += (name.empty() ? "" : " ") + part;
    }
    source.names.push_back(name);
    source.units.push_back(trimmed(table.columnCaptions[kUnitLine][c]));
  }
  return source;
}

std::optional<int> chartParameterIndex(const ChartSource& source, const std::string& name) {
  const auto found = std::find(source.names.begin(), source.names.end(), name);
  if (found == source.names.end()) return std::nullopt;
  return static_cast<int>(found - source.names.begin());
}

ChartSeries chartSeries(const ChartSource& table, int parameter,
                        const WarningSetpoints* setpoints) {
  ChartSeries series;
  series.name = table.names.at(static_cast<std::size_t>(parameter));
  series.unit = table.units.at(static_cast<std::size_t>(parameter));
  if (setpoints != nullptr) {
    series.lowerSetpoint = setpointOf(setpoints->lower, parameter);
    series.upperSetpoint = setpointOf(setpoints->upper, parameter);
  }
  bool inRun = false;
  for (std::size_t row = 0; row < table.shownValues.size(); ++row) {
    const std::optional<ShownValue>& shown = table.shownValues[row][parameter];
    const std::optional<DateTime6>& time = table.rowTimes[row];
    if (!shown || !time) {
      inRun = false;
      continue;
    }
    const ChartPoint point{dayCountFromDateTime(*time), shown->value};
    if (!inRun) series.runs.emplace_back();
    inRun = true;
    series.runs.back().push_back(point);
    if (shown->mark == '*') series.warnings.push_back(point);
    if (shown->mark == '#') series.alarms.push_back(point);
    if (shown->mark == '"') series.flagged.push_back(point);
  }
  return series;
}

}  // namespace zvc
