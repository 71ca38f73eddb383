#include "core/common/float_format.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <string>

namespace zvc {
namespace {

struct FloatCase {
  float value;
  const char* expected;
};

TEST(FloatFormat, ValueRuleDecimalsByMagnitude) {
  const FloatCase cases[] = {
      {0.0f, "0"},
      {-0.0f, "0"},
      {1.5e-7f, "1.5000e-07"},
      {-2.5e-7f, "-2.5000e-07"},
      {0.00005f, "0.00005"},
      // The float nearest a limit is compared exactly: float 1e-6 and float 0.0001 lie just
      // below their limits, the float after 1e-6 just above.
      {1e-6f, "1.0000e-06"},
      {-1e-6f, "-1.0000e-06"},
      {1.00000011e-6f, "0.00000"},
      {0.0001f, "0.00010"},
      {0.00010001f, "0.0001"},
      {0.5f, "0.5000"},
      {-0.5f, "-0.5000"},
      {9.5f, "9.5000"},
      {12.3456789f, "12.346"},
      {123.456f, "123.46"},
      {1234.56f, "1234.6"},
      {12345.6f, "12346"},
      {16777216.0f, "16777216"},
      {1.0e12f, "999999995904"},  // integer digits are never cut
  };
  for (const FloatCase& c : cases) EXPECT_EQ(formatFloatValue(c.value), c.expected) << c.value;
}

TEST(FloatFormat, MoistureRuleComparesMagnitude) {
  const FloatCase cases[] = {
      {0.0f, "0"},
      {5e-7f, "5.00e-07"},
      {0.00005f, "0.000050"},
      {0.00042f, "0.00042"},
      // Limits against the floats nearest them: 1e-6, 0.0001 and 0.01 lie below, 0.001 above.
      {1e-6f, "1.00e-06"},
      {0.0001f, "0.000100"},
      {0.001f, "0.0010"},
      {0.01f, "0.0100"},
      {0.005f, "0.0050"},
      {0.5f, "0.500"},
      {-12.5f, "-12.50"},
      {99.994f, "99.99"},
      {123.45f, "123.4"},  // the float lies just below 123.45
      {1234.5f, "1234"},   // an exact half goes to even, as printf does
      {1235.5f, "1236"},
  };
  for (const FloatCase& c : cases) EXPECT_EQ(formatMoistureValue(c.value), c.expected) << c.value;
}

TEST(FloatFormat, ExponentAllOnesIsNotANumber) {
  const float notNumbers[] = {
      std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
      -std::numeric_limits<float>::infinity(), std::bit_cast<float>(0xFF800001u)};
  for (float value : notNumbers) {
    EXPECT_TRUE(isNotANumber(value));
    EXPECT_EQ(formatFloatValue(value), "NAN");
    EXPECT_EQ(formatMoistureValue(value), "NAN");
  }
  EXPECT_FALSE(isNotANumber(std::numeric_limits<float>::max()));
  EXPECT_EQ(formatFloatValue(std::numeric_limits<float>::max()).size(), 39u);
}

TEST(FloatFormat, RawBytesAreLittleEndian) {
  const std::uint8_t twelveAndAHalf[4] = {0x00, 0x00, 0x48, 0xC1};  // -12.5
  const std::uint8_t infinity[4] = {0x00, 0x00, 0x80, 0x7F};
  EXPECT_EQ(floatFromBytes(twelveAndAHalf), -12.5f);
  EXPECT_EQ(formatMoistureValue(twelveAndAHalf), "-12.50");
  EXPECT_EQ(formatFloatValue(twelveAndAHalf), "-12.500");
  EXPECT_EQ(formatFloatValue(infinity), "NAN");
  EXPECT_EQ(formatMoistureValue(infinity), "NAN");
}

struct FixedCase {
  double value;
  int decimals;
  const char* expected;
};

TEST(FloatFormat, FixedPointKeepsAtMostTenSignificantDigits) {
  const FixedCase cases[] = {
      {12.3456789, 3, "12.346"},
      {2.5, 0, "2"},  // exact half to even
      {0.125, 2, "0.12"},
      {-0.25, 1, "-0.2"},
      {1.5, -3, "2"},
      {0.5, 12, "0.5000000000"},
      {12345678.123456, 4, "12345678.12"},
      {0.000123456789012, 15, "0.0001234567890"},
      {9.99999999996, 9, "10.00000000"},  // the carry adds a digit, one decimal goes
      {123456789012.0, 2, "123456789012"},
      {-1234567890.5, 3, "-1234567890"},
      {1e-30, 255, "0.000000000000000000000000000001000000000"},
      {0.0, 7, "0.0000000"},
  };
  for (const FixedCase& c : cases) {
    EXPECT_EQ(formatFixed(c.value, c.decimals), c.expected) << c.value << " " << c.decimals;
  }
}

TEST(FloatFormat, FixedPointFailsOnlyForNonNumbers) {
  EXPECT_FALSE(formatFixed(std::numeric_limits<double>::quiet_NaN(), 2));
  EXPECT_FALSE(formatFixed(std::numeric_limits<double>::infinity(), 2));
  EXPECT_FALSE(formatFixed(-std::numeric_limits<double>::infinity(), 0));
  EXPECT_TRUE(formatFixed(std::numeric_limits<double>::max(), 7));
}

TEST(FloatFormat, PointWhateverTheLocale) {
  const char* previous = setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  setlocale(LC_NUMERIC, "ru_RU.UTF-8");
  EXPECT_EQ(formatFloatValue(0.5f), "0.5000");
  EXPECT_EQ(formatMoistureValue(5e-7f), "5.00e-07");
  EXPECT_EQ(formatFixed(1.25, 2), "1.25");
  setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace zvc
