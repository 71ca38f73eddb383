#include <gtest/gtest.h>
#include <locale.h>

#include <cstring>
#include <string>

#include "core/common/crc16.h"
#include "core/common/format.h"

namespace zvc {
namespace {

std::uint16_t crcOf(const char* text) {
  return Crc16(reinterpret_cast<const std::uint8_t*>(text), std::strlen(text));
}

TEST(Crc16, CheckValues) {
  EXPECT_EQ(crcOf("123456789"), 0x4B37);
  EXPECT_EQ(crcOf("abc"), 0x5749);
}

TEST(Crc16, FrameWithItsChecksumGivesZero) {
  // Read 18 fields of table 0 from controller 1: CC 01 0A 01 00 00 00 12 E1 A9.
  std::uint8_t frame[10] = {0xCC, 0x01, 0x0A, 0x01, 0x00, 0x00, 0x00, 0x12};
  appendCrc16(frame, 8);
  EXPECT_EQ(frame[8], 0xE1);
  EXPECT_EQ(frame[9], 0xA9);
  EXPECT_EQ(Crc16(frame, 10), 0);
  std::swap(frame[8], frame[9]);
  EXPECT_NE(Crc16(frame, 10), 0);
}

TEST(Format, PrintfStyleWithPointWhateverTheLocale) {
  // A comma locale, if the machine has one, must not leak into our texts.
  const char* previous = setlocale(LC_NUMERIC, nullptr);
  std::string saved = previous ? previous : "C";
  setlocale(LC_NUMERIC, "ru_RU.UTF-8");
  EXPECT_EQ(format("Код ошибки = %d", 200), "Код ошибки = 200");
  EXPECT_EQ(format("%.3f", 12.3456789), "12.346");
  EXPECT_EQ(format("%s", std::string(300, 'x').c_str()).size(), 300u);
  setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Format, ParsesWholeNumbersOnly) {
  EXPECT_EQ(parseInteger(" 42 "), 42);
  EXPECT_EQ(parseInteger("+7"), 7);
  EXPECT_EQ(parseInteger("-3"), -3);
  EXPECT_FALSE(parseInteger("4x"));
  EXPECT_FALSE(parseInteger(""));
  EXPECT_EQ(parseReal("1.5e-7"), 1.5e-7);
  EXPECT_EQ(parseReal("-0.25"), -0.25);
  EXPECT_FALSE(parseReal("1,5"));
  EXPECT_FALSE(parseReal("."));
  EXPECT_EQ(realToString(0.1), "0.1");
}

// One sign only: a "+" in front of a "-" (or of another "+") is not a number.
TEST(Format, RefusesTwoSigns) {
  for (const char* text : {"+-5", "++5", "-+5", "--5", "+", "-", " + 5"}) {
    EXPECT_FALSE(parseInteger(text)) << text;
  }
  for (const char* text : {"+-1.5", "++1.5", "-+1.5", "+-inf", "+"}) {
    EXPECT_FALSE(parseReal(text)) << text;
  }
  EXPECT_EQ(parseReal("+1.5"), 1.5);
  EXPECT_EQ(parseReal(" +.5 "), 0.5);
}

}  // namespace
}  // namespace zvc
