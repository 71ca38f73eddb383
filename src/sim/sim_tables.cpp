#include "sim/sim_tables.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <span>
#include <string_view>

#include "core/common/text_codec.h"

namespace zvc::sim {
namespace {

struct Parameter {
  const char* name;
  const char* designation;
  std::uint8_t unit;
  float minimum, maximum;
  std::uint16_t registerAddress;
  std::uint8_t decimals;
  std::uint8_t type;
  float nominal;  // what the chromatograph measures, give or take a little
};

constexpr int kParameterCount = 15;
constexpr std::array<Parameter, kParameterCount> kParameters = {{
    {"Сум. МД гексана и б.т.с.", "C6 + 47", 1, 0, 100, 35419, 4, 0, 0.05f},
    {"МД пропана", "C3", 1, 0, 100, 35407, 4, 0, 0.9f},
    {"МД i-бутана", "izoC4", 1, 0, 100, 35409, 4, 0, 0.12f},
    {"МД n-бутана", "nC4", 1, 0, 100, 35411, 4, 0, 0.15f},
    {"МД нео-пентана", "neoC5", 1, 0, 100, 35413, 4, 0, 0.003f},
    {"МД i-пентана", "izoC5", 1, 0, 100, 35415, 4, 0, 0.03f},
    {"МД n-пентана", "nC5", 1, 0, 100, 35417, 4, 0, 0.025f},
    {"МД азот + кислород", "N2 + O2", 1, 0, 100, 35425, 4, 0, 0.9f},
    {"МД метана", "CH4", 1, 0, 100, 35401, 4, 0, 94.5f},
    {"МД диоксида углерода", "CO2", 1, 0, 100, 35403, 4, 0, 0.3f},
    {"МД этана", "C2H6", 1, 0, 100, 35405, 4, 0, 3.0f},
    {"Теплота сгорания высшая", "Hs", 4, 30, 45, 32502, 3, 4, 38.2f},
    {"Абсолютная плотность", "De", 6, 0.6f, 1.0f, 32510, 4, 2, 0.72f},
    {"Число Воббе", "Woebbe", 4, 40, 60, 32506, 3, 5, 50.1f},
    {"Теплота сгорания низшая", "Hi", 4, 28, 40, 32504, 3, 3, 34.4f},
}};

// Moisture meter: dew points and pressures.
constexpr std::array<float, 5> kMoistureValues = {-12.5f, -5.3f, 39.2f, -10.1f, 39.2f};

constexpr int kFlowComputerCount = 2;

void put16(std::span<std::uint8_t> bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = value & 0xFF;
  bytes[at + 1] = value >> 8;
}

void put32(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = (value >> (8 * i)) & 0xFF;
}

void putFloat(std::span<std::uint8_t> bytes, std::size_t at, float value) {
  put32(bytes, at, std::bit_cast<std::uint32_t>(value));
}

void putText(std::span<std::uint8_t> field, std::string_view utf8) {
  utf8ToField(utf8, field.data(), field.size());
}

void putBlankPadded(std::span<std::uint8_t> field, std::string_view ascii) {
  std::fill(field.begin(), field.end(), ' ');
  std::copy_n(ascii.begin(), std::min(ascii.size(), field.size()), field.begin());
}

void putBytes(std::span<std::uint8_t> table, std::initializer_list<std::uint8_t> values) {
  std::copy(values.begin(), values.end(), table.begin());
}

void putDateTime(std::span<std::uint8_t> bytes, const DateTime6& value) {
  value.toBytes(bytes.data());
}

void fillIdentification(ConfigImage& image, const ControllerSetup& setup) {
  // Build 15.03.21 10:30:00, byte order "low address - low byte", protocol 2.1.0.
  putBytes(image.table(0),
           {std::uint8_t(setup.destroyedTable), 73, 2, setup.softwareVersion, 21, 3, 15, 10, 30, 0,
            1, 1, std::uint8_t(setup.cp866Names ? 0 : 1), 0, 2, 1, 0, 0});
  put32(image.table(41), 0, setup.serialNumber);
}

void fillParameters(ConfigImage& image) {
  for (int k = 0; k < kParameterCount; ++k) {
    const Parameter& p = kParameters[k];
    auto record = image.field(1, k);
    putText(record.subspan(0, 40), p.name);
    putText(record.subspan(40, 10), p.designation);
    record[50] = p.unit;
    putFloat(record, 51, p.minimum);
    putFloat(record, 55, p.maximum);
    put16(record, 59, p.registerAddress);
    record[61] = p.decimals;
    record[62] = p.type;
    image.field(21, k)[0] = 1;
    putFloat(image.field(22, k), 0, p.nominal * 0.001f);
    putFloat(image.field(23, k), 0, p.nominal * 0.8f);
    putFloat(image.field(24, k), 0, p.nominal * 1.2f);
    putFloat(image.field(25, k), 0, p.nominal * 0.5f);
    putFloat(image.field(26, k), 0, p.nominal * 1.5f);
    putFloat(image.field(44, k), 0, p.nominal);
    putFloat(image.field(46, k), 0, p.nominal);
  }
}

void fillNames(ConfigImage& image, bool cp866) {
  const char* names[] = {"Контроллер ЖВЦ_15", "Нитка 1", "Нитка 2"};
  for (int i = 0; i < 3; ++i) {
    auto field = image.field(5, i);
    putText(field, names[i]);
    if (cp866) encodeCp866(field.data(), field.size());
  }
}

void fillUsers(ConfigImage& image) {
  for (int slot = 0; slot < 16; ++slot) {
    auto user = image.field(4, slot);
    putBlankPadded(user.subspan(0, 4), slot == 0 ? "NAL" : "");
    user[4] = slot == 0 ? 1 : 0;
    user[5] = 0;
    putBlankPadded(user.subspan(6, 12), slot == 0 ? kDefaultUserPassword : "");
    putBlankPadded(user.subspan(18, 4), slot == 0 ? kDefaultUserCode : "");
  }
}

void fillLinks(ConfigImage& image, const ControllerSetup& setup) {
  const std::uint8_t rateCode = std::uint8_t(baudRateCode(setup.lineRate).value_or(11));
  putBytes(image.table(3), {setup.address, rateCode, 3, 0});
  putBytes(image.table(9), {kFlowComputerCount, 11, 5, 20, 3, 2});
  // Chromatograph "QRT Vela" on both runs, run temperatures from flow computers 0 and 1.
  putBytes(image.table(14), {1, 11, 1, 0, 150, 5, 7, 3, 0, 0, 0, 1, 1, 1, kParameterCount, 0});
  putBytes(image.table(15), {1, 11, 0, 0, 150, 5, 1, 0});
  // 192.168.1.10/24 via 192.168.1.1, last octet first.
  putBytes(image.table(29), {10, 1, 168, 192, 0, 255, 255, 255, 1, 1, 168, 192});
  const std::uint32_t ports[] = {5001, 5002, 5020, 5021};
  for (int i = 0; i < 4; ++i) put32(image.field(29, 3 + i), 0, ports[i]);
}

void fillFlowComputers(ConfigImage& image) {
  for (int i = 0; i < 16; ++i) {
    putBlankPadded(image.field(13, i), "");
    image.field(18, i)[0] = std::uint8_t(i + 1);
    if (i >= kFlowComputerCount) continue;
    image.field(17, i)[0] = 2;
    image.field(19, i)[0] = 0xA3;
    image.field(20, i)[0] = 1;
    image.field(34, i)[0] = 1;
    image.field(35, i)[0] = 1;
  }
  putBytes(image.table(28), {1, 0});
}

void fillMomentaryRun(std::span<std::uint8_t> table, const DateTime6& now, SimSeconds seconds,
                      float runFactor) {
  putBytes(table, {now.year, now.month, now.day, 0, now.hour, now.minute, now.second, 0});
  for (int k = 0; k < kParameterCount; ++k) {
    const double wobble = 1 + 0.002 * std::sin(double(seconds) / 300.0 + k);
    putFloat(table, 8 + 4 * k, float(kParameters[k].nominal * runFactor * wobble));
  }
}

}  // namespace

void fillDefaultTables(ConfigImage& image, const ControllerSetup& setup, const DateTime6& start) {
  std::fill(image.bytes().begin(), image.bytes().end(), 0);
  fillIdentification(image, setup);
  fillParameters(image);
  fillUsers(image);
  fillNames(image, setup.cp866Names);
  // Summer time from the last Sunday of March 3:00, winter time from the last Sunday of
  // October 4:00, contract hour 9, chromatograph, moisture meter and flow computers present.
  putBytes(image.table(6), {3, 0xC9, 3, 10, 0xC9, 4, 9, 1, 1, 1, 0, 1});
  if (setup.destroyedTable > 0) image.field(7, setup.destroyedTable)[0] = 1;
  // Software 14 keeps no users table of the later form: it takes any credentials until the
  // program has written one.
  if (setup.softwareVersion == 14) image.field(7, 4)[0] = 1;
  fillLinks(image, setup);
  fillFlowComputers(image);
  putDateTime(image.fields(16, 0, 6), start);
  putBytes(image.table(33), {1, 1});
  fillLiveTables(image, secondsFromDateTime(start));
  for (const TableSetting& setting : setup.settings) {
    const int count = TableCatalogue::table(setting.table).fieldCount - setting.field;
    std::ranges::copy(setting.bytes, image.fields(setting.table, setting.field, count).begin());
  }
}

void fillLiveTables(ConfigImage& image, SimSeconds now) {
  const DateTime6 time = dateTimeFromSeconds(now);
  putDateTime(image.table(2), time);
  image.field(2, 6)[0] = std::uint8_t(weekday(time.fullYear(), time.month, time.day));
  image.field(2, 7)[0] = timeTypeOf(time);
  fillMomentaryRun(image.table(30), time, now, 1.0f);
  fillMomentaryRun(image.table(38), time, now, 1.002f);
  auto moisture = image.table(37);
  putBytes(moisture, {time.year, time.month, time.day, 0, time.hour, time.minute, time.second, 0});
  for (std::size_t i = 0; i < kMoistureValues.size(); ++i) {
    putFloat(moisture, 8 + 4 * i, kMoistureValues[i]);
  }
  putDateTime(image.table(42), time);
}

}  // namespace zvc::sim
