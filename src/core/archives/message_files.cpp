#include "core/archives/message_files.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "core/common/file_io.h"
#include "core/common/format.h"
#include "core/common/text_codec.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kError = 1;
constexpr int kInformation = 6;

constexpr MessageFileFormat kFormats[] = {
    {MessageFileKind::kDiagnostic, "ALA", ".ala", Subfolder::kAlarms, DiagnosticTextRow::kSize,
     DiagnosticTextRow::kSlots, "DataFiles (*.ala)|*.ala", "DataFiles(*.ala)|*.ala",
     "диагностические сообщения контроллера ЖВЦ_15"},
    {MessageFileKind::kIntervention, "AUD", ".aud", Subfolder::kAudit, InterventionTextRow::kSize,
     InterventionTextRow::kSlots, "DataFiles (*.aud)|*.aud", "DataFiles(*.aud)|*.aud",
     "сообщения о вмешательствах оператора контроллера ЖВЦ_15"},
};

std::string nameWithoutFolder(const std::filesystem::path& file) {
  return file.filename().string();
}

// The value of a text that is one whole decimal number, as the value displays write them.
std::optional<double> numberIn(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// A number too long for its slot goes in the exponent form: cut, it would read as another value
// when the file is opened again. Other texts are cut to the slot.
std::string slotText(const std::string& text, std::size_t size) {
  if (text.size() <= size) return text;
  const std::optional<double> value = numberIn(text);
  if (!value) return text;
  std::string exponent = format("%.4e", *value);
  return exponent.size() <= size ? exponent : text;
}

}  // namespace

void writeTextRow(const MessageTexts& texts, const TextRowLayout& slots,
                  std::span<std::uint8_t> row) {
  std::fill(row.begin(), row.end(), 0);
  for (std::size_t column = 0; column < kMessageColumns; ++column) {
    const TextSlot slot = slots[column];
    if (slot.offset + slot.size > row.size()) continue;
    utf8ToField(slotText(texts[column], slot.size), &row[slot.offset], slot.size);
  }
}

MessageTexts readTextRow(std::span<const std::uint8_t> row, const TextRowLayout& slots) {
  MessageTexts texts;
  for (std::size_t column = 0; column < kMessageColumns; ++column) {
    const TextSlot slot = slots[column];
    if (slot.offset + slot.size > row.size()) continue;
    const auto* begin = reinterpret_cast<const char*>(&row[slot.offset]);
    const std::string_view bytes(begin, slot.size);
    texts[column] = cp1251ToUtf8(bytes.substr(0, bytes.find('\0')));
  }
  return texts;
}

const MessageFileFormat& messageFileFormat(MessageFileKind kind) {
  return kind == MessageFileKind::kDiagnostic ? kFormats[0] : kFormats[1];
}

std::filesystem::path proposedMessageFileName(MessageFileKind kind, const WorkingFolder& folder,
                                              std::uint8_t linkAddress, const DateTime6& today) {
  const std::string where = folder.subfolder(messageFileFormat(kind).folder).string();
  const int type = ArchiveFileHeader::kControllerType;
  if (kind == MessageFileKind::kDiagnostic) {
    return format("%s/zvc%02d_%03d_%02d%02d%02d.ala", where.c_str(), linkAddress, type, today.year,
                  today.month, today.day);
  }
  return format("%s/zvc%02d_%03d_%02d%02d%02d.aud", where.c_str(), type, linkAddress, today.year,
                today.month, today.day);
}

std::filesystem::path withMessageExtension(MessageFileKind kind,
                                           const std::filesystem::path& name) {
  return withDefaultExtension(name, messageFileFormat(kind).extension);
}

std::optional<std::filesystem::path> chooseMessageFileName(MessageFileKind kind,
                                                           const std::filesystem::path& proposed,
                                                           const AskFileName& askName,
                                                           Frontend& frontend) {
  return chooseSaveFileName(proposed, messageFileFormat(kind).extension, askName, frontend);
}

bool writeMessageFile(const std::filesystem::path& file, const ArchiveFileHeader& header,
                      const ArchiveRecords& textRows, Frontend& frontend) {
  bool written = false;
  {
    BusyCursor busy(frontend);
    ArchiveFileHeader counted = header;
    counted.setRecordCount(static_cast<std::uint32_t>(textRows.count()));
    const auto head = counted.bytes();
    const auto rows = textRows.bytes();
    std::string content(head.size() + rows.size(), '\0');
    std::memcpy(content.data(), head.data(), head.size());
    if (!rows.empty()) std::memcpy(content.data() + head.size(), rows.data(), rows.size());
    written = writeFileAtomically(file, content);
  }
  if (!written) {
    frontend.showMessage(kError, "Ошибка открытия файла", "");
    return false;
  }
  frontend.showMessage(kInformation,
                       format("Данные сохранены в файле %s.", nameWithoutFolder(file).c_str()), "");
  return true;
}

bool saveMessageFile(MessageFileKind kind, const WorkingFolder& folder,
                     const ArchiveFileHeader& header, const ArchiveRecords& textRows,
                     const DateTime6& today, const AskFileName& askName, Frontend& frontend) {
  const auto proposed = proposedMessageFileName(kind, folder, header.address(), today);
  const auto file = chooseMessageFileName(kind, proposed, askName, frontend);
  return file && writeMessageFile(*file, header, textRows, frontend);
}

std::optional<ArchiveFile> openArchiveFileTold(const std::filesystem::path& file,
                                               const ArchiveFileKind& kind, std::size_t rowSize,
                                               std::string_view refusalLine, Frontend& frontend) {
  ArchiveFile opened = openArchiveFile(file, kind, rowSize);
  switch (opened.status) {
    case ArchiveFile::Status::kOpened:
      return opened;
    case ArchiveFile::Status::kCannotOpen:
      frontend.showMessage(kError, "Ошибка открытия файла", "");
      return std::nullopt;
    case ArchiveFile::Status::kWrongKind:
      frontend.showMessage(
          kError, format("Файл %s не является файлом, содержащим", nameWithoutFolder(file).c_str()),
          refusalLine);
      return std::nullopt;
  }
  return std::nullopt;
}

std::optional<SavedMessages> openMessageFile(MessageFileKind kind,
                                             const std::filesystem::path& file,
                                             Frontend& frontend) {
  const MessageFileFormat& fileFormat = messageFileFormat(kind);
  auto opened = openArchiveFileTold(file, {fileFormat.signature, std::nullopt}, fileFormat.rowSize,
                                    fileFormat.refusalLine, frontend);
  if (!opened) return std::nullopt;
  return SavedMessages{opened->header, std::move(opened->rows)};
}

}  // namespace zvc
