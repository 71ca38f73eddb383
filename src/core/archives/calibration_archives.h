#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/working_folder.h"
#include "core/archives/archive_file_header.h"
#include "core/archives/archive_records.h"
#include "core/common/calendar.h"
#include "core/common/save_file_name.h"

namespace zvc {

class Frontend;
class TableService;
struct ConnectionState;

// The chromatograph's two archives of check results: calibration cycles and verification runs.
enum class CheckArchive { kCalibration, kVerification };

// Both records: time, run, verdict, N values with zone bits, unused bytes, checksum.
struct CalibrationRecord {
  static constexpr std::size_t kSize = 170;
};
struct VerificationRecord {
  static constexpr std::size_t kSize = 90;
};
inline constexpr std::size_t kCheckRunAt = 6;
inline constexpr std::size_t kCheckVerdictAt = 7;
inline constexpr std::size_t kCheckValuesAt = 8;

// Everything that tells the twins apart.
struct CheckArchiveFormat {
  CheckArchive archive;
  ArchiveKind kind;
  std::size_t recordSize;
  std::string_view title;             // first line of the reading's messages
  std::string_view archiveErrorLine;  // second line of "Обнаружена ошибка"
  std::string_view workFile;
  std::string_view signature;
  std::string_view captionTemplate;  // serial number, start, end
  std::array<std::string_view, 2> verdictHeading;
  std::string_view passed;
  std::string_view failed;
  Subfolder folder;
  std::string_view extension;
  std::string_view saveFilter;
  std::string_view openFilter;
  std::string_view nameTemplate;  // folder, 15, address, year, month, day
  std::string_view xlsxTemplate;  // folder, 15, address, run name, year, month, day
  std::string_view refusalLine;
};

const CheckArchiveFormat& checkArchiveFormat(CheckArchive archive);
// The format of a saved file's extension (".clb", ".vrf"), nullptr for any other.
const CheckArchiveFormat* checkArchiveFormatOf(const std::filesystem::path& file);

// A check table as plain texts: the caption, two heading rows and one row per record, N + 4
// columns each, exactly the grid's texts.
struct CheckTable {
  static constexpr int kFixedColumns = 4;

  std::string caption;
  std::vector<std::vector<std::string>> headings;  // 2 rows
  std::vector<std::vector<std::string>> rows;
  std::vector<int> decimals;  // one per parameter

  int columnCount() const { return kFixedColumns + static_cast<int>(decimals.size()); }
};

CheckTable buildCheckTable(CheckArchive archive, const ArchiveFileHeader& header,
                           const ArchiveRecords& records);

// A finished reading or an opened file: what the view shows.
struct CheckReading {
  ArchiveFileHeader header;
  ArchiveRecords records{CalibrationRecord::kSize};
};

// Reads a check archive for a period into its working file and builds the header. Every outcome
// is told on the way; nullopt when there is nothing to show.
class CheckArchiveReader {
 public:
  CheckArchiveReader(ConnectionState& connection, TableService& service,
                     std::filesystem::path workingFolder);

  // The controller's clock (table 2) into the image, before the period is asked.
  bool readClock();
  std::optional<CheckReading> read(CheckArchive archive, const DateTime6& begin,
                                   const DateTime6& end);

  std::function<DateTime6()> clock = localNow;

 private:
  ConnectionState& connection_;
  TableService& service_;
  std::filesystem::path workingFolder_;
};

std::filesystem::path proposedCheckFileName(CheckArchive archive, const WorkingFolder& folder,
                                            const ArchiveFileHeader& header,
                                            const DateTime6& today);
std::filesystem::path proposedCheckXlsxName(CheckArchive archive, const WorkingFolder& folder,
                                            const ArchiveFileHeader& header,
                                            const DateTime6& today);

// "Сохранить в файле": the name, then the header and records. False when nothing was saved.
bool saveCheckFile(CheckArchive archive, const WorkingFolder& folder,
                   const ArchiveFileHeader& header, const ArchiveRecords& records,
                   const DateTime6& today, const AskFileName& askName, Frontend& frontend);

// Opens a saved file of the archive; a file of the twin or of any other archive is refused with
// its message and gives nullopt.
std::optional<CheckReading> openCheckFile(CheckArchive archive, const std::filesystem::path& file,
                                          Frontend& frontend);

}  // namespace zvc
