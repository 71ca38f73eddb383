#include "core/archives/archive_series.h"

#include <algorithm>
#include <fstream>

#include "core/link/kpsbox.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kReadingProgress = 1;
constexpr int kInformation = 6;

// Answer payload: flags, unused, n, more-data, then the records.
constexpr std::size_t kFlagsAt = 0;
constexpr std::uint8_t kArchiveErrorBit = 0x80;
constexpr std::size_t kCountAt = 2;
constexpr std::size_t kMoreDataAt = 3;
constexpr std::size_t kRecordsAt = 4;

constexpr int kPayloadAt = 4;
constexpr int kFrameOverhead = 6;  // start, address, length, function, checksum

int progressHours(const DateTime6& begin, std::span<const std::uint8_t> record, long maximum) {
  const long hours = hoursBetween(begin, DateTime6::fromBytes(record.data()));
  return static_cast<int>(std::clamp(hours, 0L, maximum));
}

}  // namespace

std::span<const std::uint8_t> responsePayload(const kpsbox& engine) {
  const int length = std::max(engine.response[2] - kFrameOverhead, 0);
  return std::span(engine.response).subspan(kPayloadAt, static_cast<std::size_t>(length));
}

std::array<std::uint8_t, ArchivePeriodRequest::kSize> ArchivePeriodRequest::toBytes() const {
  std::array<std::uint8_t, kSize> bytes{source, kind, sequence};
  begin.toBytes(&bytes[3]);
  end.toBytes(&bytes[9]);
  return bytes;
}

std::uint8_t nextSequenceNumber(std::uint8_t sequence) {
  return sequence == 255 ? 1 : sequence + 1;
}

ArchivePeriodAnswer ArchivePeriodAnswer::parse(std::span<const std::uint8_t> payload,
                                               std::size_t recordSize) {
  ArchivePeriodAnswer answer;
  if (payload.size() < kRecordsAt) return answer;
  answer.archiveError = (payload[kFlagsAt] & kArchiveErrorBit) != 0;
  answer.moreData = payload[kMoreDataAt] != 0;
  // A count the frame cannot hold is cut to the records that arrived.
  const std::size_t arrived = recordSize == 0 ? 0 : (payload.size() - kRecordsAt) / recordSize;
  answer.count = std::min<std::size_t>(payload[kCountAt], arrived);
  answer.records = payload.subspan(kRecordsAt, answer.count * recordSize);
  return answer;
}

ArchiveReadSession::ArchiveReadSession(ConnectionState& connection, Frontend& frontend,
                                       int progressMaximum)
    : connection_(connection), frontend_(frontend) {
  frontend_.progressBegin(kReadingProgress, progressMaximum);
  frontend_.progressSet(0);
  connection_.archiveReadInProgress = true;
  // An Escape left over from an earlier reading must not end this one.
  connection_.stopRequested = false;
}

void ArchiveReadSession::exchangeFailed() {
  failed_ = true;
  frontend_.setStatus(kResultPanel, connection_.engine->ErrorText());
  frontend_.startMessageTimer();
}

void ArchiveReadSession::finish() {
  if (!open_) return;
  open_ = false;
  connection_.archiveReadInProgress = false;
  if (!failed_) frontend_.setStatus(kResultPanel, "");
  frontend_.progressEnd();
}

SeriesResult runArchivePeriodSeries(ConnectionState& connection, Frontend& frontend,
                                    ArchivePeriodRequest request, std::size_t recordSize,
                                    ArchiveReadSession& session, const SeriesRecordSink& sink) {
  kpsbox& engine = *connection.engine;
  SeriesResult result;
  request.sequence = 0;
  for (;;) {
    const auto payload = request.toBytes();
    if (!engine.Command(kpsbox::kReadArchiveByPeriod, payload.data(),
                        static_cast<int>(payload.size()), 0)) {
      session.exchangeFailed();
      result.end = SeriesEnd::kExchangeFailed;
      return result;
    }
    const ArchivePeriodAnswer answer =
        ArchivePeriodAnswer::parse(responsePayload(engine), recordSize);
    if (answer.count == 0) {
      result.end = SeriesEnd::kNoMoreRecords;
      return result;
    }
    result.gotRecords = true;
    result.recordCount += answer.count;
    if (answer.archiveError) result.archiveErrorSeen = true;
    sink(answer.records, answer.count);
    frontend.processEvents();
    if (connection.stopRequested) {
      connection.stopRequested = false;
      result.end = SeriesEnd::kStopped;
      return result;
    }
    if (!answer.moreData) {
      result.end = SeriesEnd::kComplete;
      return result;
    }
    request.sequence = nextSequenceNumber(request.sequence);
  }
}

std::optional<ArchiveRecords> readPeriodIntoFile(ConnectionState& connection, Frontend& frontend,
                                                 const std::filesystem::path& workFile,
                                                 const ArchivePeriodRequest& request,
                                                 std::size_t recordSize,
                                                 const PeriodReadingTexts& texts) {
  const auto inform = [&](std::string_view line1, std::string_view line2) {
    frontend.showMessage(kInformation, line1, line2);
  };
  std::ofstream file(workFile, std::ios::binary | std::ios::trunc);
  if (!file) {
    inform("Ошибка открытия файла", "");
    return std::nullopt;
  }
  const long hours = std::max(hoursBetween(request.begin, request.end), 0L);
  SeriesResult series;
  {
    ArchiveReadSession session(connection, frontend, static_cast<int>(hours));
    series = runArchivePeriodSeries(
        connection, frontend, request, recordSize, session,
        [&](std::span<const std::uint8_t> records, std::size_t count) {
          frontend.progressSet(
              progressHours(request.begin, records.subspan((count - 1) * recordSize), hours));
          file.write(reinterpret_cast<const char*>(records.data()),
                     static_cast<std::streamsize>(records.size()));
        });
    if (series.end == SeriesEnd::kExchangeFailed) {
      inform(texts.title, series.gotRecords ? "прочитаны не полностью" : "не прочитаны");
    } else if (series.end == SeriesEnd::kNoMoreRecords && !series.gotRecords) {
      inform("Нет данных за указанный период", "");
    }
  }
  file.close();
  if (!series.gotRecords) return std::nullopt;
  auto records = readArchiveRecords(workFile, 0, recordSize, series.recordCount);
  if (!records) {
    inform("Ошибка открытия файла", "");
    return std::nullopt;
  }
  if (series.archiveErrorSeen) inform("Обнаружена ошибка", texts.archiveErrorLine);
  return records;
}

}  // namespace zvc
