#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string_view>

#include "core/archives/diagnostic_decoder.h"
#include "core/archives/intervention_decoder.h"
#include "core/common/crc16.h"
#include "core/common/text_codec.h"
#include "core/tables/config_image.h"

namespace zvc::test {

inline void putU32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::uint32_t bitsOf(float value) {
  return std::bit_cast<std::uint32_t>(value);
}

// 15.03.24 13:05:09, as the controller stores it: year, month, day, hour, minute, second.
inline void putTime(std::uint8_t* at) {
  const std::uint8_t time[] = {24, 3, 15, 13, 5, 9};
  std::copy(std::begin(time), std::end(time), at);
}

inline std::array<std::uint8_t, kDiagnosticRecordSize> diagnosticRecord(int code, int b8, int b9,
                                                                        std::uint32_t first = 0,
                                                                        std::uint32_t second = 0) {
  std::array<std::uint8_t, kDiagnosticRecordSize> record{};
  putTime(record.data());
  record[6] = static_cast<std::uint8_t>(code);
  record[8] = static_cast<std::uint8_t>(b8);
  record[9] = static_cast<std::uint8_t>(b9);
  putU32(&record[10], first);
  putU32(&record[14], second);
  appendCrc16(record.data(), kDiagnosticRecordSize - 2);
  return record;
}

inline std::array<std::uint8_t, kInterventionRecordSize> interventionRecord(
    int table, int field, std::uint32_t oldValue, std::uint32_t newValue, int unit = 0,
    std::array<std::uint8_t, 4> operatorName = {'A', 'd', 'm', '1'}) {
  std::array<std::uint8_t, kInterventionRecordSize> record{};
  putTime(record.data());
  record[7] = static_cast<std::uint8_t>(table);
  record[8] = static_cast<std::uint8_t>(field);
  record[9] = static_cast<std::uint8_t>(unit);
  putU32(&record[10], oldValue);
  putU32(&record[14], newValue);
  std::copy(operatorName.begin(), operatorName.end(), &record[18]);
  appendCrc16(record.data(), kInterventionRecordSize - 2);
  return record;
}

inline void describeParameter(ConfigImage& image, int index, std::string_view name, int unitCode,
                              int decimals) {
  const auto record = image.field(1, index);
  utf8ToField(name, record.data(), 40);
  record[50] = static_cast<std::uint8_t>(unitCode);
  record[61] = static_cast<std::uint8_t>(decimals);
}

// Names in Windows-1251 (table 0 field 12 = 1); parameter 0 is methane in %, 2 decimals; 3 is a
// temperature with a blank-padded name; 5 has a unit code without a text.
inline ConfigImage stationImage() {
  ConfigImage image;
  image.field(0, 12)[0] = 1;
  describeParameter(image, 0, "Метан", 1, 2);
  describeParameter(image, 3, "  Т точки росы  ", 8, 1);
  describeParameter(image, 5, "Азот", 9, 3);
  return image;
}

}  // namespace zvc::test
