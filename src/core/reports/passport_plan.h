#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/tables/config_image.h"

namespace zvc {

// What a measured parameter is in a passport (table 1 byte 62).
enum class ReportKind : std::uint8_t {
  kComponent = 0,
  kTemperature = 1,
  kDensity = 2,
  kLowerHeat = 3,
  kHigherHeat = 4,
  kWobbe = 5,
};

// One measured parameter as the passport sees it, from its table-1 record.
struct ReportParameter {
  std::string name;             // bytes 0..24
  int unitCode = 0;             // byte 50, units list B
  std::uint16_t kindValue = 0;  // bytes 59..60; a temperature is reported only when 0
  int decimals = 0;             // byte 61
  int kind = 0;                 // byte 62, a ReportKind or a kind not reported
};

// The parameters the chromatograph measures (table 14 field 14, at most twenty).
std::vector<ReportParameter> reportParameters(const ConfigImage& image);

// Which parameter fills which column: the components in their order, then one slot per kind (the
// last parameter of a kind wins) and the temperature. Values are parameter indices.
struct ColumnPlan {
  std::vector<int> components;
  std::optional<int> density;
  std::optional<int> lowerHeat;
  std::optional<int> higherHeat;
  std::optional<int> wobbe;
  std::optional<int> temperature;

  int componentCount() const { return static_cast<int>(components.size()); }
  // Sheet columns from 1 (A).
  int densityColumn() const { return componentCount() + 2; }
  int lowerHeatColumn() const { return componentCount() + 3; }
  int higherHeatColumn() const { return componentCount() + 6; }
  int wobbeColumn() const { return componentCount() + 9; }
  int moistureColumn() const { return componentCount() + 12; }
  int lastColumn() const { return componentCount() + 16; }
};

ColumnPlan planColumns(const std::vector<ReportParameter>& parameters);

// A heating value or Wobbe index in its own unit as kcal/m3, MJ/m3 and kWh/m3; zeros for a unit
// that is none of the three.
std::array<double, 3> heatInThreeUnits(double value, int unitCode);

// The four moisture-meter cells in column order: values 0, 3, 1 and value 2 in kgf/cm2.
std::array<double, 4> moistureCells(const std::array<float, 4>& values);

}  // namespace zvc
