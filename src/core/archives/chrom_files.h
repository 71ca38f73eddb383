#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "core/app/working_folder.h"
#include "core/archives/chrom_archives.h"
#include "core/archives/message_files.h"

namespace zvc {

class Frontend;

// Everything that tells the saved files of the three chromatograph archives apart.
struct ChromFileFormat {
  ChromArchive archive;
  std::string_view signature;
  std::string_view extension;
  Subfolder folder;
  std::string_view saveFilter;
  std::string_view openFilter;
  std::string_view refusalLine;
  std::string_view nameTemplate;  // folder, 15, address, run name, year, month, day
  std::string_view xlsxTemplate;  // the same arguments
};

const ChromFileFormat& chromFileFormat(ChromArchive archive);
// The format of a saved file's extension (".mch", ".hch", ".dch"), nullptr for any other.
const ChromFileFormat* chromFileFormatOf(const std::filesystem::path& file);

// The run name as a file name may carry it: trimmed, "/" made "_".
std::string runNameForFile(const ArchiveFileHeader& header);

std::filesystem::path proposedChromFileName(ChromArchive archive, const WorkingFolder& folder,
                                            const ArchiveFileHeader& header,
                                            const DateTime6& today);
std::filesystem::path proposedChromXlsxName(ChromArchive archive, const WorkingFolder& folder,
                                            const ArchiveFileHeader& header,
                                            const DateTime6& today);

// "Сохранить в файле": the name, then the header and records. False when nothing was saved.
bool saveChromFile(ChromArchive archive, const WorkingFolder& folder,
                   const ArchiveFileHeader& header, const ArchiveRecords& records,
                   const DateTime6& today, const AskFileName& askName, Frontend& frontend);

struct SavedChromArchive {
  ArchiveFileHeader header;
  ArchiveRecords records{ChromMeasRecord::kSize};
};

// Opens a saved file of the archive; refusals are told and give nullopt.
std::optional<SavedChromArchive> openChromFile(ChromArchive archive,
                                               const std::filesystem::path& file,
                                               Frontend& frontend);

}  // namespace zvc
