// The message record decoders, with any records read against any configuration image, and the
// view that decodes them row by row.
#include "core/archives/diagnostic_decoder.h"
#include "core/archives/intervention_decoder.h"
#include "core/archives/message_view.h"
#include "core/common/crc16.h"
#include "fuzz_support.h"

namespace zvc::fuzz {
namespace {

// Input: a control byte (bits 0..6 the moisture-meter model, bit 7 keep the records' checksums
// as they are rather than making them sound), the record count n, n records of 24 bytes, then
// bytes laid over the simulator's configuration image from its start.
constexpr std::size_t kStride = kInterventionRecordSize;
constexpr std::uint8_t kKeepChecksums = 0x80;

void viewAll(MessageFileKind kind, const ArchiveRecords& records, const ConfigImage& image) {
  const ArchiveFileHeader header;
  MessageViewRows view(kind, header, records, image, kViewByIndex, 1);
  for (int row = 0; row < view.rowCount(); ++row) {
    for (int column = 0; column < 8; ++column) (void)view.text(row, column);
  }
  (void)view.statusLine();
}

}  // namespace

void fuzzOne(std::span<const std::uint8_t> input) {
  if (input.size() < 2) return;
  const int model = input[0] & 0x7F;
  const bool keepChecksums = (input[0] & kKeepChecksums) != 0;
  const std::size_t recordBytes = std::min<std::size_t>(input[1] * kStride, input.size() - 2);
  Bytes diagnostic, intervention;
  for (std::size_t at = 0; at + kStride <= recordBytes; at += kStride) {
    Bytes record(input.begin() + 2 + at, input.begin() + 2 + at + kStride);
    Bytes shorter(record.begin(), record.begin() + kDiagnosticRecordSize);
    if (!keepChecksums) {
      appendCrc16(record.data(), record.size() - 2);
      appendCrc16(shorter.data(), shorter.size() - 2);
    }
    intervention.insert(intervention.end(), record.begin(), record.end());
    diagnostic.insert(diagnostic.end(), shorter.begin(), shorter.end());
  }
  ConfigImage image = simulatorImage();
  const auto overlay = input.subspan(2 + recordBytes);
  std::copy_n(overlay.begin(), std::min(overlay.size(), image.bytes().size()),
              image.bytes().begin());

  const ArchiveRecords diagnosticRecords(kDiagnosticRecordSize, diagnostic);
  const ArchiveRecords interventionRecords(kInterventionRecordSize, intervention);
  for (std::size_t i = 0; i < diagnosticRecords.count(); ++i) {
    (void)decodeDiagnosticRecord(diagnosticRecords[i], model, image);
    (void)decodeInterventionRecord(interventionRecords[i], image);
  }
  viewAll(MessageFileKind::kDiagnostic, diagnosticRecords, image);
  viewAll(MessageFileKind::kIntervention, interventionRecords, image);
}

std::vector<Bytes> seeds() {
  std::vector<Bytes> all;
  for (const int kind : {0, 1}) {
    const MessageArchiveReading reading = simulatorReading(kind, 10);
    const std::size_t size = reading.records.recordSize();
    Bytes seed{kKeepChecksums, std::uint8_t(reading.records.count())};
    for (std::size_t i = 0; i < reading.records.count(); ++i) {
      seed.insert(seed.end(), reading.records[i].begin(), reading.records[i].end());
      seed.resize(seed.size() + kStride - size);  // a diagnostic record leaves two bytes over
    }
    all.push_back(seed);
  }
  all.push_back({0, 1, 1, 2, 3});
  return all;
}

}  // namespace zvc::fuzz
