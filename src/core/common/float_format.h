#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zvc {

// The controller's values are IEEE-754 single precision, little-endian.
float floatFromBytes(const std::uint8_t* bytes);

// True when the eight exponent bits are all ones (NaN or infinity): such a
// value is not a number to the controller and shows as "NAN".
bool isNotANumber(float value);

// Display of gas-parameter values (diagnostic views, constants): "0" for zero,
// "%.4e" below 1e-6 in magnitude, otherwise fixed point with 5 decimals below
// 0.0001, 4 below 10, 3 below 100, 2 below 1000, 1 below 10000, 0 from there.
std::string formatFloatValue(float value);
std::string formatFloatValue(const std::uint8_t* bytes);

// Display of moisture-meter values: "0" for zero, "%.2e" below 1e-6 in
// magnitude, otherwise fixed point with 6 decimals below 0.0001, 5 below
// 0.001, 4 below 0.01, 3 below 1, 2 below 100, 1 below 1000, 0 from there.
std::string formatMoistureValue(float value);
std::string formatMoistureValue(const std::uint8_t* bytes);

// Fixed point with the given decimals and at most 10 significant digits, "."
// as separator, rounded as printf rounds. Digits beyond the tenth significant
// one are dropped by showing fewer decimals (12345678.123 with 4 decimals is
// "12345678.12"); the integer part is never cut, so a value of 11 or more
// integer digits shows them all without decimals rather than misstating its
// size. nullopt for NaN and infinity, which callers show as "?".
std::optional<std::string> formatFixed(double value, int decimals);

}  // namespace zvc
