#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/tables/table_service.h"

namespace zvc {

class ConfigImage;

// Colours of the live views, as the rows show them.
enum class DataColour { kBlack, kDarkRed, kRed, kGreen };

// One row of a live view: label, value and the value's colour; a disabled row is greyed and
// shows no value.
struct DataLine {
  std::string label;
  std::string value;
  DataColour colour = DataColour::kBlack;
  bool enabled = true;
  bool operator==(const DataLine&) const = default;
};

// The 8-byte header of momentary data: year, month, day, (unused), hour, minute, second, (unused),
// shown "%02d.%02d.%02d %02d:%02d:%02d" day first.
std::string momentaryDateTime(std::span<const std::uint8_t> header);

// --- Chromatograph momentary data of a run (0 or 1) -------------------------------------------
inline constexpr int kMomentaryParameters = 20;
TableRange momentaryRange(int run);  // table 30 or 38, fields 0..21
TableRange zonesRange(int run);      // table 32 or 39, fields 0..19
// Number of measured parameters shown (table 14 field 14), at most 20.
int measuredParameterCount(const ConfigImage& image);
// " <name>, <unit>" of measured parameter k.
std::string momentaryParameterLabel(const ConfigImage& image, int parameter);
std::string momentaryViewTitle(const ConfigImage& image, int run);
// Value k with the decimals of table 1 record k; "?" when it cannot be formatted.
std::string momentaryValue(const ConfigImage& image, int run, int parameter);
std::string zoneText(int code);
DataColour zoneColour(int code);
// Rows of the run as the image holds them: one per parameter, rows from N on disabled.
std::vector<DataLine> momentaryLines(const ConfigImage& image, int run, bool withZones);

inline constexpr std::string_view kParameterNameHeading = "Наименование параметра";
inline constexpr std::string_view kValueHeading = "Значение";
inline constexpr std::string_view kLastPollLabel = "Время последнего опроса хроматографа";

// --- Moisture meter ---------------------------------------------------------------------------
inline constexpr TableRange kMoistureMomentaryRange{37, 0, 7};
inline constexpr std::string_view kMoistureTitle = "Мгновенные данные влагомера";
inline constexpr std::string_view kMoistureTimeLabel = "Дата и время, к которым относятся данные";
// The rows the meter model shows (four for "TOPOC", five otherwise), values by rule B.
std::vector<DataLine> moistureLines(const ConfigImage& image);

// --- Link state (table 33) --------------------------------------------------------------------
inline constexpr int kLinkStateTable = 33;
enum class Instrument { kChromatograph = 0, kMoistureMeter = 1 };
// Reads the instrument's link field (verbose) and refuses the view with the message when there
// is no link. False when the read failed or the link is absent.
bool instrumentLinkPresent(TableService& tables, Instrument instrument);

// Polls once: the momentary table of the run, then its zones; false on the first failure. The
// reads are silent, so a lost link leaves the previous values in the image.
bool pollMomentary(TableService& tables, int run);
bool pollMoisture(TableService& tables);
// Reads the chromatograph's serial number when the image has none.
bool ensureChromatographSerial(TableService& tables);

}  // namespace zvc
