#include <gtest/gtest.h>

#include <random>
#include <string_view>

#include "core/archives/diagnostic_decoder.h"
#include "core/archives/intervention_decoder.h"
#include "support/message_decoder_support.h"

namespace zvc {
namespace {

// Bytes in a UTF-8 sequence by its first byte; 0 for a byte that cannot start one.
std::size_t sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead >> 5) == 0x6) return 2;
  if ((lead >> 4) == 0xE) return 3;
  if ((lead >> 3) == 0x1E) return 4;
  return 0;
}

bool isValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = sequenceLength(static_cast<unsigned char>(text[i]));
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

// Any bytes at all, in the records and in the image they are read against: every record decodes
// to readable texts and never reaches outside what it was given (the sanitizer build checks that).
class HostileRecords : public ::testing::Test {
 protected:
  template <std::size_t N>
  std::array<std::uint8_t, N> randomRecord() {
    std::array<std::uint8_t, N> record;
    for (auto& byte : record) byte = static_cast<std::uint8_t>(random_());
    // Most records get a matching checksum, so the decoding goes past the soundness check.
    if (random_() % 8 != 0) appendCrc16(record.data(), N - 2);
    return record;
  }

  ConfigImage randomImage() {
    ConfigImage image;
    for (auto& byte : image.bytes()) byte = static_cast<std::uint8_t>(random_());
    return image;
  }

  std::mt19937 random_{20240315};
};

template <typename Row>
void expectReadable(const Row& row) {
  if (row.sound) {
    EXPECT_FALSE(row.columns[0].empty());
  } else {
    EXPECT_EQ(row.columns[0], "   ***");
  }
  for (const std::string& text : row.columns) EXPECT_TRUE(isValidUtf8(text)) << text;
}

TEST_F(HostileRecords, DiagnosticRecordsDecodeToReadableTexts) {
  for (int round = 0; round < 20; ++round) {
    const ConfigImage image = randomImage();
    for (int i = 0; i < 5000; ++i) {
      const auto record = randomRecord<kDiagnosticRecordSize>();
      const int model = static_cast<int>(random_() % 256);
      const DiagnosticRow row = decodeDiagnosticRecord(record, model, image);
      expectReadable(row);
      if (::testing::Test::HasFailure()) return;
    }
  }
}

TEST_F(HostileRecords, InterventionRecordsDecodeToReadableTexts) {
  for (int round = 0; round < 20; ++round) {
    const ConfigImage image = randomImage();
    for (int i = 0; i < 5000; ++i) {
      const auto record = randomRecord<kInterventionRecordSize>();
      const InterventionRow row = decodeInterventionRecord(record, image);
      expectReadable(row);
      if (::testing::Test::HasFailure()) return;
    }
  }
}

// Every table and field number against a hostile image, with values that are NaN, infinite,
// huge or tiny as floats.
TEST_F(HostileRecords, EveryTableAndFieldNumber) {
  const ConfigImage image = randomImage();
  const std::uint32_t values[] = {0x7FC00000, 0xFF800000, 0x7F7FFFFF, 0x00000001, 0xFFFFFFFF};
  for (int table = 0; table < 256; ++table) {
    for (int field = 0; field < 256; ++field) {
      for (const std::uint32_t value : values) {
        const auto record = test::interventionRecord(table, field, value, ~value, field);
        expectReadable(decodeInterventionRecord(record, image));
      }
    }
    if (::testing::Test::HasFailure()) return;
  }
}

}  // namespace
}  // namespace zvc
