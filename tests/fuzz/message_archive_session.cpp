// Message archive readings: the bounds, the records by index and by period and their view,
// whatever the controller answers.
#include "core/archives/message_archive_reader.h"
#include "core/archives/message_view.h"
#include "fuzz_support.h"

namespace zvc::fuzz {
namespace {

const DateTime6 kNow{26, 3, 15, 12, 34, 56};
const DateTime6 kDayBefore{26, 3, 14, 12, 0, 0};
constexpr std::uint32_t kMostRecords = 60;

// Every cell, as the view window asks for them.
void showRows(const MessageArchive& archive, const MessageArchiveReading& reading,
              const ConfigImage& image) {
  MessageViewRows view(archive.fileKind, reading.header, reading.records, image,
                       MessageViewMode(reading.viewMode), reading.firstIndex);
  for (int row = 0; row < view.rowCount(); ++row) {
    for (int column = 0; column < 8; ++column) (void)view.text(row, column);
  }
  (void)view.caption();
  (void)view.textRows();
}

// Operation byte: bit 0 the intervention archive (else diagnostic), bit 1 by period.
void session(kpsbox& engine, FakeLine& line, std::uint8_t operation) {
  ControllerSession controller(engine, line);
  MessageArchiveReader reader(controller.connection, controller.service, scratchFolder());
  reader.clock = [] { return kNow; };
  const int kind = operation & 1;
  std::optional<MessageArchiveReading> reading;
  if (operation & 2) {
    if (reader.readClock()) reading = reader.readMessagesByPeriod(kind, kDayBefore, kNow);
  } else if (const auto bounds = reader.readBounds(kind)) {
    const std::uint32_t count = std::min(bounds->newest - bounds->oldest + 1, kMostRecords);
    reading = reader.readMessagesByIndex(kind, bounds->newest - count + 1, count);
  }
  if (reading) showRows(*messageArchive(kind), *reading, controller.image);
}

}  // namespace

void fuzzOne(std::span<const std::uint8_t> input) {
  runLineInput(input, session);
}

std::vector<Bytes> seeds() {
  std::vector<Bytes> all;
  for (std::uint8_t operation = 0; operation < 4; ++operation) {
    all.push_back(recordLineInput(0, operation, session));
  }
  all.push_back(recordLineInput(3, 0, session));
  return all;
}

}  // namespace zvc::fuzz
