#include "core/tables/momentary_data.h"

#include <algorithm>

#include "core/archives/measured_parameter.h"
#include "core/common/float_format.h"
#include "core/common/format.h"
#include "core/common/text_codec.h"
#include "core/tables/chromatograph_serial.h"
#include "core/tables/config_image.h"
#include "core/tables/text_catalogue.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kMessage = 6;  // no third line: the hint is the second
constexpr int kNamesTable = 5;
constexpr int kNameSize = 20;
constexpr int kChromatographTable = 14;
constexpr int kParameterCountField = 14;
constexpr int kMoistureLinkTable = 15;
constexpr int kMoistureModelField = 6;
constexpr int kTopocModel = 2;
constexpr int kHeaderSize = 8;
constexpr int kMoistureValues = 5;

const int kMomentaryTables[] = {30, 38};
const int kZoneTables[] = {32, 39};

constexpr std::string_view kMoistureLabels[kMoistureValues] = {
    " PV21 – Температура точки росы газа по воде WDP при рабочем давлении,  °C",
    " PV22 – Температура точки росы газа по углеводородам HDP при рабочем давлении,  °C",
    " PV23 – Избыточное давление газа WDP,  bar",
    " PV24 – Прив. температура точки росы газа по воде к абсолютному давлению 3,92 МПа,  °С",
    " PV25 – Избыточное давление  газа HDP,  bar",
};
constexpr std::string_view kTopocPressureLabel = " PV23 – Давление газа,  bar";

const std::uint8_t* valueBytes(std::span<const std::uint8_t> table, int k) {
  return table.data() + kHeaderSize + 4 * k;
}

}  // namespace

std::string momentaryDateTime(std::span<const std::uint8_t> header) {
  return format("%02d.%02d.%02d %02d:%02d:%02d", header[2], header[1], header[0], header[4],
                header[5], header[6]);
}

TableRange momentaryRange(int run) {
  return {static_cast<std::uint8_t>(kMomentaryTables[run]), 0, 22};
}

TableRange zonesRange(int run) {
  return {static_cast<std::uint8_t>(kZoneTables[run]), 0, kMomentaryParameters};
}

int measuredParameterCount(const ConfigImage& image) {
  return std::min<int>(image.field(kChromatographTable, kParameterCountField)[0],
                       kMomentaryParameters);
}

std::string momentaryParameterLabel(const ConfigImage& image, int parameter) {
  const std::string_view unit =
      TextCatalogue::text(TextCatalogue::kUnitsB, measuredParameterUnitCode(image, parameter));
  return " " + measuredParameterName(image, parameter) + ", " + std::string(unit);
}

std::string momentaryViewTitle(const ConfigImage& image, int run) {
  const std::string runName = fieldToUtf8(image.field(kNamesTable, 1 + run).data(), kNameSize);
  return format("Мгновенные данные хроматографа (сер. № %u; нитка \"%s\"), зоны параметров газа",
                chromatographSerial(image), runName.c_str());
}

std::string momentaryValue(const ConfigImage& image, int run, int parameter) {
  const float value = floatFromBytes(valueBytes(image.table(kMomentaryTables[run]), parameter));
  return formatFixed(value, measuredParameterDecimals(image, parameter)).value_or("?");
}

std::string zoneText(int code) {
  const std::string_view text = TextCatalogue::text(TextCatalogue::kGasParameterZones, code);
  return text.empty() ? "?" : std::string(text);
}

DataColour zoneColour(int code) {
  switch (code) {
    case 0: return DataColour::kBlack;
    case 1:
    case 2: return DataColour::kDarkRed;
    case 3:
    case 4: return DataColour::kRed;
    default: return DataColour::kGreen;
  }
}

std::vector<DataLine> momentaryLines(const ConfigImage& image, int run, bool withZones) {
  const int shown = measuredParameterCount(image);
  const auto zones = image.table(kZoneTables[run]);
  std::vector<DataLine> lines;
  for (int k = 0; k < kMomentaryParameters; ++k) {
    DataLine line{momentaryParameterLabel(image, k), ""};
    line.enabled = k < shown;
    if (line.enabled) line.value = momentaryValue(image, run, k);
    lines.push_back(line);
    if (!withZones) continue;
    DataLine zone{"", line.enabled ? zoneText(zones[k]) : "", zoneColour(zones[k]), line.enabled};
    lines.push_back(zone);
  }
  return lines;
}

std::vector<DataLine> moistureLines(const ConfigImage& image) {
  const bool topoc = image.field(kMoistureLinkTable, kMoistureModelField)[0] == kTopocModel;
  const auto table = image.table(kMoistureMomentaryRange.table);
  std::vector<DataLine> lines;
  for (int k = 0; k < (topoc ? kMoistureValues - 1 : kMoistureValues); ++k) {
    const float value = floatFromBytes(valueBytes(table, k));
    const std::string label(topoc && k == 2 ? kTopocPressureLabel : kMoistureLabels[k]);
    lines.push_back({label, "  " + formatMoistureValue(value)});
  }
  return lines;
}

bool instrumentLinkPresent(TableService& tables, Instrument instrument) {
  const auto field = static_cast<std::uint8_t>(instrument);
  if (!tables.readTableRange({kLinkStateTable, field, 1})) return false;
  tables.frontend().setStatus(kResultPanel, "");
  if (tables.image().field(kLinkStateTable, field)[0] != 0) return true;
  tables.frontend().showMessage(kMessage,
                                instrument == Instrument::kChromatograph
                                    ? "Нет связи с хроматографом"
                                    : "Нет связи с влагомером",
                                "(см. текущее состояние контроллера)");
  return false;
}

bool pollMomentary(TableService& tables, int run) {
  return tables.readTableRange(momentaryRange(run), false) &&
         tables.readTableRange(zonesRange(run), false);
}

bool pollMoisture(TableService& tables) {
  return tables.readTableRange(kMoistureMomentaryRange, false);
}

bool ensureChromatographSerial(TableService& tables) {
  return chromatographSerial(tables.image()) != 0 || readChromatographSerial(tables);
}

}  // namespace zvc
