#include "core/common/float_format.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <span>

#include "core/common/format.h"

namespace zvc {
namespace {

constexpr int kMaxSignificantDigits = 10;
// A double's smallest values lie about 324 places behind the point; more
// decimals than that only add zeros.
constexpr int kMaxDecimals = 340;

// Digits from the first non-zero one on; "0.00012" has 2, "100.50" has 5.
int significantDigits(const std::string& text) {
  const auto first = text.find_first_of("123456789");
  if (first == std::string::npos) return 0;
  return static_cast<int>(
      std::count_if(text.begin() + first, text.end(), [](char c) { return c >= '0' && c <= '9'; }));
}

// Decimals by magnitude; from the last limit on, none. The limits are decimal
// numbers and the value's exact magnitude is compared with them: the float
// nearest a limit may lie below it (float 1e-6 is 9.99999997e-07). No float
// lies between a limit and its nearest double, so doubles compare exactly.
struct DecimalsBelow {
  double limit;
  int decimals;
};

constexpr double kExponentBelow = 1e-6;

std::string formatByMagnitude(float value, int exponentDecimals,
                              std::span<const DecimalsBelow> buckets) {
  if (isNotANumber(value)) return "NAN";
  if (value == 0) return "0";
  const double magnitude = std::fabs(static_cast<double>(value));
  if (magnitude < kExponentBelow) {
    return format("%.*e", exponentDecimals, static_cast<double>(value));
  }
  int decimals = 0;
  for (const DecimalsBelow& bucket : buckets) {
    if (magnitude < bucket.limit) {
      decimals = bucket.decimals;
      break;
    }
  }
  return *formatFixed(value, decimals);
}

}  // namespace

float floatFromBytes(const std::uint8_t* bytes) {
  const std::uint32_t bits =
      bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
  return std::bit_cast<float>(bits);
}

bool isNotANumber(float value) {
  return (std::bit_cast<std::uint32_t>(value) & 0x7F800000u) == 0x7F800000u;
}

std::string formatFloatValue(float value) {
  static constexpr DecimalsBelow kBuckets[] = {
      {0.0001, 5}, {10.0, 4}, {100.0, 3}, {1000.0, 2}, {10000.0, 1}};
  return formatByMagnitude(value, 4, kBuckets);
}

std::string formatFloatValue(const std::uint8_t* bytes) {
  return formatFloatValue(floatFromBytes(bytes));
}

std::string formatMoistureValue(float value) {
  static constexpr DecimalsBelow kBuckets[] = {{0.0001, 6}, {0.001, 5}, {0.01, 4},
                                               {1.0, 3},    {100.0, 2}, {1000.0, 1}};
  return formatByMagnitude(value, 2, kBuckets);
}

std::string formatMoistureValue(const std::uint8_t* bytes) {
  return formatMoistureValue(floatFromBytes(bytes));
}

std::optional<std::string> formatFixed(double value, int decimals) {
  if (!std::isfinite(value)) return std::nullopt;
  decimals = std::clamp(decimals, 0, kMaxDecimals);
  std::string text = format("%.*f", decimals, value);
  // Rounding may carry into a new digit (9.99999 -> 10.0000), so check again.
  for (int excess = significantDigits(text) - kMaxSignificantDigits; excess > 0 && decimals > 0;
       excess = significantDigits(text) - kMaxSignificantDigits) {
    decimals = std::max(0, decimals - excess);
    text = format("%.*f", decimals, value);
  }
  return text;
}

}  // namespace zvc
