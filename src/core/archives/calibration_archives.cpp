#include "core/archives/calibration_archives.h"

#include "core/archives/archive_series.h"
#include "core/archives/chrom_archives.h"
#include "core/archives/chrom_files.h"
#include "core/archives/message_files.h"
#include "core/common/float_format.h"
#include "core/common/format.h"
#include "core/link/kpsbox.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr std::uint8_t kCheckSource = 0;
constexpr int kChromatographDevice = 0;
constexpr TableRange kClock{2, 0, 8};

constexpr CheckArchiveFormat kFormats[] = {
    {CheckArchive::kCalibration, kCalibrationArchive, CalibrationRecord::kSize,
     "Данные калибровки", "в архиве данных калибровки", kCalibrationWorkFile, "CLB",
     "Калибровочные данные хроматографа (сер. № %u) за период  с  %s  по  %s",
     {"  Статус", "  калибр."}, " Прошла", "Не прошла", Subfolder::kCalibration, ".clb",
     "DataFiles (*.clb)|*.clb", "DataFiles(*.clb)|*.clb", "%s/zvc%02d-%03d_%02d%02d%02d.clb",
     "%s/zvc%02d-%03d_%s_%02d%02d%02d_clb.xlsx", "данные калибровки хроматографа QRT Vela"},
    {CheckArchive::kVerification, kVerificationArchive, VerificationRecord::kSize,
     "Измерительные данные", "в архиве данных верификации", kVerificationWorkFile, "VRF",
     "Данные поверки хроматографа (сер. № %u) за период  с  %s  по  %s",
     {"  Статус", " поверки"}, "   OK", "  Bad", Subfolder::kVerification, ".vrf",
     "DataFiles (*.vrf)|*.vrf", "DataFiles(*.vrf)|*.vrf", "%s/zvc%02d-%03d_%02d%02d%02d.vrf",
     "%s/zvc%02d-%03d_%s_%02d%02d%02d_vrf.xlsx", "данные поверки хроматографа QRT Vela"},
};

std::string periodText(const DateTime6& t) {
  return format("%02d.%02d.%02d %02d:%02d:%02d", t.day, t.month, t.year, t.hour, t.minute,
                t.second);
}

// " %s %c": the value with the parameter's decimals and its zone mark; "  NAN" when not a number.
std::string valueText(std::span<const std::uint8_t> record, std::size_t at, int decimals) {
  const float value = zoneClearedValue(record, at);
  if (isNotANumber(value)) return "  NAN";
  const auto fixed = formatFixed(value, decimals);
  if (!fixed) return "  NAN";
  return format(" %s %c", fixed->c_str(), zoneMarkAt(record, at));
}

std::vector<std::string> recordRow(const CheckArchiveFormat& f,
                                   std::span<const std::uint8_t> record,
                                   const std::vector<int>& decimals) {
  std::vector<std::string> row(CheckTable::kFixedColumns + decimals.size());
  if (!recordIsSound(record)) {
    row[0] = "     Данные";
    row[1] = "недостов.";
    return row;
  }
  const DateTime6 t = DateTime6::fromBytes(record.data());
  row[0] = format(" %02d.%02d.%02d", t.day, t.month, t.year);
  row[1] = format(" %02d:%02d:%02d", t.hour, t.minute, t.second);
  row[2] = format("    %d", record[kCheckRunAt]);
  row[3] = std::string(record[kCheckVerdictAt] == 0 ? f.passed : f.failed);
  for (std::size_t c = 0; c < decimals.size(); ++c) {
    row[CheckTable::kFixedColumns + c] = valueText(record, kCheckValuesAt + 4 * c, decimals[c]);
  }
  return row;
}

std::filesystem::path proposedName(std::string_view nameTemplate, const CheckArchiveFormat& f,
                                   const WorkingFolder& folder, const ArchiveFileHeader& header,
                                   const DateTime6& today, bool withRunName) {
  const std::string where = folder.subfolder(f.folder).string();
  const std::string templ(nameTemplate);
  const int type = ArchiveFileHeader::kControllerType;
  if (withRunName) {
    return format(templ.c_str(), where.c_str(), type, header.address(),
                  runNameForFile(header).c_str(), today.year, today.month, today.day);
  }
  return format(templ.c_str(), where.c_str(), type, header.address(), today.year, today.month,
                today.day);
}

}  // namespace

