#include "core/archives/moisture_files.h"

#include "core/archives/message_files.h"
#include "core/common/format.h"

namespace zvc {
namespace {

constexpr int kMoistureMeterDevice = 1;

constexpr MoistureFileFormat kFormats[] = {
    {MoistureArchive::kMeasurement, "MSA", ".mwm", Subfolder::kMomentary,
     "DataFiles (*.mwm)|*.mwm", "DataFiles(*.mwm)|*.mwm",
     "измерительные данные влагомера из архива", "%s/zvc%02d_%03d_%02d%02d%02d.mwm"},
    {MoistureArchive::kHourly, "HOU", ".hwm", Subfolder::kHourly, "DataFiles (*.hwm)|*.hwm",
     "DataFiles(*.hwm)|*.hwm", "часовые данные влагомера из архива контроллера",
     "%s/zvc%02d_%03d_%02d%02d%02d.hwm"},
    {MoistureArchive::kDaily, "DAY", ".dwm", Subfolder::kDaily, "DataFiles (*.dwm)|*.dwm",
     "DataFiles(*.dwm)|*.dwm", "суточные данные влагомера из архива контроллера ЖВЦ_15",
     "%s/zvc%02d_%03d_%02d%02d%02d.dwm"},
};

}  // namespace

const MoistureFileFormat& moistureFileFormat(MoistureArchive archive) {
  return kFormats[static_cast<int>(archive)];
}

const MoistureFileFormat* moistureFileFormatOf(const std::filesystem::path& file) {
  return formatOfExtension(kFormats, file);
}

std::filesystem::path proposedMoistureFileName(MoistureArchive archive, const WorkingFolder& folder,
                                               const ArchiveFileHeader& header,
                                               const DateTime6& today) {
  const MoistureFileFormat& f = moistureFileFormat(archive);
  const std::string where = folder.subfolder(f.folder).string();
  const std::string templ(f.nameTemplate);
  return format(templ.c_str(), where.c_str(), ArchiveFileHeader::kControllerType,
                header.address(), today.year, today.month, today.day);
}

bool saveMoistureFile(MoistureArchive archive, const WorkingFolder& folder,
                      const ArchiveFileHeader& header, const ArchiveRecords& records,
                      const DateTime6& today, const AskFileName& askName, Frontend& frontend) {
  const auto file = chooseSaveFileName(proposedMoistureFileName(archive, folder, header, today),
                                       moistureFileFormat(archive).extension, askName, frontend);
  return file && writeMessageFile(*file, header, records, frontend);
}

std::optional<SavedMoistureArchive> openMoistureFile(MoistureArchive archive,
                                                     const std::filesystem::path& file,
                                                     Frontend& frontend) {
  const MoistureFileFormat& f = moistureFileFormat(archive);
  auto opened = openArchiveFileTold(file, {f.signature, kMoistureMeterDevice},
                                    moistureRecordSize(archive), f.refusalLine, frontend);
  if (!opened) return std::nullopt;
  return SavedMoistureArchive{opened->header, std::move(opened->rows)};
}

}  // namespace zvc
