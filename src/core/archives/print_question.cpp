#include "core/archives/print_question.h"

#include <fstream>
#include <span>

#include "core/archives/archive_file_header.h"
#include "core/common/file_io.h"
#include "core/common/format.h"
#include "core/common/text_codec.h"

namespace zvc {
namespace {

std::string fullPeriod(const DateTime6& from, const DateTime6& to) {
  return format("за период  с  %02d.%02d.%02d  %02d:%02d:%02d  по  %02d.%02d.%02d  %02d:%02d:%02d",
                from.day, from.month, from.year, from.hour, from.minute, from.second, to.day,
                to.month, to.year, to.hour, to.minute, to.second);
}

std::string hourPeriod(const DateTime6& from, const DateTime6& to) {
  return format("за период  с  %02d.%02d.%02d  %02dч  по  %02d.%02d.%02d  %02dч", from.day,
                from.month, from.year, from.hour, to.day, to.month, to.year, to.hour);
}

std::string dayPeriod(const DateTime6& from, const DateTime6& to) {
  return format("за период  с  %02d.%02d.%02d  по  %02d.%02d.%02d", from.day, from.month, from.year,
                to.day, to.month, to.year);
}

// The "a" at the end of "контроллерa" is Latin, as on the printed forms.
std::string controllerLine(PrintQuestionType type) {
  const int controllerType = ArchiveFileHeader::kControllerType;
  return type == PrintQuestionType::kIntervention
             ? format("в работу контроллерa ЖВЦ_%02d", controllerType)
             : format("контроллерa ЖВЦ_%02d", controllerType);
}

// The bytes before the first NUL.
std::string textOf(std::span<const std::uint8_t> field) {
  const std::string_view bytes(reinterpret_cast<const char*>(field.data()), field.size());
  return cp1251ToUtf8(bytes.substr(0, bytes.find('\0')));
}

}  // namespace

PrintQuestionType moisturePrintQuestionType(MoistureArchive archive) {
  switch (archive) {
    case MoistureArchive::kHourly:
      return PrintQuestionType::kMoistureHourly;
    case MoistureArchive::kDaily:
      return PrintQuestionType::kMoistureDaily;
    case MoistureArchive::kMeasurement:
      break;
  }
  return PrintQuestionType::kMoistureMeasurement;
}

PrintQuestionLines printQuestionLines(PrintQuestionType type, const ArchiveFileHeader& header) {
  const DateTime6 from = header.periodStart();
  const DateTime6 to = header.periodEnd();
  PrintQuestionLines lines;
  lines.controller = controllerLine(type);
  switch (type) {
    case PrintQuestionType::kDiagnostic:
      lines.listTitle = "Перечень диагностических сообщений";
      lines.period = fullPeriod(from, to);
      break;
    case PrintQuestionType::kIntervention:
      lines.listTitle = "Перечень сообщений о вмешательствах оператора";
      lines.period = fullPeriod(from, to);
      break;
    case PrintQuestionType::kMoistureHourly:
      lines.listTitle = "Часовые измерительные данные влагомера";
      lines.period = hourPeriod(from, to);
      break;
    case PrintQuestionType::kMoistureDaily:
      lines.listTitle = "Суточные измерительные данные влагомера";
      lines.period = dayPeriod(from, to);
      break;
    case PrintQuestionType::kMoistureMeasurement:
      lines.listTitle = "Измерительные данные влагомера";
      lines.period = fullPeriod(from, to);
      break;
  }
  return lines;
}

std::filesystem::path organisationTitleFile(const WorkingFolder& folder) {
  return folder.subfolder(Subfolder::kIni) / "title.ini";
}

OrganisationTitle OrganisationTitle::load(std::filesystem::path file) {
  Bytes stored{};
  std::ifstream in(file, std::ios::binary);
  if (in) in.read(reinterpret_cast<char*>(stored.data()), static_cast<std::streamsize>(kSize));
  return OrganisationTitle(std::move(file), stored);
}

std::string OrganisationTitle::text() const {
  return textOf(stored_);
}

std::string OrganisationTitle::accept(std::string_view typed) {
  Bytes field{};
  utf8ToField(typed, field.data(), kSize);
  if (field != stored_) {
    const std::string_view bytes(reinterpret_cast<const char*>(field.data()), kSize);
    if (writeFileAtomically(file_, bytes)) stored_ = field;
  }
  return textOf(field);
}

}  // namespace zvc