const CheckArchiveFormat& checkArchiveFormat(CheckArchive archive) {
  return kFormats[static_cast<int>(archive)];
}

const CheckArchiveFormat* checkArchiveFormatOf(const std::filesystem::path& file) {
  return formatOfExtension(kFormats, file);
}

CheckTable buildCheckTable(CheckArchive archive, const ArchiveFileHeader& header,
                           const ArchiveRecords& records) {
  const CheckArchiveFormat& f = checkArchiveFormat(archive);
  CheckTable table;
  const std::string templ(f.captionTemplate);
  table.caption = format(templ.c_str(), header.serialNumber(),
                         periodText(header.periodStart()).c_str(),
                         periodText(header.periodEnd()).c_str());
  table.headings = {{"   Дата", "   Время", "   Номер", std::string(f.verdictHeading[0])},
                    {"", "", "    т/п", std::string(f.verdictHeading[1])}};
  appendParameterHeadings(header, table.headings, table.decimals);
  for (std::size_t i = 0; i < records.count(); ++i) {
    if (records[i].size() < f.recordSize) continue;
    table.rows.push_back(recordRow(f, records[i], table.decimals));
  }
  return table;
}

CheckArchiveReader::CheckArchiveReader(ConnectionState& connection, TableService& service,
                                       std::filesystem::path workingFolder)
    : connection_(connection), service_(service), workingFolder_(std::move(workingFolder)) {}

bool CheckArchiveReader::readClock() {
  BusyCursor busy(service_.frontend());
  return service_.readTableRange(kClock);
}

std::optional<CheckReading> CheckArchiveReader::read(CheckArchive archive, const DateTime6& begin,
                                                     const DateTime6& end) {
  const CheckArchiveFormat& f = checkArchiveFormat(archive);
  BusyCursor busy(service_.frontend());
  auto records = readPeriodIntoFile(connection_, service_.frontend(), workingFolder_ / f.workFile,
                                    {kCheckSource, f.kind, 0, begin, end}, f.recordSize,
                                    {f.title, f.archiveErrorLine});
  if (!records) return std::nullopt;
  ArchiveFileHeader header = buildArchiveFileHeader(f.signature, kCheckSource, service_.image(),
                                                    connection_.engine->address);
  header.setReadTime(clock());
  header.setPeriod(begin, end);
  header.setRecordCount(static_cast<std::uint32_t>(records->count()));
  return CheckReading{header, std::move(*records)};
}

std::filesystem::path proposedCheckFileName(CheckArchive archive, const WorkingFolder& folder,
                                            const ArchiveFileHeader& header,
                                            const DateTime6& today) {
  const CheckArchiveFormat& f = checkArchiveFormat(archive);
  return proposedName(f.nameTemplate, f, folder, header, today, false);
}

std::filesystem::path proposedCheckXlsxName(CheckArchive archive, const WorkingFolder& folder,
                                            const ArchiveFileHeader& header,
                                            const DateTime6& today) {
  const CheckArchiveFormat& f = checkArchiveFormat(archive);
  return proposedName(f.xlsxTemplate, f, folder, header, today, true);
}

bool saveCheckFile(CheckArchive archive, const WorkingFolder& folder,
                   const ArchiveFileHeader& header, const ArchiveRecords& records,
                   const DateTime6& today, const AskFileName& askName, Frontend& frontend) {
  const auto file = chooseSaveFileName(proposedCheckFileName(archive, folder, header, today),
                                       checkArchiveFormat(archive).extension, askName, frontend);
  return file && writeMessageFile(*file, header, records, frontend);
}

std::optional<CheckReading> openCheckFile(CheckArchive archive, const std::filesystem::path& file,
                                          Frontend& frontend) {
  const CheckArchiveFormat& f = checkArchiveFormat(archive);
  auto opened = openArchiveFileTold(file, {f.signature, kChromatographDevice}, f.recordSize,
                                    f.refusalLine, frontend);
  if (!opened) return std::nullopt;
  return CheckReading{opened->header, std::move(opened->rows)};
}

}  // namespace zvc
