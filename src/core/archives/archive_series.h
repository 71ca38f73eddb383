#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "core/archives/archive_records.h"
#include "core/common/calendar.h"

namespace zvc {

class Frontend;
class kpsbox;
struct ConnectionState;

// The payload of the engine's last answer, as long as its frame said.
std::span<const std::uint8_t> responsePayload(const kpsbox& engine);

// Payload of function 8: one request of a read-by-period series.
struct ArchivePeriodRequest {
  static constexpr std::size_t kSize = 15;

  std::uint8_t source = 0;    // run in the high nibble, device in the low; 0 for messages
  std::uint8_t kind = 0;      // ArchiveKind
  std::uint8_t sequence = 0;  // 0 for the first request of a series
  DateTime6 begin;
  DateTime6 end;

  std::array<std::uint8_t, kSize> toBytes() const;
};

// 0, 1, ... 255, then 1 again: 0 only ever opens a series.
std::uint8_t nextSequenceNumber(std::uint8_t sequence);

// The part of a function-8 answer the readers use.
struct ArchivePeriodAnswer {
  bool archiveError = false;  // the controller found an error in its archive
  bool moreData = false;      // a further request will bring further records
  std::size_t count = 0;      // records in this answer, never more than the frame carries
  std::span<const std::uint8_t> records;

  // `payload` is the whole answer payload as the frame delivered it.
  static ArchivePeriodAnswer parse(std::span<const std::uint8_t> payload, std::size_t recordSize);
};

// The progress window and the flags of one archive reading: shown and set when the reading
// starts, cleared when it ends. The caller keeps the wait cursor.
class ArchiveReadSession {
 public:
  ArchiveReadSession(ConnectionState& connection, Frontend& frontend, int progressMaximum);
  ~ArchiveReadSession() { finish(); }
  ArchiveReadSession(const ArchiveReadSession&) = delete;
  ArchiveReadSession& operator=(const ArchiveReadSession&) = delete;

  // The engine's error line stays in the result panel until its timer clears it.
  void exchangeFailed();
  // Closes the progress window and clears the flags; once.
  void finish();

 private:
  ConnectionState& connection_;
  Frontend& frontend_;
  bool open_ = true;
  bool failed_ = false;
};

// How a series ended.
enum class SeriesEnd {
  kComplete,        // an answer said nothing more follows
  kNoMoreRecords,   // an answer carried no record
  kExchangeFailed,  // the engine failed; its error line is in the result panel
  kStopped,         // the user pressed Escape; the request is cleared
};

struct SeriesResult {
  SeriesEnd end = SeriesEnd::kComplete;
  bool gotRecords = false;        // some answer carried records
  bool archiveErrorSeen = false;  // some answer with records had the archive-error bit
  std::uint64_t recordCount = 0;  // records received in all answers
};

// Records of one answer, in the engine's buffer: valid until the next request.
using SeriesRecordSink =
    std::function<void(std::span<const std::uint8_t> records, std::size_t count)>;

// Runs a read-by-period series: the same begin and end in every request, the sequence number
// advancing, each answer's records handed to `sink`, the user interface given its turn and the
// Escape request tested after each answer.
SeriesResult runArchivePeriodSeries(ConnectionState& connection, Frontend& frontend,
                                    ArchivePeriodRequest request, std::size_t recordSize,
                                    ArchiveReadSession& session, const SeriesRecordSink& sink);

// What a read-by-period reading tells the user: the first line of its messages ("не прочитаны",
// "прочитаны не полностью") and the second line of "Обнаружена ошибка".
struct PeriodReadingTexts {
  std::string_view title;
  std::string_view archiveErrorLine;
};

// A whole read-by-period reading: the series of `request` into `workFile` (truncated first) under
// the progress window, which counts the hours from the begin to each answer's last record, then
// the file read back. Every outcome is told on the way; nullopt when there is nothing to show.
std::optional<ArchiveRecords> readPeriodIntoFile(ConnectionState& connection, Frontend& frontend,
                                                 const std::filesystem::path& workFile,
                                                 const ArchivePeriodRequest& request,
                                                 std::size_t recordSize,
                                                 const PeriodReadingTexts& texts);

}  // namespace zvc
