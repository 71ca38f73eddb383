#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/archives/chrom_archives.h"
#include "core/archives/moisture_archives.h"

namespace zvc {

class ConfigImage;
class TableService;
struct ConfigFileRecord;
struct ConnectionState;

// A point of a trend: the time as a day count with fraction (days since 30 December 1899, the
// local time of the controller) and the value as the grid shows it.
struct ChartPoint {
  double day;
  double value;
  bool operator==(const ChartPoint&) const = default;
};

// The warning setpoints of the measured parameters (tables 23 and 24), one per parameter; none
// where the controller holds no number.
struct WarningSetpoints {
  std::vector<std::optional<float>> lower;
  std::vector<std::optional<float>> upper;
};

WarningSetpoints warningSetpoints(const ConfigImage& image, int parameters);
WarningSetpoints warningSetpoints(const ConfigFileRecord& record, int parameters);
// Tables 23 and 24 read from the connected controller into the image, when the archive is that
// controller's (the header's address is the link's); none otherwise or when a read failed.
std::optional<WarningSetpoints> readWarningSetpoints(const ConnectionState& state,
                                                     TableService& tables, const ConfigImage& image,
                                                     const ArchiveFileHeader& header);

// One parameter's course over a table: the values the grid shows as numbers, broken into runs
// wherever a row shows none (" 0", blank, "NAN", a damaged record), so that a gap is never
// drawn as zero; the points the grid marks; and the parameter's setpoint lines.
struct ChartSeries {
  std::string name;  // without the heading's centring blanks
  std::string unit;
  std::vector<std::vector<ChartPoint>> runs;
  std::vector<ChartPoint> warnings;  // "*", the warning zone
  std::vector<ChartPoint> alarms;    // "#", the alarm zone
  std::vector<ChartPoint> flagged;   // '"', an hourly or daily record with status flags
  std::optional<float> lowerSetpoint;
  std::optional<float> upperSetpoint;
};

// What a chart is drawn from: a table's parameters in column order, and per row its time and what
// each value cell shows as a number.
struct ChartSource {
  std::string caption;
  std::vector<std::string> names;
  std::vector<std::string> units;
  std::vector<std::optional<DateTime6>> rowTimes;
  std::vector<std::vector<std::optional<ShownValue>>> shownValues;
};

// Names and units without the headings' centring blanks.
ChartSource chartSource(const ChromTable& table);
// Names from the caption lines above a value, the last line being its unit.
ChartSource chartSource(const MoistureTable& table);

// The parameter of that name (as the source names it, case kept), or none.
std::optional<int> chartParameterIndex(const ChartSource& source, const std::string& name);

ChartSeries chartSeries(const ChartSource& source, int parameter,
                        const WarningSetpoints* setpoints = nullptr);

}  // namespace zvc
