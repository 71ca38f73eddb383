#include "core/reports/passport_plan.h"

#include <algorithm>

#include "core/common/text_codec.h"

namespace zvc {
namespace {

constexpr int kParametersTable = 1;
constexpr int kChromatographTable = 14;
constexpr int kParameterCountField = 14;
constexpr int kMaxParameters = 20;

constexpr std::size_t kNameSize = 25;
constexpr std::size_t kUnitCodeAt = 50;
constexpr std::size_t kKindValueAt = 59;
constexpr std::size_t kDecimalsAt = 61;
constexpr std::size_t kKindAt = 62;

constexpr int kMegajoules = 4;
constexpr int kKilocalories = 5;
constexpr int kKilowattHours = 7;

constexpr double kMegajoulesPerKilocalorie = 0.0041827;
constexpr double kKilowattHoursPerKilocalorie = 0.0011619;
constexpr double kKilowattHoursPerMegajoule = 0.277778;
constexpr double kPressureToKgfPerCm2 = 1.019716213;

}  // namespace

std::vector<ReportParameter> reportParameters(const ConfigImage& image) {
  const int count =
      std::min<int>(image.field(kChromatographTable, kParameterCountField)[0], kMaxParameters);
  std::vector<ReportParameter> parameters;
  for (int c = 0; c < count; ++c) {
    const auto record = image.field(kParametersTable, c);
    ReportParameter p;
    p.name = fieldToUtf8(record.data(), kNameSize);
    p.unitCode = record[kUnitCodeAt];
    p.kindValue = static_cast<std::uint16_t>(record[kKindValueAt] | record[kKindValueAt + 1] << 8);
    p.decimals = record[kDecimalsAt];
    p.kind = record[kKindAt];
    parameters.push_back(std::move(p));
  }
  return parameters;
}

ColumnPlan planColumns(const std::vector<ReportParameter>& parameters) {
  ColumnPlan plan;
  for (int c = 0; c < static_cast<int>(parameters.size()); ++c) {
    switch (static_cast<ReportKind>(parameters[c].kind)) {
      case ReportKind::kComponent:
        plan.components.push_back(c);
        break;
      case ReportKind::kTemperature:
        if (parameters[c].kindValue == 0) plan.temperature = c;
        break;
      case ReportKind::kDensity:
        plan.density = c;
        break;
      case ReportKind::kLowerHeat:
        plan.lowerHeat = c;
        break;
      case ReportKind::kHigherHeat:
        plan.higherHeat = c;
        break;
      case ReportKind::kWobbe:
        plan.wobbe = c;
        break;
    }
  }
  return plan;
}

std::array<double, 3> heatInThreeUnits(double value, int unitCode) {
  switch (unitCode) {
    case kMegajoules:
      return {value / kMegajoulesPerKilocalorie, value, value * kKilowattHoursPerMegajoule};
    case kKilocalories:
      return {value, value * kMegajoulesPerKilocalorie, value * kKilowattHoursPerKilocalorie};
    case kKilowattHours:
      return {value / kKilowattHoursPerKilocalorie, value / kKilowattHoursPerMegajoule, value};
    default:
      return {0, 0, 0};
  }
}

std::array<double, 4> moistureCells(const std::array<float, 4>& values) {
  return {values[0], values[3], values[1], values[2] * kPressureToKgfPerCm2};
}

}  // namespace zvc
