#include "core/archives/message_archive_reader.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <limits>

#include "core/archives/archive_series.h"
#include "core/link/kpsbox.h"
#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kInformation = 6;

constexpr MessageArchive kMessageArchives[] = {
    {kDiagnosticArchive, MessageFileKind::kDiagnostic, 10, 22, 11, "datafile.ala", "ALA",
     "Диагностические сообщения", "в архиве диагностических сообщений"},
    {kInterventionArchive, MessageFileKind::kIntervention, 11, 24, 10, "datafile.aud", "AUD",
     "Сообщения о вмешательствах оператора", "в архиве сообщений о вмешательствах"},
};

constexpr std::uint8_t kMessageSource = 0;
constexpr int kSerialNumberTable = 41;
constexpr TableRange kClock{2, 0, 8};

// Function 7 answer: six unused bytes, n, then the records.
constexpr std::size_t kIndexCountAt = 6;
constexpr std::size_t kIndexRecordsAt = 7;

std::array<std::uint8_t, 7> indexRequest(std::uint8_t kind, std::uint32_t first,
                                         std::uint8_t count) {
  return {0,
          kind,
          static_cast<std::uint8_t>(first),
          static_cast<std::uint8_t>(first >> 8),
          static_cast<std::uint8_t>(first >> 16),
          static_cast<std::uint8_t>(first >> 24),
          count};
}

// Records of a function-7 answer; a count the frame cannot hold is cut to what arrived.
std::span<const std::uint8_t> indexAnswerRecords(std::span<const std::uint8_t> payload,
                                                 std::size_t recordSize) {
  if (payload.size() < kIndexRecordsAt) return {};
  const std::size_t arrived = (payload.size() - kIndexRecordsAt) / recordSize;
  const std::size_t count = std::min<std::size_t>(payload[kIndexCountAt], arrived);
  return payload.subspan(kIndexRecordsAt, count * recordSize);
}

DateTime6 recordTime(std::span<const std::uint8_t> record) {
  return DateTime6::fromBytes(record.data());
}

// Progress bars count in int; a count of 32-bit indices may not fit.
int progressValue(std::uint64_t value) {
  return static_cast<int>(std::min<std::uint64_t>(value, std::numeric_limits<int>::max()));
}

void append(std::ostream& file, std::span<const std::uint8_t> records) {
  file.write(reinterpret_cast<const char*>(records.data()),
             static_cast<std::streamsize>(records.size()));
}

}  // namespace

const MessageArchive* messageArchive(int kind) {
  for (const MessageArchive& archive : kMessageArchives) {
    if (archive.kind == kind) return &archive;
  }
  return nullptr;
}

MessageArchiveReader::MessageArchiveReader(ConnectionState& connection, TableService& service,
                                           std::filesystem::path workingFolder)
    : connection_(connection), service_(service), workingFolder_(std::move(workingFolder)) {}

std::optional<ArchiveBounds> MessageArchiveReader::readBounds(int kind) {
  const MessageArchive* archive = messageArchive(kind);
  if (archive == nullptr) return std::nullopt;
  BusyCursor busy(service_.frontend());
  const auto table = static_cast<std::uint8_t>(archive->boundsTable);
  if (!service_.readTableRange({table, 0, 2})) return std::nullopt;
  const ArchiveBounds bounds = ArchiveBounds::fromFields(service_.image().fields(table, 0, 2));
  if (bounds.empty()) {
    inform("В архиве нет ни одной записи");
    return std::nullopt;
  }
  return bounds;
}

bool MessageArchiveReader::readClock() {
  return service_.readTableRange(kClock);
}

