#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>

#include "core/archives/archive_dialogs.h"
#include "core/archives/archive_file_header.h"
#include "core/archives/archive_records.h"
#include "core/archives/message_files.h"
#include "core/common/calendar.h"

namespace zvc {

class TableService;
struct ConnectionState;

// What tells the diagnostic archive (kind 0) and the intervention archive (kind 1) apart.
struct MessageArchive {
  ArchiveKind kind;
  MessageFileKind fileKind;  // of its view and saved files
  int boundsTable;           // oldest and newest record index
  std::size_t recordSize;
  std::uint8_t recordsPerIndexRequest;  // function 7 carries no more
  const char* workingFile;              // raw records of the last reading, in the working folder
  const char* signature;                // of the header and the saved files
  const char* title;                    // first line of the reading's messages
  const char* archiveErrorLine;         // second line of "Обнаружена ошибка"
};

// nullptr for any kind but the two message archives.
const MessageArchive* messageArchive(int kind);

// A finished reading: what the view shows. The header's count is the number of records.
struct MessageArchiveReading {
  ArchiveFileHeader header;
  ArchiveRecords records{1};
  std::uint32_t firstIndex = 0;  // readings by index: the first index asked for
  int viewMode = 0;              // 0 read by index, 1 read by period
};

// Reads a message archive from the controller into its working file, reads the file back and
// builds the header. Every outcome is shown to the user on the way; nullopt when there is
// nothing to show.
class MessageArchiveReader {
 public:
  MessageArchiveReader(ConnectionState& connection, TableService& service,
                       std::filesystem::path workingFolder);

  // The index range the controller holds (table 10 or 11). nullopt when the read failed (the
  // table service has told the user) or the archive is empty (told here).
  std::optional<ArchiveBounds> readBounds(int kind);
  // The controller's clock (table 2) into the image, before a period is asked for. False when
  // the read failed (the table service has told the user).
  bool readClock();

  std::optional<MessageArchiveReading> readMessagesByIndex(int kind, std::uint32_t first,
                                                           std::uint32_t count);
  std::optional<MessageArchiveReading> readMessagesByPeriod(int kind, const DateTime6& begin,
                                                            const DateTime6& end);

  // The computer's clock, for the reading time in the header.
  std::function<DateTime6()> clock = localNow;

 private:
  struct Collected {
    bool gotRecords = false;
    std::uint64_t recordCount = 0;
  };

  Collected collectByIndex(const MessageArchive& archive, std::uint32_t first, std::uint32_t count,
                           std::ostream& file);
  std::optional<ArchiveRecords> readWorkingFile(const MessageArchive& archive, std::uint64_t count);
  ArchiveFileHeader buildHeader(const MessageArchive& archive, std::size_t recordCount);
  void inform(std::string_view line1, std::string_view line2 = "");

  ConnectionState& connection_;
  TableService& service_;
  std::filesystem::path workingFolder_;
};

}  // namespace zvc
