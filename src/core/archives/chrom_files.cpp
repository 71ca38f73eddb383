#include "core/archives/chrom_files.h"

#include <algorithm>

#include "core/common/format.h"
#include "core/common/save_file_name.h"
#include "core/common/text_codec.h"

namespace zvc {
namespace {

constexpr int kChromatographDevice = 0;

constexpr ChromFileFormat kFormats[] = {
    {ChromArchive::kMeasurement, "MSA", ".mch", Subfolder::kMomentary,
     "DataFiles (*.mch)|*.mch", "DataFiles(*.mch)|*.mch",
     "измер. данные хроматографа QRT Vela из архива", "%s/zvc%02d_%03d_%s_%02d%02d%02d.mch",
     "%s/zvc%02d-%03d_%s_%02d%02d%02d_mom.xlsx"},
    {ChromArchive::kHourly, "HOU", ".hch", Subfolder::kHourly, "DataFiles (*.hch)|*.hch",
     "DataFiles(*.hch)|*.hch", "часовые данные хроматографа QRT Vela из архива контроллера",
     "%s/zvc%02d-%03d_%s_%02d%02d%02d.hch", "%s/zvc%02d-%03d_%s_%02d%02d%02d_hou.xlsx"},
    {ChromArchive::kDaily, "DAY", ".dch", Subfolder::kDaily, "DataFiles (*.dch)|*.dch",
     "DataFiles(*.dch)|*.dch", "суточные данные хроматографа QRT Vela из архива контроллера",
     "%s/zvc%02d-%03d_%s_%02d%02d%02d.dch", "%s/zvc%02d-%03d_%s_%02d%02d%02d_day.xlsx"},
};

std::filesystem::path proposedName(std::string_view nameTemplate, Subfolder subfolder,
                                   const WorkingFolder& folder, const ArchiveFileHeader& header,
                                   const DateTime6& today) {
  const std::string where = folder.subfolder(subfolder).string();
  const std::string templ(nameTemplate);
  return format(templ.c_str(), where.c_str(), ArchiveFileHeader::kControllerType,
                header.address(), runNameForFile(header).c_str(), today.year, today.month,
                today.day);
}

}  // namespace

const ChromFileFormat& chromFileFormat(ChromArchive archive) {
  return kFormats[static_cast<int>(archive)];
}

const ChromFileFormat* chromFileFormatOf(const std::filesystem::path& file) {
  return formatOfExtension(kFormats, file);
}

std::string runNameForFile(const ArchiveFileHeader& header) {
  std::string name = fieldToUtf8(header.runName().data(), header.runName().size());
  std::replace(name.begin(), name.end(), '/', '_');
  return name;
}

std::filesystem::path proposedChromFileName(ChromArchive archive, const WorkingFolder& folder,
                                            const ArchiveFileHeader& header,
                                            const DateTime6& today) {
  const ChromFileFormat& f = chromFileFormat(archive);
  return proposedName(f.nameTemplate, f.folder, folder, header, today);
}

std::filesystem::path proposedChromXlsxName(ChromArchive archive, const WorkingFolder& folder,
                                            const ArchiveFileHeader& header,
                                            const DateTime6& today) {
  const ChromFileFormat& f = chromFileFormat(archive);
  return proposedName(f.xlsxTemplate, f.folder, folder, header, today);
}

bool saveChromFile(ChromArchive archive, const WorkingFolder& folder,
                   const ArchiveFileHeader& header, const ArchiveRecords& records,
                   const DateTime6& today, const AskFileName& askName, Frontend& frontend) {
  const ChromFileFormat& f = chromFileFormat(archive);
  const auto file = chooseSaveFileName(proposedChromFileName(archive, folder, header, today),
                                       f.extension, askName, frontend);
  return file && writeMessageFile(*file, header, records, frontend);
}

std::optional<SavedChromArchive> openChromFile(ChromArchive archive,
                                               const std::filesystem::path& file,
                                               Frontend& frontend) {
  const ChromFileFormat& f = chromFileFormat(archive);
  auto opened = openArchiveFileTold(file, {f.signature, kChromatographDevice},
                                    ChromMeasRecord::kSize, f.refusalLine, frontend);
  if (!opened) return std::nullopt;
  return SavedChromArchive{opened->header, std::move(opened->rows)};
}

}  // namespace zvc