std::optional<MessageArchiveReading> MessageArchiveReader::readMessagesByIndex(
    int kind, std::uint32_t first, std::uint32_t count) {
  const MessageArchive* archive = messageArchive(kind);
  if (archive == nullptr) return std::nullopt;
  BusyCursor busy(service_.frontend());
  std::ofstream file(workingFolder_ / archive->workingFile, std::ios::binary | std::ios::trunc);
  if (!file) {
    inform("Ошибка открытия файла");
    return std::nullopt;
  }
  const Collected collected = collectByIndex(*archive, first, count, file);
  file.close();
  if (!collected.gotRecords) return std::nullopt;

  auto records = readWorkingFile(*archive, collected.recordCount);
  if (!records) return std::nullopt;
  MessageArchiveReading reading{buildHeader(*archive, records->count()), std::move(*records), first,
                                0};
  if (!reading.records.empty()) {
    reading.header.setPeriod(recordTime(reading.records[0]),
                             recordTime(reading.records[reading.records.count() - 1]));
  }
  return reading;
}

MessageArchiveReader::Collected MessageArchiveReader::collectByIndex(const MessageArchive& archive,
                                                                     std::uint32_t first,
                                                                     std::uint32_t count,
                                                                     std::ostream& file) {
  Frontend& frontend = service_.frontend();
  kpsbox& engine = *connection_.engine;
  ArchiveReadSession session(connection_, frontend, progressValue(count));
  Collected collected;
  for (;;) {
    const auto asked =
        static_cast<std::uint8_t>(std::min<std::uint32_t>(count, archive.recordsPerIndexRequest));
    const auto request = indexRequest(archive.kind, first, asked);
    if (!engine.Command(kpsbox::kReadArchiveByIndex, request.data(),
                        static_cast<int>(request.size()), 0)) {
      session.exchangeFailed();
      inform(archive.title, collected.gotRecords ? "прочитаны не полностью" : "не прочитаны");
      break;
    }
    const auto records = indexAnswerRecords(responsePayload(engine), archive.recordSize);
    const std::uint32_t got = static_cast<std::uint32_t>(records.size() / archive.recordSize);
    collected.recordCount += got;
    frontend.progressSet(progressValue(collected.recordCount));
    if (got == 0) {
      if (!collected.gotRecords) inform("Нет сообщений с заданными индексами");
      break;
    }
    collected.gotRecords = true;
    append(file, records);
    frontend.processEvents();
    if (connection_.stopRequested) {
      connection_.stopRequested = false;
      break;
    }
    if (got >= count) break;
    count -= got;
    first += got;
  }
  return collected;
}

std::optional<MessageArchiveReading> MessageArchiveReader::readMessagesByPeriod(
    int kind, const DateTime6& begin, const DateTime6& end) {
  const MessageArchive* archive = messageArchive(kind);
  if (archive == nullptr) return std::nullopt;
  Frontend& frontend = service_.frontend();
  BusyCursor busy(frontend);
  auto records = readPeriodIntoFile(connection_, frontend, workingFolder_ / archive->workingFile,
                                    {kMessageSource, archive->kind, 0, begin, end},
                                    archive->recordSize, {archive->title, archive->archiveErrorLine});
  if (!records) return std::nullopt;
  MessageArchiveReading reading{buildHeader(*archive, records->count()), std::move(*records), 0, 1};
  reading.header.setPeriod(begin, end);
  return reading;
}

std::optional<ArchiveRecords> MessageArchiveReader::readWorkingFile(const MessageArchive& archive,
                                                                    std::uint64_t count) {
  auto records =
      readArchiveRecords(workingFolder_ / archive.workingFile, 0, archive.recordSize, count);
  if (!records) inform("Ошибка открытия файла");
  return records;
}

ArchiveFileHeader MessageArchiveReader::buildHeader(const MessageArchive& archive,
                                                    std::size_t recordCount) {
  ConfigImage& image = service_.image();
  const auto serial = image.field(kSerialNumberTable, 0);
  if (std::all_of(serial.begin(), serial.end(), [](std::uint8_t b) { return b == 0; })) {
    service_.readTableRange({kSerialNumberTable, 0, 1});
  }
  ArchiveFileHeader header =
      buildArchiveFileHeader(archive.signature, kMessageSource, image, connection_.engine->address);
  header.setReadTime(clock());
  header.setRecordCount(static_cast<std::uint32_t>(recordCount));
  return header;
}

void MessageArchiveReader::inform(std::string_view line1, std::string_view line2) {
  service_.frontend().showMessage(kInformation, line1, line2);
}

}  // namespace zvc
