#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/app/working_folder.h"
#include "core/archives/moisture_archives.h"

namespace zvc {

class ArchiveFileHeader;

// The print question dialog (TFormQues_Prn) asks for the organisation printed on top of a report
// and shows what is going to be printed.
inline constexpr std::string_view kPrintQuestionCaption = " Данные для печати";
inline constexpr std::string_view kOrganisationLabel = "Наименование организации";
inline constexpr std::string_view kOrganisationHint = "( до 40 символов )";

// The report the dialog is shown for.
enum class PrintQuestionType {
  kDiagnostic = 3,
  kIntervention = 4,
  kMoistureHourly = 6,
  kMoistureDaily = 7,
  kMoistureMeasurement = 8,
};

// The dialog type of a moisture-meter table: 6 hourly, 7 daily, 8 measurement.
PrintQuestionType moisturePrintQuestionType(MoistureArchive archive);

struct PrintQuestionLines {
  std::string listTitle;
  std::string controller;
  std::string period;  // from the header's period, in the form the report's data have
};

PrintQuestionLines printQuestionLines(PrintQuestionType type, const ArchiveFileHeader& header);

// "title.ini" in the INI folder.
std::filesystem::path organisationTitleFile(const WorkingFolder& folder);

// The organisation text, kept between runs as 40 Windows-1251 bytes, NUL-padded.
class OrganisationTitle {
 public:
  static constexpr std::size_t kSize = 40;

  // What the file holds; a missing file gives an empty text.
  static OrganisationTitle load(std::filesystem::path file);

  // UTF-8, for the field.
  std::string text() const;

  // "Печатать" with the field's text: stores it when it differs from what the file held (a
  // failed write is ignored) and gives the text as the report prints it, cut to 40 bytes.
  std::string accept(std::string_view typed);

 private:
  using Bytes = std::array<std::uint8_t, kSize>;

  OrganisationTitle(std::filesystem::path file, const Bytes& stored)
      : file_(std::move(file)), stored_(stored) {}

  std::filesystem::path file_;
  Bytes stored_;
};

}  // namespace zvc
