#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "core/app/working_folder.h"
#include "core/archives/moisture_archives.h"
#include "core/common/save_file_name.h"

namespace zvc {

class Frontend;

// Everything that tells the saved files of the three moisture-meter archives apart.
struct MoistureFileFormat {
  MoistureArchive archive;
  std::string_view signature;
  std::string_view extension;
  Subfolder folder;
  std::string_view saveFilter;
  std::string_view openFilter;
  std::string_view refusalLine;
  std::string_view nameTemplate;  // folder, 15, address, year, month, day
};

const MoistureFileFormat& moistureFileFormat(MoistureArchive archive);
// The format of a saved file's extension (".mwm", ".hwm", ".dwm"), nullptr for any other.
const MoistureFileFormat* moistureFileFormatOf(const std::filesystem::path& file);

std::filesystem::path proposedMoistureFileName(MoistureArchive archive, const WorkingFolder& folder,
                                               const ArchiveFileHeader& header,
                                               const DateTime6& today);

// "Сохранить в файле": the name, then the header and records. False when nothing was saved.
bool saveMoistureFile(MoistureArchive archive, const WorkingFolder& folder,
                      const ArchiveFileHeader& header, const ArchiveRecords& records,
                      const DateTime6& today, const AskFileName& askName, Frontend& frontend);

struct SavedMoistureArchive {
  ArchiveFileHeader header;
  ArchiveRecords records{WmtMeasRecord::kSize};
};

// Opens a saved file of the archive; a file of another archive or of the chromatograph is
// refused with its message and gives nullopt.
std::optional<SavedMoistureArchive> openMoistureFile(MoistureArchive archive,
                                                     const std::filesystem::path& file,
                                                     Frontend& frontend);

}  // namespace zvc
